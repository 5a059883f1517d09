// The paper-log window as the operator works with it: a few lines of a paper log transcribed by
// keyboard only, the time and mode taken over from the log, pasted and held keys, and Esc.

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QtTest>

#include "app/app_context.h"
#include "app/qt_application.h"
#include "db/sqlite_database.h"
#include "review/form8_paper_log.h"
#include "review/review_log.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

const QColor kLightGreen(0xE0, 0xFF, 0xE0);

struct PaperLog {
  TempFolder folder;
  AppContext ctx;
  std::unique_ptr<TForm8> form;

  PaperLog() {
    PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9REV/P");
    review_log::Write(ctx.logDbFile);
  }

  void Open() {
    if (!form) form = std::make_unique<TForm8>(ctx);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  template <typename T = QLineEdit>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(name);
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  QString Text(const char* name) const { return Find(name)->text(); }
  QString Label(const char* name) const { return Find<QLabel>(name)->text(); }
  bool Shown(const char* name) const { return Find<QLabel>(name)->isVisible(); }
  QStringList Items(const char* name) const {
    QStringList items;
    const auto* list = Find<QListWidget>(name);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  QStringList Query(const std::string& sql) const {
    TSQLiteDatabase db(ctx.logDbFile);
    QStringList rows;
    for (const std::string& row : QueryRows(db, sql)) rows << QString::fromStdString(row);
    return rows;
  }
};

QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  return focus == nullptr ? QString() : focus->objectName();
}

// Keys go where the operator's typing goes: to the widget with the focus.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1) {
  for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void Type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

const char* const kRowColumns =
    "SELECT utc||'|'||rufz||'|'||s||'|'||stxt||'|'||r||'|'||rtxt||'|'||half||'|'||mode||'|'||"
    "ktdst||'|'||hbst||'|'||eust FROM ktd";

}  // namespace

class PaperLogWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void transcribesAPaperLogByKeyboard();
  void opensOnTheLastQsoAndCrossesIntoTheSecondHalf();
  void pastedAndHeldKeysKeepTheFieldsClean();
  void escapeDropsTheLineAndIncompleteLinesAreNotSaved();
};

void PaperLogWindowTest::transcribesAPaperLogByKeyboard() {
  ScriptedPrompts prompts;
  PaperLog log;
  log.Open();
  QCOMPARE(log.form->windowTitle(), QString("VORLAX KTD-Log: KTD mit Papierlog - HB9REV/P"));
  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Text("EditHH") + ":" + log.Text("EditMM"), QString("06:00"));
  QCOMPARE(log.Label("Label8"), QString("1. Halbzeit"));
  QCOMPARE(log.Items("ListBoxStationen").size(), 5);
  QCOMPARE(log.Items("ListBoxTexte").size(), 4);
  QVERIFY(!log.Shown("LabelAnzQSO"));
  QVERIFY(!log.Shown("LabelZeichenSent"));

  // Line 1: 06:12, HB9ABC/P in CW, with his personal text.
  Key(Qt::Key_Up, Qt::NoModifier, 12);
  QCOMPARE(log.Text("EditMM"), QString("12"));
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("CheckBox1"));
  Key(Qt::Key_Tab);
  QCOMPARE(FocusName(), QString("EditStation"));
  Type("abc");
  QCOMPARE(log.Text("EditStation"), QString("ABC"));
  QCOMPARE(log.Items("ListBoxStationen"), QStringList({"HB9ABC/P", "HE9ABC/P"}));
  Key(Qt::Key_Space);
  QCOMPARE(log.Text("EditStation"), QString("HB9ABC/P"));
  QCOMPARE(FocusName(), QString("EditStation"));
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  QCOMPARE(log.Items("ListBox1"), QStringList({"ALPENROSEN AM GRAT", "MURMELTIER PFEIFT LAUT"}));
  Type("7");
  Key(Qt::Key_Space);
  QCOMPARE(log.Text("EditRSTsent"), QString("579"));
  QCOMPARE(log.Text("EditTextSent"), QString("ALPENROSEN AM GRAT"));
  QCOMPARE(log.Label("LabelZeichenSent"), QString("16"));
  QCOMPARE(log.Find<QLabel>("LabelZeichenSent")->palette().color(QPalette::Window), kLightGreen);
  QCOMPARE(FocusName(), QString("EditRSTrcvd"));
  Type("4");
  Key(Qt::Key_Return);
  QCOMPARE(FocusName(), QString("EditTextRcvd"));
  QCOMPARE(log.Text("EditRSTrcvd"), QString("549"));
  Type("Gruss aus Bern");
  QVERIFY(log.Shown("LabelZeichenRcvd"));
  QCOMPARE(log.Label("LabelZeichenRcvd"), QString("12"));
  Type("  ");  // two spaces save

  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Query(kRowColumns),
           QStringList({"0612|HB9ABC/P|579|ALPENROSEN AM GRAT|549|Gruss aus Bern|0|0|1|0|0"}));
  QCOMPARE(log.Find<QTableView>("StringGrid1")->model()->rowCount(), 1);
  QCOMPARE(log.Label("LabelAnzKTD"), QString("1"));
  QCOMPARE(log.Label("LabelAnzPunkte"), QString("4"));
  QVERIFY(!log.Shown("LabelAnzHB"));
  QCOMPARE(log.Text("EditStation"), QString());
  QCOMPARE(log.Text("EditRSTsent"), QString("599"));
  QVERIFY(!log.Items("ListBoxStationen").contains("HB9ABC/P"));
  QCOMPARE(log.Query("SELECT txt FROM ptxt WHERE rufz = 'HB9ABC/P'"),
           QStringList({"MURMELTIER PFEIFT LAUT"}));

  // Line 2: 06:15, DL2XYZ without texts; Enter in RST received saves at once.
  Key(Qt::Key_Up, Qt::NoModifier, 3);
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Type("dl2xyz");
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditRSTrcvd"));
  Key(Qt::Key_Return);
  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Query(kRowColumns).value(1), QString("0615|DL2XYZ|599||599||0|0|0|0|1"));
  // That line's printed text was used up with it.
  QCOMPARE(log.Items("ListBoxTexte").first(), QString("GIPFELKREUZ IM MORGEN"));
  QCOMPARE(log.Items("ListBoxTexte").last(), QString("ABENDROT AM SAENTIS"));

  // A line of the form without QSO, taken back again.
  Key(Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(log.Items("ListBoxTexte").first(), QString("MORSEN MIT KALTEN HAENDEN"));
  Key(Qt::Key_Left);
  QCOMPARE(FocusName(), QString("EditHH"));
  Key(Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(log.Items("ListBoxTexte").first(), QString("GIPFELKREUZ IM MORGEN"));

  // Line 3: 07:15 in SSB, HB3KLM/P gets the form's next text.
  Key(Qt::Key_Up);
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditMM"));
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);  // the check box: SSB
  QVERIFY(log.Find<QCheckBox>("CheckBox1")->isChecked());
  QVERIFY(!log.ctx.cwMode);
  QCOMPARE(FocusName(), QString("EditStation"));
  QCOMPARE(log.Text("EditRSTsent") + log.Text("EditRSTrcvd"), QString("5959"));
  Type("klm");
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  Type("999");  // an SSB report has two digits
  QCOMPARE(log.Text("EditRSTsent"), QString("99"));
  Key(Qt::Key_Space);
  QCOMPARE(log.Text("EditRSTsent"), QString("59"));
  QCOMPARE(log.Text("EditTextSent"), QString("GIPFELKREUZ IM MORGEN"));
  Key(Qt::Key_Space);
  Type("73 es gl");
  Key(Qt::Key_Enter);
  QCOMPARE(log.Query(kRowColumns).value(2),
           QString("0715|HB3KLM/P|59|GIPFELKREUZ IM MORGEN|59|73 es gl|0|1|1|0|0"));
  QCOMPARE(log.Items("ListBoxTexte").last(), QString("GIPFELKREUZ IM MORGEN"));
  QCOMPARE(log.Label("LabelAnzKTDssb"), QString("1"));
  QCOMPARE(log.Label("LabelAnzEU"), QString("1"));
  QCOMPARE(log.Label("LabelAnzQSO"), QString("2"));
  QCOMPARE(log.Label("LabelAnzPunkteSSB"), QString("4"));
  QVERIFY(prompts.errors.isEmpty());
}

void PaperLogWindowTest::opensOnTheLastQsoAndCrossesIntoTheSecondHalf() {
  PaperLog log;
  {
    TSQLiteDatabase db(log.ctx.logDbFile);
    InsertQsoRow(
        db, {"0759", "HB9ABC/P", "59", "ALPENROSEN AM GRAT", "59", "X", "0", "1", "1", "0", "0"});
    db.ExecSQL("DELETE FROM stns1ssb WHERE rufz = 'HB9ABC/P'");
  }
  log.Open();
  QVERIFY(log.Find<QCheckBox>("CheckBox1")->isChecked());
  QCOMPARE(log.Text("EditHH") + log.Text("EditMM"), QString("0759"));
  QCOMPARE(log.Text("EditRSTsent"), QString("59"));
  QCOMPARE(log.Items("ListBoxStationen").size(), 4);
  QCOMPARE(log.Find<QTableView>("StringGrid1")->currentIndex().row(), 0);
  Key(Qt::Key_Up);
  QCOMPARE(log.Text("EditHH") + log.Text("EditMM"), QString("0800"));
  QCOMPARE(log.Label("Label8"), QString("2. Halbzeit"));
  QCOMPARE(log.Items("ListBoxStationen").size(), 5);  // stns2ssb
  Key(Qt::Key_Left);
  Key(Qt::Key_Down);
  QCOMPARE(log.Text("EditHH") + log.Text("EditMM"), QString("0700"));
  QCOMPARE(log.Label("Label8"), QString("1. Halbzeit"));
}

void PaperLogWindowTest::pastedAndHeldKeysKeepTheFieldsClean() {
  PaperLog log;
  log.Open();
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  QCOMPARE(FocusName(), QString("EditStation"));
  QGuiApplication::clipboard()->setText(" hb9'x%y_z/p; ");
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(log.Text("EditStation"), QString("HB9XYZ/P"));
  QCOMPARE(log.Items("ListBoxStationen"), QStringList({"HB9XYZ/P"}));

  // Holding a key down types it once.
  QWidget* station = QApplication::focusWidget();
  QTest::keyClick(station, Qt::Key_Backspace);
  for (bool repeat : {false, true, true}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q", repeat);
    QApplication::sendEvent(station, &press);
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, "q", false);
  QApplication::sendEvent(station, &release);
  QCOMPARE(log.Text("EditStation"), QString("HB9XYZ/Q"));

  Key(Qt::Key_Backspace);
  Type("P");
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);  // RST sent -> text sent -> RST received
  Key(Qt::Key_Space);
  QCOMPARE(FocusName(), QString("EditTextRcvd"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüsse, \"aus\" Zürich €"));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(log.Text("EditTextRcvd"), QString("Gruesse aus Zuerich "));
  Key(Qt::Key_Return);
  QCOMPARE(log.Query("SELECT rufz||'|'||stxt||'|'||rtxt FROM ktd"),
           QStringList({"HB9XYZ/P|STEINBOCK AUF DEM GIPFEL|Gruesse aus Zuerich"}));
}

void PaperLogWindowTest::escapeDropsTheLineAndIncompleteLinesAreNotSaved() {
  PaperLog log;
  log.Open();
  Key(Qt::Key_Space);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Return);  // Enter types nothing in the station field and saves nothing
  QCOMPARE(FocusName(), QString("EditStation"));
  Key(Qt::Key_Tab);  // towards RST sent with an empty station: back to it
  QCOMPARE(FocusName(), QString("EditStation"));
  Type("hb");
  Key(Qt::Key_Space);  // no KTD station begins so: on to RST sent
  QCOMPARE(FocusName(), QString("EditRSTsent"));
  Key(Qt::Key_Space);
  Key(Qt::Key_Return);  // a callsign of two characters is not stored
  QCOMPARE(FocusName(), QString("EditStation"));
  QCOMPARE(log.Query("SELECT count(*) FROM ktd"), QStringList({"0"}));

  Type("9xyz");
  Key(Qt::Key_Escape);
  QVERIFY(log.form->isVisible());
  QCOMPARE(FocusName(), QString("EditMM"));
  QCOMPARE(log.Text("EditStation"), QString());
  QCOMPARE(log.Items("ListBoxStationen").size(), 5);
  QCOMPARE(log.Query("SELECT count(*) FROM ktd"), QStringList({"0"}));
}

// The window tests run inside the program's own application object, which turns an exception
// escaping an event handler into the error box.
int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  PaperLogWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_paper_log.moc"
