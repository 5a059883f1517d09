// The text collection window as the operator meets it: opened from the main menu, a file imported
// through the open-file dialog, texts typed, marked, moved, pasted and deleted by keyboard, and
// the collection file, the table `txt` and the menu's counts after closing.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "db/sqlite_database.h"
#include "prep/form5_text_collection.h"
#include "services/qt_application.h"
#include "services/qt_clipboard.h"
#include "services/qt_file_dialogs.h"
#include "support/menu_program.h"
#include "support/scripted_prompts.h"

namespace {

struct TextsProgram : ChildProgram<TForm5> {
  TextsProgram() : ChildProgram(&TForm9::ChildWindows::texts) {}

  QTableWidget* Grid() const { return In<QTableWidget>("StringGrid1"); }

  QStringList GridTexts() const {
    QStringList texts;
    for (int r = 0; r < Grid()->rowCount(); ++r) texts << Grid()->item(r, 1)->text();
    return texts;
  }

  std::vector<std::string> TxtRows() const {
    TSQLiteDatabase db(ctx.logDbFile);
    return QueryRows(db, "SELECT txt FROM txt ORDER BY rowid");
  }
};

QColor Base(const QWidget* w) {
  return w->palette().color(QPalette::Base);
}

}  // namespace

class TextCollectionWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void importTypeMarkMoveAndCloseFromTheMenu();
  void pasteDeleteAndEscAndCancelledImport();
  void unreadableAndUnwritableFilesAreReportedAndKept();
};

void TextCollectionWindowTest::importTypeMarkMoveAndCloseFromTheMenu() {
  TempFolder folder;
  ScriptedPrompts prompts;
  TextsProgram program;
  QVERIFY(program.Start(folder));
  QVERIFY(WriteLinesAtomic(program.ctx.sampleTextsFile, {"Abendrot am Saentis"}));
  QVERIFY(WriteLinesAtomic(program.ctx.stationListFile, {"HB9AA/P,Hans,,,,"}));
  const std::string importFile = folder / "Texte vom Club.txt";
  QVERIFY(WriteLinesAtomic(importFile,
                           {"Gr\xFCsse aus Z\xFCrich am See", "Gr\xFCsse aus Z\xFCrich vom Berg",
                            "Abendrot am Saentis", "abendrot am saentis", "Rigi Kulm am Morgen"}));
  program.ShowMenu();
  QVERIFY(!program.Button("ButtonLive")->isEnabled());

  WorkInModalWindow(program.Button("ButtonTexte"), program.form.get(), [&] {
    QCOMPARE(program.form->windowTitle(),
             QString("VORLAX KTD-Log: Textsammlung vorbereiten - HB9XYZ/P"));
    QCOMPARE(QApplication::focusWidget(), program.In<QPushButton>("ButtonImportieren"));

    FileDialogs::SetNextFileName(QString::fromStdString(importFile));
    Key(Qt::Key_Space);
    const OpenFileRequest& request = FileDialogs::LastRequest();
    QCOMPARE(request.title, QString::fromUtf8("Textdatei mit KTD-Texten öffnen"));
    QCOMPARE(request.filter, QString("Textdateien (*.txt;)|*.txt;|Alle Dateien (*.*)|*.*"));
    QCOMPARE(request.folder, QString::fromStdString(program.ctx.dataFolder));
    QCOMPARE(request.proposedFile, QString::fromStdString(program.ctx.sampleTextsFile));
    QCOMPARE(program.GridTexts(), (QStringList{"Gruesse aus Zuerich am See", "Abendrot am Saentis",
                                               "Rigi Kulm am Morgen"}));
    QCOMPARE(program.Grid()->item(0, 2)->text(), QString("22"));
    QCOMPARE(program.In<QLabel>("LabelAnzahlTexte")->text(), QString("3"));
    auto* edit = program.In<QLineEdit>("Edit1");
    QCOMPARE(QApplication::focusWidget(), edit);

    // Up goes to the grid, where Up marks the row above; a letter typed there starts a new text.
    Key(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), program.Grid());
    Key(Qt::Key_Up);
    QCOMPARE(program.Grid()->currentRow(), 1);
    Key(Qt::Key_K, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(!program.In<QLabel>("LabelAnzahlTexte")->isVisible());
    Type(QString::fromUtf8("äse vom  Älpler"));
    QCOMPARE(edit->text(), QString("Kaese vom Aelpler"));
    auto* counter = program.In<QLabel>("Label1");
    QCOMPARE(counter->text(), QString("15"));
    QCOMPARE(Base(edit), kLightGreen);
    Key(Qt::Key_Backspace);
    QCOMPARE(Base(edit), kLightRed);
    Key(Qt::Key_Return);  // refused below 15
    QCOMPARE(program.Grid()->rowCount(), 3);
    Type("r");
    Key(Qt::Key_Return);
    QCOMPARE(program.GridTexts(), (QStringList{"Gruesse aus Zuerich am See", "Abendrot am Saentis",
                                               "Kaese vom Aelpler", "Rigi Kulm am Morgen"}));
    QCOMPARE(program.Grid()->currentRow(), 2);
    QVERIFY(!counter->isVisible());
    QCOMPARE(QApplication::focusWidget(), edit);

    Key(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(program.GridTexts(), (QStringList{"Gruesse aus Zuerich am See", "Kaese vom Aelpler",
                                               "Abendrot am Saentis", "Rigi Kulm am Morgen"}));
    // Esc clears the input and leaves the window open.
    Type("angefangen");
    Key(Qt::Key_Escape);
    QVERIFY(program.form->isVisible());
    QVERIFY(edit->text().isEmpty());
  });

  const std::string expected =
      "Gruesse aus Zuerich am See\r\nKaese vom Aelpler\r\nAbendrot am Saentis\r\nRigi Kulm am "
      "Morgen\r\n";
  QCOMPARE(FileBytes(program.ctx.textCollectionFile), expected);
  QCOMPARE(program.TxtRows(),
           (std::vector<std::string>{"Gruesse aus Zuerich am See", "Kaese vom Aelpler",
                                     "Abendrot am Saentis", "Rigi Kulm am Morgen"}));
  QVERIFY(program.menu->isVisible());
  QCOMPARE(program.Label("Label2")->text(), QString("4"));
  QCOMPARE(program.Label("Label2")->palette().color(QPalette::Window), kLightGreen);
  QVERIFY(program.Button("ButtonLive")->isEnabled());
  QVERIFY(program.Button("ButtonPapier")->isEnabled());
  QVERIFY(prompts.errors.isEmpty());
}

void TextCollectionWindowTest::pasteDeleteAndEscAndCancelledImport() {
  TempFolder folder;
  ScriptedPrompts prompts;
  TextsProgram program;
  QVERIFY(program.Start(folder));
  QVERIFY(WriteLinesAtomic(program.ctx.textCollectionFile,
                           {"Abendrot am Saentis", "Rigi Kulm am Morgen"}));
  program.ShowForm();
  QCOMPARE(program.Grid()->currentRow(), 1);

  // Shift+Insert pastes wherever the focus is; the window's context menu offers the same.
  QCOMPARE(program.form->actions().value(0)->text(), QString::fromUtf8("KTD-Text(e) einfügen"));
  Clipboard::SetTextForTests(QString::fromUtf8("'s Chalet  am Waldrand\nzu kurz\nStraße am See"));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(program.GridTexts(),
           (QStringList{"Abendrot am Saentis", "Rigi Kulm am Morgen", "s Chalet am Waldrand"}));
  QCOMPARE(QApplication::focusWidget(), program.In<QLineEdit>("Edit1"));
  Clipboard::SetTextForTests(QString::fromUtf8("Łeba an der Ostsee"));  // no Windows-1252 "Ł"
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(program.Grid()->rowCount(), 3);
  Clipboard::SetTextForTests(std::nullopt);

  // "Sammlung löschen", then Esc brings the collection back.
  PressButton(program.In<QPushButton>("ButtonLoeschen"));
  QCOMPARE(program.Grid()->rowCount(), 0);
  QCOMPARE(QApplication::focusWidget(), program.In<QLineEdit>("Edit1"));
  Key(Qt::Key_Escape);
  QCOMPARE(program.Grid()->rowCount(), 3);

  // A cancelled dialog proposes the collection file and changes nothing.
  FileDialogs::SetNextFileName(std::nullopt);
  PressButton(program.In<QPushButton>("ButtonImportieren"));
  QCOMPARE(FileDialogs::LastRequest().proposedFile,
           QString::fromStdString(program.ctx.textCollectionFile));
  QCOMPARE(program.Grid()->rowCount(), 3);

  QVERIFY(program.form->close());
  QCOMPARE(FileBytes(program.ctx.textCollectionFile),
           std::string("Abendrot am Saentis\r\nRigi Kulm am Morgen\r\ns Chalet am Waldrand\r\n"));
  QVERIFY(prompts.errors.isEmpty());
}

void TextCollectionWindowTest::unreadableAndUnwritableFilesAreReportedAndKept() {
  TempFolder folder;
  ScriptedPrompts prompts;
  TextsProgram program;
  QVERIFY(program.Start(folder));
  // A folder where the collection file belongs can be neither read nor replaced.
  std::filesystem::create_directory(program.ctx.textCollectionFile);
  program.ShowForm();
  QTRY_COMPARE(prompts.errors.size(), 1);
  QVERIFY(prompts.errors[0].contains(QString::fromStdString(program.ctx.textCollectionFile)));
  QVERIFY(prompts.errors[0].contains("Is a directory"));

  const std::string importFile = folder / "import.txt";
  QVERIFY(WriteLinesAtomic(importFile, {"Abendrot am Saentis"}));
  FileDialogs::SetNextFileName(QString::fromStdString(importFile));
  PressButton(program.In<QPushButton>("ButtonImportieren"));
  QCOMPARE(program.Grid()->rowCount(), 1);

  QVERIFY(program.form->close());
  QCOMPARE(prompts.errors.size(), 2);
  QVERIFY(prompts.errors[1].contains("nicht geschrieben"));
  QVERIFY(prompts.errors[1].contains(QString::fromStdString(program.ctx.textCollectionFile)));
  QVERIFY(std::filesystem::is_directory(program.ctx.textCollectionFile));
  QCOMPARE(program.TxtRows(), std::vector<std::string>{"Abendrot am Saentis"});
}

int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  TextCollectionWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_text_collection.moc"
