// Kills the crash driver (crash_driver.cpp) at random moments while it records QSOs and checks
// after every kill: each QSO the driver reported as recorded is in the log, the database is intact,
// and the log, the station lists, the texts and the undo copies are exactly those of a log that
// recorded the same QSOs without interruption.
//
// KTD_CRASH_KILLS sets the number of kills (default 50), KTD_CRASH_SEED repeats a run.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/text_file.h"
#include "crash/crash_qsos.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

long EnvNumber(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atol(value) : fallback;
}

// A running driver whose stdout the test reads.
struct Driver {
  pid_t pid = -1;
  int out = -1;
};

Driver StartDriver(const std::string& logDb) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    execl(KTD_CRASH_DRIVER, KTD_CRASH_DRIVER, logDb.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  return {pid, pipeFds[0]};
}

// Everything the driver wrote until it died: the numbers of the QSOs it reported as recorded.
std::vector<long> Reported(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  std::vector<long> numbers;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    numbers.push_back(std::atol(text.substr(start, end - start).c_str()));
  return numbers;
}

TEST(RecordQsoCrash, EveryKillLeavesTheConfirmedQsosWithConsistentBookkeeping) {
  const long kills = EnvNumber("KTD_CRASH_KILLS", 50);
  const unsigned seed = static_cast<unsigned>(EnvNumber("KTD_CRASH_SEED", std::random_device{}()));
  SCOPED_TRACE("KTD_CRASH_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  // Recording takes a few milliseconds, starting the driver about as long: kills land before,
  // inside and between recordings.
  std::uniform_int_distribution<int> delayUs(1000, 80000);

  TempFolder dir;
  const std::string stations = dir / "stations.csv", texts = dir / "texts.csv";
  ASSERT_TRUE(WriteLinesAtomic(stations, crash_qsos::StationListLines()));
  ASSERT_TRUE(WriteLinesAtomic(texts, crash_qsos::TextCollectionLines()));
  const std::string logDb = dir / "ktd.sqlite", expectedDb = dir / "expected.sqlite";
  for (const std::string& file : {logDb, expectedDb}) {
    CreateLogSchema(file);
    RebuildStationAndTextTables(file, stations, texts);
  }

  long qsos = 0;  // in the log after the last kill
  long expectedQsos = 0;
  int inconsistent = 0;
  int interrupted = 0;
  for (long round = 0; round < kills; ++round) {
    const Driver driver = StartDriver(logDb);
    ASSERT_GT(driver.pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(driver.pid, SIGKILL);
    int status = 0;
    waitpid(driver.pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the driver ended by itself, status " << status;
    const std::vector<long> reported = Reported(driver.out);
    for (size_t k = 0; k < reported.size(); ++k)
      ASSERT_EQ(reported[k], qsos + static_cast<long>(k))
          << "the driver resumes where the log ends";
    // Every QSO in the log before and every one reported since stays; at most the one being
    // reported when the kill came is more.
    const long confirmed = qsos + static_cast<long>(reported.size());

    // A journal left behind means the kill came inside a recording's transaction.
    std::error_code error;
    if (std::filesystem::file_size(logDb + "-journal", error) > 0 && !error) ++interrupted;
    TSQLiteDatabase db(logDb);  // opening rolls back what the killed driver left unfinished
    ASSERT_EQ(QueryText(db, "PRAGMA integrity_check"), "ok") << "after kill " << round;
    qsos = static_cast<long>(CountQsos(db));
    ASSERT_GE(qsos, confirmed) << "a confirmed QSO was lost at kill " << round;
    ASSERT_LE(qsos, confirmed + 1) << "after kill " << round;

    for (; expectedQsos < qsos; ++expectedQsos) {
      const crash_qsos::Qso q = crash_qsos::QsoNumber(static_cast<int>(expectedQsos));
      RecordQso(expectedDb, q.utc, q.call, q.rstSent, q.sentText, q.rstRcvd, q.rcvdText);
    }
    TSQLiteDatabase expected(expectedDb);
    if (DatabaseDump(db) != DatabaseDump(expected)) {
      ++inconsistent;
      ADD_FAILURE() << "log, station lists and texts out of step after kill " << round << " with "
                    << qsos << " QSOs";
      // Go on from the broken state, so each kill is judged on its own.
      db.Close();
      expected.Close();
      std::filesystem::copy_file(logDb, expectedDb,
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  std::printf("%ld kills (%d inside a transaction), %ld QSOs recorded, %d inconsistent states\n",
              kills, interrupted, expectedQsos, inconsistent);
  EXPECT_GE(expectedQsos, kills / 4) << "the kills came too early to catch recordings";
}

}  // namespace
