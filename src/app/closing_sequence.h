#pragma once
// What the program does when the main window closes: it reads the station list, text collection
// and station-data files, counts the QSOs and writes the final reports in a fixed order; with an
// empty log it deletes the QSO-dependent outputs of the year instead. Nothing asks for
// confirmation. A file that cannot be written or deleted does not stop it, nor does a damaged log
// database: every output that does not need the failed query is still written, and the failures
// (each file not written, not replaced or not deleted, and the database's message) come back for
// one error box.

#include "common/file_failures.h"
#include "reports/pdf_reports.h"

struct AppContext;

// The output file suffixes that only a log with QSOs produces and that an empty log deletes.
inline constexpr const char* kOutputsDeletedWhenLogEmpty[] = {
    " Abrechnungsblatt.pdf", " Logformular nach KTD.pdf", " eQSL.adi", ".adi", ".cbr"};

FileFailures RunClosingSequence(AppContext& ctx);

// The values the reports print, as the context holds them.
ReportValues ReportValuesOf(const AppContext& ctx);
