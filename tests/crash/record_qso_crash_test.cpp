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

// Reads what the driver writes until its first confirmed QSO (or its end), appending to `text`.
// False when the driver ended before confirming one.
bool ReadFirstConfirmation(int fd, std::string& text) {
  char buffer[256];
  while (text.find('\n') == std::string::npos) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

// Everything the driver wrote until it died (after `text`, what was read before): the numbers of
// the QSOs it reported as recorded.
std::vector<long> Reported(int fd, std::string text) {
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
  // Each kill comes after the driver has confirmed its first QSO, at a random fraction of the time
  // that first QSO took (start-up included), so kills land inside and between the following
  // recordings whatever the speed of the build and the load of the machine.
  std::uniform_real_distribution<double> fraction(0.0, 2.0);

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
    const auto started = std::chrono::steady_clock::now();
    const Driver driver = StartDriver(logDb);
    ASSERT_GT(driver.pid, 0);
    std::string output;
    const bool confirmedOne = ReadFirstConfirmation(driver.out, output);
    if (confirmedOne)
      std::this_thread::sleep_for((std::chrono::steady_clock::now() - started) * fraction(random));
    kill(driver.pid, SIGKILL);
    int status = 0;
    waitpid(driver.pid, &status, 0);
    ASSERT_TRUE(confirmedOne) << "the driver ended before its first QSO, status " << status;
    ASSERT_TRUE(WIFSIGNALED(status)) << "the driver ended by itself, status " << status;
    const std::vector<long> reported = Reported(driver.out, output);
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
  // Recording is most of the driver's time after its first QSO, so with more than a few kills
  // some must have come inside a transaction, or the test did not test what it claims.
  if (kills >= 20) {
    EXPECT_GT(interrupted, 0) << "no kill came inside a recording";
  }
}

}  // namespace
