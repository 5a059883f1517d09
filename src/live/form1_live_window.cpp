#include "live/form1_live_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>

#include "common/qt_cp1252.h"
#include "keyer/keyer.h"
#include "keyer/linux_serial_port.h"
#include "keyer/rig_keyer.h"
#include "keyer/serial_port_list.h"
#include "live/live_entry_model.h"
#include "live/qt_keying_group.h"
#include "live/qt_live_key.h"
#include "live/qt_live_view_widgets.h"
#include "live/qt_log_grid_model.h"
#include "live/select_port_dialog.h"
#include "services/app_context.h"
#include "services/qt_user_prompts.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_colours.h"
#include "widgets/qt_window_helpers.h"

namespace {

constexpr int kClientWidth = 1160;
constexpr int kClientHeight = 676;
constexpr int kGridTop = 440;
constexpr int kGridHeight = 226;

}  // namespace

TForm1::TForm1(AppContext& ctx, std::unique_ptr<SerialPort> port, TimerService* timers,
               LiveEntryModel::WaitForMessageStop wait, std::unique_ptr<RigClient> rigClient)
    : ctx_(ctx) {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  if (!port) port = std::make_unique<LinuxSerialPort>();
  keyer_ = std::make_unique<LiveKeyer>(std::move(port), timers);
  Keyer& keyer = keyer_->keyer();
  rigKeyer_ = rigClient ? std::make_unique<LiveRigKeyer>(std::move(rigClient))
                        : std::make_unique<LiveRigKeyer>();
  RigKeyer& rig = rigKeyer_->keyer();
  model_ = std::make_unique<LiveEntryModel>(ctx_, keyer, rig, std::move(wait));
  // The rig keyer reports on its timer thread too.
  rig.SetMessageEndHandler([this, &rig](MessagePlayer::MessageEnd) {
    OnWindowThread([this, number = rig.MessagesEnded()] { model_->RigMessageEnded(number); });
  });
  rig.SetConnectionHandler([this](RigKeyer::ConnectionEvent event, const std::string& reason) {
    OnWindowThread([this, event, reason] { model_->RigConnection(event, reason); });
  });
  rig.SetModeHandler([this](RigModeChange change) {
    OnWindowThread([this, change] { model_->RigModeReported(change); });
  });
  // The end of a message is reported on the keyer's thread; the window takes it on its own.
  keyer.SetMessageEndHandler([this, &keyer](MessagePlayer::MessageEnd how) {
    OnWindowThread(
        [this, how, number = keyer.MessagesEnded()] { model_->MessageEnded(how, number); });
  });
  QFont windowFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  windowFont.setPointSize(9);
  setFont(windowFont);
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
  // Tab never leaves the callsign field, whichever widget the key is meant for.
  qApp->installEventFilter(this);
  Sync();
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  // The keyer threads stop before the model and the widgets they could report to go away.
  rigKeyer_.reset();
  keyer_.reset();
}

void TForm1::OnWindowThread(std::function<void()> report) {
  QMetaObject::invokeMethod(
      this,
      [this, report = std::move(report)] {
        report();
        Sync();
      },
      Qt::QueuedConnection);
}

QLineEdit* TForm1::AddEdit(const char* name, QRect place, int pointSize) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->setGeometry(place);
  QFont font = edit->font();
  font.setPointSize(pointSize);
  edit->setFont(font);
  connect(edit, &QLineEdit::textChanged, this, [this, edit] { FieldTextChanged(edit); });
  return edit;
}

QLabel* TForm1::AddFramedLabel(const char* name, const QString& text, QRect place) {
  return ::AddFramedLabel(this, name, (std::string("Frame") + name).c_str(), text, place);
}

QCheckBox* TForm1::AddCheckBox(QWidget* parent, const char* name, const QString& caption,
                               QRect place) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setFocusPolicy(Qt::NoFocus);
  connect(box, &QCheckBox::clicked, this,
          [this, box](bool checked) { CheckBoxClicked(box, checked); });
  return box;
}

QPushButton* TForm1::AddButton(const char* name, const QString& caption, QRect place) {
  QPushButton* button = AddPlainButton(this, name, caption, place);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void TForm1::BuildControls() {
  QFont listFont = font();
  listFont.setPointSize(11);
  // Captions above the fields, named after the grid's columns.
  AddCaption(this, "CaptionStation", "Station", QRect(12, 8, 176, 16));
  AddCaption(this, "CaptionSent", "Sent", QRect(196, 8, 60, 16));
  AddCaption(this, "CaptionTextSent", "Text sent", QRect(264, 8, 200, 16));
  AddCaption(this, "CaptionRcvd", "Rcvd", QRect(576, 8, 60, 16));
  AddCaption(this, "CaptionTextRcvd", "Text rcvd", QRect(644, 8, 200, 16));

  EditCallsign = AddEdit("EditCallsign", QRect(12, 26, 176, 34), 16);
  QFont bold = EditCallsign->font();
  bold.setBold(true);
  EditCallsign->setFont(bold);
  EditRSTsent = AddEdit("EditRSTsent", QRect(196, 26, 60, 34), 14);
  EditTextsent = AddEdit("EditTextsent", QRect(264, 26, 304, 34), 14);
  EditRSTrcvd = AddEdit("EditRSTrcvd", QRect(576, 26, 60, 34), 14);
  EditTextrcvd = AddEdit("EditTextrcvd", QRect(644, 26, 330, 34), 14);
  EditTextrcvd->setToolTip("empfangener KTD-Text");

  LabelUTC2 = AddFramedLabel("LabelUTC2", "", QRect(986, 26, 80, 34));
  LabelUTC2->setToolTip("Aktuelle Zeit (Stunden und Minuten)");
  LabelUTC = AddCaption(this, "LabelUTC", "", QRect(986, 26, 80, 34));
  LabelUTC->setAlignment(Qt::AlignCenter);
  LabelUTC->setAutoFillBackground(true);
  LabelUTC->setToolTip("Zeit wurde angehalten.");
  QFont clockFont = font();
  clockFont.setPointSize(16);
  clockFont.setBold(true);
  LabelUTC2->setFont(clockFont);
  LabelUTC->setFont(clockFont);
  Label7 = AddFramedLabel("Label7", "", QRect(1074, 26, 78, 34));

  LabelVorname = AddFramedLabel("LabelVorname", "", QRect(12, 66, 176, 22));
  LabelVorname->setToolTip("Vorname");
  LabelDUPEorAGN = AddFramedLabel("LabelDUPEorAGN", "", QRect(196, 66, 60, 22));
  LabelDUPEorAGN->setToolTip("Warnung: DUPE oder AGN.");
  QFont warning = font();
  warning.setBold(true);
  LabelDUPEorAGN->setFont(warning);
  LabelLaengeSent = AddFramedLabel("LabelLaengeSent", "", QRect(528, 66, 40, 22));

  MemoTexte = new QListWidget(this);
  MemoTexte->setObjectName("MemoTexte");
  MemoTexte->setGeometry(644, 66, 330, 84);
  MemoTexte->setFocusPolicy(Qt::NoFocus);
  MemoTexte->setSelectionMode(QAbstractItemView::NoSelection);
  MemoTexte->setFont(listFont);
  MemoTexte->setUniformItemSizes(true);

  Label1 = AddCaption(this, "Label1", "Abbruch : [ESC]", QRect(12, 96, 176, 18));
  Label14 = AddCaption(this, "Label14", "CW/SSB wechseln : [Ctrl]+[M]", QRect(12, 116, 240, 18));
  SetTextColour(Label1, kDarkBlue);
  for (int i = 0; i < 5; ++i) {
    const QString name = QString("Label%1").arg(22 + i);
    Hints[i] = AddCaption(this, name.toLatin1().constData(), "", QRect(264, 96 + 18 * i, 370, 18));
    SetTextColour(Hints[i], kDarkBlue);
  }

  LabelScore = AddFramedLabel("LabelScore", "0", QRect(986, 72, 80, 24));
  QFont scoreFont = font();
  scoreFont.setPointSize(12);
  scoreFont.setBold(true);
  LabelScore->setFont(scoreFont);
  AddCaption(this, "CaptionScore", "Punkte", QRect(1074, 72, 78, 24));

  // Keying hints, shown while keying is on.
  Label6 = AddCaption(this, "Label6", "CQ : [Space] / [Enter]", QRect(644, 332, 330, 18));
  SetTextColour(Label6, kDarkBlue);
  Label19 =
      AddCaption(this, "Label19", "Lange Aussendung : [Shift]+[Space]", QRect(644, 350, 330, 18));
  Label18 =
      AddCaption(this, "Label18", "Keine Aussendung : [Ctrl]+[Space]", QRect(644, 368, 330, 18));
  Label21 =
      AddCaption(this, "Label21", QString::fromUtf8("Tempo ändern :"), QRect(644, 386, 120, 18));
  Label20 = AddCaption(this, "Label20", "[Shift]+[Ctrl]+[Cursor]", QRect(766, 386, 208, 18));

  Label13 = AddCaption(this, "Label13", "KTD-Stationen", QRect(12, 196, 176, 16));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(12, 214, 176, 216);
  ListBox1->setFocusPolicy(Qt::NoFocus);
  ListBox1->setFont(listFont);
  ListBox1->setUniformItemSizes(true);  // no text layout of every entry when the list changes
  connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    model_->CandidateClicked(ListBox1->row(item));
    Sync();
  });

  keyingGroup_ = std::make_unique<KeyingGroup>(
      this, *model_,
      [this](QWidget* parent, const char* name, const QString& caption, QRect place) {
        return AddCheckBox(parent, name, caption, place);
      },
      [this] { Sync(); });
  EditWpM = keyingGroup_->EditWpM;
  EditRigAddress = keyingGroup_->EditRigAddress;
  for (QLineEdit* edit : {EditWpM, EditRigAddress}) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { FieldTextChanged(edit); });
  }

  CheckBoxTastung =
      AddCheckBox(this, "CheckBoxTastung", "[F6] Ein oder Aus", QRect(444, 200, 180, 20));
  CheckBoxTexte = AddCheckBox(this, "CheckBoxTexte", " [F7] Texte", QRect(444, 224, 96, 20));
  CheckBoxTexte->setToolTip("Anzeige von passenden KTD-Texten.");
  Label9 = AddCaption(this, "Label9", "anzeigen", QRect(542, 224, 80, 20));
  CheckBoxFarnsworth =
      AddCheckBox(this, "CheckBoxFarnsworth", "[F8] Farnsworth", QRect(444, 248, 180, 20));
  CheckBoxAutoCQ = AddCheckBox(this, "CheckBoxAutoCQ", "[F9] Auto-CQ", QRect(444, 272, 180, 20));
  CheckBoxCQ = AddCheckBox(this, "CheckBoxCQ", "[F10] CQ oder S+P", QRect(444, 296, 180, 20));
  CheckBoxSSB = AddCheckBox(this, "CheckBoxSSB", "SSB", QRect(444, 330, 180, 20));

  LabelMSG = AddCaption(this, "LabelMSG", "", QRect(644, 200, 330, 24));
  LabelMSG->setAlignment(Qt::AlignCenter);
  LabelMSG->setAutoFillBackground(true);
  FrameLabelMSG = AddLabelFrame(this, "FrameLabelMSG", LabelMSG->geometry());
  FrameLabelMSG->lower();
  LabelAchtung =
      AddCaption(this, "LabelAchtung", "Achtung: Automatische Tastung !", QRect(644, 230, 330, 24));
  LabelAchtung->setAlignment(Qt::AlignCenter);
  LabelAchtung->setAutoFillBackground(true);
  LabelAchtung->setFont(warning);
  SetColour(LabelAchtung, QPalette::Window, 0x0000FF);
  SetTextColour(LabelAchtung, Qt::white);
  FrameLabelAchtung = AddLabelFrame(this, "FrameLabelAchtung", LabelAchtung->geometry());
  FrameLabelAchtung->lower();

  ButtonMyCall = AddButton("ButtonMyCall", "[F1] ", QRect(644, 262, 150, 28));
  ButtonQRZ = AddButton("ButtonQRZ", "[F2] QRZ?", QRect(800, 262, 84, 28));
  ButtonB4 = AddButton("ButtonB4", "[F3] B4", QRect(890, 262, 84, 28));
  ButtonMSG = AddButton("ButtonMSG", "[F4]", QRect(644, 296, 60, 28));
  EditMSG = AddEdit("EditMSG", QRect(710, 296, 264, 28), 11);
  EditMSG->setToolTip("MSG-Feld - Aussendung mit F4");

  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setGeometry(8, kGridTop, kClientWidth - 16, kGridHeight);
  StringGrid1->setFocusPolicy(Qt::NoFocus);
  gridModel_ = new LogGridModel(this);
  StringGrid1->setModel(gridModel_);

  TimerUTC2 = new QTimer(this);
  TimerUTC2->setObjectName("TimerUTC2");
  connect(TimerUTC2, &QTimer::timeout, this, [this] {
    model_->ClockTick();
    Sync();
  });
  TimerWatchDog = new QTimer(this);
  TimerWatchDog->setObjectName("TimerWatchDog");
  connect(TimerWatchDog, &QTimer::timeout, this, [this] {
    model_->WatchDogTick();
    Sync();
  });
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  connect(Timer2, &QTimer::timeout, this, [this] {
    model_->AutoCqTimerTick();
    Sync();
  });
  TimerRigMode = new QTimer(this);
  TimerRigMode->setObjectName("TimerRigMode");
  connect(TimerRigMode, &QTimer::timeout, this, [this] {
    model_->RigModeTimerTick();
    Sync();
  });

  using Button = LiveEntryModel::Button;
  const std::pair<QPushButton*, Button> buttons[] = {{ButtonMyCall, Button::MyCall},
                                                     {ButtonQRZ, Button::Qrz},
                                                     {ButtonB4, Button::B4},
                                                     {ButtonMSG, Button::Msg}};
  for (const auto& [button, which] : buttons) {
    connect(button, &QPushButton::clicked, this, [this, which = which] {
      model_->ButtonClicked(which);
      Sync();
    });
  }
}

bool TForm1::FireTimer(const QString& name) {
  auto* timer = findChild<QTimer*>(name);
  if (timer == nullptr || !timer->isActive()) return false;
  if (timer == TimerUTC2) model_->ClockTick();
  if (timer == TimerWatchDog) model_->WatchDogTick();
  if (timer == Timer2) model_->AutoCqTimerTick();
  if (timer == TimerRigMode) model_->RigModeTimerTick();
  Sync();
  return true;
}

void TForm1::SetTextDatabasePresent(bool present) {
  model_->SetTextDatabasePresent(present);
  Sync();
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
  ApplyLogGridLayout(StringGrid1, (kGridHeight - 18) / 8);
  model_->Show();
  Sync();
}

void TForm1::done(int result) {
  // The window closes even when saving the settings fails; the error is shown afterwards.
  try {
    model_->Close();
  } catch (...) {
    Sync();
    QDialog::done(result);
    throw;
  }
  Sync();
  QDialog::done(result);
}

// ---------------------------------------------------------------------------------------------
// Keys, edits, focus and clicks

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // The window's own filter on the whole application: it sees a field's keys before the field.
    if (FieldOf(watched) != LiveField::None) {
      return FieldKeyPress(static_cast<QLineEdit*>(watched), key);
    }
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && isActiveWindow() && QApplication::focusWidget() == EditCallsign) return true;
    return false;
  }
  if (type == QEvent::FocusIn && !syncing_) {
    const LiveField field = FieldOf(watched);
    if (field != LiveField::None) {
      model_->FocusMovedTo(field);
      Sync();
    }
    return false;
  }
  if (type == QEvent::InputMethod) {
    // Text composed by an input method goes through the same filter as typed keys.
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || FieldOf(edit) == LiveField::None) return false;
    const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
    for (const QChar c : commit) {
      QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      FieldKeyPress(edit, &typed);
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool TForm1::FieldKeyPress(QLineEdit* edit, QKeyEvent* event) {
  KeyOutcome outcome;
  try {
    outcome = model_->KeyPress(LiveKeyOf(event));
  } catch (...) {
    Sync();
    throw;
  }
  Sync();
  switch (outcome.kind) {
    case KeyOutcome::Kind::PassToField:
      return false;
    case KeyOutcome::Kind::Insert:
      if (QApplication::focusWidget() == edit) edit->insert(QStringFromCp1252(outcome.text));
      return true;
    case KeyOutcome::Kind::Consumed:
      break;
  }
  return true;
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // The dialog's own Enter and Esc handling (default button, closing) never runs. Keys of a field
  // reach the model through the filter; others (no field has the focus) go to it here.
  if (FieldOf(QApplication::focusWidget()) != LiveField::None) return;
  model_->KeyPress(LiveKeyOf(event));
  Sync();
}

void TForm1::FieldTextChanged(QLineEdit* edit) {
  if (syncing_) return;
  const LiveField field = FieldOf(edit);
  const int cursor = edit->cursorPosition();
  const int before = static_cast<int>(edit->text().size());
  try {
    model_->TextEdited(field, Cp1252FromQString(edit->text()));
  } catch (...) {
    Sync();
    throw;
  }
  Sync();
  // A refused character was removed: the cursor stays where the edit put it, less what was
  // removed before it.
  const int removed = before - static_cast<int>(edit->text().size());
  if (removed > 0) edit->setCursorPosition(std::max(0, cursor - removed));
}

void TForm1::CheckBoxClicked(QCheckBox* box, bool checked) {
  using Box = LiveEntryModel::CheckBox;
  Box which = Box::Tastung;
  if (box == CheckBoxTexte) which = Box::Texte;
  if (box == CheckBoxFarnsworth) which = Box::Farnsworth;
  if (box == CheckBoxAutoCQ) which = Box::AutoCq;
  if (box == CheckBoxCQ) which = Box::Cq;
  if (box == CheckBoxSSB) which = Box::Ssb;
  if (box == keyingGroup_->CheckBoxRTS) which = Box::Rts;
  if (box == keyingGroup_->CheckBoxreverse) which = Box::Reverse;
  if (box == keyingGroup_->CheckBoxRigctld) which = Box::ViaRigctld;
  if (box == keyingGroup_->CheckBoxRigMode) which = Box::FollowRig;
  try {
    model_->CheckBoxClicked(which, checked);
  } catch (...) {
    Sync();
    throw;
  }
  Sync();
}

void TForm1::OfferOtherPort() {
  if (offeringPort_) return;
  offeringPort_ = true;
  while (std::optional<std::string> reason = model_->TakePortFailure()) {
    const int current = model_->View().portIndex + 1;
    const std::optional<int> chosen =
        PortPrompt::Current().ChoosePort(this, *reason, ListSerialPorts(), current);
    if (chosen) {
      model_->RetryKeyingOnPort(*chosen - 1);
    } else {
      model_->CancelKeying();
    }
    Sync();
  }
  offeringPort_ = false;
}

LiveField TForm1::FieldOf(const QObject* object) const {
  if (object == EditCallsign) return LiveField::Callsign;
  if (object == EditRSTsent) return LiveField::RstSent;
  if (object == EditTextsent) return LiveField::TextSent;
  if (object == EditRSTrcvd) return LiveField::RstRcvd;
  if (object == EditTextrcvd) return LiveField::TextRcvd;
  if (object == EditMSG) return LiveField::Msg;
  if (object == EditWpM) return LiveField::WpM;
  if (object == EditRigAddress) return LiveField::RigAddress;
  return LiveField::None;
}

QLineEdit* TForm1::EditOf(LiveField field) const {
  switch (field) {
    case LiveField::Callsign:
      return EditCallsign;
    case LiveField::RstSent:
      return EditRSTsent;
    case LiveField::TextSent:
      return EditTextsent;
    case LiveField::RstRcvd:
      return EditRSTrcvd;
    case LiveField::TextRcvd:
      return EditTextrcvd;
    case LiveField::Msg:
      return EditMSG;
    case LiveField::WpM:
      return EditWpM;
    case LiveField::RigAddress:
      return EditRigAddress;
    case LiveField::None:
      break;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The view onto the widgets

void TForm1::Sync() {
  if (syncing_) return;
  syncing_ = true;
  const LiveView& v = model_->View();
  if (windowTitle() != QStringFromCp1252(v.title)) setWindowTitle(QStringFromCp1252(v.title));

  ApplyEdit(EditCallsign, v.callsign);
  ApplyEdit(EditRSTsent, v.rstSent);
  ApplyEdit(EditTextsent, v.textSent);
  ApplyEdit(EditRSTrcvd, v.rstRcvd);
  ApplyEdit(EditTextrcvd, v.textRcvd);
  ApplyEdit(EditMSG, v.msg);
  ApplyEdit(EditWpM, v.wpm);
  ApplyEdit(EditRigAddress, v.rigAddress);
  for (const auto& [field, position] : model_->TakeCursorMoves()) {
    if (QLineEdit* edit = EditOf(field)) edit->setCursorPosition(position);
  }

  for (int i = 0; i < 5; ++i) {
    ApplyLabel(Hints[i], {v.hints[static_cast<size_t>(i)].text,
                          v.hints[static_cast<size_t>(i)].visible, live_colour::kWhite, 0x800000});
  }
  SetVisible(Label1, v.label1Visible);
  SetVisible(Label14, v.label14Visible);
  for (QLabel* hint : {Label6, Label18, Label19, Label20, Label21}) {
    SetVisible(hint, v.keyingHintsVisible);
  }
  SetVisible(Label9, v.label9Visible);
  ApplyLabel(LabelVorname, v.vorname);
  ApplyLabel(LabelDUPEorAGN, v.dupe);
  ApplyLabel(LabelLaengeSent, v.lengthSent);
  ApplyLabel(LabelUTC, v.utc);
  ApplyLabel(LabelUTC2, v.utcClock);
  if (Label7->text() != QStringFromCp1252(v.half)) Label7->setText(QStringFromCp1252(v.half));
  if (LabelScore->text() != QStringFromCp1252(v.score)) {
    LabelScore->setText(QStringFromCp1252(v.score));
  }
  ApplyLabel(LabelMSG, v.msgLabel);
  SetVisible(FrameLabelMSG, v.msgLabel.visible);
  // Why keying went off by itself takes the place of the keying warning until keying is on again.
  const bool lost = !v.keyingWarning.empty();
  const QString achtung =
      lost ? QStringFromCp1252(v.keyingWarning) : QString("Achtung: Automatische Tastung !");
  if (LabelAchtung->text() != achtung) LabelAchtung->setText(achtung);
  SetVisible(LabelAchtung, v.achtungVisible || lost);
  SetVisible(FrameLabelAchtung, v.achtungFrameVisible || lost);

  ApplyList(ListBox1, v.candidates, shownCandidates_);
  if (ListBox1->currentRow() != v.highlight) ListBox1->setCurrentRow(v.highlight);
  ApplyList(MemoTexte, v.suggestions, shownSuggestions_);
  SetVisible(MemoTexte, v.suggestionsVisible);

  ApplyCheck(CheckBoxTastung, v.tastung);
  ApplyCheck(CheckBoxTexte, v.texte);
  ApplyCheck(CheckBoxFarnsworth, v.farnsworth);
  ApplyCheck(CheckBoxAutoCQ, v.autoCq);
  ApplyCheck(CheckBoxCQ, v.cq);
  ApplyCheck(CheckBoxSSB, v.ssb);
  keyingGroup_->Apply(v);
  for (QWidget* control : {static_cast<QWidget*>(ButtonMyCall), static_cast<QWidget*>(ButtonQRZ),
                           static_cast<QWidget*>(ButtonB4), static_cast<QWidget*>(ButtonMSG)}) {
    SetVisible(control, v.functionKeysVisible);
  }
  if (ButtonMyCall->text() != QStringFromCp1252(v.myCallCaption)) {
    ButtonMyCall->setText(QStringFromCp1252(v.myCallCaption));
  }
  if (ButtonQRZ->text() != QStringFromCp1252(v.qrzCaption)) {
    ButtonQRZ->setText(QStringFromCp1252(v.qrzCaption));
  }
  if (ButtonQRZ->isEnabled() != v.qrzEnabled) ButtonQRZ->setEnabled(v.qrzEnabled);

  ApplyTimer(TimerUTC2, v.clockTimer, clockGeneration_);
  ApplyTimer(TimerWatchDog, v.watchDog, watchDogGeneration_);
  ApplyTimer(Timer2, v.autoCqTimer, autoCqGeneration_);
  ApplyTimer(TimerRigMode, v.rigModeTimer, rigModeGeneration_);

  if (std::optional<std::vector<LogGridRow>> rows = model_->TakeGridRows()) {
    gridModel_->SetRows(std::move(*rows));
    SelectLastLogGridRow(StringGrid1);
  }
  if (std::vector<LogGridRow> added = model_->TakeAddedGridRows(); !added.empty()) {
    gridModel_->AppendRows(std::move(added));
    SelectLastLogGridRow(StringGrid1);
  }

  if (QLineEdit* focus = EditOf(v.focus);
      focus != nullptr && isVisible() && QApplication::focusWidget() != focus) {
    // As on the desktop, a field the entry moves to has its text selected: typing replaces it.
    focus->setFocus(Qt::OtherFocusReason);
    focus->selectAll();
  }
  syncing_ = false;
  OfferOtherPort();
  if (std::optional<std::string> reason = model_->TakeKeyingFailure()) {
    UserPrompts::Current().ShowError(
        this, QString::fromUtf8("Tastung aus: keine Verbindung zu rigctld\n") +
                  QStringFromCp1252(*reason));
  }
}
