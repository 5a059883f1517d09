#include "widgets/typed_text_filter.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/key_gate.h"

namespace {

struct FilterCase {
  const char* name;
  TypedTextRule rule;
  std::string text;  // the field after the edit
  int caret;         // where the edit left the caret
  std::string expected;
  int expectedCaret;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.name;
}

class TypedTextFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(TypedTextFilterTest, KeepsOnlyWhatTheFieldAdmits) {
  const FilterCase& c = GetParam();
  const FilteredText out = FilterTypedText(c.rule, c.text, c.caret);
  EXPECT_EQ(out.text, c.expected);
  EXPECT_EQ(out.caret, c.expectedCaret);
}

constexpr TypedTextRule kTime{TypedChars::TimeDigits, false, 4};
constexpr TypedTextRule kCall{TypedChars::Callsign, true, 0};
constexpr TypedTextRule kReport{TypedChars::ReportDigits, false, 3};
constexpr TypedTextRule kText{TypedChars::ExchangeText, false, 0};

INSTANTIATE_TEST_SUITE_P(
    Fields, TypedTextFilterTest,
    ::testing::Values(
        FilterCase{"PastedTimeWithColon", kTime, "12:34", 5, "1234", 4},
        FilterCase{"TimeFullRefusesTypedDigitInTheMiddle", kTime, "12534", 3, "1234", 2},
        FilterCase{"TimePasteCutToFourDigits", kTime, "0712345", 7, "0712", 4},
        FilterCase{"CallsignUpperCaseAndNoSpaces", kCall, " hb9abc/p\t", 10, "HB9ABC/P", 8},
        FilterCase{"CallsignDropsQuoteAndPercent", kCall, "HB9'%_\"X", 8, "HB9X", 4},
        FilterCase{"ReportHasNoZeroAndNoLetters", kReport, "5a09", 4, "59", 2},
        FilterCase{"ReportTypedFourthDigitDropped", kReport, "5997", 4, "599", 3},
        FilterCase{"TextKeepsItsCharacters", kText, "Gruss - 73. ok/? 5", 18, "Gruss - 73. ok/? 5",
                   18},
        FilterCase{"TextTransliteratesAndDropsTheRest", kText,
                   std::string("a,b\"c\r\n\xE4\xDF") + '\0' + "d", 4, "abcaed", 2},
        FilterCase{"TextCaretFollowsTransliteration", kText,
                   "\xDC"
                   "ber Jo's",
                   3, "Ueber Jo s", 4}));

TEST(KeyGate, HeldKeyTypesOnceButRolloverTypesBoth) {
  KeyGate gate;
  EXPECT_TRUE(gate.Press('A', false));
  EXPECT_FALSE(gate.Press('A', true));  // the window system's repeats
  gate.Release('A', true);              // a repeat's release does not open the gate
  EXPECT_FALSE(gate.Press('A', true));
  EXPECT_TRUE(gate.Press('B', false));  // B pressed before A is released
  gate.Release('A', false);
  gate.Release('B', false);
  EXPECT_TRUE(gate.Press('A', false));
  // Without repeat marks a second press of the held key is a repeat all the same.
  EXPECT_FALSE(gate.Press('A', false));
  gate.Clear();
  EXPECT_TRUE(gate.Press('A', false));
}

}  // namespace
