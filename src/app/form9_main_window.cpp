#include "app/form9_main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "app/closing_sequence.h"
#include "app/main_menu_actions.h"
#include "app/main_menu_state.h"
#include "app/startup.h"
#include "common/clock.h"
#include "common/file_failures.h"
#include "common/qt_cp1252.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "services/qt_application.h"
#include "services/qt_user_prompts.h"
#include "services/qt_window_placement.h"
#include "widgets/qt_colours.h"
#include "widgets/qt_window_helpers.h"

namespace {

// Sizes are logical pixels at 96 dpi; Qt scales them (and the fonts) to the screen's dpi.
constexpr int kClientWidth = 438;
constexpr int kClientHeight = 305;

QColor ShadeColour(LabelShade shade) {
  switch (shade) {
    case LabelShade::Green:
      return kLightGreen;
    case LabelShade::Red:
      return kLightRed;
    case LabelShade::White:
      break;
  }
  return Qt::white;
}

void SetEnabledWhenGiven(QPushButton* button, const std::optional<bool>& enabled) {
  if (enabled) button->setEnabled(*enabled);
}

}  // namespace

TForm9::TForm9(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("Form9");
  // A single fixed border with only the close icon.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFont(QFont("Segoe UI", 9));
  setWindowTitle("VORLAX_KTD_Log");
  BuildControls();
  // The other windows open on the screen the menu is on.
  SetPlacementAnchor(this);
  KeepOnScreen(this, QSize(kClientWidth, kClientHeight));
}

TForm9::~TForm9() = default;

QPushButton* TForm9::AddButton(QWidget* parent, const char* name, const QString& caption,
                               QRect place) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  // Enter presses the focused button, as Space does (what operators know from Windows programs);
  // the menu is no dialog, so no other button ever becomes a default.
  button->setAutoDefault(true);
  return button;
}

QLabel* TForm9::AddMenuLabel(QWidget* parent, const char* labelName, const char* shapeName,
                             const QString& text, QRect place) {
  QLabel* label = AddFramedLabel(parent, labelName, shapeName, text, place);
  ApplyLabel(label, MenuLabel{Cp1252FromQString(text), LabelShade::White});
  return label;
}

void TForm9::BuildControls() {
  // Rows inside each group, 38 pixels apart; buttons 28 high, labels 20 high and centred on them.
  constexpr int kRow1 = 26, kRow2 = 64, kRow3 = 102;
  constexpr int kLabelHeight = 20, kLabelOffset = 4;

  GroupBox1 = new QGroupBox(" Vorbereitungen ", this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 6, 422, 140);

  ButtonTexte =
      AddButton(GroupBox1, "ButtonTexte", "&Textsammlung", QRect(12, kRow1, 150, kButtonHeight));
  Label2 = AddMenuLabel(GroupBox1, "Label2", "Shape2", "0",
                        QRect(176, kRow1 + kLabelOffset, 56, kLabelHeight));
  Label6 = AddCaption(GroupBox1, "Label6", "eigene Texte",
                      QRect(244, kRow1 + kLabelOffset, 166, kLabelHeight));

  ButtonStationen = AddButton(GroupBox1, "ButtonStationen", "KTD-&Stationen",
                              QRect(12, kRow2, 150, kButtonHeight));
  Label3 = AddMenuLabel(GroupBox1, "Label3", "Shape3", "0",
                        QRect(176, kRow2 + kLabelOffset, 56, kLabelHeight));
  Label7 = AddCaption(GroupBox1, "Label7", "angemeldete Stationen",
                      QRect(244, kRow2 + kLabelOffset, 166, kLabelHeight));

  ButtonStationsdaten = AddButton(GroupBox1, "ButtonStationsdaten", "Stations&daten",
                                  QRect(12, kRow3, 150, kButtonHeight));
  Label1 = AddMenuLabel(GroupBox1, "Label1", "Shape1", "fehlen",
                        QRect(176, kRow3 + kLabelOffset, 232, kLabelHeight));

  GroupBox2 = new QGroupBox(QString::fromUtf8(" Logführung "), this);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(8, 154, 422, 143);

  ButtonNeuesLog = AddButton(GroupBox2, "ButtonNeuesLog", QString::fromUtf8("Alle QSOs löschen"),
                             QRect(12, kRow1, 150, kButtonHeight));
  ButtonNeuesLog->setToolTip(QString::fromUtf8("Achtung: Alle QSOs vor dem KTD löschen."));
  ButtonAltesLog = AddButton(GroupBox2, "ButtonAltesLog", QString::fromUtf8("Rückgängig"),
                             QRect(12, kRow2, 150, kButtonHeight));
  ButtonAltesLog->setToolTip("QSOs wieder herstellen");
  Label4 = AddMenuLabel(GroupBox2, "Label4", "Shape4", "0",
                        QRect(13, kRow3 + kLabelOffset, 72, kLabelHeight));
  Label5 =
      AddCaption(GroupBox2, "Label5", "QSOs", QRect(96, kRow3 + kLabelOffset, 60, kLabelHeight));

  ButtonLive =
      AddButton(GroupBox2, "ButtonLive", "&KTD live loggen", QRect(236, kRow1, 174, kButtonHeight));
  ButtonPapier = AddButton(GroupBox2, "ButtonPapier", "KTD mit &Papierlog",
                           QRect(236, kRow2, 174, kButtonHeight));
  Button3 =
      AddButton(GroupBox2, "Button3", "&QSOs bearbeiten", QRect(236, kRow3, 174, kButtonHeight));

  connect(ButtonTexte, &QPushButton::clicked, this, &TForm9::ButtonTexteClick);
  connect(ButtonStationen, &QPushButton::clicked, this, &TForm9::ButtonStationenClick);
  connect(ButtonStationsdaten, &QPushButton::clicked, this, &TForm9::ButtonStationsdatenClick);
  connect(ButtonLive, &QPushButton::clicked, this, &TForm9::ButtonLiveClick);
  connect(ButtonPapier, &QPushButton::clicked, this, &TForm9::ButtonPapierClick);
  connect(Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
  connect(ButtonNeuesLog, &QPushButton::clicked, this, &TForm9::ButtonNeuesLogClick);
  connect(ButtonAltesLog, &QPushButton::clicked, this, &TForm9::ButtonAltesLogClick);
}

bool TForm9::StartUp(const std::string& baseFolder, const std::string& sharedFolder) {
  const int year = ctx_.clock.LocalNow().year;

  const auto askCallsign = [](const CallsignQuestion& question) -> std::optional<std::string> {
    std::optional<QString> answer =
        UserPrompts::Current().AskText(nullptr, "KTD-Station", QStringFromCp1252(question.prompt),
                                       QStringFromCp1252(question.initial));
    if (!answer) return std::nullopt;
    return Cp1252FromQString(*answer);
  };
  FileFailures failures;
  const StartupOutcome outcome =
      SettleFilesAndCallsign(ctx_, baseFolder, year, askCallsign, &failures, sharedFolder);
  if (outcome != StartupOutcome::Ready) {
    const std::string message = StartupMessage(outcome, ctx_, failures);
    if (!message.empty()) ShowStartupFailure(message);
    return false;
  }
  if (!failures.Empty()) ShowErrorMessage(failures.Message());
  setWindowTitle(QStringFromCp1252(MainWindowTitle(ctx_.ownCallsign)));

  // Without the log's tables or the prefix data no window can work: the program ends.
  try {
    PrepareLogAndPrefixData(ctx_);
  } catch (const ESQLiteException& e) {
    ShowStartupFailure(e.what());
    return false;
  }
  ctx_.cwMode = true;
  // Suggestions are optional: a broken texte.sqlite is reported and logging goes on without them.
  try {
    LoadSuggestionsWhenPresent(ctx_);
  } catch (const ESQLiteException& e) {
    ctx_.suggestionDb.reset();
    ShowErrorMessage(e.what());
  }
  return true;
}

void TForm9::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The window system's own show events come after ours; the menu is refreshed once per showing.
  if (!event->spontaneous()) FormShow();
}

void TForm9::closeEvent(QCloseEvent* event) {
  event->accept();
  const FileFailures failures = RunClosingSequence(ctx_);
  if (!failures.Empty()) ShowErrorMessage(failures.Message());
}

void TForm9::FormShow() {
  const MainMenuView view = ReadMainMenuView(ctx_);
  ApplyLabel(Label1, view.stationData);
  ApplyLabel(Label2, view.textCount);
  ApplyLabel(Label3, view.stationCount);
  ApplyLabel(Label4, view.qsoCount);
  ApplyButtons(view.buttons);
}

void TForm9::ApplyLabel(QLabel* label, const MenuLabel& value) {
  label->setText(QStringFromCp1252(value.text));
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, ShadeColour(value.shade));
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
}

void TForm9::ApplyButtons(const MenuButtons& buttons) {
  SetEnabledWhenGiven(ButtonTexte, buttons.texte);
  SetEnabledWhenGiven(ButtonStationen, buttons.stationen);
  SetEnabledWhenGiven(ButtonNeuesLog, buttons.neuesLog);
  SetEnabledWhenGiven(ButtonAltesLog, buttons.altesLog);
  SetEnabledWhenGiven(ButtonLive, buttons.live);
  SetEnabledWhenGiven(ButtonPapier, buttons.papier);
}

void TForm9::OpenModal(QDialog* window) {
  hide();
  window->exec();
  show();
}

void TForm9::OpenLogging(QDialog* window) {
  if (!LoggingAllowed(ctx_)) {
    ApplyButtons(ButtonsWhenLoggingRefused());
    return;
  }
  if (window == nullptr) return;
  PrepareLogging(ctx_);
  OpenModal(window);
}

void TForm9::ButtonTexteClick() {
  if (children_.texts == nullptr) return;
  OpenModal(children_.texts);
  ApplyButtons(ButtonsAfterListWindow(ctx_));
}

void TForm9::ButtonStationenClick() {
  if (children_.stations == nullptr) return;
  OpenModal(children_.stations);
  ApplyButtons(ButtonsAfterListWindow(ctx_));
}

void TForm9::ButtonStationsdatenClick() {
  if (children_.stationData == nullptr) return;
  OpenModal(children_.stationData);
}

void TForm9::ButtonLiveClick() {
  OpenLogging(children_.live);
}

void TForm9::ButtonPapierClick() {
  OpenLogging(children_.paper);
}

void TForm9::Button3Click() {
  if (children_.editor == nullptr) return;
  hide();
  children_.editor->exec();
  try {
    TidyLogAfterEditing(ctx_);
  } catch (...) {
    show();  // the menu must come back even when the log could not be rewritten
    throw;
  }
  show();
}

void TForm9::ButtonNeuesLogClick() {
  ClearLogFromMenu(ctx_);
  Label4->setText("0");
  ApplyButtons(ButtonsAfterClear());
}

void TForm9::ButtonAltesLogClick() {
  const std::string count = RestoreLogFromMenu(ctx_);
  Label4->setText(QStringFromCp1252(count));
  ApplyButtons(ButtonsAfterRestore(ctx_));
}
