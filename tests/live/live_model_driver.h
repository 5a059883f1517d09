#pragma once
// The live-entry model in a working folder of its own, with a keyer on virtual time and a fake
// serial port, and a rig keyer on the same time with a fake rigctld, driven as the window drives
// it: keys in, edits as a line edit makes them (cursor at the end), focus moves and clicks. The
// rig keyer's reports reach the model when the test advances time, as the window takes them on
// its own thread.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "keyer/fake_rig_client.h"
#include "keyer/fake_serial_port.h"
#include "keyer/keyer.h"
#include "keyer/rig_keyer.h"
#include "keyer/test_exchange_runner.h"
#include "keyer/virtual_timer_service.h"
#include "live/live_entry_model.h"
#include "live/live_folder.h"

class LiveModelDriver : public LiveFolder {
 public:
  explicit LiveModelDriver(int availablePorts = 20, const std::string& own = "HB9OWN/P")
      : LiveFolder(own, {2024, 7, 21, 7, 10, 0}), port(timers, availablePorts) {
    // The keyer runs on virtual time: message ends arrive while time is advanced, and waiting for
    // a replaced message advances it.
    keyer.SetMessageEndHandler(
        [this](MessagePlayer::MessageEnd how) { model->MessageEnded(how, keyer.MessagesEnded()); });
    rig.SetMessageEndHandler([this](MessagePlayer::MessageEnd) {
      Report([this, number = rig.MessagesEnded()] { model->RigMessageEnded(number); });
    });
    rig.SetConnectionHandler([this](RigKeyer::ConnectionEvent event, const std::string& reason) {
      Report([this, event, reason] { model->RigConnection(event, reason); });
    });
    rig.SetModeHandler([this](RigModeChange change) {
      Report([this, change] { model->RigModeReported(change); });
    });
    model = std::make_unique<LiveEntryModel>(
        ctx, keyer, rig, [this](std::uint64_t endedBefore, int maxMs) {
          for (int ms = 0; ms < maxMs && model->Keying().MessagesEnded() <= endedBefore; ++ms) {
            timers.AdvanceMs(1);
          }
        });
  }

  // Lets `ms` of virtual time pass, then hands the rig keyer's reports to the model.
  void Advance(std::int64_t ms) {
    timers.AdvanceMs(ms);
    Pump();
  }
  void Pump() {
    std::unique_lock lock(reportsMutex_);
    while (!rigReports_.empty()) {
      auto report = std::move(rigReports_.front());
      rigReports_.pop_front();
      lock.unlock();
      report();
      lock.lock();
    }
  }
  // Lets the running message play to its end (at most a minute).
  void FinishMessage() {
    for (int ms = 0; ms < 60000 && model->Keying().MessageRunning(); ms += 10) Advance(10);
    Advance(1);
  }
  // The text last handed to the converter.
  const std::string& Keyed() { return keyer.Converter().Text(); }

  void AddStations(const std::string& table, const std::vector<std::string>& callsigns) {
    TSQLiteDatabase db(ctx.logDbFile);
    db.BeginTransaction();
    for (const std::string& rufz : callsigns) {
      db.AddParamText(":rufz", rufz);
      db.AddParamText(":rufzo", rufz.substr(0, rufz.size() - 2));
      db.AddParamText(":name", rufz == "HB9XYZ/P" ? "Anna" : "");
      db.ExecSQL("INSERT INTO " + table + " VALUES (:rufz, :rufzo, :name)");
    }
    db.Commit();
  }

  void AddSuggestions(const std::vector<std::string>& texts) {
    ctx.suggestionDb = std::make_unique<TSQLiteDatabase>(":memory:");
    ctx.suggestionDb->ExecSQL("CREATE TABLE qtcs (qtc TEXT)");
    for (const std::string& text : texts) {
      ctx.suggestionDb->AddParamText(":qtc", text);
      ctx.suggestionDb->ExecSQL("INSERT INTO qtcs VALUES (:qtc)");
    }
    model->SetTextDatabasePresent(true);
  }

  const LiveView& View() const { return model->View(); }
  LiveField Focus() const { return View().focus; }

  // A key as the window hands it over; what the field would do with it is done here. A field the
  // model moved the focus to has its text selected, so the first character replaces it.
  KeyOutcome Press(LiveKey key) {
    const LiveField field = View().focus;
    const KeyOutcome outcome = model->KeyPress(key);
    if (field == LiveField::None) return outcome;
    const std::string text = FieldText(field);
    const bool selected = field == selectedField_;
    if (View().focus != field) selectedField_ = View().focus;
    if (outcome.kind == KeyOutcome::Kind::Insert) {
      if (selected) selectedField_ = LiveField::None;
      model->TextEdited(field, (selected ? "" : text) + outcome.text);
    } else if (outcome.kind == KeyOutcome::Kind::PassToField &&
               key.code == LiveKey::Code::Backspace && !text.empty()) {
      model->TextEdited(field, text.substr(0, text.size() - 1));
    }
    return outcome;
  }
  KeyOutcome Press(LiveKey::Code code, bool shift = false, bool ctrl = false) {
    LiveKey key;
    key.code = code;
    key.shift = shift;
    key.ctrl = ctrl;
    return Press(key);
  }
  void Function(int number) {
    LiveKey key;
    key.code = LiveKey::Code::Function;
    key.function = number;
    Press(key);
  }
  void CtrlLetter(char letter) {
    LiveKey key;
    key.code = LiveKey::Code::Other;
    key.ctrl = true;
    key.letter = letter;
    Press(key);
  }
  // Types characters; a space is the Space key.
  void Type(const std::string& text) {
    for (char c : text) {
      LiveKey key;
      key.code = c == ' ' ? LiveKey::Code::Space : LiveKey::Code::Character;
      if (c != ' ') key.text = std::string(1, c);
      Press(key);
    }
  }

  std::string FieldText(LiveField field) const {
    switch (field) {
      case LiveField::Callsign:
        return View().callsign.text;
      case LiveField::RstSent:
        return View().rstSent.text;
      case LiveField::TextSent:
        return View().textSent.text;
      case LiveField::RstRcvd:
        return View().rstRcvd.text;
      case LiveField::TextRcvd:
        return View().textRcvd.text;
      case LiveField::Msg:
        return View().msg.text;
      case LiveField::WpM:
        return View().wpm.text;
      case LiveField::RigAddress:
        return View().rigAddress.text;
      case LiveField::None:
        break;
    }
    return "";
  }

  VirtualTimerService timers;
  FakeSerialPort port;
  Keyer keyer{port, timers};
  FakeRigClient rigClient;
  TestExchangeRunner runner;
  RigKeyer rig{rigClient, timers, runner};
  std::unique_ptr<LiveEntryModel> model;

 private:
  void Report(std::function<void()> report) {
    std::lock_guard lock(reportsMutex_);
    rigReports_.push_back(std::move(report));
  }

  std::mutex reportsMutex_;
  std::deque<std::function<void()>> rigReports_;
  LiveField selectedField_ = LiveField::None;
};
