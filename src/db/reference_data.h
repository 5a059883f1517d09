#pragma once
// The reference databases, copied once at start-up into in-memory databases that stay open for the
// whole run, so lookups never read the files again.

#include <memory>
#include <string>

class TSQLiteDatabase;

// Prefix database from dxcc.sqlite: country, dxcctbl (ordered by ADIF code), pref1 ... pref6.
std::unique_ptr<TSQLiteDatabase> LoadPrefixDatabase(const std::string& dxccDbFile);

// Suggestion database from texte.sqlite: qtcs.
std::unique_ptr<TSQLiteDatabase> LoadSuggestionDatabase(const std::string& texteDbFile);
