// The paper-log window as the operator works with it: a few lines of a paper log transcribed by
// keyboard only, and bad input (pasted text, held keys, short callsigns) kept out of the log.

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "common/clock.h"
#include "common/text_file.h"
#include "review/form8_paper_log.h"
#include "review/qt_adif_import_progress.h"
#include "review/review_log.h"
#include "review/review_window.h"
#include "services/app_context.h"
#include "services/file_dialog_filter.h"
#include "services/qt_application.h"
#include "services/qt_clipboard.h"
#include "services/qt_file_dialogs.h"
#include "services/qt_summary_dialog.h"
#include "support/adif_records.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

using namespace review_window;

namespace {

const char* const kRows =
    "SELECT utc||'|'||rufz||'|'||s||'|'||stxt||'|'||r||'|'||rtxt||'|'||half||'|'||mode||'|'||"
    "ktdst||'|'||hbst||'|'||eust FROM ktd";

struct PaperLog {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  std::unique_ptr<TForm8> form;

  PaperLog() {
    PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9REV/P");
    review_log::Write(ctx.logDbFile);
  }
  void Open() {
    form = std::make_unique<TForm8>(ctx);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }
  QString Text(const char* name) const { return Find(form.get(), name)->text(); }
  QString Label(const char* name) const { return Find<QLabel>(form.get(), name)->text(); }
  QStringList List(const char* name) const { return Items(form.get(), name); }
  QStringList Rows(const std::string& sql = kRows) const { return Query(ctx.logDbFile, sql); }
  // Alt+A where the operator types; the button clicks itself once it has shown itself pressed.
  void PressAltA() const {
    Key(Qt::Key_A, Qt::AltModifier);
    auto* button = Find<QPushButton>(form.get(), "ButtonADIFImportieren");
    QVERIFY(button->isDown());
    QTRY_VERIFY(!button->isDown());
  }
};

}  // namespace

class PaperLogWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void transcribesAPaperLogByKeyboard();
  void badInputIsKeptOutOfTheLog();
  void anotherWindowInBetweenLeavesTheLineAlone();
  void importsAnAdifLogWithAltA();
  void importSummaryIsCopiedWholeAndProgressKeepsPainting();
};

void PaperLogWindowTest::transcribesAPaperLogByKeyboard() {
  ScriptedPrompts prompts;
  PaperLog log;
  log.Open();
  QCOMPARE(log.form->windowTitle(), QString("VORLAX KTD-Log: KTD mit Papierlog - HB9REV/P"));
  QCOMPARE(FocusName(), QString("EditMM"));
  QVERIFY(!Find<QLabel>(log.form.get(), "LabelAnzQSO")->isVisible());

  // 06:12, HB9ABC/P in CW with his personal text; two spaces after the text received save.
  Key(Qt::Key_Up, Qt::NoModifier, 12);
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("CheckBox1"));
  Key(Qt::Key_Tab);
  Type("abc");
  QCOMPARE(log.List("ListBoxStationen"), QStringList({"HB9ABC/P", "HE9ABC/P"}));
  Key(Qt::Key_Space);
  QCOMPARE(log.Text("EditStation"), QString("HB9ABC/P"));
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  Type("7");
  Key(Qt::Key_Space);
  QCOMPARE(log.Text("EditTextSent"), QString("ALPENROSEN AM GRAT"));
  QCOMPARE(log.Label("LabelZeichenSent"), QString("16"));
  QCOMPARE(FocusName(), QString("EditRSTrcvd"));
  Type("4");
  Key(Qt::Key_Return);
  QCOMPARE(FocusName(), QString("EditTextRcvd"));
  Type("Gruss aus Bern  ");
  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Label("LabelAnzKTD") + "/" + log.Label("LabelAnzPunkte"), QString("1/4"));

  // 06:15, DL2XYZ: Enter in RST received saves at once and uses up the line's printed text.
  Key(Qt::Key_Up, Qt::NoModifier, 3);
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Type("dl2xyz");
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTrcvd"));
  Key(Qt::Key_Return);
  QCOMPARE(log.List("ListBoxTexte").first(), QString("GIPFELKREUZ IM MORGEN"));

  // A form line without QSO, taken back; then 07:15 in SSB, HB3KLM/P gets the next printed text.
  Key(Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(log.List("ListBoxTexte").first(), QString("MORSEN MIT KALTEN HAENDEN"));
  Key(Qt::Key_Left);
  Key(Qt::Key_Up, Qt::ControlModifier);
  Key(Qt::Key_Up);
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);  // the check box: SSB
  QVERIFY(!log.ctx.cwMode);
  QCOMPARE(FocusName(), QString("EditStation"));
  Type("klm  ");
  Type("999 ");  // an SSB report has two digits: "99" becomes "59"
  Key(Qt::Key_Space);
  Type("73 es gl");
  Key(Qt::Key_Enter);

  QCOMPARE(log.Rows(),
           QStringList({"0612|HB9ABC/P|579|ALPENROSEN AM GRAT|549|Gruss aus Bern|0|0|1|0|0",
                        "0615|DL2XYZ|599||599||0|0|0|0|1",
                        "0715|HB3KLM/P|59|GIPFELKREUZ IM MORGEN|59|73 es gl|0|1|1|0|0"}));
  QCOMPARE(Find<QTableView>(log.form.get(), "StringGrid1")->model()->rowCount(), 3);
  QCOMPARE(log.List("ListBoxTexte").last(), QString("GIPFELKREUZ IM MORGEN"));
  QVERIFY(!log.List("ListBoxStationen").contains("HB3KLM/P"));
  QCOMPARE(log.Label("LabelAnzKTDssb") + "/" + log.Label("LabelAnzEU") + "/" +
               log.Label("LabelAnzQSO") + "/" + log.Label("LabelAnzPunkteSSB"),
           QString("1/1/2/4"));
  QVERIFY(prompts.errors.isEmpty());
}

void PaperLogWindowTest::badInputIsKeptOutOfTheLog() {
  PaperLog log;
  log.Open();
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);  // towards RST sent with an empty station: back to it
  QCOMPARE(FocusName(), QString("EditStation"));
  Type("hb ");
  Key(Qt::Key_Space);
  Key(Qt::Key_Return);  // a callsign of two characters is not saved
  QCOMPARE(FocusName(), QString("EditStation"));
  Key(Qt::Key_Escape);  // drops the line, the window stays
  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Text("EditStation"), QString());
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  QGuiApplication::clipboard()->setText(" hb9'x%y_z/p; ");
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(log.Text("EditStation"), QString("HB9XYZ/P"));

  // Holding a key down types it once.
  QWidget* station = QApplication::focusWidget();
  Key(Qt::Key_Backspace);
  for (bool repeat : {false, true, true}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q", repeat);
    QApplication::sendEvent(station, &press);
  }
  QCOMPARE(log.Text("EditStation"), QString("HB9XYZ/Q"));

  Key(Qt::Key_Backspace);
  Type("p  ");                            // copies the station, then on to RST sent
  Key(Qt::Key_Space, Qt::NoModifier, 2);  // past the text sent and RST received
  QCOMPARE(FocusName(), QString("EditTextRcvd"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüsse, \"aus\" Zürich €"));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(log.Text("EditTextRcvd"), QString("Gruesse aus Zuerich "));
  Key(Qt::Key_Return);
  QCOMPARE(log.Rows("SELECT rufz||'|'||stxt||'|'||rtxt FROM ktd"),
           QStringList({"HB9XYZ/P|STEINBOCK AUF DEM GIPFEL|Gruesse aus Zuerich"}));
}

// Looking at another window in the middle of a report is not leaving the field: the report is
// neither completed nor selected for replacement, so the next digit is appended.
void PaperLogWindowTest::anotherWindowInBetweenLeavesTheLineAlone() {
  PaperLog log;
  log.Open();
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Type("hb9xyz/p ");
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  Type("4");
  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  log.form->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(log.form.get()));
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  QCOMPARE(log.Text("EditRSTsent"), QString("4"));
  Type("8 ");
  QCOMPARE(log.Text("EditRSTsent"), QString("489"));
  QCOMPARE(log.Text("EditTextSent"), QString("STEINBOCK AUF DEM GIPFEL"));
}

// Alt+A from the line being typed: the file comes from the open-file dialog, the grid, counters and
// time show the imported log, and the summary is shown.
void PaperLogWindowTest::importsAnAdifLogWithAltA() {
  ScriptedPrompts prompts;
  PaperLog log;
  log.Open();
  const std::string adi = log.folder / "Anderer Logger.adi";
  QVERIFY(WriteFileAtomic(
      adi,
      AdiHeader() +
          AdiRecord(
              {{"call", "DL1ABC"}, {"qso_date", "20240721"}, {"time_on", "0630"}, {"mode", "CW"}}) +
          AdiRecord({{"call", "HB9ABC/P"},
                     {"qso_date", "20240721"},
                     {"time_on", "081245"},
                     {"mode", "SSB"},
                     {"stx_string", "ALPENROSEN AM GRAT"}})));
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Type("xyz");
  FileDialogs::SetNextFileName(std::nullopt);  // cancelled: nothing happens
  log.PressAltA();
  QVERIFY(prompts.summaries.empty());
  QCOMPARE(FileDialogs::LastRequest().title, QString("ADIF-Log importieren"));
  QCOMPARE(QtFileDialogFilter(FileDialogs::LastRequest().filter.toStdString()),
           std::string("ADIF-Dateien (*.adi *.adif);;Alle Dateien (*)"));

  FileDialogs::SetNextFileName(QString::fromStdString(adi));
  log.PressAltA();
  QCOMPARE(prompts.summaries.size(), size_t{1});
  QCOMPARE(prompts.summaries[0].title + ": " + prompts.summaries[0].text,
           QString("ADIF-Import: 2 QSOs importiert"));
  QCOMPARE(log.Rows(), QStringList({"0630|DL1ABC|599||599||0|0|0|0|1",
                                    "0812|HB9ABC/P|59|ALPENROSEN AM GRAT|59||1|1|1|0|0"}));
  QCOMPARE(Find<QTableView>(log.form.get(), "StringGrid1")->model()->rowCount(), 2);
  QCOMPARE(log.Label("LabelAnzPunkte") + "/" + log.Label("LabelAnzPunkteSSB"), QString("1/4"));
  // Opened anew on the imported log: its last time, a fresh line.
  QCOMPARE(log.Text("EditHH") + log.Text("EditMM") + " " + log.Text("EditStation"),
           QString("0812 "));
  QCOMPARE(FocusName(), QString("EditMM"));
}

void PaperLogWindowTest::importSummaryIsCopiedWholeAndProgressKeepsPainting() {
  Clipboard::SetTextForTests(QString());
  SummaryDialog box("ADIF-Import", "1 QSO importiert\n\nNicht importiert:\nanderer Tag: 1");
  box.show();
  QVERIFY(QTest::qWaitForWindowActive(&box));
  Key(Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(Clipboard::Text(), QString("1 QSO importiert\n\nNicht importiert:\nanderer Tag: 1"));
  Clipboard::SetTextForTests(std::nullopt);

  // Each step of the import lets the events waiting meanwhile run (paint events among them).
  AdifImportProgressDialog progress(&box);
  bool ran = false;
  QTimer::singleShot(0, &box, [&ran] { ran = true; });
  progress.Report(0, 100);
  QVERIFY(ran);
}

// The window tests run inside the program's own application object, which turns an exception
// escaping an event handler into the error box.
int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  PaperLogWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_paper_log.moc"
