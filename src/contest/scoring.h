#pragma once
// The score of the log, counted from the log table alone. A KTD station counts once per half and
// mode (4 points), every other station once per mode over the whole day (1 point).

#include <string>

struct ScoreValues;

// Opens the log database, runs the counting queries and sets the eleven values. A failing query
// throws ESQLiteException; the values set before it keep their new contents, the rest their old.
void ComputeScore(const std::string& logDbFile, ScoreValues& score);

// Number of QSOs in the log as text ("0" when the count query returns no row).
std::string QsoCountText(const std::string& logDbFile);
