// The main window as the operator meets it: start-up in a fresh working folder, the own callsign,
// the counts and colours of the menu, the button states, clearing and restoring the log, and a
// database failure during an action.

#include <sys/stat.h>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/form9_main_window.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "services/qt_application.h"
#include "support/ordinary_user.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

const QColor kLightGreen(0xE0, 0xFF, 0xE0);
const QColor kLightRed(0xFF, 0xE0, 0xE0);

// A working folder with db/, data/ and db/dxcc.sqlite: the generated one when the build provides
// it.
void PutPrefixDatabase(const TempFolder& folder) {
  QVERIFY(MakeFolder(folder / "db"));
  QVERIFY(MakeFolder(folder / "data"));
  const char* generated = std::getenv("KTD_DXCC_DB");
  if (generated != nullptr && FileExists(generated)) {
    std::filesystem::copy_file(generated, folder / "db/dxcc.sqlite");
  } else {
    WriteSmallDxccDb(folder / "db/dxcc.sqlite", SwissAndNeighbourPrefixes());
  }
}

// The same, with HB9XYZ/P as the own callsign.
void PutFolderOfHb9xyz(const TempFolder& folder) {
  PutPrefixDatabase(folder);
  QVERIFY(WriteLinesAtomic(folder / "db/Rufzeichen.dat", {"HB9XYZ/P"}));
}

std::vector<std::string> NumberedLines(const std::string& stem, int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back(stem + std::to_string(i));
  return lines;
}

// The program as started in one working folder, with a fixed date in 2024.
struct Program {
  FixedClock clock;
  AppContext ctx{clock};
  std::unique_ptr<TForm9> form;

  bool Start(const TempFolder& folder) { return StartIn(folder.path()); }
  bool StartIn(const std::string& path, const std::string& shared = {}) {
    form = std::make_unique<TForm9>(ctx);
    return form->StartUp(path, shared);
  }

  template <typename T>
  T* Find(const char* name) const {
    return form->findChild<T*>(name);
  }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QLabel* Label(const char* name) const { return Find<QLabel>(name); }

  void ShowAndActivate() {
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void AddQsos(int count) const {
    TSQLiteDatabase db(ctx.logDbFile);
    for (int i = 0; i < count; ++i) {
      db.AddParamText(":utc", "09" + std::to_string(10 + i));
      db.AddParamText(":rufz", "HB9A" + std::string(1, static_cast<char>('A' + i)) + "/P");
      db.ExecSQL(
          "INSERT INTO ktd VALUES (:utc, :rufz, '599', 'Text fuer den KTD', '599', 'Antwort vom "
          "KTD', '1', '0', '1', '0', '0')");
    }
  }

  std::string QsoCount() const {
    TSQLiteDatabase db(ctx.logDbFile);
    return QueryText(db, "SELECT count(*) FROM ktd");
  }
};

bool VisibleWindowExists() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) return true;
  return false;
}

// Presses a button as the operator does: focus on it, then Space (or the key given).
void Press(QPushButton* button, Qt::Key key = Qt::Key_Space) {
  QVERIFY(button != nullptr);
  QVERIFY(button->isEnabled());
  button->setFocus(Qt::TabFocusReason);
  QCOMPARE(QApplication::focusWidget(), button);
  QTest::keyClick(QApplication::focusWidget(), key,
                  key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

// The texts of a dialog's buttons, sorted.
QStringList ButtonTexts(const QWidget* dialog) {
  QStringList texts;
  for (const QPushButton* button : dialog->findChildren<QPushButton*>()) texts << button->text();
  texts.sort();
  return texts;
}

QColor Background(const QLabel* label) {
  return label->palette().color(QPalette::Window);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartWithoutPrefixDatabaseTouchesNothingAndSaysHowToPrepare();
  void programInAFolderNeverPreparedSaysSoOnStderrAndCreatesNothing();
  void preparingAFolderFromSharedFiles();
  void brokenPrefixDatabaseShowsErrorAndEnds();
  void brokenSuggestionDatabaseIsReportedAndStartGoesOn();
  void ownCallsign_data();
  void ownCallsign();
  void callsignDialogSpeaksGerman();
  void fileDialogSpeaksGerman();
  void windowLooksAsDesigned();
  void countsAndColoursFromFiles_data();
  void countsAndColoursFromFiles();
  void buttonsFollowLogState_data();
  void buttonsFollowLogState();
  void clearingThenRestoringTheLog();
  void enterPressesTheFocusedButtonAsSpaceDoes_data();
  void enterPressesTheFocusedButtonAsSpaceDoes();
  void loggingWithoutListsReenablesPreparations();
  void lockedDatabaseShowsErrorAndWindowGoesOn();
  void closingWritesTheFinalOutputs();
  void closingIntoAReadOnlyYearFolderNamesTheFilesNotWritten();
  void aSecondStartInTheSameFolderIsRefused();
};

void MainWindowTest::firstStartWithoutPrefixDatabaseTouchesNothingAndSaysHowToPrepare() {
  TempFolder folder;
  ScriptedPrompts prompts;
  Program program;

  QVERIFY(!program.Start(folder));

  QVERIFY(std::filesystem::is_empty(folder.path()));
  QVERIFY(prompts.questions.empty());
  QCOMPARE(prompts.errors.size(), 1);
  QVERIFY2(prompts.errors.front().contains("vorlax-ktd-log-start [ORDNER]"),
           qPrintable(prompts.errors.front()));
  QVERIFY(!VisibleWindowExists());
}

void MainWindowTest::programInAFolderNeverPreparedSaysSoOnStderrAndCreatesNothing() {
  const QString program = QCoreApplication::applicationDirPath() + "/vorlax-ktd-log";
  if (!QFileInfo::exists(program)) QSKIP("the program is not built");
  TempFolder folder;
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(folder.path()));
  process.setReadChannel(QProcess::StandardError);
  process.start(program, {});
  // The message comes on stderr first; the error box then waits for a person, so the test ends it.
  QString said;
  while (!said.contains("vorlax-ktd-log-start [ORDNER]") && process.waitForReadyRead(20000))
    said += QString::fromUtf8(process.readAllStandardError());
  process.kill();
  process.waitForFinished(20000);
  QVERIFY2(said.contains(QString::fromUtf8("nicht für VORLAX_KTD_Log vorbereitet")),
           qPrintable(said));
  QVERIFY(std::filesystem::is_empty(folder.path()));
}

void MainWindowTest::preparingAFolderFromSharedFiles() {
  TempFolder shared;
  PutPrefixDatabase(shared);
  QVERIFY(WriteFileAtomic(shared / "data/Muster Texte.txt", "Gipfel am Morgen\r\n"));
  TempFolder folder;
  ScriptedPrompts prompts;
  prompts.Answer(QString("hb9zz"));
  Program program;
  QVERIFY(program.StartIn(folder / "Neu/", shared.path()));
  QVERIFY(FileExists(folder / "Neu/db/dxcc.sqlite"));
  QCOMPARE(ReadLines(folder / "Neu/data/Muster Texte.txt"),
           std::vector<std::string>{"Gipfel am Morgen"});
  QVERIFY(prompts.errors.empty());
}

void MainWindowTest::brokenPrefixDatabaseShowsErrorAndEnds() {
  TempFolder folder;
  MakeFolder(folder / "db");
  QVERIFY(WriteFileAtomic(folder / "db/dxcc.sqlite", "this is no database\r\n"));
  QVERIFY(WriteLinesAtomic(folder / "db/Rufzeichen.dat", {"HB9XYZ/P"}));
  ScriptedPrompts prompts;
  Program program;

  QVERIFY(!program.Start(folder));
  QCOMPARE(prompts.errors.size(), 1);
  QVERIFY(!VisibleWindowExists());
}

void MainWindowTest::brokenSuggestionDatabaseIsReportedAndStartGoesOn() {
  TempFolder folder;
  PutPrefixDatabase(folder);
  QVERIFY(WriteFileAtomic(folder / "db/texte.sqlite", "this is no database either\r\n"));
  QVERIFY(WriteLinesAtomic(folder / "db/Rufzeichen.dat", {"HB9XYZ/P"}));
  ScriptedPrompts prompts;
  Program program;

  QVERIFY(program.Start(folder));
  QCOMPARE(prompts.errors.size(), 1);
  QVERIFY(program.ctx.suggestionDb == nullptr);
  QVERIFY(program.ctx.prefixDb != nullptr);
}

void MainWindowTest::ownCallsign_data() {
  QTest::addColumn<bool>("hasFile");
  QTest::addColumn<QByteArray>("fileContent");
  QTest::addColumn<QStringList>("answers");  // "<cancel>" cancels the dialog
  QTest::addColumn<int>("questions");
  QTest::addColumn<bool>("started");
  QTest::addColumn<QString>("own");
  QTest::addColumn<QString>("base");

  const QStringList none;
  QTest::newRow("entered lower case gets /P")
      << false << QByteArray() << QStringList{"hb9abc"} << 1 << true << "HB9ABC/P"
      << "HB9ABC";
  QTest::newRow("entered /P not doubled")
      << false << QByteArray() << QStringList{"  hb9abc/p "} << 1 << true << "HB9ABC/P"
      << "HB9ABC";
  QTest::newRow("four characters suffice")
      << false << QByteArray() << QStringList{"hb9a"} << 1 << true << "HB9A/P"
      << "HB9A";
  QTest::newRow("file used without asking")
      << true << QByteArray("hb9xyz/p\r\nrest\r\n") << none << 0 << true << "HB9XYZ/P"
      << "HB9XYZ";
  QTest::newRow("file without /P completed")
      << true << QByteArray(" HB9XYZ\n") << none << 0 << true << "HB9XYZ/P"
      << "HB9XYZ";
  QTest::newRow("short file asks again")
      << true << QByteArray("HB9\r\n") << QStringList{"he9zz"} << 1 << true << "HE9ZZ/P"
      << "HE9ZZ";
  QTest::newRow("empty file asks")
      << true << QByteArray("") << QStringList{"hb9zz/P"} << 1 << true << "HB9ZZ/P"
      << "HB9ZZ";
  QTest::newRow("cancel ends") << false << QByteArray() << QStringList{"<cancel>"} << 1 << false
                               << ""
                               << "";
  QTest::newRow("three characters end")
      << false << QByteArray() << QStringList{"hb9"} << 1 << false << ""
      << "";
  QTest::newRow("refused entry asked again")
      << false << QByteArray() << QStringList{"hb9 abc", "../hb9abc", "hb9abc"} << 3 << true
      << "HB9ABC/P"
      << "HB9ABC";
  QTest::newRow("path in the file asks, slash kept out of file names")
      << true << QByteArray("../../EVIL\r\n") << QStringList{"hb9/dl1abc"} << 1 << true
      << "HB9/DL1ABC/P"
      << "HB9/DL1ABC";
  QTest::newRow("three characters with blanks end")
      << true << QByteArray("HB\r\n") << QStringList{"  hb9 "} << 1 << false << ""
      << "";
}

void MainWindowTest::ownCallsign() {
  QFETCH(bool, hasFile);
  QFETCH(QByteArray, fileContent);
  QFETCH(QStringList, answers);
  QFETCH(int, questions);
  QFETCH(bool, started);
  QFETCH(QString, own);
  QFETCH(QString, base);

  TempFolder folder;
  PutPrefixDatabase(folder);
  const std::string callsignFile = folder / "db/Rufzeichen.dat";
  if (hasFile) WriteFileAtomic(callsignFile, fileContent.toStdString());
  ScriptedPrompts prompts;
  for (const QString& answer : answers) {
    if (answer == "<cancel>") {
      prompts.Answer(std::nullopt);
    } else {
      prompts.Answer(answer);
    }
  }
  Program program;

  QCOMPARE(program.Start(folder), started);

  QCOMPARE(static_cast<int>(prompts.questions.size()), questions);
  // A refused entry is asked for again, with the reason above the prompt and the entry to correct.
  const QString prompt("Das eigene Rufzeichen eingeben:");
  for (int i = 0; i < questions; ++i) {
    const ScriptedPrompts::Question& q = prompts.questions[i];
    QCOMPARE(q.title, QString("KTD-Station"));
    QCOMPARE(q.prompt.endsWith(prompt), true);
    QCOMPARE(q.prompt == prompt, i == 0);
    QCOMPARE(q.initial, i == 0 ? QString() : answers[i - 1]);
  }
  QVERIFY(!VisibleWindowExists());
  std::string onDisk;
  const bool fileThere = ReadWholeFile(callsignFile, onDisk);
  if (started) {
    QCOMPARE(QString::fromStdString(program.ctx.ownCallsign), own);
    QCOMPARE(QString::fromStdString(program.ctx.baseCallsign), base);
    QCOMPARE(QString::fromStdString(onDisk), own + "\r\n");
    QCOMPARE(program.form->windowTitle(), "VORLAX_KTD_Log 8 10.12.2024 - " + own);
    QCOMPARE(QString::fromStdString(program.ctx.outputStem),
             QString::fromStdString(folder / "data/2024/") + QString(base).replace('/', '_') +
                 "_P 2024");
  } else {
    // Ending leaves the file as it was.
    QCOMPARE(fileThere, hasFile);
    if (hasFile) QCOMPARE(QByteArray::fromStdString(onDisk), fileContent);
  }
}

void MainWindowTest::callsignDialogSpeaksGerman() {
  TempFolder folder;
  PutPrefixDatabase(folder);
  QString title, prompt;
  QStringList buttons;
  // The real input dialog: read it, then answer it from the keyboard.
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !QTest::qWaitForWindowActive(dialog)) return;
    title = dialog->windowTitle();
    prompt = dialog->findChild<QLabel*>()->text();
    buttons = ButtonTexts(dialog);
    QTest::keyClicks(QApplication::focusWidget(), "hb9zz");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  // Should the dialog not be answered, the test fails instead of waiting for a person.
  QTimer::singleShot(20000, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  Program program;

  QVERIFY(program.Start(folder));
  QCOMPARE(title, QString("KTD-Station"));
  QCOMPARE(prompt, QString("Das eigene Rufzeichen eingeben:"));
  QCOMPARE(buttons, (QStringList{"Abbrechen", "OK"}));
  QCOMPARE(QString::fromStdString(program.ctx.ownCallsign), QString("HB9ZZ/P"));
}

void MainWindowTest::fileDialogSpeaksGerman() {
  // Qt's own file dialog, whatever the desktop offers, so that it follows the German texts.
  QVERIFY(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
  QFileDialog dialog;
  QCOMPARE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
           QString("Abbrechen"));
  QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text(), QString("Datei&name:"));
}

void MainWindowTest::windowLooksAsDesigned() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.ShowAndActivate();

  QCOMPARE(program.form->size(), QSize(438, 305));
  QVERIFY(program.form->minimumSize() == program.form->maximumSize());
  const Qt::WindowFlags flags = program.form->windowFlags();
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

  QCOMPARE(program.Find<QGroupBox>("GroupBox1")->title(), QString(" Vorbereitungen "));
  QCOMPARE(program.Find<QGroupBox>("GroupBox2")->title(), QString::fromUtf8(" Logführung "));
  const std::pair<const char*, const char*> captions[] = {
      {"ButtonTexte", "&Textsammlung"},          {"ButtonStationen", "KTD-&Stationen"},
      {"ButtonStationsdaten", "Stations&daten"}, {"ButtonNeuesLog", "Alle QSOs löschen"},
      {"ButtonAltesLog", "Rückgängig"},          {"ButtonLive", "&KTD live loggen"},
      {"ButtonPapier", "KTD mit &Papierlog"},    {"Button3", "&QSOs bearbeiten"}};
  for (const auto& [name, caption] : captions) {
    QVERIFY2(program.Button(name) != nullptr, name);
    QCOMPARE(program.Button(name)->text(), QString::fromUtf8(caption));
  }
  QCOMPARE(program.Button("ButtonNeuesLog")->toolTip(),
           QString::fromUtf8("Achtung: Alle QSOs vor dem KTD löschen."));
  QCOMPARE(program.Button("ButtonAltesLog")->toolTip(), QString("QSOs wieder herstellen"));
  QCOMPARE(program.Label("Label5")->text(), QString("QSOs"));
  QCOMPARE(program.Label("Label6")->text(), QString("eigene Texte"));
  QCOMPARE(program.Label("Label7")->text(), QString("angemeldete Stationen"));

  // Each count label is centred and framed one pixel outside on every side.
  for (int i = 1; i <= 4; ++i) {
    const QByteArray labelName = "Label" + QByteArray::number(i);
    const QByteArray shapeName = "Shape" + QByteArray::number(i);
    const QLabel* label = program.Label(labelName.constData());
    const QFrame* shape = program.Find<QFrame>(shapeName.constData());
    QVERIFY(label != nullptr && shape != nullptr);
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(shape->geometry(), label->geometry().adjusted(-1, -1, 1, 1));
    QCOMPARE(shape->parentWidget(), label->parentWidget());
  }
  QCOMPARE(Background(program.Label("Label4")), QColor(Qt::white));
}

void MainWindowTest::countsAndColoursFromFiles_data() {
  QTest::addColumn<int>("stationDataLines");
  QTest::addColumn<int>("textLines");
  QTest::addColumn<int>("stationLines");
  QTest::addColumn<QString>("label1");
  QTest::addColumn<bool>("label1Green");
  QTest::addColumn<QString>("label2");
  QTest::addColumn<QString>("label3");
  QTest::addColumn<bool>("loggingEnabled");

  QTest::newRow("nothing prepared") << 0 << 0 << 0 << "fehlen noch" << false << "0"
                                    << "0" << false;
  QTest::newRow("texts only") << 0 << 12 << 0 << "fehlen noch" << false << "12"
                              << "0" << false;
  QTest::newRow("stations only") << 0 << 0 << 7 << "fehlen noch" << false << "0"
                                 << "7" << false;
  QTest::newRow("both lists, 20 lines of station data")
      << 20 << 3 << 5 << "data/Stationsdaten 2024.csv" << true << "3"
      << "5" << true;
  QTest::newRow("one line of station data")
      << 1 << 1 << 1 << "data/Stationsdaten 2024.csv" << true << "1"
      << "1" << true;
}

void MainWindowTest::countsAndColoursFromFiles() {
  QFETCH(int, stationDataLines);
  QFETCH(int, textLines);
  QFETCH(int, stationLines);
  QFETCH(QString, label1);
  QFETCH(bool, label1Green);
  QFETCH(QString, label2);
  QFETCH(QString, label3);
  QFETCH(bool, loggingEnabled);

  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  // An empty file counts as missing.
  QVERIFY(WriteLinesAtomic(folder / "data/Stationsdaten 2024.csv",
                           NumberedLines("#;KEY=;", stationDataLines)));
  if (textLines > 0) {
    QVERIFY(WriteLinesAtomic(folder / "data/Textsammlung 2024.csv",
                             NumberedLines("Ein Text fuer den Kontest ", textLines)));
  }
  if (stationLines > 0) {
    QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv",
                             NumberedLines("HB9AA/P,Hans,Text ", stationLines)));
  }
  // Lists of another year are not this year's lists.
  QVERIFY(WriteLinesAtomic(folder / "data/Textsammlung 2023.csv", NumberedLines("Alt ", 4)));
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.ShowAndActivate();

  const auto shade = [](bool green) { return green ? kLightGreen : kLightRed; };
  QCOMPARE(program.Label("Label1")->text(), label1);
  QCOMPARE(Background(program.Label("Label1")), shade(label1Green));
  QCOMPARE(program.Label("Label2")->text(), label2);
  QCOMPARE(Background(program.Label("Label2")), shade(label2 != "0"));
  QCOMPARE(program.Label("Label3")->text(), label3);
  QCOMPARE(Background(program.Label("Label3")), shade(label3 != "0"));
  QCOMPARE(program.Button("ButtonLive")->isEnabled(), loggingEnabled);
  QCOMPARE(program.Button("ButtonPapier")->isEnabled(), loggingEnabled);
  QCOMPARE(program.ctx.stationDataPresent, label1Green);
  QCOMPARE(program.ctx.textCollectionPresent, label2 != "0");
  QCOMPARE(program.ctx.stationListPresent, label3 != "0");
}

void MainWindowTest::buttonsFollowLogState_data() {
  QTest::addColumn<int>("qsos");
  QTest::addColumn<bool>("lists");
  QTest::newRow("empty log, no lists") << 0 << false;
  QTest::newRow("empty log, lists") << 0 << true;
  QTest::newRow("log with QSOs, no lists") << 2 << false;
  QTest::newRow("log with QSOs, lists") << 5 << true;
}

void MainWindowTest::buttonsFollowLogState() {
  QFETCH(int, qsos);
  QFETCH(bool, lists);

  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  if (lists) {
    QVERIFY(WriteLinesAtomic(folder / "data/Textsammlung 2024.csv", {"Ein Text fuer den Kontest"}));
    QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv", {"HB9AA/P,Hans"}));
  }
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(qsos);
  program.ShowAndActivate();

  const bool empty = qsos == 0;
  QCOMPARE(program.Label("Label4")->text(), QString::number(qsos));
  QCOMPARE(program.ctx.logEmpty, empty);
  QCOMPARE(program.Button("ButtonTexte")->isEnabled(), empty);
  QCOMPARE(program.Button("ButtonStationen")->isEnabled(), empty);
  QCOMPARE(program.Button("ButtonAltesLog")->isEnabled(), empty);
  QCOMPARE(program.Button("ButtonNeuesLog")->isEnabled(), !empty);
  QCOMPARE(program.Button("ButtonLive")->isEnabled(), lists);
  QCOMPARE(program.Button("ButtonPapier")->isEnabled(), lists);
  QVERIFY(program.Button("ButtonStationsdaten")->isEnabled());
  QVERIFY(program.Button("Button3")->isEnabled());
}

void MainWindowTest::clearingThenRestoringTheLog() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  QVERIFY(WriteLinesAtomic(folder / "data/Textsammlung 2024.csv", {"Ein Text fuer den Kontest"}));
  QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv", {"HB9AA/P,Hans"}));
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(3);
  program.ShowAndActivate();
  QCOMPARE(program.Label("Label4")->text(), QString("3"));

  Press(program.Button("ButtonNeuesLog"));
  QCOMPARE(program.QsoCount(), std::string("0"));
  QCOMPARE(program.Label("Label4")->text(), QString("0"));
  QVERIFY(program.ctx.logEmpty);
  QVERIFY(!program.Button("ButtonNeuesLog")->isEnabled());
  QVERIFY(program.Button("ButtonAltesLog")->isEnabled());
  QVERIFY(program.Button("ButtonTexte")->isEnabled());
  QVERIFY(program.Button("ButtonStationen")->isEnabled());
  {
    // Clearing rebuilt the station and text tables from the lists.
    TSQLiteDatabase db(program.ctx.logDbFile);
    QCOMPARE(QueryText(db, "SELECT rufz FROM stns1"), std::string("HB9AA/P"));
    QCOMPARE(QueryText(db, "SELECT txt FROM txt"), std::string("Ein Text fuer den Kontest"));
  }

  Press(program.Button("ButtonAltesLog"));
  QCOMPARE(program.QsoCount(), std::string("3"));
  QCOMPARE(program.Label("Label4")->text(), QString("3"));
  QVERIFY(!program.ctx.logEmpty);
  QVERIFY(program.Button("ButtonNeuesLog")->isEnabled());
  QVERIFY(!program.Button("ButtonAltesLog")->isEnabled());
  QVERIFY(!program.Button("ButtonTexte")->isEnabled());
  QVERIFY(!program.Button("ButtonStationen")->isEnabled());

  // Showing the menu again reads the same state from the log.
  program.form->hide();
  program.ShowAndActivate();
  QCOMPARE(program.Label("Label4")->text(), QString("3"));
  QVERIFY(program.Button("ButtonNeuesLog")->isEnabled());
  QVERIFY(!program.Button("ButtonAltesLog")->isEnabled());
  QVERIFY(prompts.errors.isEmpty());
}

void MainWindowTest::enterPressesTheFocusedButtonAsSpaceDoes_data() {
  QTest::addColumn<Qt::Key>("key");
  QTest::newRow("Space") << Qt::Key_Space;
  QTest::newRow("Enter") << Qt::Key_Return;
  QTest::newRow("Enter of the number pad") << Qt::Key_Enter;
}

void MainWindowTest::enterPressesTheFocusedButtonAsSpaceDoes() {
  QFETCH(Qt::Key, key);
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(2);
  program.ShowAndActivate();

  Press(program.Button("ButtonNeuesLog"), key);
  QCOMPARE(program.QsoCount(), std::string("0"));
  QCOMPARE(program.Label("Label4")->text(), QString("0"));
  QVERIFY(prompts.errors.isEmpty());
}

void MainWindowTest::loggingWithoutListsReenablesPreparations() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  QVERIFY(WriteLinesAtomic(folder / "data/Textsammlung 2024.csv", {"Ein Text fuer den Kontest"}));
  QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv", {"HB9AA/P,Hans"}));
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(1);
  program.ShowAndActivate();
  QVERIFY(!program.Button("ButtonTexte")->isEnabled());

  // The text collection was emptied in the meantime (as its window can do).
  program.ctx.textCollectionPresent = false;
  Press(program.Button("ButtonLive"));
  QVERIFY(program.Button("ButtonTexte")->isEnabled());
  QVERIFY(program.Button("ButtonStationen")->isEnabled());
  QVERIFY(program.form->isVisible());
}

void MainWindowTest::lockedDatabaseShowsErrorAndWindowGoesOn() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(2);
  program.ShowAndActivate();

  {
    // Another program holds the log database.
    TSQLiteDatabase other(program.ctx.logDbFile);
    other.ExecSQL("BEGIN EXCLUSIVE");
    Press(program.Button("ButtonNeuesLog"));
    QCOMPARE(prompts.errors.size(), 1);
    QVERIFY2(prompts.errors.front().contains("locked"), qPrintable(prompts.errors.front()));
    QVERIFY(program.form->isVisible());
    QCOMPARE(program.Label("Label4")->text(), QString("2"));
    QVERIFY(program.Button("ButtonNeuesLog")->isEnabled());
  }  // the other connection closes and releases the lock

  QCOMPARE(program.QsoCount(), std::string("2"));
  Press(program.Button("ButtonNeuesLog"));
  QCOMPARE(prompts.errors.size(), 1);
  QCOMPARE(program.QsoCount(), std::string("0"));
  QCOMPARE(program.Label("Label4")->text(), QString("0"));
  Press(program.Button("ButtonAltesLog"));
  QCOMPARE(program.Label("Label4")->text(), QString("2"));
}

void MainWindowTest::closingWritesTheFinalOutputs() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv",
                           {"HB9AA/P,Hans,Erster Text fuer Hans"}));
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(2);
  program.ShowAndActivate();
  const std::string stem = folder / "data/2024/HB9XYZ_P 2024";

  QVERIFY(program.form->close());
  QVERIFY(prompts.errors.isEmpty());
  QVERIFY(FileExists(stem + " Verbindungskontrolle.pdf"));
  QVERIFY(FileExists(stem + ".adi"));
  QVERIFY(FileExists(stem + ".ktd"));

  // Without QSOs the next closing removes what only a log with QSOs produces.
  program.ShowAndActivate();
  Press(program.Button("ButtonNeuesLog"));
  QVERIFY(program.form->close());
  QVERIFY(prompts.errors.isEmpty());
  QVERIFY(!FileExists(stem + ".adi"));
  QVERIFY(!FileExists(stem + " eQSL.adi"));
  QVERIFY(FileExists(stem + " Verbindungskontrolle.pdf"));
}

void MainWindowTest::closingIntoAReadOnlyYearFolderNamesTheFilesNotWritten() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  QVERIFY(WriteLinesAtomic(folder / "data/KTD-Stationen 2024.csv",
                           {"HB9AA/P,Hans,Erster Text fuer Hans"}));
  ScriptedPrompts prompts;
  Program program;
  QVERIFY(program.Start(folder));
  program.AddQsos(2);
  const std::string stem = folder / "data/2024/HB9XYZ_P 2024";
  QVERIFY(WriteLinesAtomic(stem + ".adi", {"old"}));
  QVERIFY(WriteLinesAtomic(stem + " Verbindungskontrolle.pdf", {"old"}));
  program.ShowAndActivate();

  chmod(folder.path().c_str(), 0755);
  chmod((folder / "data/2024").c_str(), 0555);
  {
    OrdinaryUserFiles asOperator;
    if (!asOperator.Active()) QSKIP("root cannot take an ordinary user's file rights here");
    QVERIFY(program.form->close());
  }
  chmod((folder / "data/2024").c_str(), 0755);

  QCOMPARE(prompts.errors.size(), 1);
  const QString& message = prompts.errors.front();
  QVERIFY2(message.startsWith("Diese Dateien konnten nicht geschrieben werden:\n"),
           qPrintable(message));
  const QString reason = QString(": ") + std::strerror(EACCES);
  for (const char* suffix :
       {" Pers\xC3\xB6nliche Texte.pdf", " Verbindungskontrolle.pdf", " Logformular nach KTD.pdf",
        " Abrechnungsblatt.pdf", " eQSL.adi", ".adi", ".ktd"}) {
    const QString line = QString::fromStdString(stem + suffix) + reason;
    QVERIFY2(message.contains(line + "\n"), qPrintable(line));
  }
  QCOMPARE(ReadLines(stem + ".adi"), std::vector<std::string>{"old"});
  QCOMPARE(ReadLines(stem + " Verbindungskontrolle.pdf"), std::vector<std::string>{"old"});
}

void MainWindowTest::aSecondStartInTheSameFolderIsRefused() {
  TempFolder folder;
  PutFolderOfHb9xyz(folder);
  ScriptedPrompts prompts;
  Program first;
  QVERIFY(first.Start(folder));
  first.AddQsos(2);
  first.ShowAndActivate();
  std::vector<std::string> logBefore;
  {
    TSQLiteDatabase db(first.ctx.logDbFile);
    logBefore = DatabaseDump(db);
  }

  Program second;
  QVERIFY(!second.Start(folder));
  QCOMPARE(prompts.errors.size(), 1);
  QVERIFY2(prompts.errors.front().startsWith(
               QString::fromUtf8("VORLAX_KTD_Log läuft bereits in diesem Ordner:\n") +
               QString::fromStdString(folder.path()) + "\n"),
           qPrintable(prompts.errors.front()));
  QVERIFY(prompts.questions.empty());
  {
    TSQLiteDatabase db(first.ctx.logDbFile);
    QCOMPARE(DatabaseDump(db), logBefore);
  }

  // The first goes on as before.
  QVERIFY(first.form->isVisible());
  Press(first.Button("ButtonNeuesLog"));
  QCOMPARE(first.QsoCount(), std::string("0"));
  QCOMPARE(prompts.errors.size(), 1);
}

// The window tests run inside the program's own application object, which turns an exception
// escaping an event handler into the error box.
int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_main_window.moc"
