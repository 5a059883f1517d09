#include "keyer/morse_converter.h"

#include <gtest/gtest.h>

#include "keyer/morse_text_preparation.h"

namespace {

using List = ElementList;

// The elements of one character: '.' and '-' with the element space between.
List Keyed(std::string_view code, int dit, int dah) {
  List out;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (i > 0) out.push_back(-dit);
    out.push_back(code[i] == '-' ? dah : dit);
  }
  return out;
}

List Join(std::initializer_list<List> parts) {
  List out;
  for (const List& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

List ConvertAt(const std::string& text, int wpm, bool farnsworth = false) {
  TMorse morse;
  morse.SetFarnsworth(farnsworth);
  morse.SetSpeed(wpm);
  morse.SetCharacterSpeed(wpm);
  morse.SetText(text);
  List elements{1, 2, 3};  // must be emptied
  const bool converted = morse.Convert(elements);
  EXPECT_EQ(converted, !elements.empty());
  return elements;
}

void ExpectAlternatingList(const List& list) {
  ASSERT_GE(list.size(), 3u);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i % 2 == 0) {
      EXPECT_LT(list[i], 0) << "entry " << i;
    } else {
      EXPECT_GT(list[i], 0) << "entry " << i;
    }
  }
  EXPECT_LT(list.back(), 0);
}

struct TimingCase {
  bool farnsworth;
  int speed;
  int characterSpeed;
  std::vector<std::int32_t> record;  // dit, dah, element, character, word x1 ... x5
};

void PrintTo(const TimingCase& c, std::ostream* os) {
  *os << (c.farnsworth ? "Farnsworth " : "normal ") << c.speed << "/" << c.characterSpeed;
}

class MorseTimingRecords : public ::testing::TestWithParam<TimingCase> {};

TEST_P(MorseTimingRecords, MatchTheExamples) {
  const TimingCase& c = GetParam();
  TMorse morse;
  morse.SetFarnsworth(c.farnsworth);
  morse.SetCharacterSpeed(c.characterSpeed);
  const MorseTiming& t = morse.TimingFor(c.speed);
  std::vector<std::int32_t> got{t.dit, t.dah, t.elementSpace, t.characterSpace};
  got.insert(got.end(), t.wordSpace.begin(), t.wordSpace.end());
  EXPECT_EQ(got, c.record);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MorseTimingRecords,
    ::testing::Values(
        TimingCase{false, 18, 20, {67, 200, -67, -200, -467, -933, -1400, -1867, -2333}},
        TimingCase{true, 9, 18, {67, 200, -67, -726, -1695, -3389, -5084, -6779, -8474}},
        TimingCase{true, 13, 25, {48, 144, -48, -494, -1152, -2304, -3457, -4609, -5761}},
        // above the character speed the normal table applies even with Farnsworth on
        TimingCase{true, 30, 18, {40, 120, -40, -120, -280, -560, -840, -1120, -1400}}));

TEST(MorseTiming, FarnsworthAtTheCharacterSpeedEqualsTheNormalTable) {
  for (int c : {12, 18, 25, 33, 47, 60}) {
    TMorse normal;
    TMorse farnsworth;
    farnsworth.SetFarnsworth(true);
    farnsworth.SetCharacterSpeed(c);
    normal.SetCharacterSpeed(c);
    const MorseTiming& a = normal.TimingFor(c);
    const MorseTiming& b = farnsworth.TimingFor(c);
    EXPECT_EQ(a.characterSpace, b.characterSpace) << c;
    EXPECT_EQ(a.wordSpace, b.wordSpace) << c;
    EXPECT_EQ(a.dit, b.dit) << c;
  }
}

TEST(MorseTiming, SpeedsAreClamped) {
  TMorse morse;
  EXPECT_EQ(morse.Speed(), 20);
  EXPECT_EQ(morse.CharacterSpeed(), 20);
  EXPECT_FALSE(morse.Farnsworth());
  morse.SetSpeed(2);
  EXPECT_EQ(morse.Speed(), 4);
  morse.SetSpeed(99);
  EXPECT_EQ(morse.Speed(), 60);
  morse.SetCharacterSpeed(5);
  EXPECT_EQ(morse.CharacterSpeed(), 12);
}

TEST(MorseConvert, CqAtTwentyWpm) {
  EXPECT_EQ(ConvertAt("cq", 20), (List{-50, 180, -60, 60, -60, 180, -60, 60, -180, 180, -60, 180,
                                       -60, 60, -60, 180, -50}));
}

TEST(MorseConvert, SpaceRunsGiveTheWordSpaceOfTheirLength) {
  EXPECT_EQ(ConvertAt("e  e", 20), (List{-50, 60, -840, 60, -50}));        // 14 dits
  EXPECT_EQ(ConvertAt("e       e", 20), (List{-50, 60, -2100, 60, -50}));  // 35 dits
  EXPECT_EQ(ConvertAt("e e", 20), (List{-50, 60, -420, 60, -50}));
}

TEST(MorseConvert, ProsignTagsInAnyCaseAndSubstitutedCharacters) {
  const List bt = Join({{-50}, Keyed("-...-", 60, 180), {-50}});
  EXPECT_EQ(ConvertAt("[bt]", 20), bt);
  EXPECT_EQ(ConvertAt("[BT]", 20), bt);
  EXPECT_EQ(ConvertAt("[Bt]", 20), bt);
  EXPECT_EQ(ConvertAt("!", 20), Join({{-50}, Keyed(".-.-.-", 60, 180), {-50}}));
  EXPECT_EQ(ConvertAt("[ve]", 20), Join({{-50}, Keyed("...-.", 60, 180), {-50}}));
}

TEST(MorseConvert, UmlautsAreSpelledOutAndALoneMultiplicationSignIsDropped) {
  EXPECT_EQ(ConvertAt("\xC4RGER", 20), ConvertAt("aerger", 20));
  EXPECT_EQ(ConvertAt("a\xD7"
                      "b",
                      20),
            ConvertAt("ab", 20));
  EXPECT_EQ(ConvertAt("a\xD7\x95"
                      "b",
                      20),
            ConvertAt("a*b", 20));
}

TEST(MorseConvert, NothingToKeyYieldsNoList) {
  for (const char* text : {"", "[]<>", "[[<>]]", "   ", "\xD7", "<9>", "<F9>", "<9> <18>"}) {
    TMorse morse;
    morse.SetText(text);
    List elements{-50, 60, -50};
    EXPECT_FALSE(morse.Convert(elements)) << text;
    EXPECT_TRUE(elements.empty()) << text;
  }
}

TEST(MorseConvert, SpeedTagsSwitchTimingWithFarnsworthSpacing) {
  // 5nn at 18 wpm, the tag for 9 with its 726 ms character space, "text" with 67 ms dits and
  // 726 ms character spaces, the tag for 18, a 467 ms word space and + at 18 wpm.
  const auto k = [](std::string_view code) { return Keyed(code, 67, 200); };
  const List expected = Join({{-50},
                              k("....."),
                              {-200},
                              k("-."),
                              {-200},
                              k("-."),
                              {-726},
                              k("-"),
                              {-726},
                              k("."),
                              {-726},
                              k("-..-"),
                              {-726},
                              k("-"),
                              {-467},
                              k(".-.-."),
                              {-50}});
  EXPECT_EQ(ConvertAt("5nn<9>text<18> +", 18, true), expected);
}

TEST(MorseConvert, TheLiveWindowsSlowTagStretchesOnlyTheSpaces) {
  // At 25 wpm the slow tag is <13>: elements stay at 25 wpm, spaces come from 13/25.
  const auto k = [](std::string_view code) { return Keyed(code, 48, 144); };
  EXPECT_EQ(ConvertAt("e<13>ee<25>e", 25, true),
            Join({{-50}, k("."), {-494}, k("."), {-494}, k("."), {-144}, k("."), {-50}}));
}

// Texts whose speed tags or stray bytes stand next to spaces: the pauses join into one, so the
// list still alternates and the message player reaches its end.
TEST(MorseConvert, PausesNextToTagsJoinSoTheListAlternates) {
  EXPECT_EQ(ConvertAt("<9> e", 20), (List{-50 - 933, 133, -50}));
  EXPECT_EQ(ConvertAt("e <18>", 20), (List{-50, 60, -420 - 50}));
  EXPECT_EQ(ConvertAt("e \x01 e", 20), (List{-50, 60, -840, 60, -50}));
  // Six spaces left after a removed character: the longest word space, not beyond the table.
  EXPECT_EQ(ConvertAt("e   $   e", 20), (List{-50, 60, -2100, 60, -50}));
  for (const char* text : {"cq <9> de <18> hb9abc",
                           "a\x01"
                           "b",
                           "a<9><18>b", "<9>a", "a <9>b"}) {
    SCOPED_TRACE(text);
    ExpectAlternatingList(ConvertAt(text, 18, true));
  }
}

struct PreparationCase {
  std::string input;
  std::string prepared;
};

void PrintTo(const PreparationCase& c, std::ostream* os) {
  ::testing::internal::UniversalPrint(c.input, os);
}

class MorsePreparation : public ::testing::TestWithParam<PreparationCase> {};

TEST_P(MorsePreparation, GivesThePreparedText) {
  EXPECT_EQ(PrepareMorseText(GetParam().input), GetParam().prepared);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MorsePreparation,
    ::testing::Values(
        PreparationCase{"a\tb\r\nc\vd", "a b  c d"}, PreparationCase{"a_b^c", "a b c"},
        PreparationCase{"a        b", "a     b"}, PreparationCase{"a     b", "a     b"},
        PreparationCase{"hi!", "hi."}, PreparationCase{"a$b#c%d~e", "abcde"},
        PreparationCase{"\xD7\x95 \xF7", "* :"}, PreparationCase{"&\\{}|\xA6`\xB4", "+/(),,''"},
        PreparationCase{"\xE4\xC4\xF6\xD6\xFC\xDC\xDF", "aeaeoeoeueuess"},
        PreparationCase{"\xE9\xC9\xE8\xC8\xE0\xE1\xE5\xC0\xC1\xC5", "eeeeaaaaaa"},
        PreparationCase{"[ve][SN][hh][Ka][CT][sk][EB][as][AR][bt][KN]", "!!#$$%&&+=("},
        PreparationCase{"[xy]", "xy"}, PreparationCase{"\x80\xA0x\xFF", "x"},
        PreparationCase{"5nn<9>tx<18> +", "5nn\xBFtx\xC8 +"},
        PreparationCase{"<3>a<99>b<60>",
                        "\xBA"
                        "a\xF2"
                        "b\xF2"},
        PreparationCase{"<F9>a<w5>b<f->", "ab"},
        PreparationCase{"<9>a<9>",
                        "\xBF"
                        "a\xBF"},
        PreparationCase{"a<>b", "ab"}, PreparationCase{"<12345678901234567>", "12345678901234567"},
        PreparationCase{"ab   ", "ab"}));

}  // namespace
