#include "review/form8_paper_log.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

#include "app/app_context.h"
#include "common/qt_cp1252.h"
#include "common/qt_window_placement.h"
#include "live/qt_log_grid_model.h"
#include "prep/qt_text_length_counter.h"
#include "prep/qt_typed_text_validator.h"
#include "prep/qt_window_helpers.h"

namespace {

// Sizes are logical pixels at 96 dpi.
constexpr int kClientWidth = 1180;
constexpr int kClientHeight = 592;
constexpr int kGridTop = 358;
constexpr int kGridHeight = 226;
constexpr int kGridVisibleRows = 8;
constexpr int kFieldTop = 44;
constexpr int kFieldHeight = 24;

const QColor kDarkBlue(0x00, 0x00, 0x80);

bool IsTabKey(int key) {
  return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

// A key that types a character (Space, Enter and Backspace included), as opposed to navigation.
bool TypesCharacter(const QKeyEvent* event) {
  return !event->text().isEmpty() && !IsTabKey(event->key()) &&
         !(event->modifiers() & Qt::ControlModifier);
}

void ShowCounter(QLabel* counter, int value) {
  counter->setText(QString::number(value));
  counter->setVisible(value > 0);
}

}  // namespace

TForm8::TForm8(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), model_(ctx) {
  setObjectName("Form8");
  setFont(QFont("Segoe UI", 9));
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
}

TForm8::~TForm8() = default;

QLabel* TForm8::AddLabel(QWidget* parent, const QString& text, QRect place) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(place);
  return label;
}

QLabel* TForm8::AddHint(const QString& text, QRect place) {
  QLabel* hint = AddLabel(this, text, place);
  QPalette palette = hint->palette();
  palette.setColor(QPalette::WindowText, kDarkBlue);
  hint->setPalette(palette);
  return hint;
}

QLineEdit* TForm8::AddField(const char* name, QRect place) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setGeometry(place);
  field->installEventFilter(this);
  return field;
}

QListWidget* TForm8::AddList(const char* name, const QString& caption, QRect place) {
  AddLabel(this, caption, QRect(place.left(), place.top() - 18, place.width(), 16));
  auto* list = new QListWidget(this);
  list->setObjectName(name);
  list->setGeometry(place);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

void TForm8::BuildControls() {
  BuildTimeControls();
  BuildEntryControls();
  BuildLists();
  BuildScoreBox();

  gridModel_ = new LogGridModel(this);
  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setModel(gridModel_);
  StringGrid1->setGeometry(8, kGridTop, kClientWidth - 16, kGridHeight);
  StringGrid1->setFocusPolicy(Qt::NoFocus);
  StringGrid1->horizontalHeader()->setFixedHeight(16);

  setTabOrder(EditHH, EditMM);
  setTabOrder(EditMM, CheckBox1);
  setTabOrder(CheckBox1, EditStation);
  setTabOrder(EditStation, EditRSTsent);
  setTabOrder(EditRSTsent, EditTextSent);
  setTabOrder(EditTextSent, EditRSTrcvd);
  setTabOrder(EditRSTrcvd, EditTextRcvd);
  setTabOrder(EditTextRcvd, ButtonQSOspeichern);
  setTabOrder(ButtonQSOspeichern, ListBox1);

  // Esc anywhere in the window drops the line being typed; it does not close the window.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &TForm8::ButtonEingabeAbbrechenClick);
}

void TForm8::BuildTimeControls() {
  AddLabel(this, "UTC", QRect(16, kFieldTop - 20, 60, 18));
  EditHH = AddField("EditHH", QRect(16, kFieldTop, 30, kFieldHeight));
  EditMM = AddField("EditMM", QRect(50, kFieldTop, 30, kFieldHeight));
  // The time is stepped with the arrow keys; typed characters are discarded.
  EditHH->setReadOnly(true);
  EditMM->setReadOnly(true);
  CheckBox1 = new QCheckBox("SSB", this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(92, kFieldTop + 2, 56, 20);
  CheckBox1->installEventFilter(this);
  connect(CheckBox1, &QCheckBox::clicked, this, &TForm8::CheckBox1Click);
  Label8 = AddLabel(this, "1. Halbzeit", QRect(16, kFieldTop + 30, 120, 18));
  Label8->setObjectName("Label8");

  AddHint(QString::fromUtf8("UTC ändern"), QRect(16, 104, 136, 16));
  AddHint("[Cursor auf/ab]", QRect(16, 120, 136, 16));
  AddHint(QString::fromUtf8("Nächste Zeile kein"), QRect(16, 152, 136, 16));
  AddHint("QSO, dann UTC", QRect(16, 168, 136, 16));
  AddHint("[Ctrl]+[Cursor ab]", QRect(16, 184, 136, 16));
  AddHint(QString::fromUtf8("Rückgängig"), QRect(16, 216, 136, 16));
  AddHint("[Ctrl]+[Cursor auf]", QRect(16, 232, 136, 16));
}

void TForm8::BuildEntryControls() {
  AddLabel(this, "Station", QRect(160, kFieldTop - 20, 150, 18));
  EditStation = AddField("EditStation", QRect(160, kFieldTop, 150, kFieldHeight));
  EditStation->setValidator(new TypedTextValidator({TypedChars::Callsign, true, 0}, EditStation));
  connect(EditStation, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.StationEdited(Cp1252FromQString(text));
    ShowStations();
  });
  AddHint("Markierte KTD-Station", QRect(160, 76, 200, 16));
  AddHint("Mit [Space] kopieren", QRect(160, 92, 200, 16));

  AddLabel(this, "Sent", QRect(320, kFieldTop - 20, 44, 18));
  EditRSTsent = AddField("EditRSTsent", QRect(320, kFieldTop, 44, kFieldHeight));
  rstSentValidator_ = new TypedTextValidator({TypedChars::ReportDigits, false, 3}, EditRSTsent);
  EditRSTsent->setValidator(rstSentValidator_);
  connect(EditRSTsent, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.RstSentEdited(Cp1252FromQString(text)); });

  AddLabel(this, "Text sent", QRect(374, kFieldTop - 20, 300, 18));
  EditTextSent = AddField("EditTextSent", QRect(374, kFieldTop, 300, kFieldHeight));
  // The sent text comes from the lists only.
  EditTextSent->setReadOnly(true);
  AddLabel(this, "Zeichen", QRect(374, 74, 48, 20));
  LabelZeichenSent = AddLabel(this, QString(), QRect(426, 74, 32, 20));
  LabelZeichenSent->setObjectName("LabelZeichenSent");
  LabelZeichenSent->setAlignment(Qt::AlignCenter);
  LabelZeichenSent->setFrameStyle(QFrame::Box | QFrame::Plain);
  connect(EditTextSent, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextSent, LabelZeichenSent); });
  ShowTextLength(EditTextSent, LabelZeichenSent);
  AddHint(QString::fromUtf8("Persönlicher oder vorgedruckter Text "), QRect(470, 74, 260, 16));
  AddHint(QString::fromUtf8("Falls nötig, auf den passenden Text klicken"),
          QRect(470, 90, 260, 16));

  AddLabel(this, "Empfangen", QRect(684, 6, 120, 16));
  AddLabel(this, "Rcvd", QRect(684, kFieldTop - 20, 44, 18));
  EditRSTrcvd = AddField("EditRSTrcvd", QRect(684, kFieldTop, 44, kFieldHeight));
  rstRcvdValidator_ = new TypedTextValidator({TypedChars::ReportDigits, false, 3}, EditRSTrcvd);
  EditRSTrcvd->setValidator(rstRcvdValidator_);
  connect(EditRSTrcvd, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.RstRcvdEdited(Cp1252FromQString(text)); });

  AddLabel(this, "Text rcvd", QRect(738, kFieldTop - 20, 300, 18));
  EditTextRcvd = AddField("EditTextRcvd", QRect(738, kFieldTop, 300, kFieldHeight));
  EditTextRcvd->setValidator(
      new TypedTextValidator({TypedChars::ExchangeText, false, 0}, EditTextRcvd));
  connect(EditTextRcvd, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.TextRcvdEdited(Cp1252FromQString(text)); });
  AddLabel(this, "Zeichen", QRect(738, 74, 48, 20));
  LabelZeichenRcvd = AddLabel(this, QString(), QRect(790, 74, 32, 20));
  LabelZeichenRcvd->setObjectName("LabelZeichenRcvd");
  LabelZeichenRcvd->setAlignment(Qt::AlignCenter);
  LabelZeichenRcvd->setFrameStyle(QFrame::Box | QFrame::Plain);
  connect(EditTextRcvd, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextRcvd, LabelZeichenRcvd); });
  ShowTextLength(EditTextRcvd, LabelZeichenRcvd);
  AddHint("Zum nächsten Feld navigieren", QRect(834, 74, 200, 16));
  AddHint("mit [Tabulator] oder [Space]", QRect(834, 90, 200, 16));

  ButtonQSOspeichern = new QPushButton("Speichern [Enter]", this);
  ButtonQSOspeichern->setObjectName("ButtonQSOspeichern");
  ButtonQSOspeichern->setGeometry(1050, kFieldTop - 2, 122, 28);
  ButtonQSOspeichern->setAutoDefault(false);
  ButtonQSOspeichern->installEventFilter(this);
  connect(ButtonQSOspeichern, &QPushButton::clicked, this, &TForm8::ButtonQSOspeichernClick);
  ButtonEingabeAbbrechen = new QPushButton("Abbrechen [ESC]", this);
  ButtonEingabeAbbrechen->setObjectName("ButtonEingabeAbbrechen");
  ButtonEingabeAbbrechen->setGeometry(1050, kFieldTop + 32, 122, 28);
  ButtonEingabeAbbrechen->setAutoDefault(false);
  ButtonEingabeAbbrechen->setFocusPolicy(Qt::NoFocus);
  connect(ButtonEingabeAbbrechen, &QPushButton::clicked, this,
          &TForm8::ButtonEingabeAbbrechenClick);
}

void TForm8::BuildLists() {
  ListBoxStationen = AddList("ListBoxStationen", "KTD-Stationen", QRect(160, 140, 150, 200));
  ListBoxStationen->setFocusPolicy(Qt::NoFocus);
  connect(ListBoxStationen, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    model_.PickStation(ListBoxStationen->row(item));
    ShowLine();
    ShowStations();
    Focus(PaperField::Station);
  });

  ListBox1 = AddList("ListBox1", QString::fromUtf8("Persönliche Texte"), QRect(374, 140, 300, 200));
  const auto pickPersonal = [this](int row) {
    if (showingLists_ || row < 0) return;
    model_.PickPersonalText(row);
    ShowLine();
    ShowTextLists();
    Focus(PaperField::RstRcvd);
  };
  connect(ListBox1, &QListWidget::currentRowChanged, this, pickPersonal);
  connect(ListBox1, &QListWidget::itemClicked, this,
          [this, pickPersonal](QListWidgetItem* item) { pickPersonal(ListBox1->row(item)); });

  ListBoxTexte = AddList("ListBoxTexte", "Vorgedruckte Texte", QRect(738, 140, 300, 200));
  ListBoxTexte->setFocusPolicy(Qt::NoFocus);
  connect(ListBoxTexte, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    model_.PickPrintedText(ListBoxTexte->row(item));
    ShowLine();
    ShowTextLists();
    Focus(PaperField::RstRcvd);
  });
}

void TForm8::BuildScoreBox() {
  GroupBoxScore = new QGroupBox(" Score ", this);
  GroupBoxScore->setObjectName("GroupBoxScore");
  GroupBoxScore->setGeometry(1050, 122, 122, 218);
  AddLabel(GroupBoxScore, " CW  SSB", QRect(50, 20, 66, 18));
  static const char* const kHeadings[] = {"KTD", "HB", "EU", "QSO", "Punkte"};
  static const char* const kCwNames[] = {"LabelAnzKTD", "LabelAnzHB", "LabelAnzEU", "LabelAnzQSO",
                                         "LabelAnzPunkte"};
  static const char* const kSsbNames[] = {"LabelAnzKTDssb", "LabelAnzHBssb", "LabelAnzEUssb",
                                          "LabelAnzQSOssb", "LabelAnzPunkteSSB"};
  for (size_t i = 0; i < cwCounters_.size(); ++i) {
    const int top = 44 + static_cast<int>(i) * 34;
    AddLabel(GroupBoxScore, kHeadings[i], QRect(6, top, 44, 20));
    const auto addCounter = [this, top](const char* name, int left) {
      QLabel* counter = AddLabel(GroupBoxScore, QString(), QRect(left, top, 28, 20));
      counter->setObjectName(name);
      counter->setAlignment(Qt::AlignCenter);
      counter->setFrameStyle(QFrame::Box | QFrame::Plain);
      counter->hide();
      return counter;
    };
    cwCounters_[i] = addCounter(kCwNames[i], 54);
    ssbCounters_[i] = addCounter(kSsbNames[i], 86);
  }
}

void TForm8::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm8::keyPressEvent(QKeyEvent* event) {
  // Esc is the cancel key of this window (see the shortcut); Enter belongs to the fields.
  if (event->key() == Qt::Key_Escape || IsEnterKey(event->key())) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm8::FormShow() {
  setWindowTitle(QStringFromCp1252("VORLAX KTD-Log: KTD mit Papierlog - " + ctx_.ownCallsign));
  ApplyLogGridLayout(StringGrid1, (kGridHeight - 18) / kGridVisibleRows);
  model_.Open();
  CheckBox1->setChecked(!model_.CwMode());
  ShowReportLimits();
  ShowGridAndScore();
  ShowTime();
  ShowLine();
  ShowStations();
  ShowTextLists();
  FocusMinute();
}

void TForm8::ShowGridAndScore() {
  gridModel_->SetRows(model_.GridRows());
  SelectLastLogGridRow(StringGrid1);
  const ScoreValues& s = ctx_.score;
  const std::array<int, 5> cw = {s.ktdCw, s.hbCw, s.euCw, s.cwQsos, s.cwPoints};
  const std::array<int, 5> ssb = {s.ktdSsb, s.hbSsb, s.euSsb, s.ssbQsos, s.ssbPoints};
  for (size_t i = 0; i < cw.size(); ++i) {
    ShowCounter(cwCounters_[i], cw[i]);
    ShowCounter(ssbCounters_[i], ssb[i]);
  }
}

void TForm8::ShowTime() {
  EditHH->setText(QString::fromLatin1(model_.HourText().c_str()));
  EditMM->setText(QString::fromLatin1(model_.MinuteText().c_str()));
  EditHH->setCursorPosition(2);
  EditMM->setCursorPosition(2);
  Label8->setText(QString::fromLatin1(model_.HalfLabel().c_str()));
}

void TForm8::ShowLine() {
  const PaperLine& line = model_.Line();
  SetTextIfChanged(EditStation, line.station);
  SetTextIfChanged(EditRSTsent, line.rstSent);
  SetTextIfChanged(EditTextSent, line.textSent);
  SetTextIfChanged(EditRSTrcvd, line.rstRcvd);
  SetTextIfChanged(EditTextRcvd, line.textRcvd);
}

void TForm8::ShowReportLimits() {
  const TypedTextRule rule{TypedChars::ReportDigits, false, model_.ReportLength()};
  rstSentValidator_->SetRule(rule);
  rstRcvdValidator_->SetRule(rule);
}

void TForm8::ShowList(QListWidget* list, const PaperList& content) {
  list->clear();
  for (const std::string& entry : content.entries) list->addItem(QStringFromCp1252(entry));
  if (content.selected >= 0) {
    list->setCurrentRow(content.selected);
  } else {
    list->setCurrentRow(-1);
    list->clearSelection();
  }
}

void TForm8::ShowStations() {
  showingLists_ = true;
  ShowList(ListBoxStationen, model_.Stations());
  showingLists_ = false;
}

void TForm8::ShowTextLists() {
  showingLists_ = true;
  ShowList(ListBoxTexte, model_.PrintedTexts());
  ShowList(ListBox1, model_.PersonalTexts());
  showingLists_ = false;
}

void TForm8::Focus(PaperField field) {
  switch (field) {
    case PaperField::Hour:
      EditHH->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::Minute:
      FocusMinute();
      break;
    case PaperField::Ssb:
      CheckBox1->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::Station:
      EditStation->setFocus(Qt::OtherFocusReason);
      EditStation->end(false);
      break;
    case PaperField::RstSent:
      EditRSTsent->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::TextSent:
      EditTextSent->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::RstRcvd:
      EditRSTrcvd->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::TextRcvd:
      EditTextRcvd->setFocus(Qt::OtherFocusReason);
      break;
    case PaperField::Save:
      ButtonQSOspeichern->setFocus(Qt::OtherFocusReason);
      break;
  }
}

void TForm8::FocusMinute() {
  EditMM->setFocus(Qt::OtherFocusReason);
  EditMM->setCursorPosition(2);
}

bool TForm8::TimeKeyPress(QLineEdit* field, QKeyEvent* event) {
  const int key = event->key();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool minute = field == EditMM;
  if (ctrl && (key == Qt::Key_Down || key == Qt::Key_Up)) {
    if (key == Qt::Key_Down) {
      model_.SkipPrintedText();
    } else {
      model_.UnskipPrintedText();
    }
    ShowTextLists();
    return true;
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    const int step = key == Qt::Key_Up ? 1 : -1;
    if (minute) {
      model_.StepMinute(step);
    } else {
      model_.StepHour(step);
    }
    ShowTime();
    ShowStations();
    return true;
  }
  if (key == Qt::Key_Space) {
    Focus(minute ? PaperField::Ssb : PaperField::Minute);
    return true;
  }
  if (key == Qt::Key_Left && minute) {
    Focus(PaperField::Hour);
    return true;
  }
  return false;
}

bool TForm8::StationKeyPress(QKeyEvent* event) {
  if (!TypesCharacter(event)) return false;
  if (!stationGate_.Press(event->key(), event->isAutoRepeat())) return true;
  if (event->key() == Qt::Key_Space) {
    const PaperField next = model_.StationSpace();
    ShowLine();
    ShowStations();
    Focus(next);
    return true;
  }
  return IsEnterKey(event->key());  // Enter types nothing here
}

bool TForm8::RstSentKeyPress(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    Focus(model_.RstSentSpace());
    return true;
  }
  return IsEnterKey(event->key());
}

bool TForm8::RstRcvdKeyPress(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    Focus(PaperField::TextRcvd);
    return true;
  }
  if (IsEnterKey(event->key())) {
    const PaperField next = model_.RstRcvdEnter();
    ShowLine();
    if (next == PaperField::Save) {
      ButtonQSOspeichernClick();
    } else {
      Focus(next);
    }
    return true;
  }
  return false;
}

bool TForm8::TextRcvdKeyPress(QKeyEvent* event) {
  if (!TypesCharacter(event)) return false;
  if (!textRcvdGate_.Press(event->key(), event->isAutoRepeat())) return true;
  if (IsEnterKey(event->key()) || (event->key() == Qt::Key_Space && model_.TextRcvdSpaceSaves())) {
    ButtonQSOspeichernClick();
    return true;
  }
  return false;
}

void TForm8::FieldFocusIn(QLineEdit* field) {
  if (field == EditHH || field == EditMM) {
    field->deselect();
    field->setCursorPosition(2);
  } else if (field == EditStation) {
    stationGate_.Clear();
    model_.StationEntered();
    ShowTextLists();
  } else if (field == EditRSTsent) {
    if (!model_.LeaveStation()) {
      Focus(PaperField::Station);
      return;
    }
    ShowLine();
    ShowTextLists();
    field->selectAll();  // a typed report replaces the default
  } else if (field == EditTextSent) {
    model_.EnterTextSent();
    ShowLine();
    ShowTextLists();
    Focus(PaperField::RstRcvd);
  } else if (field == EditRSTrcvd) {
    field->selectAll();
  } else if (field == EditTextRcvd) {
    textRcvdGate_.Clear();
  }
}

void TForm8::FieldFocusOut(QObject* field) {
  if (field == EditRSTsent) {
    model_.CompleteRstSent();
    ShowLine();
  } else if (field == EditRSTrcvd) {
    model_.CompleteRstRcvd();
    ShowLine();
  }
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      if (auto* field = qobject_cast<QLineEdit*>(watched)) {
        // The field takes the focus first, so what follows decides the caret and selection.
        watched->event(event);
        if (IsWindowSwitch(static_cast<QFocusEvent*>(event))) {
          // Back from another window (or a context menu): the operator has not entered the field
          // anew, so the line stays as it was; only keys released elsewhere are forgotten.
          stationGate_.Clear();
          textRcvdGate_.Clear();
        } else {
          FieldFocusIn(field);
        }
        return true;
      }
      break;
    case QEvent::FocusOut:
      if (!IsWindowSwitch(static_cast<QFocusEvent*>(event))) FieldFocusOut(watched);
      break;
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (watched == EditStation) stationGate_.Release(key->key(), key->isAutoRepeat());
      if (watched == EditTextRcvd) textRcvdGate_.Release(key->key(), key->isAutoRepeat());
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched == EditHH || watched == EditMM) {
        return TimeKeyPress(static_cast<QLineEdit*>(watched), key);
      }
      if (watched == EditStation) return StationKeyPress(key);
      if (watched == EditRSTsent) return RstSentKeyPress(key);
      if (watched == EditRSTrcvd) return RstRcvdKeyPress(key);
      if (watched == EditTextRcvd) return TextRcvdKeyPress(key);
      if (watched == EditTextSent && (key->key() == Qt::Key_Space || IsEnterKey(key->key()))) {
        Focus(PaperField::RstRcvd);
        return true;
      }
      if (watched == ButtonQSOspeichern && IsEnterKey(key->key())) {
        ButtonQSOspeichern->click();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm8::CheckBox1Click() {
  model_.SwitchMode(CheckBox1->isChecked());
  ShowReportLimits();
  ShowLine();
  ShowStations();
  Focus(PaperField::Station);
}

void TForm8::ButtonQSOspeichernClick() {
  switch (model_.Save()) {
    case PaperSaveOutcome::NoStation:
      FocusMinute();
      return;
    case PaperSaveOutcome::StationTooShort:
      Focus(PaperField::Station);
      return;
    case PaperSaveOutcome::Saved:
      break;
  }
  ShowGridAndScore();
  ShowLine();
  ShowStations();
  ShowTextLists();
  FocusMinute();
}

void TForm8::ButtonEingabeAbbrechenClick() {
  model_.Cancel();
  ShowLine();
  ShowStations();
  ShowTextLists();
  FocusMinute();
}
