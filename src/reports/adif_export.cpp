#include "reports/adif_export.h"

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "common/text_file.h"
#include "prep/station_data_record.h"
#include "reports/logged_qsos.h"

namespace {

// The first header line names the log database the records come from.
constexpr const char* kSourceLine = "ADIF 2 Exportiert aus ktd.sqlite";
constexpr const char* kProgramLine = "Erzeugt hat diese Datei das Programm: VORLAX_KTD_Log.exe";

template <typename... Parts>
void Append(std::string& out, const Parts&... parts) {
  (out += ... += parts);
}

// ADIF field "<tag:n>value"; n is the value's length in characters, which in Windows-1252 text is
// its length in bytes.
void AppendField(std::string& out, const char* tag, const std::string& value) {
  Append(out, '<', tag, ':', std::to_string(value.size()), '>', value);
}

// Record part common to every variant: call, date, time and band.
void AppendRecordHead(std::string& out, const char* callTag, const char* dateTag,
                      const char* timeTag, const char* bandTag, const LoggedQso& qso,
                      const std::string& date) {
  AppendField(out, callTag, qso.rufz);
  Append(out, " <", dateTag, ":8>", date, " <", timeTag, ":4>", qso.utc, " <", bandTag, ":3>80m");
}

std::string EqslRecord(const LoggedQso& qso, const std::string& date, const std::string& message) {
  std::string record;
  record.reserve(96 + message.size());
  AppendRecordHead(record, "CALL", "QSO_DATE", "TIME_ON", "BAND", qso, date);
  if (message.empty()) {
    // The variant without message writes its mode tag in lower case.
    record += qso.cw ? " <mode:2>CW <RST_SENT:3>" : " <mode:3>SSB <RST_SENT:2>";
    record += qso.s;
  } else {
    record += qso.cw ? " <MODE:2>CW <RST_SENT:3>" : " <MODE:3>SSB <RST_SENT:2>";
    Append(record, qso.s, ' ');
    AppendField(record, "QSLMSG", message);
  }
  return record += " <EOR>";
}

std::string AdifRecord(const LoggedQso& qso, const std::string& date) {
  std::string record;
  record.reserve(160);
  AppendRecordHead(record, "call", "qso_date", "time_on", "band", qso, date);
  // The report lengths are fixed per mode, whatever the stored report holds.
  record += qso.cw ? " <mode:2>CW <rst_sent:3>" : " <mode:3>SSB <rst_sent:2>";
  Append(record, qso.s, qso.cw ? " <rst_rcvd:3>" : " <rst_rcvd:2>", qso.r);
  if (qso.ktdStation) {
    record += ' ';
    AppendField(record, "stx_string", qso.stxt);
    record += ' ';
    AppendField(record, "srx_string", qso.rtxt);
  }
  return record += " <eor>";
}

template <typename BuildRecord>
void AppendRecords(const LoggedQsos& qsos, std::vector<std::string>& lines, BuildRecord build) {
  lines.reserve(lines.size() + qsos.Stored().size());
  for (const LoggedQso& qso : qsos.Stored()) lines.push_back(build(qso));
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

std::vector<std::string> BuildEqslAdifLines(const LoggedQsos& qsos,
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
  AppendRecords(qsos, lines, [&](const LoggedQso& qso) {
    return EqslRecord(qso, contestDateCompact, qslMessage);
  });
  return lines;
}

std::vector<std::string> BuildEqslAdifLines(TSQLiteDatabase& log,
                                            const std::string& contestDateCompact,
                                            const std::string& qslMessage) {
  return BuildEqslAdifLines(LoggedQsos::Read(log, LoggedQsoColumns::All), contestDateCompact,
                            qslMessage);
}

std::vector<std::string> BuildAdifLines(const LoggedQsos& qsos,
                                        const std::string& contestDateCompact) {
  std::vector<std::string> lines = {kSourceLine, kProgramLine, "<adif_ver:1>2", "<eoh>"};
  AppendRecords(qsos, lines,
                [&](const LoggedQso& qso) { return AdifRecord(qso, contestDateCompact); });
  return lines;
}

std::vector<std::string> BuildAdifLines(TSQLiteDatabase& log,
                                        const std::string& contestDateCompact) {
  return BuildAdifLines(LoggedQsos::Read(log, LoggedQsoColumns::All), contestDateCompact);
}

bool WriteEqslAdifFile(const std::string& path, const LoggedQsos& qsos,
                       const std::string& contestDateCompact, const std::string& qslMessage,
                       std::string* reason) {
  return WriteLinesAtomic(path, BuildEqslAdifLines(qsos, contestDateCompact, qslMessage), reason);
}

bool WriteEqslAdifFile(const std::string& path, TSQLiteDatabase& log,
                       const std::string& contestDateCompact, const std::string& qslMessage,
                       std::string* reason) {
  return WriteLinesAtomic(path, BuildEqslAdifLines(log, contestDateCompact, qslMessage), reason);
}

bool WriteAdifFile(const std::string& path, const LoggedQsos& qsos,
                   const std::string& contestDateCompact, std::string* reason) {
  const auto lines = BuildAdifLines(qsos, contestDateCompact);
  if (lines.size() <= kAdifHeaderLines) return false;
  return WriteLinesAtomic(path, lines, reason);
}

bool WriteAdifFile(const std::string& path, TSQLiteDatabase& log,
                   const std::string& contestDateCompact, std::string* reason) {
  return WriteAdifFile(path, LoggedQsos::Read(log, LoggedQsoColumns::All), contestDateCompact,
                       reason);
}
