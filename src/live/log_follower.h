#pragma once
// What a logging window shows of the log, its grid rows and its score, kept up to date at the
// cost of what changed: after a recording only the rows added since the last read are read, and
// the score counts grow by them. Where the log may have changed behind the window (the window is
// shown, the log was edited, cleared or restored) everything is read anew.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "contest/score_tally.h"
#include "contest/score_values.h"
#include "live/log_grid.h"

// Rows read from the log: all of them, or those to add to the rows read before.
struct LogGridRead {
  bool all = true;
  std::vector<LogGridRow> rows;
};

class LogFollower {
 public:
  // All rows of the log, in table order; the score counted over them.
  LogGridRead ReadAll(const std::string& logDbFile);
  // The rows added to the log since the last read, in table order; the score counted on with
  // them. New rows have larger row ids than every row before them, as SQLite gives them. After a
  // read that failed, all rows.
  LogGridRead ReadAdded(const std::string& logDbFile);

  // The score of the rows read so far.
  ScoreValues Score() const { return tally_.Values(); }

 private:
  LogGridRead Read(const std::string& logDbFile, bool all);

  static constexpr std::int64_t kBeforeAll = std::numeric_limits<std::int64_t>::min();
  std::int64_t lastRowid_ = kBeforeAll;
  ScoreTally tally_;
  // A read that failed half-way leaves the counts unsure: the next read reads everything.
  bool unsure_ = false;
};
