#pragma once
// How one ADIF record becomes a QSO of the log, or why it does not: the record must be a CW or SSB
// QSO of the contest day with a callsign the callsign field accepts and a readable time. Its
// fields are made what typing them into the paper log would make them.

#include <optional>
#include <string>
#include <string_view>

#include "live/record_qso.h"

struct AdifRecord;

// Why a record is not imported, in the order the summary lists them.
enum class AdifSkipReason {
  OtherDay,         // QSO_DATE is not the contest day (or missing)
  OtherMode,        // MODE is neither CW nor SSB (USB and LSB count as SSB)
  AlreadyInLog,     // same time, callsign and mode as a QSO of the log
  InvalidCallsign,  // CALL empty, shorter than 3 characters or with a character not allowed
  DamagedRecord,    // the record could not be read whole, or TIME_ON is not a time
};
constexpr int kAdifSkipReasonCount = 5;

struct AdifQso {
  QsoFields fields;
  bool cw = true;
  // A text broke the text rules and was kept as far as they allow.
  bool textAdjusted = false;
};

struct AdifMapping {
  std::optional<AdifQso> qso;                           // the QSO to record, or
  AdifSkipReason skip = AdifSkipReason::DamagedRecord;  // why there is none
  // The callsign to name the record by in the summary: as logged, or as the file has it.
  std::string callsign;
};

// The record as a QSO of the contest day of `year`.
AdifMapping MapAdifRecord(const AdifRecord& record, int year);

// A callsign as the callsign field keeps it (upper case; letters, digits and "/"; at least three
// characters), or nothing when it holds anything else.
std::optional<std::string> CallsignForLog(std::string_view text);

// How the summary names a record by its CALL: the callsign as logged, or the text as the file has
// it (printable, cut short).
std::string CallsignForSummary(std::string_view text);

// "hhnn" from TIME_ON's HHMM or HHMMSS (seconds dropped), or nothing when it is not a time.
std::optional<std::string> UtcForLog(std::string_view timeOn);

// A report as the report fields take it: digits 1 to 9 (the cut number N stands for 9), at most
// the length of the mode's report, then completed as the paper log completes a typed one, so
// that its length gives the QSO its mode.
std::string ReportForLog(std::string_view report, bool cw);

// An exchange text through the text rules: cleaned and transliterated as a typed text, at most as
// long as the text field takes. `adjusted` tells when a character had to go or the text was cut.
struct TextForLog {
  std::string text;
  bool adjusted = false;
};
TextForLog ExchangeTextForLog(std::string_view text);
