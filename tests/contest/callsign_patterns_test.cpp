#include "contest/callsign_patterns.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>

namespace {

struct PatternCase {
  const char* name;
  std::function<const std::regex&(const CallsignPatterns&)> pattern;
  std::string text;
  bool found;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
  *os << c.name << " \"" << c.text << "\"";
}

class CallsignPatternsTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(CallsignPatternsTest, FindsAnywhereWithTheRightCaseRule) {
  const auto& p = GetParam();
  EXPECT_EQ(std::regex_search(p.text, p.pattern(SharedPatterns())), p.found)
      << p.name << " on \"" << p.text << "\"";
}

const auto kSwiss = [](const CallsignPatterns& p) -> const std::regex& { return p.swiss; };
const auto kPortable = [](const CallsignPatterns& p) -> const std::regex& { return p.portable; };
const auto kTwoSpaces = [](const CallsignPatterns& p) -> const std::regex& { return p.twoSpaces; };
const auto kLeading = [](const CallsignPatterns& p) -> const std::regex& {
  return p.leadingSixToNine;
};
const auto kNotAllowed = [](const CallsignPatterns& p) -> const std::regex& {
  return p.notAllowedChar;
};
const auto kGate = [](const CallsignPatterns& p) -> const std::regex& {
  return p.letterOrDigitThenDigit;
};

INSTANTIATE_TEST_SUITE_P(
    Patterns, CallsignPatternsTest,
    ::testing::Values(
        PatternCase{"swiss", kSwiss, "hb9abc", true}, PatternCase{"swiss", kSwiss, "HE1X", true},
        PatternCase{"swiss", kSwiss, "HB0X", false}, PatternCase{"swiss", kSwiss, "DHB9", false},
        PatternCase{"portable", kPortable, "HB9ABC/p", true},
        PatternCase{"portable", kPortable, "HB9ABC/P ", false},
        PatternCase{"portable", kPortable, "HB9/PX", false},
        PatternCase{"twoSpaces", kTwoSpaces, "ABC  DEF", true},
        PatternCase{"twoSpaces", kTwoSpaces, "A B C ", false},
        PatternCase{"leading6to9", kLeading, "699", true},
        PatternCase{"leading6to9", kLeading, "569", false},
        PatternCase{"notAllowed", kNotAllowed, "AZaz09 -/.?*", false},
        PatternCase{"notAllowed", kNotAllowed, "ROSE;", true},
        PatternCase{"notAllowed", kNotAllowed, "A,B", true},
        PatternCase{"notAllowed", kNotAllowed, "M\xC4RZ", true},  // Ä in Windows-1252
        PatternCase{"notAllowed", kNotAllowed, "A_B", true},
        PatternCase{"gate", kGate, "XYZ/P", false}, PatternCase{"gate", kGate, "9XYZ", false},
        PatternCase{"gate", kGate, "XY1", true}, PatternCase{"gate", kGate, "/99", true},
        PatternCase{"gate", kGate, "HB/9", false}));

}  // namespace
