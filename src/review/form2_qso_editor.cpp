#include "review/form2_qso_editor.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWheelEvent>
#include <algorithm>

#include "common/qt_cp1252.h"
#include "live/qt_log_grid_model.h"
#include "services/app_context.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_text_length_counter.h"
#include "widgets/qt_typed_text_validator.h"
#include "widgets/qt_window_helpers.h"

namespace {

// Sizes are logical pixels at 96 dpi.
constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 584;
constexpr int kGridRowHeight = 22;
constexpr int kGridVisibleRows = 15;
constexpr int kFieldTop = 42;

}  // namespace

TForm2::TForm2(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), model_(ctx.logDbFile) {
  setObjectName("Form2");
  setFont(QFont("Segoe UI", 9));
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
}

TForm2::~TForm2() = default;

QLineEdit* TForm2::AddField(const char* name, const char* caption, int x, int width,
                            const TypedTextRule& rule) {
  AddCaption(GroupBox1, nullptr, caption, QRect(x, kFieldTop - 20, width, 18));
  auto* field = new QLineEdit(GroupBox1);
  field->setObjectName(name);
  field->setGeometry(x, kFieldTop, width, kFieldHeight);
  field->setValidator(new TypedTextValidator(rule, field));
  field->installEventFilter(this);
  connect(field, &QLineEdit::textEdited, this,
          [this, field](const QString& text) { FieldEdited(field, text); });
  return field;
}

QLabel* TForm2::AddHint(const char* name, const QString& text, int y) {
  return ::AddHint(this, name, text, QRect(8, y, 700, 18), kDarkBlue);
}

QLabel* TForm2::AddCounter(const char* name, int x) {
  AddCaption(GroupBox1, nullptr, "Zeichen", QRect(x, kFieldTop + kFieldHeight + 6, 48, 20));
  return AddCountLabel(GroupBox1, name, QRect(x + 52, kFieldTop + kFieldHeight + 6, 32, 20));
}

void TForm2::BuildControls() {
  gridModel_ = new LogGridModel(this);
  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setModel(gridModel_);
  StringGrid1->setGeometry(8, 8, kClientWidth - 16,
                           kGridRowHeight * kGridVisibleRows + kGridRowHeight + 4);
  StringGrid1->setFocusPolicy(Qt::ClickFocus);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->horizontalHeader()->setFixedHeight(kGridRowHeight);
  StringGrid1->installEventFilter(this);
  StringGrid1->viewport()->installEventFilter(this);
  connect(StringGrid1, &QTableView::clicked, this, [this] { LoadCurrentRow(); });

  const int hintTop = StringGrid1->geometry().bottom() + 8;
  AddHint("LabelHinweis1", "Wichtig : Das QSO in der Eingabezeile immer speichern.", hintTop);
  AddHint("LabelHinweis2", "Eingabezeile : Navigation zu leerem Feld mit der Tabulator-Taste.",
          hintTop + 18);
  AddHint("LabelHinweis3",
          QString::fromUtf8("QSO auswählen : [Cursor ab] / [Cursor auf] / Mausrad / [Enter]."),
          hintTop + 36);

  GroupBox1 = new QGroupBox(" QSO in der Eingabezeile ", this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, hintTop + 62, kClientWidth - 16, 104);

  const TypedTextRule time{TypedChars::TimeDigits, false, 4};
  const TypedTextRule callsign{TypedChars::Callsign, true, 0};
  const TypedTextRule report{TypedChars::ReportDigits, false, 3};
  const TypedTextRule text{TypedChars::ExchangeText, false, 0};
  EditUTC = AddField("EditUTC", "UTC", 12, 56, time);
  EditStationK = AddField("EditStationK", "Station", 80, 150, callsign);
  EditRSTsentK = AddField("EditRSTsentK", "Sent", 242, 50, report);
  EditTextSentK = AddField("EditTextSentK", "Text sent", 304, 280, text);
  EditRSTRcvdK = AddField("EditRSTRcvdK", "Rcvd", 596, 50, report);
  EditTextRcvdK = AddField("EditTextRcvdK", "Text rcvd", 658, 300, text);
  LabelZeichenSent = AddCounter("LabelZeichenSent", 304);
  LabelZeichenRcvd = AddCounter("LabelZeichenRcvd", 658);
  connect(EditTextSentK, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextSentK, LabelZeichenSent); });
  connect(EditTextRcvdK, &QLineEdit::textChanged, this,
          [this] { ShowTextLength(EditTextRcvdK, LabelZeichenRcvd); });
  ShowTextLength(EditTextSentK, LabelZeichenSent);
  ShowTextLength(EditTextRcvdK, LabelZeichenRcvd);
  setTabOrder(EditUTC, EditStationK);
  setTabOrder(EditStationK, EditRSTsentK);
  setTabOrder(EditRSTsentK, EditTextSentK);
  setTabOrder(EditTextSentK, EditRSTRcvdK);
  setTabOrder(EditRSTRcvdK, EditTextRcvdK);

  const int buttonTop = GroupBox1->geometry().bottom() + 12;
  const auto addButton = [this, buttonTop](const char* name, const QString& caption, int x,
                                           int width) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(x, buttonTop, width, 30);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
  };
  ButtonQSOspeichern = addButton("ButtonQSOspeichern", "Speichern [Enter]", 8, 160);
  ButtonQSOloeschen = addButton("ButtonQSOloeschen", "Aus dem Log entfernen", 180, 180);
  ButtonLogWiederherstellen =
      addButton("ButtonLogWiederherstellen", QString::fromUtf8("Rückgängig"), 372, 120);
  Button1 = addButton("Button1", QString::fromUtf8("Neues QSO einfügen"), kClientWidth - 188, 180);
  connect(ButtonQSOspeichern, &QPushButton::clicked, this, &TForm2::ButtonQSOspeichernClick);
  connect(ButtonQSOloeschen, &QPushButton::clicked, this, &TForm2::ButtonQSOloeschenClick);
  connect(ButtonLogWiederherstellen, &QPushButton::clicked, this,
          &TForm2::ButtonLogWiederherstellenClick);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm2::FormShow() {
  setWindowTitle(QStringFromCp1252("VORLAX KTD-Log: QSOs bearbeiten - " + ctx_.ownCallsign));
  ApplyLogGridLayout(StringGrid1, kGridRowHeight);
  ButtonQSOloeschen->setEnabled(true);
  model_.Open();
  ShowModel();
  FocusTime();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // Esc does not close the editor: an input line not yet stored would be lost.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm2::ShowModel() {
  gridModel_->SetRows(model_.Rows());
  SelectLastLogGridRow(StringGrid1);
  ButtonLogWiederherstellen->setEnabled(model_.UndoEnabled());
  ShowLine();
}

void TForm2::ShowLine() {
  const EditorQso& line = model_.Line();
  SetTextIfChanged(EditUTC, line.utc);
  SetTextIfChanged(EditStationK, line.rufz);
  SetTextIfChanged(EditRSTsentK, line.s);
  SetTextIfChanged(EditTextSentK, line.stxt);
  SetTextIfChanged(EditRSTRcvdK, line.r);
  SetTextIfChanged(EditTextRcvdK, line.rtxt);
}

void TForm2::FocusTime() {
  EditUTC->setFocus(Qt::OtherFocusReason);
}

void TForm2::LoadCurrentRow() {
  const QModelIndex current = StringGrid1->currentIndex();
  if (!current.isValid()) return;
  model_.SelectRow(current.row());
  ShowLine();
}

void TForm2::StepGridRow(int delta) {
  StringGrid1->setFocus(Qt::OtherFocusReason);
  const int rows = gridModel_->rowCount();
  const QModelIndex current = StringGrid1->currentIndex();
  const int from = current.isValid() ? current.row() : rows - 1;
  const int to = std::clamp(from + delta, 0, rows - 1);
  const QModelIndex target = gridModel_->index(to, 1);
  StringGrid1->setCurrentIndex(target);
  StringGrid1->scrollTo(target);
  LoadCurrentRow();
}

EditorField TForm2::FieldOf(const QLineEdit* field) const {
  if (field == EditStationK) return EditorField::Station;
  if (field == EditRSTsentK) return EditorField::RstSent;
  if (field == EditTextSentK) return EditorField::TextSent;
  if (field == EditRSTRcvdK) return EditorField::RstRcvd;
  if (field == EditTextRcvdK) return EditorField::TextRcvd;
  return EditorField::Utc;
}

void TForm2::FieldEdited(QLineEdit* field, const QString& text) {
  EditorQso& line = model_.Line();
  const std::string value = Cp1252FromQString(text);
  switch (FieldOf(field)) {
    case EditorField::Utc:
      line.utc = value;
      break;
    case EditorField::Station:
      line.rufz = value;
      break;
    case EditorField::RstSent:
      line.s = value;
      break;
    case EditorField::TextSent:
      line.stxt = value;
      break;
    case EditorField::RstRcvd:
      line.r = value;
      break;
    case EditorField::TextRcvd:
      line.rtxt = value;
      break;
  }
}

bool TForm2::FieldKeyPress(QLineEdit* field, QKeyEvent* event) {
  if (IsEnterKey(event->key())) {
    if (model_.EnterStores(FieldOf(field))) ButtonQSOspeichernClick();
    return true;  // Enter never reaches the dialog's buttons
  }
  // Up and Down pick the QSO above or below in the grid, as they do there.
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    StepGridRow(event->key() == Qt::Key_Up ? -1 : 1);
    return true;
  }
  return false;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->angleDelta().y() != 0) StepGridRow(wheel->angleDelta().y() > 0 ? -1 : 1);
    return true;
  }
  if (watched == StringGrid1 && event->type() == QEvent::KeyRelease) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        LoadCurrentRow();
        break;
      default:
        break;
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) {
      return FieldKeyPress(field, static_cast<QKeyEvent*>(event));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm2::ButtonQSOspeichernClick() {
  if (!model_.Store()) return;
  ShowModel();
  FocusTime();
}

void TForm2::ButtonQSOloeschenClick() {
  if (!model_.Remove()) return;
  ShowModel();
  FocusTime();
}

void TForm2::ButtonLogWiederherstellenClick() {
  model_.Undo();
  ShowModel();
  FocusTime();
}

void TForm2::Button1Click() {
  model_.NewQso();
  ShowLine();
  FocusTime();
}
