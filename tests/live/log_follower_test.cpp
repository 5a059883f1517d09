#include "live/log_follower.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contest/scoring.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"
#include "support/temp_folder.h"

namespace {

void ExpectSameScore(const ScoreValues& got, const ScoreValues& want, int qso) {
  const auto values = [](const ScoreValues& s) {
    return std::vector<std::int32_t>{s.cwQsos,   s.ssbQsos,   s.ktdCw,      s.ktdSsb,
                                     s.hbCw,     s.hbSsb,     s.euCw,       s.euSsb,
                                     s.cwPoints, s.ssbPoints, s.totalPoints};
  };
  EXPECT_EQ(values(got), values(want)) << "after QSO " << qso;
}

// The QSO number `i` of a long mixed day: KTD stations (with a sent text), Swiss and foreign
// stations, in CW and SSB, in both halves, with small pools of callsigns so that many are worked
// again in the same mode and half.
QsoFields MixedQso(int i) {
  const unsigned r = static_cast<unsigned>(i) * 2654435761u;
  const int pick = static_cast<int>(r >> 7);
  const bool cw = (r >> 3) % 3 != 0;
  const std::string utc = i < 180 ? "0715" : (i % 7 == 0 ? "0759" : "0930");
  QsoFields q{utc, "", cw ? "599" : "59", "", cw ? "579" : "57", ""};
  switch (pick % 4) {
    case 0:
    case 1:
      q.callsign = "HB9K" + std::to_string(pick % 13) + "/P";
      q.sentText = "TEXT " + std::to_string(i);
      break;
    case 2:
      q.callsign = (pick % 2 ? "HB9H" : "he3h") + std::to_string(pick % 9);
      break;
    default:
      q.callsign = "DL" + std::to_string(pick % 11) + "ABC";
  }
  return q;
}

TEST(LogFollower, RecordedRowsAndScoreEqualAFullReadThroughoutALongMixedDay) {
  TempFolder folder;
  const std::string file = folder / "ktd.sqlite";
  CreateLogSchema(file);
  LogFollower follower;
  std::vector<LogGridRow> shown = follower.ReadAll(file).rows;
  ASSERT_TRUE(shown.empty());
  ScoreValues full;
  for (int i = 0; i < 360; ++i) {
    const QsoFields q = MixedQso(i);
    RecordQso(file, q.utc, q.callsign, q.rstSent, q.sentText, q.rstRcvd, q.rcvdText);
    LogGridRead read = follower.ReadAdded(file);
    ASSERT_FALSE(read.all);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0][2], q.callsign);
    shown.push_back(read.rows[0]);
    ComputeScore(file, full);
    ExpectSameScore(follower.Score(), full, i);
  }
  // The day has everything the score tells apart.
  EXPECT_GT(full.ktdCw, 13);
  EXPECT_GT(full.ktdSsb, 13);
  EXPECT_GT(full.hbCw * full.hbSsb * full.euCw * full.euSsb, 0);
  EXPECT_LT(full.cwPoints + full.ssbPoints, 4 * (full.cwQsos + full.ssbQsos));
  EXPECT_EQ(shown, ReadLogGridRows(file));
  EXPECT_TRUE(follower.ReadAdded(file).rows.empty());
}

TEST(LogFollower, ReadingAllCountsAgainAfterTheLogChangedBehindIt) {
  TempFolder folder;
  const std::string file = folder / "ktd.sqlite";
  CreateLogSchema(file);
  for (int i = 0; i < 40; ++i) {
    const QsoFields q = MixedQso(i);
    RecordQso(file, q.utc, q.callsign, q.rstSent, q.sentText, q.rstRcvd, q.rcvdText);
  }
  LogFollower follower;
  EXPECT_EQ(follower.ReadAll(file).rows.size(), 40u);
  {
    // The editor deletes QSOs; the log is cleared down to a few and one is recorded again.
    TSQLiteDatabase db(file);
    db.ExecSQL("DELETE FROM ktd WHERE rowid > 5");
  }
  RecordQso(file, "0930", "DL1ABC", "59", "", "57", "");
  const LogGridRead read = follower.ReadAll(file);
  EXPECT_TRUE(read.all);
  EXPECT_EQ(read.rows, ReadLogGridRows(file));
  ScoreValues full;
  ComputeScore(file, full);
  ExpectSameScore(follower.Score(), full, 6);
  EXPECT_EQ(full.cwQsos + full.ssbQsos, 6);
}

}  // namespace
