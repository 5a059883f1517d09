#pragma once
// A contest log of realistic size for benchmarks: the log tables, `stations` KTD stations in each
// of the four station tables with four general and four personal texts each, and `qsos` QSOs of
// every kind (KTD and other stations, CW and SSB, both halves).

#include <string>

// "HB9A0/P", "HB9B1/P", ...: the i-th station of the lists.
std::string ContestStationCall(int i);
// The i-th general text.
std::string ContestText(int i);

void WriteContestLog(const std::string& logFile, int qsos, int stations);
