#pragma once
// What happens when the main window closes: the final lists, the score sheet, the ADIF files and
// the log export are written (or, without QSOs, the stale ones deleted). Nothing asks for
// confirmation.

struct AppContext;

void CloseProgram(AppContext& ctx);
