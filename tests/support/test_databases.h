#pragma once
// Small reference and log databases for tests.

#include <string>
#include <utility>
#include <vector>

class TSQLiteDatabase;

struct PrefixEntry {
  std::string dxcc;
  std::string pref;
};

// Writes a dxcc.sqlite with the given prefixes (each goes into pref<length>) and one country row
// per distinct entity key (ADIF codes in reverse order of first appearance, so ordering is
// visible).
void WriteSmallDxccDb(const std::string& path, const std::vector<PrefixEntry>& prefixes);

// The Swiss entities and a few foreign ones: HB/HE -> "HB", HB0/HE0 -> "HB0", DL, F, K, JA ...
std::vector<PrefixEntry> SwissAndNeighbourPrefixes();

// Writes one row of ktd with the eleven values as given (no rules applied).
void InsertQsoRow(TSQLiteDatabase& db, const std::vector<std::string>& values);

// Runs a count(*) or other one-value query and returns its first cell as text.
std::string QueryText(TSQLiteDatabase& db, const std::string& sql);

// All rows of a query, cells joined with '|', rows in query order.
std::vector<std::string> QueryRows(TSQLiteDatabase& db, const std::string& sql);

// Every table and index of the database with its SQL, each followed by its rows with their row ids
// (cells as quote() gives them, so bytes, NULL and type differences all show), tables by name.
std::vector<std::string> DatabaseDump(TSQLiteDatabase& db);
