#include "review/adif_qso_mapping.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "contest/classification.h"
#include "contest/contest_calendar.h"
#include "contest/report_completion.h"
#include "contest/text_rules.h"
#include "review/adif_reader.h"

namespace {

// The text fields of the live window take at most this many characters.
constexpr std::size_t kMaxExchangeTextLength = 255;
// A callsign that is not valid is named in the summary by at most this many characters.
constexpr std::size_t kMaxShownCallsignLength = 20;

int TwoDigitNumber(std::string_view text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The callsign as the file has it, made printable for the summary.
std::string ShownCallsign(std::string_view text) {
  std::string shown(TrimBlanks(text).substr(0, kMaxShownCallsignLength));
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return shown;
}

enum class AdifMode { Cw, Ssb, Other };

AdifMode ModeOf(const AdifRecord& record) {
  const std::string mode = AsciiUpper(TrimBlanks(record.Text("mode")));
  if (mode == "CW") return AdifMode::Cw;
  // Sideband is SSB with the submode USB or LSB; older files give USB and LSB as modes.
  if (mode == "SSB" || mode == "USB" || mode == "LSB") return AdifMode::Ssb;
  return AdifMode::Other;
}

// A text sent goes only to a KTD station, as in the paper log.
bool TakesTextSent(const std::string& callsign) {
  return callsign.size() > 5 && IsKtdStation(callsign);
}

}  // namespace

std::optional<std::string> CallsignForLog(std::string_view text) {
  const std::string callsign = AsciiUpper(TrimBlanks(text));
  if (callsign.size() < 3) return std::nullopt;
  const bool allowed = std::all_of(callsign.begin(), callsign.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || IsAsciiDigit(c) || c == '/';
  });
  if (!allowed) return std::nullopt;
  return callsign;
}

std::string CallsignForSummary(std::string_view text) {
  const std::optional<std::string> callsign = CallsignForLog(text);
  return callsign ? *callsign : ShownCallsign(text);
}

std::optional<std::string> UtcForLog(std::string_view timeOn) {
  const std::string time = TrimBlanks(timeOn);
  if (time.size() != 4 && time.size() != 6) return std::nullopt;
  if (!std::all_of(time.begin(), time.end(), IsAsciiDigit)) return std::nullopt;
  if (TwoDigitNumber(time, 0) > 23 || TwoDigitNumber(time, 2) > 59) return std::nullopt;
  if (time.size() == 6 && TwoDigitNumber(time, 4) > 59) return std::nullopt;
  return std::string(time.substr(0, 4));
}

std::string ReportForLog(std::string_view report, bool cw) {
  std::string digits;
  for (const char c : report) {
    if (c >= '1' && c <= '9') digits += c;
    if (c == 'N' || c == 'n') digits += '9';  // "5NN"
  }
  digits.resize(std::min<std::size_t>(digits.size(), cw ? 3 : 2));
  return CompleteReport(digits, cw);
}

TextForLog ExchangeTextForLog(std::string_view text) {
  TextForLog result{CleanText(text)};
  const auto refused = [](char c) { return !IsAllowedTextCharacter(c); };
  if (std::any_of(result.text.begin(), result.text.end(), refused)) {
    // Typing leaves out a character that has no transliteration; so does the import.
    std::erase_if(result.text, refused);
    result.text = CleanText(result.text);
    result.adjusted = true;
  }
  if (result.text.size() > kMaxExchangeTextLength) {
    result.text = CleanText(result.text.substr(0, kMaxExchangeTextLength));
    result.adjusted = true;
  }
  return result;
}

AdifMapping MapAdifRecord(const AdifRecord& record, int year) {
  AdifMapping mapping;
  const std::string callText = record.Text("call");
  const std::optional<std::string> callsign = CallsignForLog(callText);
  mapping.callsign = CallsignForSummary(callText);

  const auto skip = [&](AdifSkipReason reason) {
    mapping.skip = reason;
    return mapping;
  };
  if (TrimBlanks(record.Text("qso_date")) != ContestDateCompact(year)) {
    return skip(AdifSkipReason::OtherDay);
  }
  const AdifMode mode = ModeOf(record);
  if (mode == AdifMode::Other) return skip(AdifSkipReason::OtherMode);
  if (!callsign) return skip(AdifSkipReason::InvalidCallsign);
  const std::optional<std::string> utc = UtcForLog(record.Text("time_on"));
  if (!utc) return skip(AdifSkipReason::DamagedRecord);

  AdifQso qso;
  qso.cw = mode == AdifMode::Cw;
  TextForLog sent = ExchangeTextForLog(record.Text("stx_string"));
  const TextForLog received = ExchangeTextForLog(record.Text("srx_string"));
  if (!sent.text.empty() && !TakesTextSent(*callsign)) {
    // A text sent to another station would count the QSO as one with a KTD station.
    sent = {std::string(), true};
  }
  qso.fields = {*utc,
                *callsign,
                ReportForLog(record.Text("rst_sent"), qso.cw),
                sent.text,
                ReportForLog(record.Text("rst_rcvd"), qso.cw),
                received.text};
  qso.textAdjusted = sent.adjusted || received.adjusted;
  mapping.qso = std::move(qso);
  return mapping;
}
