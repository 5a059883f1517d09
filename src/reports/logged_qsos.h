#pragma once
// The log's QSOs as the outputs written at closing print them. Closing reads the log once and
// hands the same rows to the log printout, both ADIF files and the log export, instead of each
// of them querying the whole log again.

#include <cstdint>
#include <string>
#include <vector>

class TSQLiteDatabase;

struct LoggedQso {
  std::string utc, rufz, s, stxt, r, rtxt;
  bool cw = false;          // mode 0; any other value is SSB
  bool ktdStation = false;  // ktdst 1
};

// Which columns a read takes: an output asks only for the columns it prints, so that a log
// missing a column fails exactly the outputs that need it.
enum class LoggedQsoColumns {
  Exchange,         // utc, rufz, s, stxt, r, rtxt
  ExchangeAndMode,  // and mode
  All,              // and mode and ktdst
};

class LoggedQsos {
 public:
  // Reads every QSO. Stored() is the order the log holds them in; ByTime() is sorted by UTC, and
  // QSOs of the same minute stay in the order they were logged. Throws ESQLiteException when the
  // query fails.
  static LoggedQsos Read(TSQLiteDatabase& log, LoggedQsoColumns columns);

  LoggedQsos() = default;
  // ByTime() points into Stored(): a move keeps the rows where they are, a copy would not.
  LoggedQsos(LoggedQsos&&) = default;
  LoggedQsos& operator=(LoggedQsos&&) = default;
  LoggedQsos(const LoggedQsos&) = delete;
  LoggedQsos& operator=(const LoggedQsos&) = delete;

  const std::vector<LoggedQso>& Stored() const { return stored_; }
  const std::vector<const LoggedQso*>& ByTime() const { return byTime_; }
  bool Empty() const { return stored_.empty(); }

 private:
  std::vector<LoggedQso> stored_;
  std::vector<const LoggedQso*> byTime_;
};
