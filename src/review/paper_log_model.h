#pragma once
// The paper-log window's state and decisions, without widgets. The operator steps the time, picks
// the station from the KTD stations still to be worked, takes the sent text from the station's
// personal texts or the pre-printed texts of the form, and saves the line through RecordQso. The
// window shows this state and hands keys, focus moves, clicks and edits in; the model says what a
// key does in each field and where the focus goes next.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/key_gate.h"
#include "live/log_follower.h"
#include "live/log_grid.h"
#include "review/paper_key.h"

struct AppContext;

// The line being transcribed.
struct PaperLine {
  std::string station;
  std::string rstSent;
  std::string textSent;
  std::string rstRcvd;
  std::string textRcvd;
};

// A list shown in the window and its selected entry (-1: none).
struct PaperList {
  std::vector<std::string> entries;
  int selected = -1;
};

enum class PaperSaveOutcome {
  Saved,            // recorded; focus the minute field for the next line
  NoStation,        // nothing recorded; focus the minute field
  StationTooShort,  // nothing recorded; the callsign needs at least 3 characters
};

// What an ADIF import leaves for the window.
struct PaperImportOutcome {
  // The summary for the operator, German, Windows-1252.
  std::string summary;
  // QSOs were recorded: grid, score, lists, time and mode are to be opened anew (Open), since the
  // imported QSOs may have used up the stations and texts of the line being typed.
  bool logChanged = false;
};

class PaperLogModel {
 public:
  explicit PaperLogModel(AppContext& ctx);

  // Opening: grid and counters, the pre-printed texts, mode and time from the last QSO (06:00 for
  // an empty log), a fresh line and the full station list.
  void Open();

  const std::vector<LogGridRow>& GridRows() const { return rows_; }
  const PaperList& Stations() const { return stations_; }
  const PaperList& PrintedTexts() const { return printed_; }
  const PaperList& PersonalTexts() const { return personal_; }
  const PaperLine& Line() const { return line_; }

  std::string HourText() const;
  std::string MinuteText() const;
  // "hhnn" as recorded.
  std::string Utc() const;
  int Half() const { return half_; }
  // "1. Halbzeit" or "2. Halbzeit".
  std::string HalfLabel() const;

  bool CwMode() const;
  // Characters a report has in the current mode: 3 in CW, 2 in SSB.
  int ReportLength() const;
  // The station is a KTD portable station, so a sent text is offered.
  bool TextExpected() const { return textExpected_; }

  // --- Keys and focus ---
  // A key pressed in the field that has the focus.
  PaperKeyOutcome KeyPress(PaperField field, const PaperKey& key);
  // A key released there: a held key no longer keeps its next press from typing.
  void KeyRelease(PaperField field, const PaperKey& key);
  // The operator or the model moved the focus into the field: its entering rules.
  PaperEntry FieldEntered(PaperField field);
  // The focus left the field for another one of this window: its leaving rules.
  void FieldLeft(PaperField field);
  // The window is active again after another window or a context menu: the line stays as it was,
  // but keys released meanwhile were not seen.
  void ReturnedFromAnotherWindow();
  // Where the focus goes after saving.
  static PaperField FocusAfter(PaperSaveOutcome outcome);

  // Minute and hour keys; the hour wraps at midnight, and crossing 08:00 changes the half and the
  // station list.
  void StepMinute(int delta);
  void StepHour(int delta);
  // Ctrl+Down: a line of the form without QSO, its printed text goes to the end of the queue.
  // Ctrl+Up takes that back.
  void SkipPrintedText();
  void UnskipPrintedText();

  // The SSB box: mode, report defaults and the station list of the new mode; returns the field the
  // focus goes to.
  PaperField SwitchMode(bool ssb);

  // The station field was edited; the list follows it.
  void StationEdited(const std::string& text);
  // Space in the station field: copies the selected station (the focus stays, returns Station), or
  // after copying, or without a match, moves on (returns RstSent).
  PaperField StationSpace();
  // A click in the station list; returns the field the focus goes to.
  PaperField PickStation(int index);
  // Entering the station field.
  void StationEntered();
  // Entering RST sent, i.e. leaving the station: false when the station is empty (the focus goes
  // back to it). Decides whether a text is expected and lists the station's personal texts.
  bool LeaveStation();

  void RstSentEdited(const std::string& text) { line_.rstSent = text; }
  void RstRcvdEdited(const std::string& text) { line_.rstRcvd = text; }
  void TextRcvdEdited(const std::string& text) { line_.textRcvd = text; }
  // Leaving a report field completes it ("7" -> "579" in CW).
  void CompleteRstSent();
  void CompleteRstRcvd();
  // Space in RST sent: to the text sent for a KTD station, else to RST received.
  PaperField RstSentSpace() const;
  // Enter in RST received: with a text sent on to the text received (returns TextRcvd), else the
  // report is completed and the line is to be saved (returns Save).
  PaperField RstRcvdEnter();
  // Entering the text sent: an empty one gets the first personal text, or the first pre-printed
  // text; the focus always goes on to RST received.
  void EnterTextSent();
  // A click in the personal or the pre-printed text list: that text is sent. Returns the field the
  // focus goes to.
  PaperField PickPersonalText(int index);
  PaperField PickPrintedText(int index);
  // Space in the text received: true when the text already ends in a space (two spaces save).
  bool TextRcvdSpaceSaves() const;

  // Records the line through RecordQso, then uses up its texts and starts the next line.
  PaperSaveOutcome Save();
  // Esc: the line being typed is dropped; time, mode and log stay. Returns the field the focus goes
  // to.
  PaperField Cancel();

  // Imports the QSOs of an ADI file (UTF-8 name) of this year's contest day into the log, with
  // `progress` called on this thread as it goes. The model itself is left as it was.
  PaperImportOutcome ImportAdifLog(const std::string& adifFile,
                                   const std::function<void(int done, int total)>& progress);

 private:
  PaperKeyOutcome TimeKeyPress(bool minute, const PaperKey& key);
  PaperKeyOutcome StationKeyPress(const PaperKey& key);
  PaperKeyOutcome RstSentKeyPress(const PaperKey& key) const;
  PaperKeyOutcome RstRcvdKeyPress(const PaperKey& key);
  PaperKeyOutcome TextRcvdKeyPress(const PaperKey& key);

  void RefreshGrid();
  // After a recording: only the rows added are read.
  void AddRecordedToGrid();
  void RefreshStations();
  void RefreshPrintedTexts();
  void SetHalfFromHour();
  void SetMode(bool ssb);
  void ClearLine();

  AppContext& ctx_;
  LogFollower log_;
  std::vector<LogGridRow> rows_;
  int hour_ = 6;
  int minute_ = 0;
  int half_ = 0;
  PaperList stations_;
  bool stationsHaveEntries_ = false;
  PaperList printed_;
  PaperList personal_;
  PaperLine line_;
  // The station the text sent was chosen for; another station does not send it.
  std::string textSentStation_;
  bool textExpected_ = false;
  // Holding a key down in the station or the text received types it once.
  KeyGate stationGate_;
  KeyGate textRcvdGate_;
};
