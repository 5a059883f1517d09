#pragma once
// What the main menu shows and which of its buttons are usable, decided from the list files and the
// log. The main window only puts these values into its widgets.

#include <optional>
#include <string>

struct AppContext;

enum class LabelShade { White, Green, Red };

// A count or status label: its text and background.
struct MenuLabel {
  std::string text;  // Windows-1252
  LabelShade shade = LabelShade::White;
};

// Enabled states of the main menu's buttons; a button left empty keeps its state.
struct MenuButtons {
  std::optional<bool> texte;      // ButtonTexte
  std::optional<bool> stationen;  // ButtonStationen
  std::optional<bool> neuesLog;   // ButtonNeuesLog "Alle QSOs löschen"
  std::optional<bool> altesLog;   // ButtonAltesLog "Rückgängig"
  std::optional<bool> live;       // ButtonLive
  std::optional<bool> papier;     // ButtonPapier
};

struct MainMenuView {
  MenuLabel stationData;   // Label1
  MenuLabel textCount;     // Label2
  MenuLabel stationCount;  // Label3
  MenuLabel qsoCount;      // Label4
  MenuButtons buttons;
};

// Reads the station-data, text collection and station list files and counts the QSOs; sets the
// station-data flag (at least one line), the text-collection flag, the station-list flag and the
// log-empty flag. Throws ESQLiteException when the log database cannot be read.
MainMenuView ReadMainMenuView(AppContext& ctx);

// Live and paper logging need both the text collection and the station list.
bool LoggingAllowed(const AppContext& ctx);

// After the text collection or station list window: live and paper logging by the two flags.
MenuButtons ButtonsAfterListWindow(const AppContext& ctx);
// A logging button pressed while a list is missing: the preparations become usable again.
MenuButtons ButtonsWhenLoggingRefused();
// After "Alle QSOs löschen": the log is empty.
MenuButtons ButtonsAfterClear();
// After "Rückgängig": the preparations only while the restored log is still empty.
MenuButtons ButtonsAfterRestore(const AppContext& ctx);
