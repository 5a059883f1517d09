// The crash test's driver: records the QSOs of crash_qsos.h into the log database given, from the
// number of QSOs already in the log on, and reports each recorded QSO's number on stdout once
// RecordQso has returned. The test kills it at random moments.
//
//   ktd-crash-driver LOGDB [LAST]   records up to QSO number LAST (default: without end)

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "crash/crash_qsos.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s LOGDB [LAST]\n", argv[0]);
    return 2;
  }
  const std::string logDb = argv[1];
  const long last = argc > 2 ? std::atol(argv[2]) : -1;
  try {
    long next = 0;
    {
      // As the program's start-up does: the schema first, then the log as it stands.
      TSQLiteDatabase db(logDb);
      CreateLogSchema(db);
      next = CountQsos(db);
    }
    for (; last < 0 || next <= last; ++next) {
      const crash_qsos::Qso q = crash_qsos::QsoNumber(static_cast<int>(next));
      RecordQso(logDb, q.utc, q.call, q.rstSent, q.sentText, q.rstRcvd, q.rcvdText);
      const std::string line = std::to_string(next) + "\n";
      if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return 3;
    }
  } catch (const ESQLiteException& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
