#include "prep/form5_text_collection.h"

#include <QAction>
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
#include "prep/text_collection.h"
#include "prep/text_collection_store.h"
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

constexpr int kClientWidth = 760;
constexpr int kClientHeight = 488;
constexpr int kVisibleRows = 15;
constexpr int kRowHeight = 20;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Shift, Ctrl or both with Up or Down: -1 or +1; 0 for any other key.
int MoveDirection(const QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = RelevantModifiers(event);
  if (mods == Qt::NoModifier || (mods & (Qt::AltModifier | Qt::MetaModifier))) return 0;
  if (event->key() == Qt::Key_Up) return -1;
  if (event->key() == Qt::Key_Down) return 1;
  return 0;
}

}  // namespace

TForm5::TForm5(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), model_(std::make_unique<TextCollection>()) {
  setObjectName("Form5");
  MakeFixedDialog(this);
  setFont(WindowFont());
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
}

TForm5::~TForm5() = default;

void TForm5::BuildControls() {
  auto* groupCollection = new QGroupBox(" Textsammlung ", this);
  groupCollection->setObjectName("GroupBox1");
  groupCollection->setGeometry(8, 8, 470, 400);

  StringGrid1 = new QTableWidget(0, 3, groupCollection);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setGeometry(10, 24, 450, kVisibleRows * kRowHeight + 4);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The text column takes what the number and length columns leave (ratio 60 : 310 : 50); the
  // widths are set once the grid has its size (FormShow).
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  StringGrid1->installEventFilter(this);
  StringGrid1->viewport()->installEventFilter(this);

  LabelAnzahl = AddCaption(groupCollection, "Label2", "Anzahl :", QRect(10, 336, 56, 20));
  LabelAnzahlTexte = AddCountLabel(groupCollection, "LabelAnzahlTexte", QRect(68, 336, 44, 20));
  AddHint(groupCollection, "Label3", Text("Markierter Text verschieben : [Shift]+[Cursor]"),
          QRect(150, 336, 310, 20));

  ButtonImportieren = AddPlainButton(groupCollection, "ButtonImportieren", "Sammlung importieren",
                                     QRect(10, 362, 146, 28));
  ButtonLoeschen = AddPlainButton(groupCollection, "ButtonLoeschen", Text("Sammlung löschen"),
                                  QRect(162, 362, 146, 28));
  Button1 =
      AddPlainButton(groupCollection, "Button1", Text("Rückgängig"), QRect(314, 362, 146, 28));

  auto* groupMarked = new QGroupBox(" Markierter Text ", this);
  groupMarked->setObjectName("GroupBox2");
  groupMarked->setGeometry(486, 8, 266, 100);
  Button2 = AddPlainButton(groupMarked, "Button2", Text("Markierter Text  löschen"),
                           QRect(10, 24, 246, 28));
  Button4 = AddPlainButton(groupMarked, "Button4", "Markierter Text ins Eingabefeld kopieren",
                           QRect(10, 60, 246, 28));

  auto* groupAllowed = new QGroupBox(" Erlaubte Zeichen in KTD-Texten ", this);
  groupAllowed->setObjectName("GroupBox3");
  groupAllowed->setGeometry(486, 116, 266, 92);
  QLabel* allowed = AddHint(groupAllowed, "Label4", " A-Z a-z 0-9 . - / ?", QRect(10, 24, 246, 24));
  QFont allowedFont = FixedFont();
  allowedFont.setPointSize(11);
  allowed->setFont(allowedFont);
  QLabel* conversion =
      AddHint(groupAllowed, "Label5", Text("Automatische Umwandlung von z.B. ä > ae, é > e usw."),
              QRect(10, 50, 246, 36));
  conversion->setWordWrap(true);

  // Between the groups on the right: what an import that took nothing says.
  LabelImportHinweis = AddImportHint(this, QRect(490, 220, 258, 96));

  auto* groupNew = new QGroupBox(" Neuer Text nach der Markierung einfügen ", this);
  groupNew->setObjectName("GroupBox4");
  groupNew->setGeometry(8, 416, 470, 64);
  Edit1 = new QLineEdit(groupNew);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(10, 26, 300, 26);
  // Every character goes through the text rules: no input method, no drops, and the window's own
  // paste instead of the field's.
  Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
  Edit1->setAcceptDrops(false);
  Edit1->setContextMenuPolicy(Qt::NoContextMenu);
  Edit1->installEventFilter(this);
  Label1 = AddCountLabel(groupNew, "Label1", QRect(318, 29, 34, 20));
  Label1->hide();
  Button3 = AddPlainButton(groupNew, "Button3", Text("Einfügen [Enter]"), QRect(360, 25, 100, 28));

  auto* groupInput = new QGroupBox(" Text im Eingabefeld ", this);
  groupInput->setObjectName("GroupBox5");
  groupInput->setGeometry(486, 416, 266, 64);
  Button6 = AddPlainButton(groupInput, "Button6", Text("Eingabefeld löschen [Esc]"),
                           QRect(10, 25, 246, 28));

  // The window's context menu; Shift+Insert pastes wherever the focus is.
  PasteAction = new QAction(Text("KTD-Text(e) einfügen"), this);
  PasteAction->setObjectName("PasteAction");
  PasteAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  PasteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(PasteAction);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  connect(ButtonImportieren, &QPushButton::clicked, this, &TForm5::ButtonImportierenClick);
  connect(ButtonLoeschen, &QPushButton::clicked, this, &TForm5::ButtonLoeschenClick);
  connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
  connect(Button6, &QPushButton::clicked, this, &TForm5::Button6Click);
  connect(PasteAction, &QAction::triggered, this, &TForm5::PasteTexts);
  connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!showing_) model_->SetInput(Cp1252FromQString(text));
    Edit1Change();
  });
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { StringGrid1SelectCell(row); });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { StringGrid1DblClick(); });
}

void TForm5::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm5::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TForm5::FormShow() {
  setWindowTitle(
      QStringFromCp1252("VORLAX KTD-Log: Textsammlung vorbereiten - " + ctx_.ownCallsign));
  const int width = StringGrid1->viewport()->width();
  StringGrid1->setColumnWidth(0, width * 60 / 420);
  StringGrid1->setColumnWidth(2, width * 50 / 420);

  model_->Open(file_.Open(ctx_.textCollectionFile));
  ShowCollection();
  ShowImportHint(LabelImportHinweis, {});
  ButtonImportieren->setFocus();
  file_.ReportUnreadableLater(this);
}

void TForm5::FormClose() {
  const std::vector<std::string> texts = model_->TakeTextsForClosing();
  ShowCollection();
  file_.Close([this, &texts](bool fileUnreadable, FileFailures& failures) {
    SaveTextCollection(ctx_, texts, fileUnreadable, failures);
  });
}

void TForm5::ShowCollection() {
  showing_ = true;
  const std::vector<TextGridRow> rows = model_->GridRows();
  StringGrid1->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const TextGridRow& row = rows[static_cast<std::size_t>(r)];
    const std::string* cells[] = {&row.number, &row.text, &row.length};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(QStringFromCp1252(*cells[c]));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (c != 1) item->setTextAlignment(Qt::AlignCenter);
      StringGrid1->setItem(r, c, item);
    }
  }
  const int selected = model_->SelectedRow();
  if (selected >= 0) {
    StringGrid1->setCurrentCell(selected, 1);
    StringGrid1->scrollToItem(StringGrid1->item(selected, 1));
  } else {
    StringGrid1->setCurrentCell(-1, -1);
  }
  LabelAnzahlTexte->setText(QString::number(rows.size()));
  const QString input = QStringFromCp1252(model_->Input());
  if (Edit1->text() != input) Edit1->setText(input);
  showing_ = false;
  Edit1Change();
}

void TForm5::FocusInput() {
  Edit1->setFocus();
  Edit1->setCursorPosition(Edit1->text().size());
}

void TForm5::Edit1Change() {
  ShowTextLength(Edit1, Label1, model_->Input());
  Button3->setEnabled(model_->CanInsertInput());
  Button6->setEnabled(model_->CanClearInput());
  LabelAnzahlTexte->setVisible(model_->CountVisible());
}

bool TForm5::Edit1KeyPress(QKeyEvent* event) {
  if (IsPasteKey(event)) {
    PasteTexts();
    return true;
  }
  if (const int direction = MoveDirection(event)) {
    MoveMarkedText(direction);
    return true;
  }
  if (event->key() == Qt::Key_Up && RelevantModifiers(event) == Qt::NoModifier) {
    StringGrid1->setFocus();
    return true;
  }
  if (!IsTypedText(event)) return false;
  std::string text = model_->Input();
  int caret = Edit1->cursorPosition();
  int selection = 0;
  if (Edit1->hasSelectedText()) {
    caret = Edit1->selectionStart();
    selection = static_cast<int>(Edit1->selectedText().size());
  }
  bool changed = false;
  for (const char c : Cp1252FromQString(event->text(), kUnrepresentableInput)) {
    const std::optional<TypedText> typed = TypeIntoText(text, caret, selection, c);
    if (!typed) continue;
    text = typed->text;
    caret = typed->caret;
    selection = 0;
    changed = true;
  }
  if (changed) {
    Edit1->setText(QStringFromCp1252(text));
    Edit1->setCursorPosition(caret);
  }
  return true;
}

bool TForm5::StringGrid1KeyPress(QKeyEvent* event) {
  if (const int direction = MoveDirection(event)) {
    MoveMarkedText(direction);
    return true;
  }
  if (IsPasteKey(event)) {
    PasteTexts();
    return true;
  }
  const Qt::KeyboardModifiers mods = RelevantModifiers(event);
  if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  char key = 0;
  if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
    key = static_cast<char>('A' + (event->key() - Qt::Key_A));
  } else if (event->text().size() == 1 &&
             (event->text()[0].isDigit() || event->text()[0] == QLatin1Char(' '))) {
    key = static_cast<char>(event->text()[0].toLatin1());
  }
  if (key == 0 || !GridKeyForInput(key, false)) return false;
  model_->AppendGridKey(key, mods == Qt::ShiftModifier);
  showing_ = true;
  Edit1->setText(QStringFromCp1252(model_->Input()));
  showing_ = false;
  Edit1Change();
  FocusInput();
  return true;
}

void TForm5::StringGrid1SelectCell(int row) {
  if (showing_ || row < 0) return;
  model_->SelectRow(row);
}

void TForm5::StringGrid1DblClick() {
  if (Button3->isEnabled()) Button3Click();
}

void TForm5::MoveMarkedText(int direction) {
  model_->MoveSelected(direction);
  ShowCollection();
}

void TForm5::WheelOverWindow(int notches) {
  if (model_->Input().empty()) StringGrid1->setFocus();
  if (StringGrid1->rowCount() == 0) return;
  const int row = std::clamp(StringGrid1->currentRow() - notches, 0, StringGrid1->rowCount() - 1);
  StringGrid1->setCurrentCell(row, 1);
}

void TForm5::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (Button3->isEnabled()) Button3Click();
      event->accept();
      return;
    case Qt::Key_Escape:
      // Esc clears the input; it never closes the window.
      EscapeKey();
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TForm5::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) WheelOverWindow(WheelNotches(delta));
  event->accept();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == Edit1) return Edit1KeyPress(key);
    if (watched == StringGrid1) return StringGrid1KeyPress(key);
  }
  if (event->type() == QEvent::Wheel && watched == StringGrid1->viewport()) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm5::ButtonImportierenClick() {
  OpenFileRequest request;
  request.title = Text("Textdatei mit KTD-Texten öffnen");
  request.filter = "Textdateien (*.txt;)|*.txt;|Alle Dateien (*.*)|*.*";
  request.folder = QString::fromStdString(ctx_.dataFolder);
  if (FileExists(ctx_.textCollectionFile)) {
    request.proposedFile = QString::fromStdString(ctx_.textCollectionFile);
  } else if (FileExists(ctx_.sampleTextsFile)) {
    request.proposedFile = QString::fromStdString(ctx_.sampleTextsFile);
  }
  const std::optional<QString> chosen = FileDialogs::GetOpenFileName(this, request);
  if (!chosen) return;
  const std::string path = chosen->toStdString();
  const ListFileContent file = ReadListFile(path);
  if (file.reason) {
    ShowErrorMessage(UnreadableFileMessage(path, *file.reason));
    return;
  }
  const ImportResult result = model_->Import(file.lines);
  ShowCollection();
  ShowImportHint(LabelImportHinweis, ImportHint(ImportedList::Texts, result, path));
  FocusInput();
}

void TForm5::PasteTexts() {
  const QString clipboard = Clipboard::Text();
  if (clipboard.isEmpty()) return;
  model_->Paste(Cp1252FromQString(clipboard, kUnrepresentableInput));
  ShowCollection();
  FocusInput();
}

void TForm5::Button3Click() {
  model_->InsertInput();
  ShowCollection();
  FocusInput();
}

void TForm5::Button4Click() {
  model_->CopySelectedToInput();
  ShowCollection();
  FocusInput();
}

void TForm5::Button2Click() {
  model_->DeleteSelected();
  ShowCollection();
}

void TForm5::ButtonLoeschenClick() {
  model_->DeleteAll();
  ShowCollection();
  FocusInput();
}

void TForm5::Button1Click() {
  model_->Undo();
  ShowCollection();
  FocusInput();
}

void TForm5::Button6Click() {
  model_->ClearInput();
  ShowCollection();
  FocusInput();
}

void TForm5::EscapeKey() {
  model_->Escape();
  ShowCollection();
}
