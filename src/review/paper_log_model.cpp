#include "review/paper_log_model.h"

#include <algorithm>
#include <cstdio>

#include "common/ascii_text.h"
#include "contest/classification.h"
#include "contest/report_completion.h"
#include "contest/text_rules.h"
#include "db/log_schema.h"
#include "live/record_qso.h"
#include "review/adif_import.h"
#include "review/paper_log_queries.h"
#include "review/qso_editor.h"
#include "services/app_context.h"

namespace {

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

// The entry of the list equal to the text without regard to case.
std::optional<std::string> FindIgnoringCase(const std::vector<std::string>& entries,
                                            const std::string& text) {
  for (const std::string& entry : entries) {
    if (SameTextIgnoringCase(entry, text)) return entry;
  }
  return std::nullopt;
}

int Wrapped(int value, int count) {
  return ((value % count) + count) % count;
}

// A key that types a character into a field, as opposed to navigation and Ctrl shortcuts.
bool TypesCharacter(const PaperKey& key) {
  using Code = PaperKey::Code;
  return !key.ctrl &&
         (key.code == Code::Space || key.code == Code::Enter || key.code == Code::Typing);
}

}  // namespace

PaperLogModel::PaperLogModel(AppContext& ctx) : ctx_(ctx) {}

void PaperLogModel::Open() {
  ClearLine();
  RefreshGrid();
  RefreshPrintedTexts();
  if (!rows_.empty()) {
    const LogGridRow& last = rows_.back();
    const bool ssb = last[3].size() == 2;
    if (ssb == CwMode()) SetMode(ssb);
    if (const std::string utc(last[1]); IsQsoTime(utc)) {
      hour_ = std::stoi(utc.substr(0, 2));
      minute_ = std::stoi(utc.substr(2, 2));
    }
  } else {
    hour_ = 6;
    minute_ = 0;
  }
  half_ = hour_ >= 8 ? 1 : 0;
  RefreshStations();
}

PaperKeyOutcome PaperLogModel::KeyPress(PaperField field, const PaperKey& key) {
  using Code = PaperKey::Code;
  switch (field) {
    case PaperField::Hour:
      return TimeKeyPress(false, key);
    case PaperField::Minute:
      return TimeKeyPress(true, key);
    case PaperField::Station:
      return StationKeyPress(key);
    case PaperField::RstSent:
      return RstSentKeyPress(key);
    case PaperField::TextSent:
      // The text comes from the lists; Space and Enter only go on.
      if (key.code == Code::Space || key.code == Code::Enter) {
        return PaperKeyOutcome::MoveTo(PaperField::RstRcvd);
      }
      break;
    case PaperField::RstRcvd:
      return RstRcvdKeyPress(key);
    case PaperField::TextRcvd:
      return TextRcvdKeyPress(key);
    case PaperField::Save:
      if (key.code == Code::Enter) return PaperKeyOutcome::SaveLine();
      break;
    case PaperField::Ssb:
      break;
  }
  return PaperKeyOutcome::Pass();
}

// Typed characters are discarded in the time fields (they are read-only in the window).
PaperKeyOutcome PaperLogModel::TimeKeyPress(bool minute, const PaperKey& key) {
  using Code = PaperKey::Code;
  const bool upOrDown = key.code == Code::Up || key.code == Code::Down;
  if (upOrDown && key.ctrl) {
    if (key.code == Code::Down) {
      SkipPrintedText();
    } else {
      UnskipPrintedText();
    }
    return PaperKeyOutcome::Consumed();
  }
  if (upOrDown) {
    const int step = key.code == Code::Up ? 1 : -1;
    if (minute) {
      StepMinute(step);
    } else {
      StepHour(step);
    }
    return PaperKeyOutcome::Consumed();
  }
  if (key.code == Code::Space) {
    return PaperKeyOutcome::MoveTo(minute ? PaperField::Ssb : PaperField::Minute);
  }
  if (key.code == Code::Left && minute) return PaperKeyOutcome::MoveTo(PaperField::Hour);
  return PaperKeyOutcome::Pass();
}

PaperKeyOutcome PaperLogModel::StationKeyPress(const PaperKey& key) {
  if (!TypesCharacter(key)) return PaperKeyOutcome::Pass();
  if (!stationGate_.Press(key.id, key.autoRepeat)) return PaperKeyOutcome::Consumed();
  // The focus "moves" to the station itself after a copy, so the caret goes to its end.
  if (key.code == PaperKey::Code::Space) return PaperKeyOutcome::MoveTo(StationSpace());
  if (key.code == PaperKey::Code::Enter) return PaperKeyOutcome::Consumed();  // types nothing
  return PaperKeyOutcome::Pass();
}

PaperKeyOutcome PaperLogModel::RstSentKeyPress(const PaperKey& key) const {
  if (key.code == PaperKey::Code::Space) return PaperKeyOutcome::MoveTo(RstSentSpace());
  if (key.code == PaperKey::Code::Enter) return PaperKeyOutcome::Consumed();
  return PaperKeyOutcome::Pass();
}

PaperKeyOutcome PaperLogModel::RstRcvdKeyPress(const PaperKey& key) {
  if (key.code == PaperKey::Code::Space) return PaperKeyOutcome::MoveTo(PaperField::TextRcvd);
  if (key.code == PaperKey::Code::Enter) {
    const PaperField next = RstRcvdEnter();
    return next == PaperField::Save ? PaperKeyOutcome::SaveLine() : PaperKeyOutcome::MoveTo(next);
  }
  return PaperKeyOutcome::Pass();
}

PaperKeyOutcome PaperLogModel::TextRcvdKeyPress(const PaperKey& key) {
  if (!TypesCharacter(key)) return PaperKeyOutcome::Pass();
  if (!textRcvdGate_.Press(key.id, key.autoRepeat)) return PaperKeyOutcome::Consumed();
  if (key.code == PaperKey::Code::Enter ||
      (key.code == PaperKey::Code::Space && TextRcvdSpaceSaves())) {
    return PaperKeyOutcome::SaveLine();
  }
  return PaperKeyOutcome::Pass();
}

void PaperLogModel::KeyRelease(PaperField field, const PaperKey& key) {
  if (field == PaperField::Station) stationGate_.Release(key.id, key.autoRepeat);
  if (field == PaperField::TextRcvd) textRcvdGate_.Release(key.id, key.autoRepeat);
}

PaperEntry PaperLogModel::FieldEntered(PaperField field) {
  switch (field) {
    case PaperField::Hour:
    case PaperField::Minute:
      return {false, field, PaperCaret::AtEnd};
    case PaperField::Station:
      stationGate_.Clear();
      StationEntered();
      break;
    case PaperField::RstSent:
      if (!LeaveStation()) return {true, PaperField::Station};
      return {false, field, PaperCaret::SelectAll};  // a typed report replaces the default
    case PaperField::TextSent:
      EnterTextSent();
      return {true, PaperField::RstRcvd};
    case PaperField::RstRcvd:
      return {false, field, PaperCaret::SelectAll};
    case PaperField::TextRcvd:
      textRcvdGate_.Clear();
      break;
    case PaperField::Ssb:
    case PaperField::Save:
      break;
  }
  return {false, field};
}

void PaperLogModel::FieldLeft(PaperField field) {
  if (field == PaperField::RstSent) CompleteRstSent();
  if (field == PaperField::RstRcvd) CompleteRstRcvd();
}

void PaperLogModel::ReturnedFromAnotherWindow() {
  stationGate_.Clear();
  textRcvdGate_.Clear();
}

PaperField PaperLogModel::FocusAfter(PaperSaveOutcome outcome) {
  return outcome == PaperSaveOutcome::StationTooShort ? PaperField::Station : PaperField::Minute;
}

std::string PaperLogModel::HourText() const {
  return TwoDigits(hour_);
}

std::string PaperLogModel::MinuteText() const {
  return TwoDigits(minute_);
}

std::string PaperLogModel::Utc() const {
  return HourText() + MinuteText();
}

std::string PaperLogModel::HalfLabel() const {
  return half_ == 0 ? "1. Halbzeit" : "2. Halbzeit";
}

bool PaperLogModel::CwMode() const {
  return ctx_.cwMode;
}

int PaperLogModel::ReportLength() const {
  return CwMode() ? 3 : 2;
}

void PaperLogModel::StepMinute(int delta) {
  const int minutes = Wrapped(hour_ * 60 + minute_ + delta, 24 * 60);
  hour_ = minutes / 60;
  minute_ = minutes % 60;
  SetHalfFromHour();
}

void PaperLogModel::StepHour(int delta) {
  hour_ = Wrapped(hour_ + delta, 24);
  SetHalfFromHour();
}

void PaperLogModel::SetHalfFromHour() {
  const int half = hour_ >= 8 ? 1 : 0;
  if (half == half_) return;
  half_ = half;
  RefreshStations();
}

void PaperLogModel::SkipPrintedText() {
  if (printed_.entries.empty()) return;
  MovePrintedTextToEnd(ctx_.logDbFile, printed_.entries.front());
  RefreshPrintedTexts();
}

void PaperLogModel::UnskipPrintedText() {
  if (printed_.entries.empty()) return;
  MoveLastPrintedTextToFront(ctx_.logDbFile);
  RefreshPrintedTexts();
}

PaperField PaperLogModel::SwitchMode(bool ssb) {
  SetMode(ssb);
  RefreshStations();
  return PaperField::Station;
}

void PaperLogModel::SetMode(bool ssb) {
  ctx_.cwMode = !ssb;
  line_.rstSent = line_.rstRcvd = ssb ? "59" : "599";
}

void PaperLogModel::StationEdited(const std::string& text) {
  line_.station = text;
  RefreshStations();
}

void PaperLogModel::RefreshStations() {
  const std::string table = StationTable(half_, CwMode());
  if (line_.station.empty()) {
    stations_ = PaperList{ReadStations(ctx_.logDbFile, table), -1};
  } else {
    stations_.entries = FilterStations(ctx_.logDbFile, table, line_.station);
    stations_.selected = stations_.entries.empty() ? -1 : 0;
  }
  stationsHaveEntries_ = !stations_.entries.empty();
}

PaperField PaperLogModel::StationSpace() {
  if (line_.station.empty()) return PaperField::Station;
  if (stationsHaveEntries_ && stations_.selected >= 0) {
    StationEdited(stations_.entries[static_cast<size_t>(stations_.selected)]);
    stations_.selected = -1;
    stationsHaveEntries_ = false;
    return PaperField::Station;
  }
  stations_ = PaperList{};
  stationsHaveEntries_ = false;
  return PaperField::RstSent;
}

PaperField PaperLogModel::PickStation(int index) {
  if (index >= 0 && index < static_cast<int>(stations_.entries.size())) {
    StationEdited(stations_.entries[static_cast<size_t>(index)]);
  }
  return PaperField::Station;
}

void PaperLogModel::StationEntered() {
  printed_.selected = -1;
}

bool PaperLogModel::LeaveStation() {
  if (line_.station.empty()) return false;
  // A text chosen for another station is not sent to this one.
  if (!line_.textSent.empty() && textSentStation_ != line_.station) {
    line_.textSent.clear();
    personal_ = PaperList{};
  }
  textExpected_ = line_.station.size() > 5 && IsKtdStation(line_.station);
  if (textExpected_) {
    printed_.selected = printed_.entries.empty() ? -1 : 0;
    personal_.entries = ReadPersonalTexts(ctx_.logDbFile, line_.station);
    personal_.selected = personal_.entries.empty() ? -1 : 0;
  }
  return true;
}

void PaperLogModel::CompleteRstSent() {
  line_.rstSent = CompleteReport(line_.rstSent, CwMode());
}

void PaperLogModel::CompleteRstRcvd() {
  line_.rstRcvd = CompleteReport(line_.rstRcvd, CwMode());
}

PaperField PaperLogModel::RstSentSpace() const {
  return textExpected_ ? PaperField::TextSent : PaperField::RstRcvd;
}

PaperField PaperLogModel::RstRcvdEnter() {
  if (!line_.textSent.empty()) return PaperField::TextRcvd;
  CompleteRstRcvd();
  return PaperField::Save;
}

void PaperLogModel::EnterTextSent() {
  if (!textExpected_ || !line_.textSent.empty()) return;
  if (!personal_.entries.empty()) {
    PickPersonalText(0);
  } else if (!printed_.entries.empty()) {
    PickPrintedText(0);
  }
}

PaperField PaperLogModel::PickPersonalText(int index) {
  if (index >= 0 && index < static_cast<int>(personal_.entries.size())) {
    personal_.selected = index;
    line_.textSent = personal_.entries[static_cast<size_t>(index)];
    textSentStation_ = line_.station;
  }
  return PaperField::RstRcvd;
}

PaperField PaperLogModel::PickPrintedText(int index) {
  if (index >= 0 && index < static_cast<int>(printed_.entries.size())) {
    printed_.selected = index;
    line_.textSent = printed_.entries[static_cast<size_t>(index)];
    textSentStation_ = line_.station;
  }
  return PaperField::RstRcvd;
}

bool PaperLogModel::TextRcvdSpaceSaves() const {
  return !line_.textRcvd.empty() && line_.textRcvd.back() == ' ';
}

PaperSaveOutcome PaperLogModel::Save() {
  const std::string station = TrimBlanks(line_.station);
  if (station.empty()) return PaperSaveOutcome::NoStation;
  if (station.size() < 3) return PaperSaveOutcome::StationTooShort;
  // Reports are completed when their fields are left; completing again changes nothing then, and
  // keeps the mode of the QSO in step with the window's mode otherwise.
  CompleteRstSent();
  CompleteRstRcvd();
  const std::string textSent = TrimBlanks(line_.textSent);
  std::optional<std::string> personalText;
  std::optional<std::string> printedText;
  if (!textSent.empty()) {
    personalText = FindIgnoringCase(personal_.entries, textSent);
    printedText = FindIgnoringCase(printed_.entries, textSent);
  } else if (!printed_.entries.empty()) {
    // The line's printed text was not given; it is used up all the same.
    printedText = printed_.entries.front();
  }
  SavePaperLine(
      ctx_.logDbFile,
      {Utc(), station, line_.rstSent, textSent, line_.rstRcvd, TrimBlanks(line_.textRcvd)},
      personalText, printedText);

  ClearLine();
  AddRecordedToGrid();
  RefreshPrintedTexts();
  RefreshStations();
  return PaperSaveOutcome::Saved;
}

PaperField PaperLogModel::Cancel() {
  ClearLine();
  printed_.selected = -1;
  RefreshStations();
  return PaperField::Minute;
}

PaperImportOutcome PaperLogModel::ImportAdifLog(
    const std::string& adifFile, const std::function<void(int done, int total)>& progress) {
  const AdifImportSummary summary = ImportAdifFile(ctx_.logDbFile, adifFile, ctx_.year, progress);
  PaperImportOutcome outcome;
  outcome.summary = AdifImportSummaryText(summary);
  outcome.logChanged = summary.imported > 0;
  return outcome;
}

void PaperLogModel::RefreshGrid() {
  rows_ = log_.ReadAll(ctx_.logDbFile).rows;
  ctx_.score = log_.Score();
}

void PaperLogModel::AddRecordedToGrid() {
  LogGridRead read = log_.ReadAdded(ctx_.logDbFile);
  if (read.all) rows_.clear();
  for (LogGridRow& row : read.rows) rows_.push_back(std::move(row));
  ctx_.score = log_.Score();
}

void PaperLogModel::RefreshPrintedTexts() {
  printed_ = PaperList{ReadPrintedTexts(ctx_.logDbFile), -1};
}

void PaperLogModel::ClearLine() {
  line_.station.clear();
  line_.textSent.clear();
  line_.textRcvd.clear();
  line_.rstSent = line_.rstRcvd = CwMode() ? "599" : "59";
  textSentStation_.clear();
  textExpected_ = false;
  personal_ = PaperList{};
  printed_.selected = -1;
}
