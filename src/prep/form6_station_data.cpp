#include "prep/form6_station_data.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "common/file_failures.h"
#include "common/list_file.h"
#include "common/qt_cp1252.h"
#include "common/text_file.h"
#include "prep/import_hint.h"
#include "prep/station_data_form.h"
#include "prep/station_data_record.h"
#include "prep/station_data_store.h"
#include "services/app_context.h"
#include "services/qt_application.h"
#include "services/qt_clipboard.h"
#include "services/qt_file_dialogs.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_colours.h"
#include "widgets/qt_fonts.h"
#include "widgets/qt_window_helpers.h"

namespace {

constexpr int kClientWidth = 800;
constexpr int kPanelHeight = 64;
constexpr int kScrollTopInWindow = 84;
constexpr int kScrollHeight = 470;
constexpr int kContentHeight = 680;
constexpr int kScrollStep = 20;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

const char* const kItemLabels[kStationItemCount] = {"Transceiver (bzw. TX, RX)",
                                                    "Stromversorgung",
                                                    "Kopfhörer, Lautsprecher",
                                                    "Taster, Paddel, Mikrofon",
                                                    "Antenne, Anpassglieder",
                                                    "Speiseleitung",
                                                    "Masten, Gegengewichte",
                                                    "Abspannmaterial, Isolatoren",
                                                    "PC inkl. Zubehör",
                                                    "Weiterer Stationsbestandteil",
                                                    "Weiterer Stationsbestandteil"};

}  // namespace

TForm6::TForm6(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), data_(std::make_unique<StationData>()) {
  setObjectName("Form6");
  MakeFixedDialog(this);
  setFont(WindowFont());
  BuildControls();
  KeepOnScreen(this, QSize(kClientWidth, kPanelHeight + kScrollHeight + 58));
}

TForm6::~TForm6() = default;

QLineEdit* TForm6::AddEdit(QWidget* parent, const StationField& field, QRect place) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromStdString(field.name));
  edit->setGeometry(place);
  if (field.maxLength > 0) edit->setMaxLength(field.maxLength);
  if (field.kind != StationFieldKind::Text) {
    // Digit fields take typed and pasted characters through their filter only.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
  }
  if (field.kind == StationFieldKind::Weight) {
    edit->setFont(FixedFont());
    edit->setAlignment(Qt::AlignLeft);
  }
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textChanged, this, [this, &field, edit] { EditChange(field, edit); });
  fields_[field.name] = edit;
  return edit;
}

void TForm6::BuildControls() {
  const auto field = [](const char* name) -> const StationField& {
    return *FindStationField(name);
  };

  auto* memo = new QLabel(this);
  memo->setObjectName("Memo1");
  memo->setGeometry(8, 8, kClientWidth - 16, kPanelHeight);
  memo->setText(
      Text("In dieses Formular können der Operator, das QTH und die Stationsdaten eingetragen "
           "werden.\nSie sind Bestandteil des KTD-Logs und werden zusammen mit den QSO-Daten in "
           "der CSV-Datei (*.csv) gespeichert. \nMan kann diese Daten auch aus einer bestehenden "
           "Textdatei des Vorjahres (*.csv oder *.txt) importieren und bearbeiten."));
  memo->setWordWrap(true);
  memo->setTextInteractionFlags(Qt::TextSelectableByMouse);
  SetTextColour(memo, kHintBlue);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setGeometry(8, kScrollTopInWindow, kClientWidth - 16, kScrollHeight);
  ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ScrollBox1->verticalScrollBar()->setSingleStep(kScrollStep);
  // Below the scrolling area: what an import that took nothing says.
  LabelImportHinweis =
      AddImportHint(this, QRect(8, kScrollTopInWindow + kScrollHeight + 4, kClientWidth - 16, 32));
  auto* content = new QWidget;
  content->setObjectName("ScrollContent");
  content->setFixedSize(kClientWidth - 16 - 20, kContentHeight);
  ScrollBox1->setWidget(content);

  auto* qth = new QGroupBox(" KTD-QTH ", content);
  qth->setObjectName("GroupBox1");
  qth->setGeometry(4, 4, 540, 96);
  AddCaption(qth, "Label1", "Ortsname", QRect(10, 24, 72, 20));
  AddEdit(qth, field("EditORT"), QRect(84, 22, 200, 24));
  AddCaption(qth, "Label2", "Kanton", QRect(296, 24, 50, 20));
  ComboBoxKANTON = new QComboBox(qth);
  ComboBoxKANTON->setObjectName("ComboBoxKANTON");
  ComboBoxKANTON->setGeometry(350, 22, 64, 24);
  for (const char* code : kCantonCodes) ComboBoxKANTON->addItem(code);
  ComboBoxKANTON->setCurrentIndex(-1);
  ComboBoxKANTON->installEventFilter(this);
  fields_["ComboBoxKANTON"] = ComboBoxKANTON;
  connect(ComboBoxKANTON, &QComboBox::currentIndexChanged, this, &TForm6::ComboBoxKANTONChange);
  AddCaption(qth, "Label3", "Koordinaten", QRect(10, 58, 72, 20));
  AddEdit(qth, field("EditKOORD_X"), QRect(84, 56, 64, 24));
  AddCaption(qth, "Label4", " / ", QRect(150, 58, 14, 20));
  AddEdit(qth, field("EditKOORD_Y"), QRect(166, 56, 64, 24));
  AddCaption(qth, "Label5", Text("Höhe"), QRect(240, 58, 34, 20));
  AddEdit(qth, field("EditQAH"), QRect(276, 56, 48, 24));
  AddCaption(qth, "Label6", " m ", QRect(326, 58, 20, 20));
  ButtonQTHloeschen = AddPlainButton(qth, "ButtonQTHloeschen", Text("KTD-QTH-Daten löschen"),
                                     QRect(354, 54, 176, 28));

  auto* stationData = new QGroupBox(" Stationsdaten ", content);
  stationData->setObjectName("GroupBox2");
  stationData->setGeometry(548, 4, 212, 96);
  ButtonDatenImportieren = AddPlainButton(stationData, "ButtonDatenImportieren",
                                          "Stationsdaten importieren", QRect(10, 22, 192, 28));
  Button1 = AddPlainButton(stationData, "Button1", Text("Alle Stationsdaten löschen"),
                           QRect(10, 58, 192, 28));

  auto* declaration = new QGroupBox(content);
  declaration->setObjectName("GroupBox3");
  declaration->setGeometry(4, 104, 756, 96);
  QLabel* pledge = AddCaption(
      declaration, "Label7",
      Text("Ich bestätige, dass das Wettbewerbsreglement sowie die Konzessions- und "
           "Radiovorschriften genau eingehalten wurden  \nund dass ich mich dem Entscheid der Jury "
           "unterziehe."),
      QRect(10, 8, 736, 36));
  pledge->setTextInteractionFlags(Qt::TextSelectableByMouse);
  pledge->setWordWrap(true);
  AddCaption(declaration, "Label8", "Vorname Name", QRect(10, 58, 92, 20));
  AddEdit(declaration, field("EditOPNAME"), QRect(104, 56, 250, 24));
  AddCaption(declaration, "Label9", "e-Mail", QRect(370, 58, 50, 20));
  AddEdit(declaration, field("EditEMAIL"), QRect(424, 56, 322, 24));

  auto* station = new QGroupBox(" KTD-Station ", content);
  station->setObjectName("GroupBox4");
  station->setGeometry(4, 206, 756, 452);
  AddCaption(station, "Label10", "Ausgangsleistung", QRect(10, 24, 112, 20));
  AddEdit(station, field("EditWATT"), QRect(124, 22, 60, 24));
  AddCaption(station, "Label11", "Watt", QRect(190, 24, 40, 20));
  ButtonStationsdatenloeschen =
      AddPlainButton(station, "ButtonStationsdatenloeschen",
                     Text("KTD-Station : Alle Felder löschen"), QRect(496, 20, 250, 28));
  AddCaption(station, "Label12", "Exakte Beschreibung der verwendeten Komponenten",
             QRect(10, 58, 400, 20));
  for (int item = 1; item <= kStationItemCount; ++item) {
    const int y = 80 + 30 * (item - 1);
    const std::string number = (item < 10 ? "0" : "") + std::to_string(item);
    AddCaption(station, ("LabelSTA" + number).c_str(), Text(kItemLabels[item - 1]),
               QRect(10, y + 2, 200, 20));
    AddEdit(station, field(("EditSTA" + number + "BEZ").c_str()), QRect(214, y, 440, 24));
    AddEdit(station, field(("EditSTA" + number + "GRAMM").c_str()), QRect(660, y, 50, 24));
    AddCaption(station, ("LabelG" + number).c_str(), " g ", QRect(714, y + 2, 20, 20));
  }
  AddCaption(station, "Label13", "Gesamtgewicht", QRect(546, 416, 96, 20));
  const QRect totalPlace(646, 415, 98, 22);
  AddLabelFrame(station, "Shape1", totalPlace);
  LabelGESAMTGEWICHT = AddCaption(station, "LabelGESAMTGEWICHT", "0", totalPlace);
  LabelGESAMTGEWICHT->setFont(FixedFont());
  LabelGESAMTGEWICHT->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LabelGESAMTGEWICHT->setContentsMargins(0, 0, 4, 0);
  SetLabelBackground(LabelGESAMTGEWICHT, Qt::white);

  // Tab follows the Enter chain.
  QWidget* previous = nullptr;
  for (const StationField& f : StationFieldChain()) {
    if (previous != nullptr) setTabOrder(previous, fields_[f.name]);
    previous = fields_[f.name];
  }

  connect(ButtonQTHloeschen, &QPushButton::clicked, this, &TForm6::ButtonQTHloeschenClick);
  connect(ButtonDatenImportieren, &QPushButton::clicked, this,
          &TForm6::ButtonDatenImportierenClick);
  connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
  connect(ButtonStationsdatenloeschen, &QPushButton::clicked, this,
          &TForm6::ButtonStationsdatenloeschenClick);
}

void TForm6::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm6::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TForm6::FormShow() {
  setWindowTitle(
      QStringFromCp1252("VORLAX KTD-Log: Stationsdaten vorbereiten - " + ctx_.ownCallsign));
  ScrollTo(kScrollTop);
  // Fields whose key the file lacks keep what they held (a missing file changes nothing).
  ReadStationDataRecord(file_.Open(ctx_.stationDataFile), *data_);
  ShowRecord();
  ShowImportHint(LabelImportHinweis, {});
  FocusField(StationDataFocusAtOpening(*data_));
  file_.ReportUnreadableLater(this);
}

void TForm6::FormClose() {
  file_.Close([this](bool fileUnreadable, FileFailures& failures) {
    SaveStationDataRecord(ctx_, *data_, fileUnreadable, failures);
  });
}

void TForm6::ShowRecord() {
  showing_ = true;
  for (const StationField& f : StationFieldChain()) {
    if (f.kind == StationFieldKind::Canton) continue;
    auto* edit = static_cast<QLineEdit*>(fields_[f.name]);
    edit->setText(QStringFromCp1252(*StationFieldText(*data_, f.name)));
  }
  const auto canton = std::find(kCantonCodes.begin(), kCantonCodes.end(), data_->canton);
  ComboBoxKANTON->setCurrentIndex(data_->canton.empty() || canton == kCantonCodes.end()
                                      ? -1
                                      : static_cast<int>(canton - kCantonCodes.begin()));
  LabelGESAMTGEWICHT->setText(QStringFromCp1252(data_->totalWeightText));
  showing_ = false;
}

void TForm6::ScrollTo(int position) {
  ScrollBox1->verticalScrollBar()->setValue(position);
}

void TForm6::FocusField(const std::string& name) {
  if (name == "Button1") {
    Button1->setFocus();
  } else {
    fields_[name]->setFocus();
  }
}

void TForm6::EditChange(const StationField& field, QLineEdit* edit) {
  if (showing_) return;
  *StationFieldText(*data_, field.name) = Cp1252FromQString(edit->text());
  if (field.kind == StationFieldKind::Weight) {
    RecomputeStationWeights(*data_);
    LabelGESAMTGEWICHT->setText(QStringFromCp1252(data_->totalWeightText));
  }
}

void TForm6::ComboBoxKANTONChange(int index) {
  if (showing_) return;
  data_->canton =
      index >= 0 && index < static_cast<int>(kCantonCodes.size()) ? kCantonCodes[index] : "";
}

bool TForm6::FieldKeyPress(const StationField& field, QWidget* widget, QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const std::string& next = NextStationField(field.name);
    if (field.name == "EditSTA11GRAMM") ScrollTo(kScrollTop);
    FocusField(next);
    return true;
  }
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (edit == nullptr || field.kind == StationFieldKind::Text) return false;
  QString offered;
  if (IsPasteKey(event)) {
    offered = Clipboard::Text();
  } else if (IsTypedText(event)) {
    offered = event->text();
  } else {
    return false;
  }
  QString accepted;
  for (const QChar c : offered) {
    const std::string byte = Cp1252FromQString(QString(c), kUnrepresentableInput);
    if (byte.size() == 1 && StationFieldAccepts(field.kind, byte[0])) accepted += c;
  }
  if (!accepted.isEmpty()) edit->insert(accepted);
  return true;
}

void TForm6::FieldEnter(const StationField& field, QLineEdit* edit) {
  const FieldEntering entering = EnteringStationField(field, Cp1252FromQString(edit->text()));
  const QString text = QStringFromCp1252(entering.text);
  if (edit->text() != text) edit->setText(text);
  if (entering.scrollTo) ScrollTo(*entering.scrollTo);
  CaretToEndSoon(edit);
}

void TForm6::FieldExit(const StationField& field, QLineEdit* edit) {
  const QString text =
      QStringFromCp1252(LeavingStationField(field, Cp1252FromQString(edit->text())));
  if (edit->text() != text) edit->setText(text);
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  const StationField* field =
      widget != nullptr ? FindStationField(widget->objectName().toStdString()) : nullptr;
  if (field != nullptr) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    switch (event->type()) {
      case QEvent::KeyPress:
        return FieldKeyPress(*field, widget, static_cast<QKeyEvent*>(event));
      case QEvent::FocusIn:
        if (edit != nullptr && !IsWindowSwitch(static_cast<QFocusEvent*>(event)))
          FieldEnter(*field, edit);
        break;
      case QEvent::FocusOut:
        if (edit != nullptr && !IsWindowSwitch(static_cast<QFocusEvent*>(event)))
          FieldExit(*field, edit);
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm6::keyPressEvent(QKeyEvent* event) {
  // Enter belongs to the fields and Esc does not close: the window is closed by its close icon.
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm6::ButtonDatenImportierenClick() {
  OpenFileRequest request;
  request.title = Text("Textdatei mit Stationsdaten öffnen");
  request.filter = "Textdateien (*.csv;*.cbr; *.txt)|*.csv;*.cbr; *.txt|Alle Dateien (*.*)|*.*";
  request.folder = QString::fromStdString(ctx_.dataFolder);
  if (FileExists(ctx_.stationDataFile))
    request.proposedFile = QString::fromStdString(ctx_.stationDataFile);
  if (const std::optional<QString> chosen = FileDialogs::GetOpenFileName(this, request)) {
    const std::string path = chosen->toStdString();
    const ListFileContent file = ReadListFile(path);
    if (file.reason) {
      ShowErrorMessage(UnreadableFileMessage(path, *file.reason));
    } else {
      const bool taken = ImportStationDataFile(file.lines, *data_);
      ShowRecord();
      ShowImportHint(LabelImportHinweis,
                     ImportHint(ImportedList::StationData,
                                taken ? ImportResult::Taken : ImportResult::NoUsableLine, path));
    }
  }
  FocusField("EditOPNAME");
}

void TForm6::ButtonQTHloeschenClick() {
  ClearStationQth(*data_);
  ShowRecord();
  FocusField("EditORT");
}

void TForm6::ButtonStationsdatenloeschenClick() {
  ClearStationEquipment(*data_);
  ShowRecord();
  ScrollTo(kScrollStation);
  FocusField("EditWATT");
}

void TForm6::Button1Click() {
  ClearStationData(*data_);
  ShowRecord();
  FocusField("EditOPNAME");
}
