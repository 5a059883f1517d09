#pragma once
// The settings of keying through rigctld and of mode following, kept as the single row of the
// table rig in the log database: "keying" "0" serial port / "1" rigctld, "address" of rigctld,
// "follow" "0"/"1" mode following. Text columns, as every column of the log database.

#include <string>

#include "keyer/rig_address.h"

class TSQLiteDatabase;

struct RigSettings {
  bool keyingViaRigctld = false;
  std::string address{kDefaultRigAddress};
  bool followRigMode = false;
  bool operator==(const RigSettings&) const = default;
};

// The row, created with the defaults when the table has none. A value that cannot be read (not
// "0" or "1", an address ParseRigAddress refuses) falls back to its default.
RigSettings LoadRigSettings(TSQLiteDatabase& db);
// The same on the log database file; the defaults, and no file created, when it does not exist.
RigSettings LoadRigSettings(const std::string& logDbFile);

// Replaces the row, in one transaction (within the caller's, if one is open).
void SaveRigSettings(TSQLiteDatabase& db, const RigSettings& settings);
// The same on the log database file; does nothing when the file does not exist.
void SaveRigSettings(const std::string& logDbFile, const RigSettings& settings);
