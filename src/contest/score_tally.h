#pragma once
// The score counted row by row: the distinct callsigns of each class per mode (and per half for
// KTD stations), so that a recorded QSO adds to the counts without the whole log being counted
// again, and a whole log is counted in one pass.

#include <cstdint>
#include <string>
#include <unordered_set>

#include "contest/score_values.h"

class TSQLiteRow;

class ScoreTally {
 public:
  // The select list over the log table that Add reads, as many columns as kColumnCount. SQLite
  // evaluates the conditions itself, so a row counts exactly where a count query would count it.
  static const char* const kColumns;
  static constexpr int kColumnCount = 9;

  // Counts one row of the log read with kColumns, starting at `firstColumn`.
  void Add(const TSQLiteRow& row, int firstColumn);
  void Clear();
  ScoreValues Values() const;

 private:
  std::int32_t qsos_[2] = {0, 0};  // by mode: 0 = CW, 1 = SSB
  // Callsigns as keys that keep a missing callsign apart from an empty one.
  std::unordered_set<std::string> ktd_[2][2];  // by half and mode
  std::unordered_set<std::string> home_[2];    // by mode
  std::unordered_set<std::string> other_[2];   // by mode
};
