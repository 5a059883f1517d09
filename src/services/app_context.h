#pragma once
// src/services: what every window leans on, below the windows and above the core. The context
// (this file), the application object with its error box, the clipboard, the open-file dialog, the
// operator prompts, the placement of every window on the main window's screen, and the claim on
// the working folder; the clipboard, the dialog and the prompts can be replaced by tests.
//
// Program-wide values settled at start-up and shared by every window: year, callsigns, folders and
// file names, the flags of the main menu, the CW mode flag, the score values and the in-memory
// reference databases. Created once at start-up and handed to each window.

#include <memory>
#include <string>

#include "contest/score_values.h"

class Clock;
class InstanceLock;
class TSQLiteDatabase;

struct AppContext {
  // `clock` is the one clock of the program (the system clock, or a test's); it outlives this.
  explicit AppContext(const Clock& clock);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Year of the computer's local date at start-up.
  std::string yearText;  // four digits
  int year = 0;

  std::string ownCallsign;   // upper case, ends in "/P"
  std::string baseCallsign;  // own callsign without "/P"

  // Folders end in '/'.
  std::string baseFolder;  // current working directory at start-up
  std::string dbFolder;    // base + "db/"
  std::string dataFolder;  // base + "data/"
  std::string yearFolder;  // data + year + "/"

  std::string logDbFile;           // db/ktd.sqlite
  std::string dxccDbFile;          // db/dxcc.sqlite
  std::string texteDbFile;         // db/texte.sqlite
  std::string callsignFile;        // db/Rufzeichen.dat
  std::string stationDataFile;     // data/Stationsdaten <year>.csv
  std::string textCollectionFile;  // data/Textsammlung <year>.csv
  std::string stationListFile;     // data/KTD-Stationen <year>.csv
  std::string sampleTextsFile;     // data/Muster Texte.txt
  std::string sampleStationsFile;  // data/Muster Stationen.csv
  std::string outputStem;          // year folder + base callsign ("/" as "_") + "_P " + year

  bool logEmpty = true;
  bool stationDataPresent = false;
  bool textCollectionPresent = false;
  bool stationListPresent = false;
  bool cwMode = true;  // false = SSB

  ScoreValues score;

  // In-memory reference databases, open for the whole run (suggestions only with texte.sqlite).
  std::unique_ptr<TSQLiteDatabase> prefixDb;
  std::unique_ptr<TSQLiteDatabase> suggestionDb;

  // This program's claim on the working folder, held for the whole run (see
  // SettleFilesAndCallsign).
  std::unique_ptr<InstanceLock> instanceLock;

  const Clock& clock;
};

// Fills year, folders and file names from the working directory (ending in '/') and the year.
void SettleWorkingFiles(AppContext& ctx, const std::string& baseFolder, int year);

// Output file names, once the base callsign is known; every "/" of it becomes "_" there.
void SettleOutputFiles(AppContext& ctx);
