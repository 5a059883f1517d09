#include "reports/adif_export.h"

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"

namespace {

// Columns of the one query over the log; without ORDER BY the records follow the stored order.
constexpr const char* kQsoQuery = "SELECT utc, rufz, s, stxt, r, rtxt, mode, ktdst FROM ktd";
enum Column { kUtc, kRufz, kS, kStxt, kR, kRtxt, kMode, kKtdst };

// The first header line names the log database the records come from.
constexpr const char* kSourceLine = "ADIF 2 Exportiert aus ktd.sqlite";
constexpr const char* kProgramLine = "Erzeugt hat diese Datei das Programm: VORLAX_KTD_Log.exe";

// ADIF field "<tag:n>value"; n is the value's length in characters, which in Windows-1252 text is
// its length in bytes.
std::string Field(const char* tag, const std::string& value) {
  return std::string("<") + tag + ":" + std::to_string(value.size()) + ">" + value;
}

// Record part common to every variant: call, date, time and band.
std::string RecordHead(const char* callTag, const char* dateTag, const char* timeTag,
                       const char* bandTag, const TSQLiteTable& row, const std::string& date) {
  return Field(callTag, row.FieldAsString(kRufz)) + " <" + dateTag + ":8>" + date + " <" + timeTag +
         ":4>" + row.FieldAsString(kUtc) + " <" + bandTag + ":3>80m";
}

std::string EqslRecord(const TSQLiteTable& row, const std::string& date,
                       const std::string& message) {
  const bool cw = row.FieldAsString(kMode) == "0";
  std::string record = RecordHead("CALL", "QSO_DATE", "TIME_ON", "BAND", row, date);
  if (message.empty()) {
    // The variant without message writes its mode tag in lower case.
    record += cw ? " <mode:2>CW <RST_SENT:3>" : " <mode:3>SSB <RST_SENT:2>";
    record += row.FieldAsString(kS) + " <EOR>";
  } else {
    record += cw ? " <MODE:2>CW <RST_SENT:3>" : " <MODE:3>SSB <RST_SENT:2>";
    record += row.FieldAsString(kS) + " " + Field("QSLMSG", message) + " <EOR>";
  }
  return record;
}

std::string AdifRecord(const TSQLiteTable& row, const std::string& date) {
  const bool cw = row.FieldAsString(kMode) == "0";
  std::string record = RecordHead("call", "qso_date", "time_on", "band", row, date);
  // The report lengths are fixed per mode, whatever the stored report holds.
  record += cw ? " <mode:2>CW <rst_sent:3>" : " <mode:3>SSB <rst_sent:2>";
  record += row.FieldAsString(kS);
  record += cw ? " <rst_rcvd:3>" : " <rst_rcvd:2>";
  record += row.FieldAsString(kR);
  if (row.FieldAsString(kKtdst) == "1") {
    record += " " + Field("stx_string", row.FieldAsString(kStxt));
    record += " " + Field("srx_string", row.FieldAsString(kRtxt));
  }
  return record + " <eor>";
}

template <typename BuildRecord>
void AppendRecords(TSQLiteDatabase& log, std::vector<std::string>& lines, BuildRecord build) {
  auto rows = log.GetTable(kQsoQuery);
  lines.reserve(lines.size() + static_cast<std::size_t>(rows->RowCount()));
  for (; !rows->Eof(); rows->Next()) lines.push_back(build(*rows));
}

constexpr std::size_t kAdifHeaderLines = 4;

}  // namespace

std::string EqslQslMessage(const std::vector<std::string>& stationDataLines,
                           bool stationDataPresent) {
  if (!stationDataPresent) return {};
  const std::string description =
      TrimBlanks(StationDataField(stationDataLines, StationItemDescriptionLine(1), 13));
  const std::string power = StationDataField(stationDataLines, kStationLineWatt, 9);
  return TrimBlanks(description + " " + power);
}

std::vector<std::string> BuildEqslAdifLines(TSQLiteDatabase& log,
                                            const std::string& contestDateCompact,
                                            const std::string& qslMessage) {
  // The guide is written here in UTF-8 and stored as Windows-1252 like every file of the program.
  std::vector<std::string> lines = {
      kSourceLine,
      Utf8ToCp1252("ADIF Datei für www.eQSL.cc:"),
      "Webseite https://www.eqsl.cc/qslcard/EnterADIF.cfm aufsuchen und mit dem eignen "
      "Rufzeichen einloggen.",
      Utf8ToCp1252("Menü: Meine Konten auswählen (Maintain all your accounts)"),
      Utf8ToCp1252("Das passende Konto: Rufzeichen (Nickname) auswählen und einloggen (Login)"),
      Utf8ToCp1252("Zurück zum Hauptmenü."),
      Utf8ToCp1252("Menü: Upload ADIF auswählen."),
      Utf8ToCp1252("STEP 1: ADIF Datei zum Hochladen auswählen."),
      "STEP 2: Upload",
      Utf8ToCp1252("Menü: Ausloggen."),
      kProgramLine,
      "<adif_ver:1>2",
      "<eoh>",
  };
  AppendRecords(log, lines, [&](const TSQLiteTable& row) {
    return EqslRecord(row, contestDateCompact, qslMessage);
  });
  return lines;
}

std::vector<std::string> BuildAdifLines(TSQLiteDatabase& log,
                                        const std::string& contestDateCompact) {
  std::vector<std::string> lines = {kSourceLine, kProgramLine, "<adif_ver:1>2", "<eoh>"};
  AppendRecords(log, lines,
                [&](const TSQLiteTable& row) { return AdifRecord(row, contestDateCompact); });
  return lines;
}

bool WriteEqslAdifFile(const std::string& path, TSQLiteDatabase& log,
                       const std::string& contestDateCompact, const std::string& qslMessage,
                       std::string* reason) {
  return WriteLinesAtomic(path, BuildEqslAdifLines(log, contestDateCompact, qslMessage), reason);
}

bool WriteAdifFile(const std::string& path, TSQLiteDatabase& log,
                   const std::string& contestDateCompact, std::string* reason) {
  const auto lines = BuildAdifLines(log, contestDateCompact);
  if (lines.size() <= kAdifHeaderLines) return false;
  return WriteLinesAtomic(path, lines, reason);
}
