#include "review/adif_qso_mapping.h"

#include <gtest/gtest.h>

#include <string>

#include "review/adif_reader.h"
#include "support/adif_records.h"

namespace {

// The contest day of 2025 is 20 July.
constexpr int kYear = 2025;

struct MappingCase {
  const char* name;
  AdifFields fields;
  // "utc|callsign|s|stxt|r|rtxt|CW or SSB" plus " angepasst" when a text was adjusted, or
  // "skip N" with the skip reason's number.
  std::string expected;
};

// Date, time, mode and callsign of a valid KTD QSO in CW, then `more`.
AdifFields Qso(AdifFields more, const std::string& mode = "CW") {
  AdifFields fields = {
      {"CALL", "hb9abc/p"}, {"QSO_DATE", "20250720"}, {"TIME_ON", "0815"}, {"MODE", mode}};
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

// The same fields with one of them given another value (an empty value drops the field).
AdifFields With(AdifFields fields, const std::string& name, const std::string& value) {
  std::erase_if(fields, [&](const auto& field) { return field.first == name; });
  if (!value.empty()) fields.push_back({name, value});
  return fields;
}

std::string Skip(AdifSkipReason reason) {
  return "skip " + std::to_string(static_cast<int>(reason));
}

std::string Mapped(const AdifFields& fields) {
  const std::string file = AdiRecord(fields);  // the record's fields are views into it
  const AdifDocument document = ReadAdif(file);
  if (document.records.size() != 1) return "not one record";
  const AdifMapping mapping = MapAdifRecord(document.records[0], kYear);
  if (!mapping.qso) return Skip(mapping.skip);
  const QsoFields& q = mapping.qso->fields;
  return q.utc + "|" + q.callsign + "|" + q.rstSent + "|" + q.sentText + "|" + q.rstRcvd + "|" +
         q.rcvdText + "|" + (mapping.qso->cw ? "CW" : "SSB") +
         (mapping.qso->textAdjusted ? " angepasst" : "");
}

const MappingCase kCases[] = {
    {"KtdQsoInCw",
     Qso({{"RST_SENT", "599"},
          {"RST_RCVD", "579"},
          {"STX_STRING", "Abendrot am Saentis"},
          {"SRX_STRING", "GRUESSE VOM BERG"}}),
     "0815|HB9ABC/P|599|Abendrot am Saentis|579|GRUESSE VOM BERG|CW"},
    {"TimeWithSecondsKeepsHoursAndMinutes", With(Qso({}), "TIME_ON", "235959"),
     "2359|HB9ABC/P|599||599||CW"},
    {"SsbWithSubmode", Qso({{"SUBMODE", "USB"}, {"RST_SENT", "59"}, {"RST_RCVD", "57"}}, "SSB"),
     "0815|HB9ABC/P|59||57||SSB"},
    {"OldModeLsbIsSsb", Qso({}, "lsb"), "0815|HB9ABC/P|59||59||SSB"},
    {"ReportsCompletedAsInThePaperLog", Qso({{"RST_SENT", "7"}, {"RST_RCVD", "57"}}),
     "0815|HB9ABC/P|579||579||CW"},
    {"CutNumberAndReadabilityAboveFive", Qso({{"RST_SENT", "5NN"}, {"RST_RCVD", "699"}}),
     "0815|HB9ABC/P|599||599||CW"},
    {"SsbReportKeepsTheLengthOfItsMode", Qso({{"RST_SENT", "599"}, {"RST_RCVD", "4"}}, "SSB"),
     "0815|HB9ABC/P|59||54||SSB"},
    {"TextsTransliteratedAsTyped",
     Qso({{"STX_STRING", "  Gr\xFCsse  aus Z\xFCrich "}, {"SRX_STRING", "L'\xE9t\xE9 au lac"}}),
     "0815|HB9ABC/P|599|Gruesse aus Zuerich|599|L ete au lac|CW"},
    {"Utf8TextTransliterated", Qso({{"SRX_STRING", "Gr\xC3\xBCsse aus Z\xC3\xBCrich"}}),
     "0815|HB9ABC/P|599||599|Gruesse aus Zuerich|CW"},
    {"CharacterWithoutTransliterationIsLeftOut",
     Qso({{"SRX_STRING", "Gru\xDF vom Berg *"}, {"STX_STRING", "Tokyo \xE6\x9D\xB1 Tower"}}),
     "0815|HB9ABC/P|599|Tokyo Tower|599|Gru vom Berg|CW angepasst"},
    {"OverlongTextIsCut", Qso({{"SRX_STRING", std::string(300, 'A')}}),
     "0815|HB9ABC/P|599||599|" + std::string(255, 'A') + "|CW angepasst"},
    {"TextSentOnlyToKtdStations",
     With(Qso({{"STX_STRING", "001"}, {"SRX_STRING", "Hallo"}}), "CALL", "dl1abc"),
     "0815|DL1ABC|599||599|Hallo|CW angepasst"},
    {"GuestUnderSwissPrefixIsKtdStation",
     With(Qso({{"STX_STRING", "ALPENROSEN AM GRAT"}}), "CALL", "HB9/DL1ABC/P"),
     "0815|HB9/DL1ABC/P|599|ALPENROSEN AM GRAT|599||CW"},
    {"OtherDay", With(Qso({}), "QSO_DATE", "20250719"), Skip(AdifSkipReason::OtherDay)},
    {"DigitalMode", Qso({}, "FT8"), Skip(AdifSkipReason::OtherMode)},
    {"OtherDayCountsBeforeOtherMode", With(Qso({}, "FT8"), "QSO_DATE", "20250101"),
     Skip(AdifSkipReason::OtherDay)},
    {"CallsignWithDash", With(Qso({}), "CALL", "HB9-ABC"), Skip(AdifSkipReason::InvalidCallsign)},
    {"NoCallsign", With(Qso({}), "CALL", ""), Skip(AdifSkipReason::InvalidCallsign)},
    {"CallsignWithUmlaut", With(Qso({}), "CALL", "HB9\xC3\x84X"),
     Skip(AdifSkipReason::InvalidCallsign)},
    {"TimeNotATime", With(Qso({}), "TIME_ON", "8:15"), Skip(AdifSkipReason::DamagedRecord)},
    {"TimePastMidnight", With(Qso({}), "TIME_ON", "2460"), Skip(AdifSkipReason::DamagedRecord)},
};

class AdifQsoMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(AdifQsoMapping, RecordBecomesTheQsoTheOperatorWouldHaveTyped) {
  EXPECT_EQ(Mapped(GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, AdifQsoMapping, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
