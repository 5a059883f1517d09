#pragma once
// The score counted row by row: the distinct callsigns of each class per mode (and per half for
// KTD stations), so that a recorded QSO adds to the counts without the whole log being counted
// again, and a whole log is counted in one pass.

#include <cstdint>
#include <string>
#include <unordered_map>

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
  // The eight classes a callsign counts in once each: KTD per half and mode, home and other
  // stations per mode.
  enum Class : int { kKtd = 0, kHome = 4, kOther = 6 };
  static constexpr int kClasses = 8;

  std::int32_t qsos_[2] = {0, 0};  // by mode: 0 = CW, 1 = SSB
  std::int32_t distinct_[kClasses] = {};
  // For each callsign, the classes it has counted in, one bit each: one lookup per row. The keys
  // keep a missing callsign apart from an empty one.
  std::unordered_map<std::string, std::uint8_t> classesOf_;
  std::string key_;  // reused, so that a callsign already seen costs no allocation
};
