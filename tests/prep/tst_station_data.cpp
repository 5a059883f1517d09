// The station data window as the operator meets it: opened from the main menu, a record imported
// through the open-file dialog, fields edited along the Enter chain with their typing filters and
// entering and leaving rules, the live total, the clearing buttons, and the station-data file
// and the menu after closing.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "prep/form6_station_data.h"
#include "services/qt_application.h"
#include "services/qt_file_dialogs.h"
#include "support/menu_program.h"
#include "support/scripted_prompts.h"

namespace {

struct StationDataProgram : ChildProgram<TForm6> {
  StationDataProgram() : ChildProgram(&TForm9::ChildWindows::stationData) {}

  QLineEdit* Field(const char* name) const { return In<QLineEdit>(name); }
  QString Text(const char* name) const { return Field(name)->text(); }
  QString Total() const { return In<QLabel>("LabelGESAMTGEWICHT")->text(); }
  int Scroll() const { return In<QScrollArea>("ScrollBox1")->verticalScrollBar()->value(); }
  QString Focus() const {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                  : QString();
  }
};

// A record file of an earlier year, in UTF-8, with the smaller coordinate first.
std::vector<std::string> EarlierRecord() {
  std::vector<std::string> lines = {
      "#;QRA=;HB9OLD/P",   "#;ORT=;Chasseral", "#;KANTON=;BE",      "#;KOORD_X=;220000",
      "#;KOORD_Y=;571",    "#;QAH=;1607",      "#;WATT=;5",         "#;STA01BEZ=;Selbstbau TRX",
      "#;STA01GRAMM=;450", "#;STA02BEZ=;Akku", "#;STA02GRAMM=;800", "#;STA03BEZ=;Kopfh\xC3\xB6rer",
      "#;STA03GRAMM=;50"};
  for (int item = 4; item <= 11; ++item) {
    const std::string nn = (item < 10 ? "0" : "") + std::to_string(item);
    lines.push_back("#;STA" + nn + "BEZ=;");
    lines.push_back("#;STA" + nn + "GRAMM=;");
  }
  for (const char* line : {"#;OPNAME=;Hans M\xC3\xBCller", "#;EMAIL=;hans@example.org",
                           "#;ANZ_KTD=;7", "#;ANZ_HB=;1", "#;ANZ_EU=;0", "#;ANZ_QSO=;8",
                           "#;ANZ_PUNKTE=;29", "#;LOGDATUM=;2023-07-16", "#;GESAMTGEWICHT=;1300 g"})
    lines.push_back(line);
  return lines;
}

}  // namespace

class StationDataWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void importEditAlongTheEnterChainAndCloseFromTheMenu();
  void completeRecordThenClearingRemovesTheFile();
};

void StationDataWindowTest::importEditAlongTheEnterChainAndCloseFromTheMenu() {
  TempFolder folder;
  ScriptedPrompts prompts;
  StationDataProgram program;
  QVERIFY(program.Start(folder));
  const std::string importFile = folder / "Stationsdaten 2023.csv";
  QVERIFY(WriteLinesAtomic(importFile, EarlierRecord()));
  program.ShowMenu();
  QCOMPARE(program.Label("Label1")->text(), QString("fehlen noch"));

  WorkInModalWindow(program.Button("ButtonStationsdaten"), program.form.get(), [&] {
    QCOMPARE(program.form->windowTitle(),
             QString("VORLAX KTD-Log: Stationsdaten vorbereiten - HB9XYZ/P"));
    QCOMPARE(program.Focus(), QString("EditORT"));

    FileDialogs::SetNextFileName(QString::fromStdString(importFile));
    PressButton(program.In<QPushButton>("ButtonDatenImportieren"));
    const OpenFileRequest& request = FileDialogs::LastRequest();
    QCOMPARE(request.title, QString::fromUtf8("Textdatei mit Stationsdaten öffnen"));
    QCOMPARE(request.filter,
             QString("Textdateien (*.csv;*.cbr; *.txt)|*.csv;*.cbr; *.txt|Alle Dateien (*.*)|*.*"));
    QVERIFY(request.proposedFile.isEmpty());
    QCOMPARE(program.Focus(), QString("EditOPNAME"));
    QCOMPARE(program.Text("EditOPNAME"), QString::fromUtf8("Hans Müller"));
    QCOMPARE(program.Text("EditSTA03BEZ"), QString::fromUtf8("Kopfhörer"));
    QCOMPARE(program.Text("EditKOORD_X"), QString("571000"));
    QCOMPARE(program.Text("EditWATT"), QString("    5"));
    QCOMPARE(program.In<QComboBox>("ComboBoxKANTON")->currentText(), QString("BE"));
    QCOMPARE(program.Total(), QString("1300 g"));

    // Enter walks the chain; the station fields scroll the area to the station group.
    const char* chain[] = {"EditEMAIL",   "EditORT", "ComboBoxKANTON", "EditKOORD_X",
                           "EditKOORD_Y", "EditQAH", "EditWATT"};
    for (const char* next : chain) {
      Key(Qt::Key_Return);
      QCOMPARE(program.Focus(), QString(next));
    }
    QCOMPARE(program.Scroll(), 203);
    QCOMPARE(program.Text("EditWATT"), QString("5"));
    Type("0W");
    Key(Qt::Key_Return);
    QCOMPARE(program.Focus(), QString("EditSTA01BEZ"));
    QCOMPARE(program.Text("EditWATT"), QString("   50"));
    for (int i = 0; i < 7; ++i) Key(Qt::Key_Return);
    QCOMPARE(program.Focus(), QString("EditSTA04GRAMM"));
    Type("7a5");
    QCOMPARE(program.Text("EditSTA04GRAMM"), QString("75"));
    QCOMPARE(program.Total(), QString("1375 g"));
    Key(Qt::Key_Return);
    QCOMPARE(program.Text("EditSTA04GRAMM"), QString("  75"));

    // A coordinate typed short is padded when left; the greater one is stored first.
    program.Field("EditKOORD_X")->setFocus();
    program.Field("EditKOORD_X")->selectAll();
    Type("6");
    Key(Qt::Key_Return);
    QCOMPARE(program.Text("EditKOORD_X"), QString("600000"));
    QCOMPARE(program.Scroll(), 0);
  });

  std::string expected =
      "#;QRA=;HB9XYZ/P\r\n#;ORT=;Chasseral\r\n#;KANTON=;BE\r\n#;KOORD_X=;600000\r\n"
      "#;KOORD_Y=;220000\r\n#;QAH=;1607\r\n#;WATT=;50\r\n#;STA01BEZ=;Selbstbau TRX\r\n"
      "#;STA01GRAMM=;450\r\n#;STA02BEZ=;Akku\r\n#;STA02GRAMM=;800\r\n#;STA03BEZ=;Kopfh\xF6rer\r\n"
      "#;STA03GRAMM=;50\r\n#;STA04BEZ=;\r\n#;STA04GRAMM=;75\r\n";
  for (int item = 5; item <= 11; ++item) {
    const std::string nn = (item < 10 ? "0" : "") + std::to_string(item);
    expected += "#;STA" + nn + "BEZ=;\r\n#;STA" + nn + "GRAMM=;\r\n";
  }
  expected +=
      "#;OPNAME=;Hans M\xFCller\r\n#;EMAIL=;hans@example.org\r\n#;ANZ_KTD=;0\r\n#;ANZ_HB=;0\r\n"
      "#;ANZ_EU=;0\r\n#;ANZ_QSO=;0\r\n#;ANZ_PUNKTE=;0\r\n#;LOGDATUM=;2024-07-21\r\n"
      "#;GESAMTGEWICHT=;1375 g\r\n";
  QCOMPARE(FileBytes(program.ctx.stationDataFile), expected);
  QCOMPARE(program.Label("Label1")->text(), QString("data/Stationsdaten 2024.csv"));
  QCOMPARE(program.Label("Label1")->palette().color(QPalette::Window), kLightGreen);
  QVERIFY(prompts.errors.isEmpty());
}

void StationDataWindowTest::completeRecordThenClearingRemovesTheFile() {
  TempFolder folder;
  ScriptedPrompts prompts;
  StationDataProgram program;
  QVERIFY(program.Start(folder));
  QVERIFY(WriteLinesAtomic(program.ctx.stationDataFile, EarlierRecord()));
  program.ShowMenu();

  WorkInModalWindow(program.Button("ButtonStationsdaten"), program.form.get(), [&] {
    QCOMPARE(program.Focus(), QString("Button1"));
    PressButton(program.In<QPushButton>("ButtonStationsdatenloeschen"));
    QCOMPARE(program.Total(), QString("0"));
    QCOMPARE(program.Focus(), QString("EditWATT"));
    QCOMPARE(program.Scroll(), 203);
    QVERIFY(program.Text("EditSTA01BEZ").isEmpty());
    QCOMPARE(program.Text("EditORT"), QString("Chasseral"));
    PressButton(program.In<QPushButton>("Button1"));
    QCOMPARE(program.Focus(), QString("EditOPNAME"));
    QVERIFY(program.Text("EditORT").isEmpty());
    QCOMPARE(program.In<QComboBox>("ComboBoxKANTON")->currentIndex(), -1);
  });

  QVERIFY(!FileExists(program.ctx.stationDataFile));
  QCOMPARE(program.Label("Label1")->text(), QString("fehlen noch"));
  QCOMPARE(program.Label("Label1")->palette().color(QPalette::Window), kLightRed);
  QVERIFY(prompts.errors.isEmpty());
}

int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  StationDataWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_station_data.moc"
