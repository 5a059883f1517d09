#pragma once
// The score of the log, counted from the log table alone. A KTD station counts once per half and
// mode (4 points), every other station once per mode over the whole day (1 point).

#include <string>

struct ScoreValues;

// Opens the log database, counts the log in one pass and sets the eleven values. A log that cannot
// be counted throws ESQLiteException; the values that the counting queries before the failing one
// set keep their new contents, the rest their old.
void ComputeScore(const std::string& logDbFile, ScoreValues& score);

// Number of QSOs in the log as text ("0" when the count query returns no row).
std::string QsoCountText(const std::string& logDbFile);
