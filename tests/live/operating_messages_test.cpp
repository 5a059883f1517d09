#include "live/operating_messages.h"

#include <gtest/gtest.h>

namespace {

struct ComposeCase {
  const char* name;
  bool final;  // the closing message, else the report message
  MessageContext qso;
  const char* keyed;  // as the converter gets it
  const char* display;
};

MessageContext Qso(std::string name, std::string text, bool cqMode = true, bool agn = false,
                   bool farnsworth = false, std::string report = "599") {
  MessageContext qso;
  qso.own = "HB9XYZ/P";
  qso.worked = "HB9ABC/P";
  qso.name = std::move(name);
  qso.text = std::move(text);
  qso.report = std::move(report);
  qso.cqMode = cqMode;
  qso.agn = agn;
  qso.farnsworth = farnsworth;
  qso.slowTag = "<13>";  // 25 wpm
  qso.normalTag = "<25>";
  return qso;
}

class Compose : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(Compose, KeyedAndShownTexts) {
  const ComposeCase& c = GetParam();
  const ComposedMessage m = c.final ? FinalMessage(c.qso) : ReportMessage(c.qso);
  EXPECT_EQ(KeyedForm(m.message), c.keyed);
  EXPECT_EQ(m.display, c.display);
}

const std::string kText = "ROTE ROSEN IM GARTEN";

INSTANTIATE_TEST_SUITE_P(
    Messages, Compose,
    ::testing::Values(
        ComposeCase{"ReportWithNameAndText", false, Qso("Anna", kText),
                    "hb9abc/p gm anna 5nn  rote rosen im garten +",
                    "HB9ABC/P gm Anna 599 ROTE ROSEN IM GARTEN +"},
        ComposeCase{"ReportAgnWithoutText", false, Qso("Anna", "", true, true, false, "579"),
                    "hb9abc/p gm ur 579 +", "HB9ABC/P gm ur 579 +"},
        ComposeCase{"ReportAgainFarnsworth", false, Qso("", kText, true, true, true),
                    "hb9abc/p gm agn 5nn<13>rote rosen im garten<25> +",
                    "HB9ABC/P gm agn 599 ROTE ROSEN IM GARTEN +"},
        ComposeCase{"ReportSearchAndPounce", false, Qso("Anna", kText, false), "hb9xyz/p",
                    "HB9XYZ/P"},
        ComposeCase{"FinalWithText", true, Qso("Anna", kText), "qsl 73 gl de hb9xyz/p test",
                    "QSL 73 gl de HB9XYZ/P test"},
        ComposeCase{"FinalWithNameOnly", true, Qso("Anna", ""), "qsl gb anna de hb9xyz/p 73 tu",
                    "QSL gb Anna de HB9XYZ/P 73 tu"},
        ComposeCase{"FinalSearchAndPounce", true, Qso("Anna", kText, false, false, true),
                    "qsl anna 5nn  <13>rote rosen im garten<25> +",
                    "QSL Anna 599 ROTE ROSEN IM GARTEN +"},
        ComposeCase{"FinalSearchAndPounceAgn", true, Qso("Anna", "", false, true, false, "59"),
                    "qsl agn 59 73 tu", "QSL AGN 59 73 tu"}),
    [](const auto& info) { return info.param.name; });

TEST(Messages, ShiftGivesTheLongFormsAndTheRepeatKeepsTheSlowTag) {
  MessageContext qso = Qso("", kText);
  qso.shift = true;
  EXPECT_EQ(KeyedForm(ReportMessage(qso).message),
            "hb9abc/p de hb9xyz/p gm 5nn  rote rosen im garten +");
  qso.cqMode = false;
  EXPECT_EQ(KeyedForm(FinalMessage(qso).message),
            "hb9abc/p de hb9xyz/p qsl 5nn  rote rosen im garten +");
  EXPECT_EQ(CqMessage("HB9XYZ/P", true), "CQ KTD de HB9XYZ/P test");
  EXPECT_EQ(CqMessage("HB9XYZ/P", false), "Test de HB9XYZ/P");
  const ComposedMessage repeat = RepeatExchangeMessage("599", kText, true, "<13>");
  EXPECT_EQ(repeat.message, "5NN  <13>ROTE ROSEN IM GARTEN +");
  EXPECT_EQ(repeat.display, "599 ROTE ROSEN IM GARTEN +");
  EXPECT_EQ(CutReport("579"), "579");
  EXPECT_EQ(CutReport("59"), "59");
}

}  // namespace
