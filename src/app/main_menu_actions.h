#pragma once
// The main menu's actions on the log database. Each opens the log database itself and makes its
// changes in one transaction; a database failure throws ESQLiteException and changes nothing.

#include <string>

struct AppContext;

// "Alle QSOs löschen", without asking: the log goes into its backup, the station and text tables
// are rebuilt from the list files. The log is empty afterwards.
void ClearLogFromMenu(AppContext& ctx);

// "Rückgängig": the log and the tables saved by the last clearing come back. Returns the QSO count
// as text and sets the log-empty flag from it.
std::string RestoreLogFromMenu(AppContext& ctx);

// Before live or paper logging: on an empty log the station tables and the text table are built
// from the list files, so logging starts with every KTD station still to be worked.
void PrepareLogging(AppContext& ctx);

// After the QSO editor: the log rewritten in time order.
void TidyLogAfterEditing(AppContext& ctx);
