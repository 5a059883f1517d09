#pragma once
// The keyer settings of the live window, kept as the single row of the table ini in the log
// database: keying line, message options, port, paddle orientation and speed.

#include <optional>
#include <string>

class TSQLiteDatabase;

struct KeyerSettings {
  bool rtsKeys = true;      // ini.rts: CheckBoxRTS, RTS keys and DTR is held on
  bool texts = true;        // ini.f7: CheckBoxTexte
  bool farnsworth = false;  // ini.f8: CheckBoxFarnsworth
  bool autoCq = false;      // ini.f9: CheckBoxAutoCQ
  int portIndex = 0;        // ini.com: selected item of ComboBoxCOM, 0 = port 1
  bool reversed = false;    // ini.rev: CheckBoxreverse
  int wpm = 18;             // ini.wpm: speed position

  int PortNumber() const { return portIndex + 1; }
  bool operator==(const KeyerSettings&) const = default;
};

// The first row of ini, or nothing when the table has no row (the window then keeps its
// defaults, those of KeyerSettings{}). Values the controls cannot show are brought into their
// range: the speed to 10 ... 40, the port index to 0 ... 19.
std::optional<KeyerSettings> LoadKeyerSettings(TSQLiteDatabase& db);
// The same on the log database file; nothing when the file does not exist.
std::optional<KeyerSettings> LoadKeyerSettings(const std::string& logDbFile);

// Replaces the row: DELETE, then INSERT with integer parameters; no transaction.
void SaveKeyerSettings(TSQLiteDatabase& db, const KeyerSettings& settings);
// The same on the log database file; does nothing when the file does not exist.
void SaveKeyerSettings(const std::string& logDbFile, const KeyerSettings& settings);
