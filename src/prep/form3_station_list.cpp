#include "prep/form3_station_list.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWheelEvent>

#include "common/file_failures.h"
#include "common/list_file.h"
#include "common/qt_cp1252.h"
#include "common/text_file.h"
#include "contest/text_rules.h"
#include "prep/import_hint.h"
#include "prep/station_list.h"
#include "services/app_context.h"
#include "services/qt_application.h"
#include "services/qt_clipboard.h"
#include "services/qt_file_dialogs.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_colours.h"
#include "widgets/qt_fonts.h"
#include "widgets/qt_text_length_counter.h"
#include "widgets/qt_window_helpers.h"

namespace {

constexpr int kClientWidth = 1060;
constexpr int kClientHeight = 512;
constexpr int kVisibleRows = 10;
constexpr int kRowHeight = 20;
constexpr int kColumns = 6;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

TForm3::TForm3(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), model_(std::make_unique<StationList>()) {
  setObjectName("Form3");
  MakeFixedDialog(this);
  setFont(WindowFont());
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
}

TForm3::~TForm3() = default;

QLineEdit* TForm3::AddField(QWidget* parent, const char* name, const char* caption, QRect place) {
  AddCaption(parent, (std::string("Caption") + name).c_str(), Text(caption),
             QRect(place.left(), place.top() - 18, place.width(), 16));
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setGeometry(place);
  // Every character goes through the field's filter: no input method, no drops, no menu paste.
  field->setAttribute(Qt::WA_InputMethodEnabled, false);
  field->setAcceptDrops(false);
  field->setContextMenuPolicy(Qt::NoContextMenu);
  field->installEventFilter(this);
  return field;
}

void TForm3::BuildControls() {
  auto* groupList = new QGroupBox(" Liste der angemeldeten KTD-Stationen ", this);
  groupList->setObjectName("GroupBox1");
  groupList->setGeometry(8, 8, 1044, 296);

  StringGrid1 = new QTableWidget(0, kColumns, groupList);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setHorizontalHeaderLabels(
      {"Station", "Name", "1. Text", "2. Text", "3. Text", "4. Text"});
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
  StringGrid1->horizontalHeader()->setFixedHeight(kRowHeight + 2);
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->horizontalHeader()->setSectionsClickable(false);
  StringGrid1->setGeometry(10, 24, 1024, kRowHeight + 2 + kVisibleRows * kRowHeight + 4);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setFocusPolicy(Qt::ClickFocus);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int widths[kColumns] = {112, 110, 196, 196, 196};
  for (int c = 0; c < kColumns - 1; ++c) StringGrid1->setColumnWidth(c, widths[c]);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->viewport()->installEventFilter(this);

  AddCaption(groupList, "Label7", "Anzahl Stationen", QRect(10, 262, 110, 20));
  Label8 = AddCountLabel(groupList, "Label8", QRect(124, 262, 50, 20));
  Label9 =
      AddHint(groupList, "Label9", Text("Markierung nach oben/unten bewegen : [Cursor] / Mausrad"),
              QRect(196, 262, 400, 20));
  ButtonStationenImportieren = AddPlainButton(groupList, "ButtonStationenImportieren",
                                              "Stationen importieren", QRect(854, 258, 180, 28));
  // In the hint line, in place of the navigation hint while it is shown.
  LabelImportHinweis = AddImportHint(groupList, QRect(196, 256, 650, 36));

  auto* groupEdit = new QGroupBox(Text(" Die ausgewählte KTD-Station bearbeiten "), this);
  groupEdit->setObjectName("GroupBox2");
  groupEdit->setGeometry(8, 312, 1044, 192);

  Edit4 = AddField(groupEdit, "Edit4", "Station", QRect(10, 44, 130, 24));
  Edit1 = AddField(groupEdit, "Edit1", "Name", QRect(150, 44, 150, 24));
  const char* textNames[] = {"Edit2", "Edit3", "Edit5", "Edit6"};
  const char* lengthNames[] = {"Label2", "Label3", "Label13", "Label14"};
  const char* captions[] = {"1. Text", "2. Text", "3. Text", "4. Text"};
  for (int t = 0; t < kStationTextCount; ++t) {
    const int x = 10 + (t % 2) * 380;
    const int y = 96 + (t / 2) * 48;
    const auto i = static_cast<std::size_t>(t);
    textFields_[i] = AddField(groupEdit, textNames[t], captions[t], QRect(x, y, 310, 24));
    textLengths_[i] = AddCountLabel(groupEdit, lengthNames[t], QRect(x + 318, y + 2, 34, 20));
    textLengths_[i]->hide();
    connect(textFields_[i], &QLineEdit::textChanged, this, [this, t] { TextFieldChange(t); });
  }
  // Tab runs through the four texts only; everything else is reached by mouse.
  Edit4->setFocusPolicy(Qt::ClickFocus);
  Edit1->setFocusPolicy(Qt::ClickFocus);
  for (int t = 0; t + 1 < kStationTextCount; ++t)
    setTabOrder(textFields_[static_cast<std::size_t>(t)],
                textFields_[static_cast<std::size_t>(t + 1)]);

  ButtonOK =
      AddPlainButton(groupEdit, "ButtonOK", "Aktualisieren [Enter]", QRect(814, 40, 220, 28));
  Button1 = AddPlainButton(groupEdit, "Button1", "Station aus der Liste entfernen",
                           QRect(814, 92, 220, 28));
  Button2 = AddPlainButton(groupEdit, "Button2", Text("Fehlende Station einfügen"),
                           QRect(814, 140, 220, 28));
  for (QPushButton* button : {ButtonStationenImportieren, ButtonOK, Button1, Button2})
    button->setFocusPolicy(Qt::ClickFocus);
  AddHint(groupEdit, "Label10", Text("Ins nächste Feld : [Tabulator]"), QRect(320, 46, 300, 20));

  connect(ButtonStationenImportieren, &QPushButton::clicked, this,
          &TForm3::ButtonStationenImportierenClick);
  connect(ButtonOK, &QPushButton::clicked, this, &TForm3::ButtonOKClick);
  connect(Button1, &QPushButton::clicked, this, &TForm3::ButtonStationLoeschenClick);
  connect(Button2, &QPushButton::clicked, this, &TForm3::ButtonStationEinfuegenClick);
  connect(Edit4, &QLineEdit::textChanged, this, &TForm3::Edit4Change);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { StringGrid1SelectCell(row); });
}

void TForm3::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm3::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TForm3::FormShow() {
  setWindowTitle(
      QStringFromCp1252("VORLAX KTD-Log: KTD-Stationen vorbereiten - " + ctx_.ownCallsign));
  ButtonStationenImportieren->setEnabled(true);
  const std::vector<std::string> lines = file_.Open(ctx_.stationListFile);
  model_->Load(lines, ctx_.ownCallsign);
  ShowList();
  ShowImportResult({});
  if (lines.empty()) {
    ButtonStationenImportieren->setFocus();
  } else {
    textFields_[0]->setFocus();
  }
  file_.ReportUnreadableLater(this);
}

void TForm3::FormClose() {
  for (QLineEdit* field : {Edit4, Edit1}) field->clear();
  for (QLineEdit* field : textFields_) field->clear();
  file_.Close([this](bool fileUnreadable, FileFailures& failures) {
    const std::vector<std::string> lines = model_->LinesForClosing(ctx_.ownCallsign);
    ctx_.stationListPresent = SaveListFile(ctx_.stationListFile, lines, fileUnreadable, failures);
  });
}

void TForm3::ShowList() {
  showing_ = true;
  const std::vector<StationRow>& stations = model_->Stations();
  StringGrid1->setRowCount(model_->EntryRow() + 1);
  for (int r = 0; r <= model_->EntryRow(); ++r) {
    const StationRow empty;
    const StationRow& station =
        r < model_->StationCount() ? stations[static_cast<std::size_t>(r)] : empty;
    const std::string* cells[kColumns] = {&station.callsign, &station.name,     &station.texts[0],
                                          &station.texts[1], &station.texts[2], &station.texts[3]};
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem(QStringFromCp1252(*cells[c]));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      StringGrid1->setItem(r, c, item);
    }
  }
  StringGrid1->setCurrentCell(model_->SelectedRow(), 0);
  StringGrid1->scrollToItem(StringGrid1->item(model_->SelectedRow(), 0));
  showing_ = false;
  Label8->setText(QString::number(model_->StationCount()));
  Label8->setVisible(model_->CountVisible());
  ShowFields();
}

void TForm3::ShowImportResult(const std::string& hint) {
  ShowImportHint(LabelImportHinweis, hint);
  Label9->setVisible(hint.empty());
}

void TForm3::ShowFields() {
  const StationRow fields = model_->SelectedFields();
  Edit4->setText(QStringFromCp1252(fields.callsign));
  Edit1->setText(QStringFromCp1252(fields.name));
  for (std::size_t t = 0; t < textFields_.size(); ++t)
    textFields_[t]->setText(QStringFromCp1252(fields.texts[t]));
}

int TForm3::TextIndexOf(const QLineEdit* field) const {
  for (std::size_t t = 0; t < textFields_.size(); ++t)
    if (textFields_[t] == field) return static_cast<int>(t);
  return -1;
}

bool TForm3::EditKeyPress(QLineEdit* field, QKeyEvent* event) {
  const bool isText = TextIndexOf(field) >= 0;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ButtonOKClick();
      return true;
    case Qt::Key_Escape:
      ButtonStationEinfuegenClick();
      return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
      model_->MoveSelection(event->key() == Qt::Key_Down ? 1 : -1);
      ShowList();
      return true;
    case Qt::Key_Insert:
      // Only Shift+Insert in a text field does something: the cleaned paste.
      if (isText && RelevantModifiers(event) == Qt::ShiftModifier) PasteIntoTextField(field);
      return true;
    default:
      break;
  }
  if (IsPasteKey(event)) {
    if (isText) PasteIntoTextField(field);
    return true;
  }
  if (!IsTypedText(event)) return false;
  QString accepted;
  for (const QChar typed : event->text()) {
    const std::string byte = Cp1252FromQString(QString(typed), kUnrepresentableInput);
    if (byte.size() != 1) continue;
    const char c = byte[0];
    if (field == Edit4) {
      if (IsCallsignCharacter(c)) accepted += typed.toUpper();
    } else if (field == Edit1) {
      if (IsNameCharacter(c)) accepted += typed;
    } else if (IsAllowedTextCharacter(c)) {
      accepted += typed;
    }
  }
  if (!accepted.isEmpty()) field->insert(accepted);
  return true;
}

void TForm3::PasteIntoTextField(QLineEdit* field) {
  const std::string clipboard = Cp1252FromQString(Clipboard::Text(), kUnrepresentableInput);
  const std::optional<std::string> text =
      PastedStationText(Cp1252FromQString(field->text()), clipboard);
  if (!text) return;
  field->setText(QStringFromCp1252(*text));
  field->end(false);
}

void TForm3::TextFieldChange(int text) {
  const auto t = static_cast<std::size_t>(text);
  const TextLengthShade shade = ShowTextLength(textFields_[t], textLengths_[t]);
  ButtonOK->setEnabled(shade != TextLengthShade::Short);
}

void TForm3::Edit4Change() {
  const bool own = Cp1252FromQString(Edit4->text()) == ctx_.ownCallsign;
  SetFieldBackground(Edit4, own ? kLightRed : QColor(Qt::white));
}

void TForm3::Edit4Exit() {
  if (const std::optional<std::string> callsign =
          CallsignOnLeaving(Cp1252FromQString(Edit4->text())))
    Edit4->setText(QStringFromCp1252(*callsign));
}

void TForm3::StringGrid1SelectCell(int row) {
  if (showing_ || row < 0) return;
  model_->SelectRow(row);
  ShowFields();
}

void TForm3::ButtonOKClick() {
  StationRow fields;
  fields.callsign = Cp1252FromQString(Edit4->text());
  fields.name = Cp1252FromQString(Edit1->text());
  for (std::size_t t = 0; t < textFields_.size(); ++t)
    fields.texts[t] = Cp1252FromQString(textFields_[t]->text());
  const StationList::StoreResult result = model_->Store(fields, ctx_.ownCallsign);
  switch (result.outcome) {
    case StationList::StoreOutcome::Ignored:
      return;
    case StationList::StoreOutcome::OwnCallsign:
      Edit4->setText(QStringFromCp1252(result.callsign));
      [[fallthrough]];
    case StationList::StoreOutcome::Refused:
      Edit4->setFocus();
      Edit4->end(false);
      return;
    case StationList::StoreOutcome::Stored:
      ShowList();
      return;
  }
}

void TForm3::ButtonStationLoeschenClick() {
  model_->RemoveSelected();
  ShowList();
}

void TForm3::ButtonStationEinfuegenClick() {
  model_->SelectEntryRow();
  ShowList();
  Edit4->setFocus();
  Edit4->end(false);
}

void TForm3::ButtonStationenImportierenClick() {
  OpenFileRequest request;
  request.title = Text("Textdatei mit KTD-Stationen öffnen");
  request.filter =
      "Textdateien (*.txt; *.csv)|*.txt; *.csv|CSV-Dateien (*.csv; *.txt)|*.csv; *.txt|Alle "
      "Dateien (*.*)|*.*";
  request.folder = QString::fromStdString(ctx_.dataFolder);
  if (FileExists(ctx_.stationListFile)) {
    request.proposedFile = QString::fromStdString(ctx_.stationListFile);
  } else if (FileExists(ctx_.sampleStationsFile)) {
    request.proposedFile = QString::fromStdString(ctx_.sampleStationsFile);
  }
  const std::optional<QString> chosen = FileDialogs::GetOpenFileName(this, request);
  if (!chosen) return;
  const std::string path = chosen->toStdString();
  const ListFileContent file = ReadListFile(path);
  if (file.reason) {
    ShowErrorMessage(UnreadableFileMessage(path, *file.reason));
    return;
  }
  const bool filled = model_->Import(file.lines, ctx_.ownCallsign);
  ShowList();
  ShowImportResult(ImportHint(ImportedList::Stations,
                              filled ? ImportResult::Taken : ImportResult::NoUsableLine, path));
  QLineEdit* focus = filled ? textFields_[0] : Edit4;
  focus->setFocus();
  focus->end(false);
}

void TForm3::keyPressEvent(QKeyEvent* event) {
  // Esc and Enter act in the fields only; the window is closed by its close icon.
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm3::wheelEvent(QWheelEvent* event) {
  const int notches = WheelNotches(event->angleDelta().y());
  StringGrid1->setFocus();
  if (notches != 0) {
    model_->SelectRow(model_->SelectedRow() - notches);
    ShowList();
  }
  event->accept();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1->viewport() && event->type() == QEvent::Wheel) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field != nullptr) {
    switch (event->type()) {
      case QEvent::KeyPress:
        return EditKeyPress(field, static_cast<QKeyEvent*>(event));
      case QEvent::FocusIn:
        if (!IsWindowSwitch(static_cast<QFocusEvent*>(event))) CaretToEndSoon(field);
        break;
      case QEvent::FocusOut:
        if (field == Edit4 && !IsWindowSwitch(static_cast<QFocusEvent*>(event))) Edit4Exit();
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}
