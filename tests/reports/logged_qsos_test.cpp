#include "reports/logged_qsos.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "contest/log_fixture.h"
#include "db/sqlite_database.h"

namespace {

// The printout lists the QSOs as "ORDER BY utc" did when it queried the log itself, the other
// outputs as a plain read did: the one read for all of them must give both orders. Many QSOs
// share a minute, and some were logged out of time order, as a paper log typed in later is.
TEST(LoggedQsosTest, GivesTheStoredOrderAndTheTimeOrderSQLiteGives) {
  TSQLiteDatabase log(":memory:");
  test_log::CreateTables(log);
  log.BeginTransaction();
  for (int i = 0; i < 3000; ++i) {
    const int minute = (i * 7919) % 97;
    char utc[8];
    std::snprintf(utc, sizeof utc, "%02d%02d", 8 + minute / 60, minute % 60);
    test_log::InsertRow(
        log, {utc, "HB9" + std::to_string(i) + "/P", "599", "T" + std::to_string(i), "579", "", "0",
              i % 3 == 0 ? "0" : "1", i % 4 == 0 ? "1" : "0", "0", "0"});
  }
  log.Commit();

  const LoggedQsos qsos = LoggedQsos::Read(log, LoggedQsoColumns::All);
  std::vector<std::string> stored, byTime;
  for (const LoggedQso& qso : qsos.Stored()) stored.push_back(qso.rufz);
  for (const LoggedQso* qso : qsos.ByTime()) byTime.push_back(qso->rufz);
  EXPECT_EQ(stored, test_log::Column(log, "SELECT rufz FROM ktd"));
  EXPECT_EQ(byTime, test_log::Column(log, "SELECT rufz FROM ktd ORDER BY utc"));
}

}  // namespace
