#include "contest/report_completion.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ReportCase {
  std::string typed;
  bool cw;
  std::string completed;
};

void PrintTo(const ReportCase& c, std::ostream* os) {
  *os << "\"" << c.typed << (c.cw ? "\" CW" : "\" SSB");
}

class ReportCompletionTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportCompletionTest, CompletesAndCapsReadabilityAtFive) {
  EXPECT_EQ(CompleteReport(GetParam().typed, GetParam().cw), GetParam().completed)
      << GetParam().typed << (GetParam().cw ? " CW" : " SSB");
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportCompletionTest,
    ::testing::Values(ReportCase{"", true, "599"}, ReportCase{"7", true, "579"},
                      ReportCase{"1", true, "519"}, ReportCase{"57", true, "579"},
                      ReportCase{"99", true, "599"}, ReportCase{"79", true, "599"},
                      ReportCase{"679", true, "579"}, ReportCase{"449", true, "449"},
                      ReportCase{"5999", true, "5999"}, ReportCase{"9999", true, "5999"},
                      ReportCase{"", false, "59"}, ReportCase{"4", false, "54"},
                      ReportCase{"5", false, "55"}, ReportCase{"8", false, "58"},
                      ReportCase{"99", false, "59"}, ReportCase{"33", false, "33"},
                      ReportCase{"599", false, "599"}, ReportCase{"699", false, "599"}));

}  // namespace
