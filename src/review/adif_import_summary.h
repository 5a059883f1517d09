#pragma once
// What an ADIF import did, for the operator: how many QSOs were imported, which records were left
// out and why, and which imported QSOs had a text adjusted; each group named by its first few
// callsigns.

#include <array>
#include <string>
#include <vector>

#include "review/adif_qso_mapping.h"

// A group of QSOs or records: how many, and the first few distinct callsigns of them.
struct AdifQsoGroup {
  static constexpr std::size_t kShownCallsigns = 5;
  int count = 0;
  std::vector<std::string> firstCallsigns;

  void Add(const std::string& callsign);
};

struct AdifImportSummary {
  enum class FileState {
    Read,       // the file was read (it may still hold no record)
    Unreadable  // missing or not readable: nothing imported
  };
  FileState file = FileState::Read;
  // Records found in the file, damaged ones included.
  int records = 0;
  int imported = 0;
  std::array<AdifQsoGroup, kAdifSkipReasonCount> skipped;
  // Imported QSOs with a text that broke the text rules.
  AdifQsoGroup textAdjusted;

  AdifQsoGroup& Skipped(AdifSkipReason reason) { return skipped[static_cast<std::size_t>(reason)]; }
  const AdifQsoGroup& Skipped(AdifSkipReason reason) const {
    return skipped[static_cast<std::size_t>(reason)];
  }
};

// The reason as the summary names it ("anderer Tag"), Windows-1252.
std::string AdifSkipReasonText(AdifSkipReason reason);

// The summary in German, Windows-1252, lines separated by "\n", for the operator to read and copy:
//   12 QSOs importiert
//   Text angepasst: 1 (HB9ABC/P)
//
//   Nicht importiert:
//   anderer Tag: 340 (DL1ABC, F5XYZ, ...)
std::string AdifImportSummaryText(const AdifImportSummary& summary);
