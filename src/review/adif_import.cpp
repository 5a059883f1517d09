#include "review/adif_import.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"
#include "review/adif_reader.h"

namespace {

struct ImportCandidate {
  AdifQso qso;
  std::string callsign;
};

// A QSO is in the log once per time, callsign and mode ("0" CW, "1" SSB).
using QsoKey = std::array<std::string, 3>;

std::set<QsoKey> QsosInLog(TSQLiteDatabase& db) {
  std::set<QsoKey> keys;
  auto rows = db.GetTable("SELECT utc, rufz, mode FROM ktd");
  for (; !rows->Eof(); rows->Next()) {
    keys.insert({rows->FieldAsString(0), rows->FieldAsString(1), rows->FieldAsString(2)});
  }
  return keys;
}

std::optional<std::string> FirstCell(TSQLiteDatabase& db, const std::string& sql) {
  auto rows = db.GetTable(sql);
  if (rows->Eof()) return std::nullopt;
  return rows->FieldAsString(0);
}

// Records the QSO as the paper log saves a line whose text was picked from its lists: a personal
// text of the station is used up for that station, a pre-printed text goes to the end of the
// queue; both are found without regard to case, before recording uses the text up. A QSO without
// a text sent uses no pre-printed text: an imported log has no form lines.
void RecordAsPaperLine(TSQLiteDatabase& db, const QsoFields& qso) {
  std::optional<std::string> personalText;
  std::optional<std::string> printedText;
  if (!qso.sentText.empty()) {
    db.AddParamText(":rufz", qso.callsign);
    db.AddParamText(":txt", qso.sentText);
    personalText =
        FirstCell(db,
                  "SELECT txt FROM ptxt WHERE rufz = :rufz AND txt = :txt COLLATE NOCASE "
                  "ORDER BY rowid LIMIT 1");
    db.AddParamText(":txt", qso.sentText);
    printedText =
        FirstCell(db, "SELECT txt FROM txt WHERE txt = :txt COLLATE NOCASE ORDER BY rowid LIMIT 1");
  }
  RecordQsoIn(db, qso, UndoCopies::Kept);
  if (personalText) {
    db.AddParamText(":txt", *personalText);
    db.AddParamText(":rufz", qso.callsign);
    db.ExecSQL("DELETE FROM ptxt WHERE txt = :txt AND rufz = :rufz");
  }
  if (printedText) {
    db.AddParamText(":txt", *printedText);
    db.ExecSQL("DELETE FROM txt WHERE txt = :txt");
    db.AddParamText(":txt", *printedText);
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
  }
}

std::string DamagedRecordName(const AdifDamagedRecord& damaged) {
  if (damaged.callsign.empty()) return "Zeile " + std::to_string(damaged.line);
  return CallsignForSummary(damaged.callsign);
}

// Every record in file order: the readable ones mapped to QSOs, the others counted with their
// reason.
std::vector<ImportCandidate> Candidates(const AdifDocument& document, int year,
                                        AdifImportSummary& summary) {
  std::vector<ImportCandidate> candidates;
  auto record = document.records.begin();
  auto damaged = document.damaged.begin();
  while (record != document.records.end() || damaged != document.damaged.end()) {
    if (damaged != document.damaged.end() &&
        (record == document.records.end() || damaged->begin < record->begin)) {
      summary.Skipped(AdifSkipReason::DamagedRecord).Add(DamagedRecordName(*damaged++));
      continue;
    }
    AdifMapping mapping = MapAdifRecord(*record++, year);
    if (!mapping.qso) {
      summary.Skipped(mapping.skip).Add(mapping.callsign);
      continue;
    }
    candidates.push_back({std::move(*mapping.qso), std::move(mapping.callsign)});
  }
  return candidates;
}

}  // namespace

AdifImportSummary ImportAdifFile(const std::string& logDbFile, const std::string& adifFile,
                                 int year, const AdifImportProgress& progress) {
  std::string bytes;
  if (!ReadWholeFile(adifFile, bytes)) {
    AdifImportSummary summary;
    summary.file = AdifImportSummary::FileState::Unreadable;
    return summary;
  }
  return ImportAdif(logDbFile, bytes, year, progress);
}

AdifImportSummary ImportAdif(const std::string& logDbFile, std::string_view adifBytes, int year,
                             const AdifImportProgress& progress) {
  AdifImportSummary summary;
  const AdifDocument document = ReadAdif(adifBytes);
  summary.records = static_cast<int>(document.records.size() + document.damaged.size());
  std::vector<ImportCandidate> candidates = Candidates(document, year, summary);
  if (candidates.empty()) return summary;
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const ImportCandidate& a, const ImportCandidate& b) {
                     return a.qso.fields.utc < b.qso.fields.utc;
                   });

  const int total = static_cast<int>(candidates.size());
  const auto report = [&](int done) {
    if (progress) progress(done, total);
  };
  TSQLiteDatabase db(logDbFile);
  // One transaction for the whole import: an error leaves the log as it was (the connection rolls
  // back when a statement throws).
  db.BeginTransaction();
  std::set<QsoKey> inLog = QsosInLog(db);
  bool undoCopiesTaken = false;
  report(0);
  for (int i = 0; i < total; ++i) {
    const ImportCandidate& candidate = candidates[static_cast<std::size_t>(i)];
    const QsoFields& qso = candidate.qso.fields;
    if (!inLog.insert({qso.utc, qso.callsign, candidate.qso.cw ? "0" : "1"}).second) {
      summary.Skipped(AdifSkipReason::AlreadyInLog).Add(candidate.callsign);
    } else {
      // The undo copies show the log before the import, not before its last QSO.
      if (!undoCopiesTaken) TakeUndoCopies(db);
      undoCopiesTaken = true;
      RecordAsPaperLine(db, qso);
      ++summary.imported;
      if (candidate.qso.textAdjusted) summary.textAdjusted.Add(candidate.callsign);
    }
    if ((i + 1) % kAdifProgressStep == 0 && i + 1 < total) report(i + 1);
  }
  db.Commit();
  db.Close();
  report(total);
  return summary;
}
