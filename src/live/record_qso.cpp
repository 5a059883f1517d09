#include "live/record_qso.h"

#include "contest/classification.h"
#include "contest/contest_calendar.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"

namespace {

// A CW report has three characters (599), an SSB report two (59).
std::string ModeOfReport(const std::string& rstSent) {
  return rstSent.size() == 3 ? "0" : "1";
}

// Callsign without its "/P" (the last two characters).
std::string WithoutPortable(const std::string& callsign) {
  return callsign.size() >= 2 ? callsign.substr(0, callsign.size() - 2) : std::string();
}

// Replaces the undo copy of a table with the table's current contents.
void Snapshot(TSQLiteDatabase& db, const std::string& undo, const std::string& select) {
  db.ExecSQL("DROP TABLE IF EXISTS " + undo);
  db.ExecSQL("CREATE TABLE IF NOT EXISTS " + undo + " AS " + select);
}

void DeleteStation(TSQLiteDatabase& db, const std::string& table, const std::string& rufz) {
  db.AddParamText(":rufz", rufz);
  db.ExecSQL("DELETE FROM " + table + " WHERE rufz = :rufz");
}

// A KTD station worked in the first half stays a candidate for the second half in both modes.
void OfferInSecondHalf(TSQLiteDatabase& db, const std::string& table, const std::string& callsign) {
  db.AddParamText(":rufz", callsign);
  auto count = db.GetTable("SELECT count(*) FROM " + table + " WHERE rufz = :rufz");
  if (count->RowCount() == 1 && count->CountResult() == 0) {
    db.AddParamText(":rufz", callsign);
    db.AddParamText(":rufzo", WithoutPortable(callsign));
    db.ExecSQL("INSERT INTO " + table + " VALUES (:rufz, :rufzo, \"\")");
  }
}

}  // namespace

void RecordQso(const std::string& logDbFile, const std::string& utc, const std::string& callsign,
               const std::string& rstSent, const std::string& sentText, const std::string& rstRcvd,
               const std::string& rcvdText) {
  TSQLiteDatabase db(logDbFile);
  // One transaction for the whole QSO: a crash or a failing statement leaves either the row with
  // all its bookkeeping or nothing at all, never a stored QSO whose station is still offered or
  // whose text is proposed again. The connection rolls back when a statement throws.
  db.BeginTransaction();
  RecordQsoIn(db, {utc, callsign, rstSent, sentText, rstRcvd, rcvdText});
  db.Commit();
  db.Close();
}

void TakeUndoCopies(TSQLiteDatabase& db) {
  Snapshot(db, "ktdundo", "SELECT rowid, * FROM ktd");
  for (const std::string table : {"stns1", "stns1ssb", "stns2", "stns2ssb", "txt", "ptxt"}) {
    Snapshot(db, table + "undo", "SELECT * FROM " + table);
  }
}

void RecordQsoIn(TSQLiteDatabase& db, const QsoFields& qso, UndoCopies undo) {
  const std::string& utc = qso.utc;
  const std::string& callsign = qso.callsign;
  const std::string& rstSent = qso.rstSent;
  const std::string& sentText = qso.sentText;
  const std::string& rstRcvd = qso.rstRcvd;
  const std::string& rcvdText = qso.rcvdText;
  const std::string half = HalfOf(utc);
  const std::string mode = ModeOfReport(rstSent);
  const QsoClassFlags flags = ClassifyQso(callsign, sentText);
  const bool cw = mode == "0";
  const bool ktdQso = flags.ktdst == "1";
  const bool takeUndoCopies = undo == UndoCopies::Take;

  // The log as it was before this QSO, with its row ids.
  if (takeUndoCopies) Snapshot(db, "ktdundo", "SELECT rowid, * FROM ktd");

  db.AddParamText(":utc", utc);
  db.AddParamText(":rufz", callsign);
  db.AddParamText(":s", rstSent);
  db.AddParamText(":stxt", sentText);
  db.AddParamText(":r", rstRcvd);
  db.AddParamText(":rtxt", rcvdText);
  db.AddParamText(":half", half);
  db.AddParamText(":mode", mode);
  db.AddParamText(":ktdst", flags.ktdst);
  db.AddParamText(":hbst", flags.hbst);
  db.AddParamText(":eust", flags.eust);
  db.ExecSQL(
      "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, :half, :mode, :ktdst, :hbst, "
      ":eust)");

  const std::string firstHalfList = StationTable(0, cw);
  const std::string secondHalfList = StationTable(1, cw);
  if (takeUndoCopies) {
    Snapshot(db, firstHalfList + "undo", "SELECT * FROM " + firstHalfList);
    Snapshot(db, secondHalfList + "undo", "SELECT * FROM " + secondHalfList);
  }

  if (ktdQso) {
    if (half == "0") {
      OfferInSecondHalf(db, StationTable(1, true), callsign);
      OfferInSecondHalf(db, StationTable(1, false), callsign);
      DeleteStation(db, firstHalfList, callsign);
    } else {
      DeleteStation(db, secondHalfList, callsign);
    }
  } else {
    // A station heard from home is no longer offered as a portable candidate.
    const std::string portable = callsign + "/P";
    for (const int listHalf : {0, 1})
      for (const bool cwList : {true, false})
        DeleteStation(db, StationTable(listHalf, cwList), portable);
  }

  // The sent text is used up and not proposed again; the undo copies still hold it.
  if (takeUndoCopies) Snapshot(db, "txtundo", "SELECT * FROM txt");
  db.AddParamText(":txt", sentText);
  db.ExecSQL("DELETE FROM  txt WHERE txt = :txt");

  if (takeUndoCopies) Snapshot(db, "ptxtundo", "SELECT * FROM ptxt");
  db.AddParamText(":txt", sentText);
  db.ExecSQL("DELETE FROM ptxt WHERE txt = :txt");
}
