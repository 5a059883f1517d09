// The station list window as the operator meets it: opened from the main menu, a list imported
// through the open-file dialog, stations corrected, added and removed with keyboard and mouse,
// and the station list file and the menu's counts after closing.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWheelEvent>
#include <QtTest>

#include "prep/form3_station_list.h"
#include "services/qt_application.h"
#include "services/qt_clipboard.h"
#include "services/qt_file_dialogs.h"
#include "support/menu_program.h"
#include "support/scripted_prompts.h"

namespace {

struct StationsProgram : ChildProgram<TForm3> {
  StationsProgram() : ChildProgram(&TForm9::ChildWindows::stations) {}

  QTableWidget* Grid() const { return In<QTableWidget>("StringGrid1"); }
  QLineEdit* Field(const char* name) const { return In<QLineEdit>(name); }

  QStringList Row(int row) const {
    QStringList cells;
    for (int c = 0; c < Grid()->columnCount(); ++c) cells << Grid()->item(row, c)->text();
    return cells;
  }
};

// A click into a field or on a button: these are reached by mouse, not by Tab.
void Click(QWidget* widget) {
  QVERIFY(widget != nullptr);
  QTest::mouseClick(widget, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), widget);
}

}  // namespace

class StationListWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void importEditAddRemoveAndCloseFromTheMenu();
  void storedTextsKeepTheirPlacesAndBadCallsignsAreRefused();
  void anImportThatFindsNoStationKeepsTheListAndSaysSo();
};

void StationListWindowTest::importEditAddRemoveAndCloseFromTheMenu() {
  TempFolder folder;
  ScriptedPrompts prompts;
  StationsProgram program;
  QVERIFY(program.Start(folder));
  QVERIFY(WriteLinesAtomic(program.ctx.textCollectionFile, {"Abendrot am Saentis"}));
  QVERIFY(WriteLinesAtomic(program.ctx.sampleStationsFile, {"HB9XAA/P,Anna,,,,"}));
  const std::string importFile = folder / "Teilnehmer.csv";
  QVERIFY(WriteLinesAtomic(
      importFile,
      {"# KTD-Stationen, wie ausgeschrieben", "", "HB9XDO/P,D\xC3\xB6lf,HEUWAGEN IM SPAETSOMMER,,,",
       "hb9xaa,Anna,123456,1234,ALPENROSEN AM GRAT,MURMELTIER PFEIFT LAUT",
       "HB9XCI/p,C\xC3\xA9"
       "cile,GLETSCHER UND GEROELL,KURZ,STEINBOCK AUF DEM "
       "GIPFEL,"}));
  program.ShowMenu();
  QVERIFY(!program.Button("ButtonLive")->isEnabled());

  WorkInModalWindow(program.Button("ButtonStationen"), program.form.get(), [&] {
    QCOMPARE(program.form->windowTitle(),
             QString("VORLAX KTD-Log: KTD-Stationen vorbereiten - HB9XYZ/P"));
    QCOMPARE(QApplication::focusWidget(), program.In<QPushButton>("ButtonStationenImportieren"));
    QVERIFY(!program.In<QLabel>("Label8")->isVisible());

    FileDialogs::SetNextFileName(QString::fromStdString(importFile));
    Key(Qt::Key_Space);
    const OpenFileRequest& request = FileDialogs::LastRequest();
    QCOMPARE(request.title, QString::fromUtf8("Textdatei mit KTD-Stationen öffnen"));
    QCOMPARE(request.filter,
             QString("Textdateien (*.txt; *.csv)|*.txt; *.csv|CSV-Dateien (*.csv; *.txt)|*.csv; "
                     "*.txt|Alle Dateien (*.*)|*.*"));
    QCOMPARE(request.proposedFile, QString::fromStdString(program.ctx.sampleStationsFile));
    QCOMPARE(program.Grid()->rowCount(), 4);  // three stations and the entry row
    QCOMPARE(program.Row(0),
             (QStringList{"HB9XCI/P", QString::fromUtf8("Cécile"), "GLETSCHER UND GEROELL",
                          "STEINBOCK AUF DEM GIPFEL", "", ""}));
    QCOMPARE(program.Row(1),
             (QStringList{"HB9XDO/P", "Doelf", "HEUWAGEN IM SPAETSOMMER", "", "", ""}));
    QCOMPARE(program.Row(2), (QStringList{"HB9XAA/P", "Anna", "ALPENROSEN AM GRAT",
                                          "MURMELTIER PFEIFT LAUT", "", ""}));
    QCOMPARE(program.In<QLabel>("Label8")->text(), QString("3"));
    QCOMPARE(QApplication::focusWidget(), program.Field("Edit2"));
    QCOMPARE(program.Field("Edit4")->text(), QString("HB9XCI/P"));

    // Down shows the next station; Esc goes to the entry row with the caret in the callsign.
    Key(Qt::Key_Down);
    QCOMPARE(program.Field("Edit1")->text(), QString("Doelf"));
    Key(Qt::Key_Escape);
    QCOMPARE(program.Grid()->currentRow(), 3);
    QCOMPARE(QApplication::focusWidget(), program.Field("Edit4"));
    Type("abc.");
    QCOMPARE(program.Field("Edit4")->text(), QString("ABC"));
    Click(program.Field("Edit1"));
    Type("Beat 2");
    QCOMPARE(program.Field("Edit1")->text(), QString("Beat "));
    Click(program.Field("Edit2"));
    Type("Alpenrosen am Grat");
    QCOMPARE(program.In<QLabel>("Label2")->text(), QString("16"));
    Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), program.Field("Edit3"));
    Type("AB, CD");
    QCOMPARE(program.In<QLabel>("Label3")->text(), QString("4"));
    QCOMPARE(program.Field("Edit3")->palette().color(QPalette::Base), kLightRed);
    QVERIFY(!program.In<QPushButton>("ButtonOK")->isEnabled());
    Key(Qt::Key_Return);  // stores whatever the colours
    QCOMPARE(program.In<QLabel>("Label8")->text(), QString("4"));
    QCOMPARE(program.Row(3),
             (QStringList{"HB9ABC/P", "Beat", "Alpenrosen am Grat", "AB CD", "", ""}));
    QCOMPARE(program.Grid()->currentRow(), 4);

    // Back to the new station: a pasted third text, cleaned and cut; a filled text takes none.
    Key(Qt::Key_Up);
    QCOMPARE(program.Field("Edit4")->text(), QString("HB9ABC/P"));
    Clipboard::SetTextForTests(QString::fromUtf8("Grüsse aus Zürich am See"));
    Click(program.Field("Edit5"));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(program.Field("Edit5")->text(), QString("Gruesse aus Zuerich am S"));
    Click(program.Field("Edit2"));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(program.Field("Edit2")->text(), QString("Alpenrosen am Grat"));
    Clipboard::SetTextForTests(std::nullopt);
    Key(Qt::Key_Return);

    // The wheel gives the grid the focus and moves the selection; Doelf is removed.
    QWheelEvent wheel(QPointF(20, 40), program.Grid()->viewport()->mapToGlobal(QPointF(20, 40)),
                      QPoint(), QPoint(0, 3 * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(program.Grid()->viewport(), &wheel);
    QCOMPARE(QApplication::focusWidget(), program.Grid());
    QCOMPARE(program.Grid()->currentRow(), 1);
    Click(program.In<QPushButton>("Button1"));
    QCOMPARE(program.In<QLabel>("Label8")->text(), QString("3"));
    QCOMPARE(program.Field("Edit4")->text(), QString("HB9XAA/P"));
  });

  const std::string expected =
      "HB9ABC/P,Beat,Alpenrosen am Grat,AB CD,Gruesse aus Zuerich am S,\r\n"
      "HB9XAA/P,Anna,ALPENROSEN AM GRAT,MURMELTIER PFEIFT LAUT,,\r\n"
      "HB9XCI/P,C\xE9"
      "cile,GLETSCHER UND GEROELL,STEINBOCK AUF DEM GIPFEL,,\r\n";
  QCOMPARE(FileBytes(program.ctx.stationListFile), expected);
  QVERIFY(program.ctx.stationListPresent);
  QCOMPARE(program.Label("Label3")->text(), QString("3"));
  QCOMPARE(program.Label("Label3")->palette().color(QPalette::Window), kLightGreen);
  QVERIFY(program.Button("ButtonLive")->isEnabled());
  QVERIFY(prompts.errors.isEmpty());
}

void StationListWindowTest::storedTextsKeepTheirPlacesAndBadCallsignsAreRefused() {
  TempFolder folder;
  ScriptedPrompts prompts;
  StationsProgram program;
  QVERIFY(program.Start(folder));
  // A first text of six characters in the window's own file is no sign of the published layout.
  QVERIFY(WriteLinesAtomic(program.ctx.stationListFile,
                           {"HB9ABC/P,Max,Kurzes,ALPENROSEN AM GRAT,BERGWIND UND SONNE,"}));
  program.ShowForm();
  QCOMPARE(program.Row(0),
           (QStringList{"HB9ABC/P", "Max", "ALPENROSEN AM GRAT", "BERGWIND UND SONNE", "", ""}));

  Key(Qt::Key_Escape);
  Type("hb9xyz/p");
  QCOMPARE(program.Field("Edit4")->palette().color(QPalette::Base), kLightRed);
  Key(Qt::Key_Return);
  QCOMPARE(QApplication::focusWidget(), program.Field("Edit4"));
  QCOMPARE(program.In<QLabel>("Label8")->text(), QString("1"));
  program.Field("Edit4")->clear();
  Type("dl1abc");
  Key(Qt::Key_Return);
  QCOMPARE(QApplication::focusWidget(), program.Field("Edit4"));
  QCOMPARE(program.In<QLabel>("Label8")->text(), QString("1"));
  // Leaving the field shows the callsign as it will be stored.
  program.Field("Edit4")->clear();
  Type("hb9new/");
  Click(program.Field("Edit1"));
  QCOMPARE(program.Field("Edit4")->text(), QString("HB9NEW/P"));

  QVERIFY(program.form->close());
  QCOMPARE(FileBytes(program.ctx.stationListFile),
           std::string("HB9ABC/P,Max,ALPENROSEN AM GRAT,BERGWIND UND SONNE,,\r\n"));
  QVERIFY(prompts.errors.isEmpty());
}

void StationListWindowTest::anImportThatFindsNoStationKeepsTheListAndSaysSo() {
  TempFolder folder;
  ScriptedPrompts prompts;
  StationsProgram program;
  QVERIFY(program.Start(folder));
  const std::string stored = "HB9ABC/P,Max,ALPENROSEN AM GRAT,,,\r\n";
  QVERIFY(WriteFileAtomic(program.ctx.stationListFile, stored));
  const std::string empty = folder / "Leer.csv";
  QVERIFY(WriteFileAtomic(empty, ""));
  program.ShowForm();
  auto* hint = program.In<QLabel>("LabelImportHinweis");
  QVERIFY(!hint->isVisible());

  FileDialogs::SetNextFileName(QString::fromStdString(empty));
  QTest::mouseClick(program.In<QPushButton>("ButtonStationenImportieren"), Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), program.Field("Edit4"));
  QCOMPARE(program.Row(0), (QStringList{"HB9ABC/P", "Max", "ALPENROSEN AM GRAT", "", "", ""}));
  QCOMPARE(program.In<QLabel>("Label8")->text(), QString("1"));
  QVERIFY(hint->isVisible());
  QVERIFY(!program.In<QLabel>("Label9")->isVisible());  // the hint line holds it meanwhile
  QCOMPARE(hint->text(), QString::fromUtf8("Keine Station importiert: „Leer.csv“ enthält keine "
                                           "brauchbare Zeile. Die Liste bleibt, wie sie war."));

  QVERIFY(program.form->close());
  QCOMPARE(FileBytes(program.ctx.stationListFile), stored);
  QVERIFY(program.ctx.stationListPresent);
  QVERIFY(prompts.errors.isEmpty());
}

int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  StationListWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_station_list.moc"
