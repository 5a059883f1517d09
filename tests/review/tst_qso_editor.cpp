// The QSO editor as the operator works with it: a QSO picked in the grid and corrected, a missing
// QSO added, one removed and brought back, and pasted or dropped text.

#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>

#include "common/clock.h"
#include "db/log_schema.h"
#include "review/form2_qso_editor.h"
#include "review/review_window.h"
#include "services/app_context.h"
#include "services/qt_application.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

using namespace review_window;

namespace {

void WriteThreeQsos(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  CreateLogSchema(db);
  InsertQsoRow(db, {"0700", "HB9AAA/P", "599", "ROTE ROSEN IM GARTEN", "579", "ANTWORT EINS", "0",
                    "0", "1", "0", "0"});
  InsertQsoRow(db, {"0705", "DL1ABC", "599", "", "599", "", "0", "0", "0", "0", "1"});
  InsertQsoRow(db, {"0810", "HB9BBB", "59", "", "57", "", "1", "1", "0", "1", "0"});
  db.Commit();
}

struct Editor {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  std::unique_ptr<TForm2> form;

  Editor() {
    PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9REV/P");
    WriteThreeQsos(ctx.logDbFile);
    form = std::make_unique<TForm2>(ctx);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get())) qFatal("the editor did not become active");
  }
  QString Line() const {
    QStringList fields;
    for (const char* name : {"EditUTC", "EditStationK", "EditRSTsentK", "EditTextSentK",
                             "EditRSTRcvdK", "EditTextRcvdK"}) {
      fields << Find(form.get(), name)->text();
    }
    return fields.join('|');
  }
  QTableView* Grid() const { return Find<QTableView>(form.get(), "StringGrid1"); }
  void ClickRow(int row) const {
    const QRect cell = Grid()->visualRect(Grid()->model()->index(row, 2));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  void Click(const char* button) const {
    QTest::mouseClick(Find<QPushButton>(form.get(), button), Qt::LeftButton);
  }
  bool UndoEnabled() const {
    return Find<QPushButton>(form.get(), "ButtonLogWiederherstellen")->isEnabled();
  }
  QStringList Rows(const std::string& sql) const { return Query(ctx.logDbFile, sql); }
};

void Wheel(QWidget* target, int delta) {
  const QPointF at = target->rect().center();
  QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &wheel);
}

}  // namespace

class QsoEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void correctsAQsoPickedInTheGrid();
  void addsAMissingQsoAndRemovesOneWithUndo();
  void pastedAndDroppedTextIsFiltered();
};

void QsoEditorWindowTest::correctsAQsoPickedInTheGrid() {
  ScriptedPrompts prompts;
  Editor editor;
  QCOMPARE(editor.form->windowTitle(), QString("VORLAX KTD-Log: QSOs bearbeiten - HB9REV/P"));
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Grid()->currentIndex().row(), 2);
  QCOMPARE(editor.Line(), QString("|||||"));
  QVERIFY(!editor.UndoEnabled());

  editor.ClickRow(1);
  QCOMPARE(editor.Line(), QString("0705|DL1ABC|599||599|"));
  Key(Qt::Key_Tab);
  QCOMPARE(FocusName(), QString("EditUTC"));
  Type("0715");  // Tab selected the old time, the typing replaces it
  Key(Qt::Key_Return);
  QCOMPARE(editor.Rows("SELECT utc FROM ktd WHERE rowid = 2"), QStringList({"0715"}));
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Line(), QString("|||||"));
  QVERIFY(editor.UndoEnabled());

  // Up in the input line, then the wheel, pick the QSOs above the marked (last) one.
  Key(Qt::Key_Up);
  QCOMPARE(FocusName(), QString("StringGrid1"));
  QVERIFY(editor.Line().startsWith("0715|"));
  Wheel(editor.Grid()->viewport(), 120);
  QCOMPARE(editor.Line(), QString("0700|HB9AAA/P|599|ROTE ROSEN IM GARTEN|579|ANTWORT EINS"));
  QCOMPARE(Find<QLabel>(editor.form.get(), "LabelZeichenSent")->text(), QString("17"));
  QTest::mouseClick(Find(editor.form.get(), "EditTextRcvdK"), Qt::LeftButton);
  Key(Qt::Key_End);
  Key(Qt::Key_Backspace, Qt::NoModifier, 12);
  QVERIFY(!Find<QLabel>(editor.form.get(), "LabelZeichenRcvd")->isVisible());
  Key(Qt::Key_Return);  // a QSO loaded: stored even without text received, then counted as HB
  QCOMPARE(editor.Rows("SELECT rtxt||'|'||ktdst||hbst||eust FROM ktd WHERE rowid = 1"),
           QStringList({"|010"}));
  QVERIFY(prompts.errors.isEmpty());
}

void QsoEditorWindowTest::addsAMissingQsoAndRemovesOneWithUndo() {
  Editor editor;
  editor.ClickRow(0);
  editor.Click("Button1");
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Line(), QString("|||||"));
  Type("0830");
  Key(Qt::Key_Return);  // a new QSO is not appended from the time field
  Key(Qt::Key_Tab);
  TypeFields({"hb9xyz/p", "599", "Text hin", "579"});
  Key(Qt::Key_Return);  // with a text sent, Enter in RST received stores nothing
  QCOMPARE(FocusName(), QString("EditRSTRcvdK"));
  QCOMPARE(editor.Rows("SELECT count(*) FROM ktd"), QStringList({"3"}));
  Key(Qt::Key_Tab);
  Type("Text her");
  Key(Qt::Key_Return);
  QCOMPARE(editor.Rows("SELECT rowid||'|'||utc||'|'||rufz||'|'||stxt||'|'||rtxt||'|'||half||mode||"
                       "ktdst FROM ktd WHERE rowid = 4"),
           QStringList({"4|0830|HB9XYZ/P|Text hin|Text her|101"}));
  QCOMPARE(editor.Grid()->currentIndex().row(), 3);

  editor.ClickRow(0);
  editor.Click("ButtonQSOloeschen");
  QCOMPARE(editor.Rows("SELECT rowid||'|'||rufz FROM ktd"),
           QStringList({"1|DL1ABC", "2|HB9BBB", "3|HB9XYZ/P"}));
  QCOMPARE(editor.Grid()->model()->index(0, 0).data().toString(), QString("1"));
  editor.Click("ButtonQSOloeschen");  // nothing loaded after the refresh: nothing removed
  QCOMPARE(editor.Rows("SELECT count(*) FROM ktd"), QStringList({"3"}));
  editor.Click("ButtonLogWiederherstellen");
  QCOMPARE(editor.Rows("SELECT rowid||'|'||rufz FROM ktd WHERE rowid = 1"),
           QStringList({"1|HB9AAA/P"}));
  QVERIFY(!editor.UndoEnabled());
  QCOMPARE(FocusName(), QString("EditUTC"));
}

void QsoEditorWindowTest::pastedAndDroppedTextIsFiltered() {
  Editor editor;
  QGuiApplication::clipboard()->setText("12:34 UTC");
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Find(editor.form.get(), "EditUTC")->text(), QString("1234"));
  QLineEdit* report = Find(editor.form.get(), "EditRSTsentK");
  QMimeData mime;
  mime.setText("5a09x9");
  const QPoint at = report->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(report, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(report, &drop);
  QCOMPARE(report->text(), QString("599"));
}

// The window tests run inside the program's own application object, which turns an exception
// escaping an event handler into the error box.
int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  QsoEditorWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_qso_editor.moc"
