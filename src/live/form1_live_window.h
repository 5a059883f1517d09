#pragma once
// The live logging window (TForm1): where the operator logs the contest. A thin binder over
// LiveEntryModel: it hands every key press, edit, focus move and click to the model and copies the
// model's view onto its widgets. It lives as long as the program and owns the CW keyer on the
// serial port.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "keyer/serial_port.h"
#include "live/live_entry_model.h"
#include "live/live_view.h"

class KeyingGroup;
class LiveKeyer;
class LiveRigKeyer;
class LogGridModel;
class RigClient;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTimer;
class TimerService;
struct AppContext;

class TForm1 : public QDialog {
  Q_OBJECT

 public:
  // port: the keyer's serial port; by default the computer's serial ports. timers and wait (for
  // tests): the keyer runs on that timer service instead of a keyer thread of its own, and a
  // replaced message is waited for that way. rigClient: how rigctld is reached; by default
  // through Hamlib.
  explicit TForm1(AppContext& ctx, std::unique_ptr<SerialPort> port = nullptr,
                  TimerService* timers = nullptr, LiveEntryModel::WaitForMessageStop wait = {},
                  std::unique_ptr<RigClient> rigClient = nullptr);
  ~TForm1() override;

  // Start-up: whether the text-suggestion database was found.
  void SetTextDatabasePresent(bool present);

  LiveEntryModel& Model() { return *model_; }

  // For tests: runs the tick of a window timer ("TimerUTC2", "TimerWatchDog", "Timer2",
  // "TimerRigMode") as if its interval had passed; false when that timer is not running.
  bool FireTimer(const QString& name);

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  QLineEdit* AddEdit(const char* name, QRect place, int pointSize);
  QLabel* AddFramedLabel(const char* name, const QString& text, QRect place);
  QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& caption, QRect place);
  QPushButton* AddButton(const char* name, const QString& caption, QRect place);

  void FormShow();
  bool FieldKeyPress(QLineEdit* edit, QKeyEvent* event);
  void FieldTextChanged(QLineEdit* edit);
  void CheckBoxClicked(QCheckBox* box, bool checked);
  void OfferOtherPort();
  // A keyer's report, made on its thread, is handed to the model on the window's.
  void OnWindowThread(std::function<void()> report);
  // Copies the model's view onto the widgets.
  void Sync();
  LiveField FieldOf(const QObject* object) const;
  QLineEdit* EditOf(LiveField field) const;

  AppContext& ctx_;
  std::unique_ptr<LiveKeyer> keyer_;
  std::unique_ptr<LiveRigKeyer> rigKeyer_;
  std::unique_ptr<LiveEntryModel> model_;
  std::unique_ptr<KeyingGroup> keyingGroup_;
  LogGridModel* gridModel_ = nullptr;
  bool syncing_ = false;
  bool offeringPort_ = false;
  std::vector<std::string> shownCandidates_;
  std::vector<std::string> shownSuggestions_;
  unsigned clockGeneration_ = 0, watchDogGeneration_ = 0, autoCqGeneration_ = 0,
           rigModeGeneration_ = 0;

  QLineEdit* EditCallsign = nullptr;
  QLineEdit* EditRSTsent = nullptr;
  QLineEdit* EditTextsent = nullptr;
  QLineEdit* EditRSTrcvd = nullptr;
  QLineEdit* EditTextrcvd = nullptr;
  QLineEdit* EditMSG = nullptr;
  QLineEdit* EditWpM = nullptr;  // in the keyer group, as EditRigAddress
  QLineEdit* EditRigAddress = nullptr;
  QLabel* LabelVorname = nullptr;
  QLabel* LabelDUPEorAGN = nullptr;
  QLabel* LabelLaengeSent = nullptr;
  QLabel* LabelUTC2 = nullptr;
  QLabel* LabelUTC = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* LabelScore = nullptr;
  QLabel* LabelMSG = nullptr;
  QLabel* LabelAchtung = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label19 = nullptr;
  QLabel* Label20 = nullptr;
  QLabel* Label21 = nullptr;
  QLabel* Hints[5] = {};  // Label22 ... Label26
  QFrame* FrameLabelMSG = nullptr;
  QFrame* FrameLabelAchtung = nullptr;
  QListWidget* ListBox1 = nullptr;
  QListWidget* MemoTexte = nullptr;
  QTableView* StringGrid1 = nullptr;
  QPushButton* ButtonMyCall = nullptr;
  QPushButton* ButtonQRZ = nullptr;
  QPushButton* ButtonB4 = nullptr;
  QPushButton* ButtonMSG = nullptr;
  QCheckBox* CheckBoxTastung = nullptr;
  QCheckBox* CheckBoxTexte = nullptr;
  QCheckBox* CheckBoxFarnsworth = nullptr;
  QCheckBox* CheckBoxAutoCQ = nullptr;
  QCheckBox* CheckBoxCQ = nullptr;
  QCheckBox* CheckBoxSSB = nullptr;

  QTimer* TimerUTC2 = nullptr;
  QTimer* TimerWatchDog = nullptr;
  QTimer* Timer2 = nullptr;
  QTimer* TimerRigMode = nullptr;
};
