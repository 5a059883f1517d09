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

#include "common/qt_cp1252.h"
#include "live/qt_log_grid_model.h"
#include "review/qt_adif_import_progress.h"
#include "services/app_context.h"
#include "services/qt_file_dialogs.h"
#include "services/qt_user_prompts.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_text_length_counter.h"
#include "widgets/qt_typed_text_validator.h"
#include "widgets/qt_window_helpers.h"

namespace {

// Sizes are logical pixels at 96 dpi.
constexpr int kClientWidth = 1180;
constexpr int kClientHeight = 592;
constexpr int kGridTop = 358;
constexpr int kGridHeight = 226;
constexpr int kGridVisibleRows = 8;
constexpr int kFieldTop = 44;

// The key as the model sees it.
PaperKey PaperKeyOf(const QKeyEvent* event) {
  using Code = PaperKey::Code;
  PaperKey key;
  key.id = event->key();
  key.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  key.autoRepeat = event->isAutoRepeat();
  switch (event->key()) {
    case Qt::Key_Space:
      key.code = Code::Space;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key.code = Code::Enter;
      break;
    case Qt::Key_Up:
      key.code = Code::Up;
      break;
    case Qt::Key_Down:
      key.code = Code::Down;
      break;
    case Qt::Key_Left:
      key.code = Code::Left;
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      key.code = Code::Tab;
      break;
    default:
      key.code = event->text().isEmpty() ? Code::Other : Code::Typing;
      break;
  }
  return key;
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

QLineEdit* TForm8::AddField(const char* name, QRect place) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setGeometry(place);
  field->installEventFilter(this);
  return field;
}

QListWidget* TForm8::AddList(const char* name, const QString& caption, QRect place) {
  AddCaption(this, nullptr, caption, QRect(place.left(), place.top() - 18, place.width(), 16));
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
  AddCaption(this, nullptr, "UTC", QRect(16, kFieldTop - 20, 60, 18));
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
  Label8 = AddCaption(this, "Label8", "1. Halbzeit", QRect(16, kFieldTop + 30, 120, 18));

  AddHint(this, nullptr, QString::fromUtf8("UTC ändern"), QRect(16, 104, 136, 16), kDarkBlue);
  AddHint(this, nullptr, "[Cursor auf/ab]", QRect(16, 120, 136, 16), kDarkBlue);
  AddHint(this, nullptr, QString::fromUtf8("Nächste Zeile kein"), QRect(16, 152, 136, 16),
          kDarkBlue);
  AddHint(this, nullptr, "QSO, dann UTC", QRect(16, 168, 136, 16), kDarkBlue);
  AddHint(this, nullptr, "[Ctrl]+[Cursor ab]", QRect(16, 184, 136, 16), kDarkBlue);
  AddHint(this, nullptr, QString::fromUtf8("Rückgängig"), QRect(16, 216, 136, 16), kDarkBlue);
  AddHint(this, nullptr, "[Ctrl]+[Cursor auf]", QRect(16, 232, 136, 16), kDarkBlue);

  // A log kept in another logger; not a tab stop, so the keyboard flow of a line stays as it is.
  ButtonADIFImportieren = AddPlainButton(this, "ButtonADIFImportieren", "&ADIF-Log importieren",
                                         QRect(16, 312, 136, kButtonHeight));
  ButtonADIFImportieren->setFocusPolicy(Qt::NoFocus);
  connect(ButtonADIFImportieren, &QPushButton::clicked, this, &TForm8::ButtonADIFImportierenClick);
}

void TForm8::BuildEntryControls() {
  AddCaption(this, nullptr, "Station", QRect(160, kFieldTop - 20, 150, 18));
  EditStation = AddField("EditStation", QRect(160, kFieldTop, 150, kFieldHeight));
  EditStation->setValidator(new TypedTextValidator({TypedChars::Callsign, true, 0}, EditStation));
  connect(EditStation, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.StationEdited(Cp1252FromQString(text));
    ShowStations();
  });
  AddHint(this, nullptr, "Markierte KTD-Station", QRect(160, 76, 200, 16), kDarkBlue);
  AddHint(this, nullptr, "Mit [Space] kopieren", QRect(160, 92, 200, 16), kDarkBlue);

  AddCaption(this, nullptr, "Sent", QRect(320, kFieldTop - 20, 44, 18));
  EditRSTsent = AddField("EditRSTsent", QRect(320, kFieldTop, 44, kFieldHeight));
  rstSentValidator_ = new TypedTextValidator({TypedChars::ReportDigits, false, 3}, EditRSTsent);
  EditRSTsent->setValidator(rstSentValidator_);
  connect(EditRSTsent, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.RstSentEdited(Cp1252FromQString(text)); });

  AddCaption(this, nullptr, "Text sent", QRect(374, kFieldTop - 20, 300, 18));
  EditTextSent = AddField("EditTextSent", QRect(374, kFieldTop, 300, kFieldHeight));
  // The sent text comes from the lists only.
  EditTextSent->setReadOnly(true);
  AddCaption(this, nullptr, "Zeichen", QRect(374, 74, 48, 20));
  LabelZeichenSent = AddCountLabel(this, "LabelZeichenSent", QRect(426, 74, 32, 20));
  connect(EditTextSent, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextSent, LabelZeichenSent); });
  ShowTextLength(EditTextSent, LabelZeichenSent);
  AddHint(this, nullptr, QString::fromUtf8("Persönlicher oder vorgedruckter Text "),
          QRect(470, 74, 260, 16), kDarkBlue);
  AddHint(this, nullptr, QString::fromUtf8("Falls nötig, auf den passenden Text klicken"),
          QRect(470, 90, 260, 16), kDarkBlue);

  AddCaption(this, nullptr, "Empfangen", QRect(684, 6, 120, 16));
  AddCaption(this, nullptr, "Rcvd", QRect(684, kFieldTop - 20, 44, 18));
  EditRSTrcvd = AddField("EditRSTrcvd", QRect(684, kFieldTop, 44, kFieldHeight));
  rstRcvdValidator_ = new TypedTextValidator({TypedChars::ReportDigits, false, 3}, EditRSTrcvd);
  EditRSTrcvd->setValidator(rstRcvdValidator_);
  connect(EditRSTrcvd, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.RstRcvdEdited(Cp1252FromQString(text)); });

  AddCaption(this, nullptr, "Text rcvd", QRect(738, kFieldTop - 20, 300, 18));
  EditTextRcvd = AddField("EditTextRcvd", QRect(738, kFieldTop, 300, kFieldHeight));
  EditTextRcvd->setValidator(
      new TypedTextValidator({TypedChars::ExchangeText, false, 0}, EditTextRcvd));
  connect(EditTextRcvd, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.TextRcvdEdited(Cp1252FromQString(text)); });
  AddCaption(this, nullptr, "Zeichen", QRect(738, 74, 48, 20));
  LabelZeichenRcvd = AddCountLabel(this, "LabelZeichenRcvd", QRect(790, 74, 32, 20));
  connect(EditTextRcvd, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextRcvd, LabelZeichenRcvd); });
  ShowTextLength(EditTextRcvd, LabelZeichenRcvd);
  AddHint(this, nullptr, "Zum nächsten Feld navigieren", QRect(834, 74, 200, 16), kDarkBlue);
  AddHint(this, nullptr, "mit [Tabulator] oder [Space]", QRect(834, 90, 200, 16), kDarkBlue);

  ButtonQSOspeichern = AddPlainButton(this, "ButtonQSOspeichern", "Speichern [Enter]",
                                      QRect(1050, kFieldTop - 2, 122, kButtonHeight));
  ButtonQSOspeichern->installEventFilter(this);
  connect(ButtonQSOspeichern, &QPushButton::clicked, this, &TForm8::ButtonQSOspeichernClick);
  ButtonEingabeAbbrechen = AddPlainButton(this, "ButtonEingabeAbbrechen", "Abbrechen [ESC]",
                                          QRect(1050, kFieldTop + 32, 122, kButtonHeight));
  ButtonEingabeAbbrechen->setFocusPolicy(Qt::NoFocus);
  connect(ButtonEingabeAbbrechen, &QPushButton::clicked, this,
          &TForm8::ButtonEingabeAbbrechenClick);
}

void TForm8::BuildLists() {
  ListBoxStationen = AddList("ListBoxStationen", "KTD-Stationen", QRect(160, 140, 150, 200));
  ListBoxStationen->setFocusPolicy(Qt::NoFocus);
  connect(ListBoxStationen, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const PaperField next = model_.PickStation(ListBoxStationen->row(item));
    Sync();
    Focus(next);
  });

  ListBox1 = AddList("ListBox1", QString::fromUtf8("Persönliche Texte"), QRect(374, 140, 300, 200));
  const auto pickPersonal = [this](int row) {
    if (showingLists_ || row < 0) return;
    const PaperField next = model_.PickPersonalText(row);
    Sync();
    Focus(next);
  };
  connect(ListBox1, &QListWidget::currentRowChanged, this, pickPersonal);
  connect(ListBox1, &QListWidget::itemClicked, this,
          [this, pickPersonal](QListWidgetItem* item) { pickPersonal(ListBox1->row(item)); });

  ListBoxTexte = AddList("ListBoxTexte", "Vorgedruckte Texte", QRect(738, 140, 300, 200));
  ListBoxTexte->setFocusPolicy(Qt::NoFocus);
  connect(ListBoxTexte, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const PaperField next = model_.PickPrintedText(ListBoxTexte->row(item));
    Sync();
    Focus(next);
  });
}

void TForm8::BuildScoreBox() {
  GroupBoxScore = new QGroupBox(" Score ", this);
  GroupBoxScore->setObjectName("GroupBoxScore");
  GroupBoxScore->setGeometry(1050, 122, 122, 218);
  AddCaption(GroupBoxScore, nullptr, " CW  SSB", QRect(50, 20, 66, 18));
  static const char* const kHeadings[] = {"KTD", "HB", "EU", "QSO", "Punkte"};
  static const char* const kCwNames[] = {"LabelAnzKTD", "LabelAnzHB", "LabelAnzEU", "LabelAnzQSO",
                                         "LabelAnzPunkte"};
  static const char* const kSsbNames[] = {"LabelAnzKTDssb", "LabelAnzHBssb", "LabelAnzEUssb",
                                          "LabelAnzQSOssb", "LabelAnzPunkteSSB"};
  for (size_t i = 0; i < cwCounters_.size(); ++i) {
    const int top = 44 + static_cast<int>(i) * 34;
    AddCaption(GroupBoxScore, nullptr, kHeadings[i], QRect(6, top, 44, 20));
    const auto addCounter = [this, top](const char* name, int left) {
      QLabel* counter = AddCaption(GroupBoxScore, name, QString(), QRect(left, top, 28, 20));
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
  Sync();
  FocusMinute();
}

void TForm8::Sync() {
  ShowTime();
  ShowLine();
  ShowStations();
  ShowTextLists();
}

void TForm8::ShowGridAndScore() {
  gridModel_->SetRows(model_.GridRows());
  SelectLastLogGridRow(StringGrid1);
  ShowScore();
}

void TForm8::ShowRecordedRowsAndScore() {
  gridModel_->FollowRows(model_.GridRows());
  SelectLastLogGridRow(StringGrid1);
  ShowScore();
}

void TForm8::ShowScore() {
  const ScoreValues& s = ctx_.score;
  const std::array<int, 5> cw = {s.ktdCw, s.hbCw, s.euCw, s.cwQsos, s.cwPoints};
  const std::array<int, 5> ssb = {s.ktdSsb, s.hbSsb, s.euSsb, s.ssbQsos, s.ssbPoints};
  for (size_t i = 0; i < cw.size(); ++i) {
    ShowCounter(cwCounters_[i], cw[i]);
    ShowCounter(ssbCounters_[i], ssb[i]);
  }
}

void TForm8::ShowTime() {
  const auto show = [](QLineEdit* field, const std::string& digits) {
    const QString text = QString::fromLatin1(digits.c_str());
    if (field->text() == text) return;
    field->setText(text);
    field->setCursorPosition(2);
  };
  show(EditHH, model_.HourText());
  show(EditMM, model_.MinuteText());
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

void TForm8::ShowList(QListWidget* list, const PaperList& content,
                      std::vector<std::string>& shown) {
  if (content.entries != shown) {
    shown = content.entries;
    list->clear();
    for (const std::string& entry : content.entries) list->addItem(QStringFromCp1252(entry));
  }
  if (content.selected >= 0) {
    list->setCurrentRow(content.selected);
  } else {
    list->setCurrentRow(-1);
    list->clearSelection();
  }
}

void TForm8::ShowStations() {
  showingLists_ = true;
  ShowList(ListBoxStationen, model_.Stations(), shownStations_);
  showingLists_ = false;
}

void TForm8::ShowTextLists() {
  showingLists_ = true;
  ShowList(ListBoxTexte, model_.PrintedTexts(), shownPrinted_);
  ShowList(ListBox1, model_.PersonalTexts(), shownPersonal_);
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

std::optional<PaperField> TForm8::FieldOf(const QObject* widget) const {
  if (widget == EditHH) return PaperField::Hour;
  if (widget == EditMM) return PaperField::Minute;
  if (widget == CheckBox1) return PaperField::Ssb;
  if (widget == EditStation) return PaperField::Station;
  if (widget == EditRSTsent) return PaperField::RstSent;
  if (widget == EditTextSent) return PaperField::TextSent;
  if (widget == EditRSTrcvd) return PaperField::RstRcvd;
  if (widget == EditTextRcvd) return PaperField::TextRcvd;
  if (widget == ButtonQSOspeichern) return PaperField::Save;
  return std::nullopt;
}

bool TForm8::FieldKeyPress(PaperField field, const QKeyEvent* event) {
  const PaperKeyOutcome outcome = model_.KeyPress(field, PaperKeyOf(event));
  if (outcome.kind == PaperKeyOutcome::Kind::PassToField) return false;
  Sync();
  if (outcome.kind == PaperKeyOutcome::Kind::MoveFocus) Focus(outcome.focus);
  if (outcome.kind == PaperKeyOutcome::Kind::Save) ButtonQSOspeichernClick();
  return true;
}

void TForm8::FieldFocusIn(PaperField field, QLineEdit* edit) {
  const PaperEntry entry = model_.FieldEntered(field);
  Sync();
  if (entry.moveOn) {
    Focus(entry.focus);
    return;
  }
  switch (entry.caret) {
    case PaperCaret::AtEnd:
      edit->deselect();
      edit->end(false);
      break;
    case PaperCaret::SelectAll:
      edit->selectAll();
      break;
    case PaperCaret::AsTheFieldPlacesIt:
      break;
  }
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
  const std::optional<PaperField> field = FieldOf(watched);
  if (!field) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        // The field takes the focus first, so what follows decides the caret and selection.
        watched->event(event);
        if (IsWindowSwitch(static_cast<QFocusEvent*>(event))) {
          // Back from another window (or a context menu): the operator has not entered the field
          // anew, so the line stays as it was.
          model_.ReturnedFromAnotherWindow();
        } else {
          FieldFocusIn(*field, edit);
        }
        return true;
      }
      break;
    case QEvent::FocusOut:
      if (!IsWindowSwitch(static_cast<QFocusEvent*>(event))) {
        model_.FieldLeft(*field);
        Sync();
      }
      break;
    case QEvent::KeyRelease:
      model_.KeyRelease(*field, PaperKeyOf(static_cast<QKeyEvent*>(event)));
      break;
    case QEvent::KeyPress:
      return FieldKeyPress(*field, static_cast<QKeyEvent*>(event));
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm8::CheckBox1Click() {
  const PaperField next = model_.SwitchMode(CheckBox1->isChecked());
  ShowReportLimits();
  Sync();
  Focus(next);
}

void TForm8::ButtonQSOspeichernClick() {
  const PaperSaveOutcome outcome = model_.Save();
  if (outcome == PaperSaveOutcome::Saved) ShowRecordedRowsAndScore();
  Sync();
  Focus(PaperLogModel::FocusAfter(outcome));
}

void TForm8::ButtonEingabeAbbrechenClick() {
  const PaperField next = model_.Cancel();
  Sync();
  Focus(next);
}

void TForm8::ButtonADIFImportierenClick() {
  OpenFileRequest request;
  request.title = "ADIF-Log importieren";
  request.filter = "ADIF-Dateien (*.adi;*.adif)|*.adi;*.adif|Alle Dateien (*)|*";
  request.folder = QString::fromStdString(ctx_.dataFolder);
  const std::optional<QString> chosen = FileDialogs::GetOpenFileName(this, request);
  if (!chosen) return;
  PaperImportOutcome outcome;
  {
    AdifImportProgressDialog progress(this);
    outcome = model_.ImportAdifLog(
        chosen->toStdString(), [&progress](int done, int total) { progress.Report(done, total); });
  }
  // The imported QSOs may have used up the stations and texts of the line being typed: the window
  // starts afresh on the new log, as when it opens.
  if (outcome.logChanged) FormShow();
  UserPrompts::Current().ShowSummary(this, "ADIF-Import", QStringFromCp1252(outcome.summary));
}
