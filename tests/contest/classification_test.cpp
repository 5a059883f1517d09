#include "contest/classification.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct KtdCase {
  std::string call;
  bool ktd;
};

void PrintTo(const KtdCase& c, std::ostream* os) {
  *os << c.call;
}

class ClassificationKtdTest : public ::testing::TestWithParam<KtdCase> {};

TEST_P(ClassificationKtdTest, KtdStationTest) {
  EXPECT_EQ(IsKtdStation(GetParam().call), GetParam().ktd) << GetParam().call;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ClassificationKtdTest,
    ::testing::Values(KtdCase{"HB9XYZ/P", true}, KtdCase{"HB9/DL1XYZ/P", true},
                      KtdCase{"HE3XYZ/P", true}, KtdCase{"HB9A/P", true}, KtdCase{"HB9XYZ", false},
                      KtdCase{"HB9XYZ/M", false}, KtdCase{"DL1XYZ/P", false},
                      KtdCase{"HB0XYZ/P", false}, KtdCase{"HB9/P", false},
                      KtdCase{"HB9XYZ/M/P", false},
                      // Case-sensitive: the field's text is upper case before the test.
                      KtdCase{"hb9xyz/p", false}, KtdCase{"HB9XYZ/p", false},
                      // Anchored at the start only, and the start is the start of the text.
                      KtdCase{" HB9XYZ/P", false}, KtdCase{"X\nHB9XYZ/P", false},
                      KtdCase{"HB9XYZ/PX", true}, KtdCase{"", false}));

struct ClassCase {
  std::string call;
  std::string sentText;
  QsoClassFlags expected;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
  *os << c.call << " \"" << c.sentText << "\"";
}

class ClassificationQsoTest : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassificationQsoTest, ExactlyOneFlagFromSentTextThenSwissPrefix) {
  const QsoClassFlags got = ClassifyQso(GetParam().call, GetParam().sentText);
  EXPECT_EQ(got.ktdst, GetParam().expected.ktdst) << GetParam().call;
  EXPECT_EQ(got.hbst, GetParam().expected.hbst) << GetParam().call;
  EXPECT_EQ(got.eust, GetParam().expected.eust) << GetParam().call;
}

const QsoClassFlags kKtd{"1", "0", "0"};
const QsoClassFlags kHb{"0", "1", "0"};
const QsoClassFlags kEu{"0", "0", "1"};

INSTANTIATE_TEST_SUITE_P(
    Qsos, ClassificationQsoTest,
    ::testing::Values(ClassCase{"HB9XYZ/P", "ROTE ROSEN IM GARTEN", kKtd},
                      ClassCase{"HE9XYZ", "", kHb}, ClassCase{"hb9xyz", "", kHb},
                      ClassCase{"He1ABC", "", kHb},
                      // A KTD station logged without a sent text is only a Swiss QSO.
                      ClassCase{"HB9XYZ/P", "", kHb}, ClassCase{"F5XYZ", "", kEu},
                      ClassCase{"DL1XYZ", "", kEu}, ClassCase{"JA1XYZ", "", kEu},
                      ClassCase{"HB0XYZ", "", kEu}, ClassCase{"XHB9XYZ", "", kEu},
                      ClassCase{"", "", kEu},
                      // Only the sent text decides KTD, whatever the callsign.
                      ClassCase{"DL1XYZ", "X", kKtd}, ClassCase{"", " ", kKtd}));

// Pasted text of any length: the same answers as for short callsigns, and no crash.
TEST(ClassificationLongTextTest, KtdTestHoldsForAnyLength) {
  for (size_t n :
       {size_t{3}, size_t{990}, size_t{995}, size_t{996}, size_t{1000}, size_t{100000}}) {
    std::string run;
    while (run.size() < n) run += "A1_";
    const struct {
      std::string text;
      bool ktd;
    } cases[] = {
        {"HB9" + run + "/P", true},    {"HE3/" + run + "/P", true},
        {"HB9" + run + "/PX", true},   {"HB9" + run + "/M", false},
        {"HB9" + run + "-X/P", false}, {"HB9" + run + "\xC4/P", false},
        {"HB9/" + run + "/Q", false},  {"DL1" + run + "/P", false},
        {"HB9" + run, false},          {"hb9" + run + "/P", false},
    };
    for (const auto& c : cases) {
      EXPECT_EQ(IsKtdStation(c.text), c.ktd) << c.text.substr(0, 12) << " length " << c.text.size();
      EXPECT_EQ(ClassifyQso(c.text, "").hbst, c.text[0] == 'D' ? "0" : "1");
    }
  }
}

}  // namespace
