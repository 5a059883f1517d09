#include "contest/scoring.h"

#include "contest/score_tally.h"
#include "contest/score_values.h"
#include "db/sqlite_database.h"

namespace {

std::int32_t CountOf(TSQLiteDatabase& db, const char* sql) {
  return static_cast<std::int32_t>(db.GetTable(sql)->CountResult());
}

// The eleven values query by query, each stored as soon as its query has run.
void ComputeScoreQueryByQuery(TSQLiteDatabase& db, ScoreValues& score) {
  if (CountOf(db, "SELECT count(*) FROM ktd") == 0) {
    score = ScoreValues{};
    return;
  }
  // Each value is stored as soon as its query has run, so a failure leaves the earlier ones new.
  score.cwQsos = CountOf(db, "SELECT count(*) FROM ktd WHERE mode = \"0\"");
  score.ssbQsos = CountOf(db, "SELECT count(*) FROM ktd WHERE mode = \"1\"");
  score.ktdCw =
      CountOf(db,
              "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE half = \"0\" and "
              "mode = \"0\" and ktdSt = \"1\")");
  score.ktdCw +=
      CountOf(db,
              "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE half = \"1\" and "
              "mode = \"0\" and ktdSt = \"1\")");
  score.ktdSsb =
      CountOf(db,
              "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE half = \"0\" and "
              "mode = \"1\" and ktdSt = \"1\")");
  score.ktdSsb +=
      CountOf(db,
              "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE half = \"1\" and "
              "mode = \"1\" and ktdSt = \"1\")");
  score.hbCw = CountOf(
      db,
      "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE mode = \"0\" and hbSt = \"1\")");
  score.hbSsb = CountOf(
      db,
      "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE mode = \"1\" and hbSt = \"1\")");
  score.euCw = CountOf(
      db,
      "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE mode = \"0\" and euSt = \"1\")");
  score.euSsb = CountOf(
      db,
      "SELECT count(*) FROM (SELECT DISTINCT rufz FROM ktd WHERE mode = \"1\" and euSt = \"1\")");
  score.cwPoints = score.ktdCw * 4 + score.hbCw + score.euCw;
  score.ssbPoints = score.ktdSsb * 4 + score.hbSsb + score.euSsb;
  score.totalPoints = score.cwPoints + score.ssbPoints;
}

}  // namespace

void ComputeScore(const std::string& logDbFile, ScoreValues& score) {
  TSQLiteDatabase db(logDbFile, TSQLiteDatabase::Threading::ThisThreadOnly);
  ScoreTally tally;
  try {
    db.ForEachRow(std::string("SELECT ") + ScoreTally::kColumns + " FROM ktd",
                  [&](const TSQLiteRow& row) { tally.Add(row, 0); });
  } catch (const ESQLiteException&) {
    // A log the single pass cannot read is counted query by query, which fails at the same
    // fault and leaves the values as that count leaves them.
    ComputeScoreQueryByQuery(db, score);
    return;
  }
  score = tally.Values();
}

std::string QsoCountText(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  auto table = db.GetTable("SELECT count(*) FROM ktd");
  return table->Eof() ? std::string("0") : table->FieldAsString(0);
}
