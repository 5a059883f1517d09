#include "review/qso_editor.h"

#include <regex>

#include "common/ascii_text.h"
#include "contest/callsign_patterns.h"
#include "contest/contest_calendar.h"
#include "contest/text_rules.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"

namespace {

void BindQso(TSQLiteDatabase& db, const EditorQso& qso) {
  const EditorDerivedFields derived = DeriveEditorFields(qso);
  db.AddParamText(":utc", qso.utc);
  db.AddParamText(":rufz", qso.rufz);
  db.AddParamText(":s", qso.s);
  db.AddParamText(":stxt", qso.stxt);
  db.AddParamText(":r", qso.r);
  db.AddParamText(":rtxt", qso.rtxt);
  db.AddParamText(":half", derived.half);
  db.AddParamText(":mode", derived.mode);
  db.AddParamText(":ktdst", derived.ktdst);
  db.AddParamText(":hbst", derived.hbst);
  db.AddParamText(":eust", derived.eust);
}

}  // namespace

EditorDerivedFields DeriveEditorFields(const EditorQso& qso) {
  EditorDerivedFields derived;
  derived.half = HalfOf(qso.utc);
  derived.mode = qso.s.size() == 3 ? "0" : "1";
  const bool ktd = !qso.stxt.empty() && !qso.rtxt.empty();
  const bool swiss = std::regex_search(qso.rufz, SharedPatterns().swiss);
  derived.ktdst = ktd ? "1" : "0";
  derived.hbst = !ktd && swiss ? "1" : "0";
  derived.eust = !ktd && !swiss ? "1" : "0";
  return derived;
}

bool IsQsoTime(const std::string& utc) {
  if (utc.size() != 4) return false;
  for (const char c : utc) {
    if (c < '0' || c > '9') return false;
  }
  const int hour = (utc[0] - '0') * 10 + (utc[1] - '0');
  const int minute = (utc[2] - '0') * 10 + (utc[3] - '0');
  return hour <= 23 && minute <= 59;
}

EditorQso TrimmedEditorQso(const EditorQso& qso) {
  EditorQso trimmed = qso;
  trimmed.rufz = TrimBlanks(qso.rufz);
  trimmed.stxt = TrimBlanks(qso.stxt);
  trimmed.rtxt = TrimBlanks(qso.rtxt);
  return trimmed;
}

bool IsStorableQso(const EditorQso& qso) {
  return IsQsoTime(qso.utc) && TrimBlanks(qso.rufz).size() >= 3;
}

bool StoreEditedQso(const std::string& logDbFile, std::optional<std::int64_t> rowId,
                    const EditorQso& qso) {
  if (!IsStorableQso(qso)) return false;
  const EditorQso line = TrimmedEditorQso(qso);
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  TakeLogSnapshot(db);
  BindQso(db, line);
  if (rowId) {
    db.AddParamInt(":rowid", *rowId);
    db.ExecSQL(
        "UPDATE ktd SET utc = :utc, rufz = :rufz, s = :s, stxt = :stxt, r = :r, rtxt = :rtxt, "
        "half = :half, mode = :mode, ktdst = :ktdst, hbst = :hbst, eust = :eust WHERE rowid = "
        ":rowid");
  } else {
    db.ExecSQL(
        "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, :half, :mode, :ktdst, :hbst, "
        ":eust)");
  }
  db.Commit();
  return true;
}

void RemoveQso(const std::string& logDbFile, std::int64_t rowId) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  TakeLogSnapshot(db);
  db.AddParamInt(":rowid", rowId);
  db.ExecSQL("DELETE FROM ktd WHERE rowid = :rowid");
  RenumberLog(db);
  db.Commit();
}

void UndoLastEdit(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  RestoreLogSnapshot(db);
  db.Commit();
}
