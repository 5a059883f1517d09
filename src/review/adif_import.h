#pragma once
// Import of a log kept in another logger: the QSOs of an ADI file are recorded into the log as the
// paper-log window records typed lines (half, mode, class, station tables, used-up texts), so the
// score sheet, printouts and exports cover them. The whole import is one transaction: a failure
// records nothing. QSOs already in the log (same time, callsign and mode) are left out, so
// importing the same file again adds nothing.
//
// The paper-log window asks for the file, calls ImportAdifFile with a progress callback that keeps
// its progress dialog painted, refreshes its grid and score and shows AdifImportSummaryText.

#include <functional>
#include <string>
#include <string_view>

#include "review/adif_import_summary.h"

// How far the recording has come: `done` of `total` QSOs. Called on the caller's thread before the
// first QSO, after every kAdifProgressStep QSOs and after the last one.
using AdifImportProgress = std::function<void(int done, int total)>;
constexpr int kAdifProgressStep = 50;

// Reads the ADI file (UTF-8 file name) and records its CW and SSB QSOs of the contest day of
// `year`, in time order, into the log database. A file that cannot be read records nothing and
// says so in the summary. A database error throws ESQLiteException and records nothing.
AdifImportSummary ImportAdifFile(const std::string& logDbFile, const std::string& adifFile,
                                 int year, const AdifImportProgress& progress = {});

// The same for the file's bytes.
AdifImportSummary ImportAdif(const std::string& logDbFile, std::string_view adifBytes, int year,
                             const AdifImportProgress& progress = {});
