#include "review/adif_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ascii_text.h"
#include "contest/text_rules.h"

namespace {

using Strings = std::vector<std::string>;

// A record as "NAME=value NAME=value", names upper case, values as Windows-1252 text.
std::string Shown(const AdifRecord& record) {
  std::string shown;
  for (const AdifField& field : record.fields) {
    if (!shown.empty()) shown += ' ';
    shown += AsciiUpper(field.name) + "=" + AdifValueText(field.value);
  }
  return shown;
}

Strings ShownRecords(const AdifDocument& document) {
  Strings shown;
  for (const AdifRecord& record : document.records) shown.push_back(Shown(record));
  return shown;
}

// A damaged record as "kind line callsign".
std::string Shown(const AdifDamagedRecord& damaged) {
  static const char* const kKinds[] = {"LengthPastEnd", "ValueOverRecordEnd", "BadTag",
                                       "NoEndOfRecord"};
  return std::string(kKinds[static_cast<int>(damaged.damage)]) + " " +
         std::to_string(damaged.line) + " " + damaged.callsign;
}

struct ShapeCase {
  const char* name;
  std::string file;
  Strings records;
  Strings damaged;
};

const ShapeCase kShapes[] = {
    {"HeaderWithFieldsAndCrLf",
     "Exportiert aus einem Logprogramm\r\n<ADIF_VER:5>3.1.0\r\n<PROGRAMID:4>TEST\r\n<EOH>\r\n"
     "<CALL:8>HB9ABC/P <QSO_DATE:8>20250720 <TIME_ON:4>0815 <MODE:2>CW <EOR>\r\n"
     "<CALL:6>DL1ABC <MODE:3>SSB <EOR>\r\n",
     {"CALL=HB9ABC/P QSO_DATE=20250720 TIME_ON=0815 MODE=CW", "CALL=DL1ABC MODE=SSB"},
     {}},
    {"NoHeaderLf",
     "<CALL:6>HB9ABC <MODE:2>CW <EOR>\n<CALL:6>DL1ABC <EOR>\n",
     {"CALL=HB9ABC MODE=CW", "CALL=DL1ABC"},
     {}},
    {"TextBeforeTheFirstTagWithoutHeader",
     "Log von HB9ABC\n\n<CALL:6>DL1ABC <EOR>\n",
     {"CALL=DL1ABC"},
     {}},
    {"LowerAndMixedCaseNamesAndTags",
     "<adif_ver:5>3.1.0<eoh><call:6>dl1abc <Mode:2>cw <eOr>",
     {"CALL=dl1abc MODE=cw"},
     {}},
    {"TypeIndicatorsAndTimeWithSeconds",
     "<CALL:6:S>DL1ABC <QSO_DATE:8:D>20250720 <TIME_ON:6:T>081559 <FREQ:5:N>3.560 <EOR>",
     {"CALL=DL1ABC QSO_DATE=20250720 TIME_ON=081559 FREQ=3.560"},
     {}},
    {"RecordSpreadOverLines",
     "<CALL:6>DL1ABC\r\n  <MODE:2>CW\r\n\r\n<RST_SENT:3>599\r\n<EOR>\r\n",
     {"CALL=DL1ABC MODE=CW RST_SENT=599"},
     {}},
    {"FieldsTheProgramDoesNotUse",
     "<CALL:6>DL1ABC <APP_LOGGER_QSO_ID:4>1234 <GRIDSQUARE:6>JN47PG <COMMENT:0> <EOR>",
     {"CALL=DL1ABC APP_LOGGER_QSO_ID=1234 GRIDSQUARE=JN47PG COMMENT="},
     {}},
    {"LengthsCountBytesOfUtf8WithByteOrderMark",
     "\xEF\xBB\xBF<SRX_STRING:19>Gr\xC3\xBCsse aus Z\xC3\xBCrich<EOR>",
     {"SRX_STRING=Gr\xFCsse aus Z\xFCrich"},
     {}},
    {"ValueHoldingBracketsAndLineEnds",
     "<COMMENT:9>a<b>\r\nc d<CALL:6>DL1ABC<EOR>",
     {"COMMENT=a<b>\r\nc d CALL=DL1ABC"},
     {}},
    {"LoneEndOfRecordCarriesNoQso", "<EOR>\r\n<CALL:6>DL1ABC<EOR>", {"CALL=DL1ABC"}, {}},
    {"FilesJoinedOneAfterTheOther",
     "<CALL:6>HB9ABC<EOR>\r\nZweite Datei\r\n<ADIF_VER:5>3.1.0\r\n<EOH>\r\n<CALL:6>DL1ABC<EOR>",
     {"CALL=HB9ABC", "CALL=DL1ABC"},
     {}},
    {"TruncatedLastRecord",
     "<CALL:6>HB9ABC <MODE:2>CW <EOR>\r\n<CALL:6>DL1ABC <MODE:2>CW <RST_S",
     {"CALL=HB9ABC MODE=CW"},
     {"BadTag 2 DL1ABC"}},
    {"LastRecordWithoutEndOfRecord",
     "<CALL:6>HB9ABC <EOR>\r\n<CALL:6>DL1ABC <MODE:2>CW\r\n",
     {"CALL=HB9ABC"},
     {"NoEndOfRecord 2 DL1ABC"}},
    {"LengthRunningPastTheEnd",
     "<CALL:6>HB9ABC<EOR>\n\n<CALL:6>DL1ABC <SRX_STRING:99>kurz",
     {"CALL=HB9ABC"},
     {"LengthPastEnd 3 DL1ABC"}},
    {"LengthRunningIntoTheNextRecord",
     "<CALL:6>HB9ABC <SRX_STRING:20>kurz <EOR>\r\n<CALL:6>DL1ABC <EOR>\r\n<CALL:5>F5XYZ <EOR>",
     {"CALL=DL1ABC", "CALL=F5XYZ"},
     {"ValueOverRecordEnd 1 HB9ABC"}},
    {"BrokenTagsSkipTheirRecordOnly",
     "<CALL:6>HB9ABC <MODE:x>CW <EOR>\r\n<CALL>DL1ABC<EOR>\r\n<CALL:5>F5XYZ <EOR>",
     {"CALL=F5XYZ"},
     {"BadTag 1 HB9ABC", "BadTag 2 "}},
    {"EndOfRecordWithALength",
     "<CALL:6>HB9ABC <EOR:0>\r\n<CALL:6>DL1ABC <EOR>",
     {},
     {"BadTag 1 HB9ABC"}},
    {"NoTagsAtAll", "Dies ist keine ADIF-Datei.\r\n", {}, {}},
};

class AdifReaderShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(AdifReaderShapes, ReadsEveryRecordAndSkipsOnlyTheDamagedOnes) {
  const AdifDocument document = ReadAdif(GetParam().file);
  EXPECT_EQ(ShownRecords(document), GetParam().records);
  Strings damaged;
  for (const AdifDamagedRecord& d : document.damaged) damaged.push_back(Shown(d));
  EXPECT_EQ(damaged, GetParam().damaged);
}

INSTANTIATE_TEST_SUITE_P(RealWorldShapes, AdifReaderShapes, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AdifReader, ValueTextConvertsValidUtf8AndKeepsWindows1252) {
  const std::string marker(1, kNotRepresentable);
  struct Case {
    std::string value;
    std::string text;
  };
  const Case cases[] = {
      {"HB9ABC/P", "HB9ABC/P"},
      {"Z\xC3\xBCrich", "Z\xFCrich"},                // UTF-8
      {"Z\xFCrich", "Z\xFCrich"},                    // Windows-1252
      {"\xE2\x82\xAC 5", "\x80 5"},                  // the euro sign has a Windows-1252 byte
      {"Tokyo \xE6\x9D\xB1", "Tokyo " + marker},     // a character without one
      {"Z\xFCrich \xC3\xA4", "Z\xFCrich \xC3\xA4"},  // not UTF-8 as a whole: bytes as they are
      {"\xC0\xAF", "\xC0\xAF"},                      // an overlong form is no UTF-8
      {"\xED\xA0\x80", "\xED\xA0\x80"},              // nor is a surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(AdifValueText(c.value), c.text) << c.value;
}

}  // namespace
