// The QSO editor as the operator works with it: a QSO picked in the grid and corrected, a missing
// QSO added, one removed and brought back, pasted and dropped text, and the log in time order once
// the editor is closed from the main menu.

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <filesystem>

#include "app/app_context.h"
#include "app/form9_main_window.h"
#include "app/qt_application.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "review/form2_qso_editor.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

const char* const kRows =
    "SELECT rowid||'|'||utc||'|'||rufz||'|'||s||'|'||stxt||'|'||r||'|'||rtxt||'|'||half||'|'||"
    "mode||'|'||ktdst||'|'||hbst||'|'||eust FROM ktd";

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
  AppContext ctx;
  std::unique_ptr<TForm2> form;

  Editor() {
    PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9REV/P");
    WriteThreeQsos(ctx.logDbFile);
    form = std::make_unique<TForm2>(ctx);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get())) qFatal("the editor did not become active");
  }

  template <typename T = QLineEdit>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(name);
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  QString Text(const char* name) const { return Find(name)->text(); }
  QStringList Line() const {
    QStringList fields;
    for (const char* name : {"EditUTC", "EditStationK", "EditRSTsentK", "EditTextSentK",
                             "EditRSTRcvdK", "EditTextRcvdK"}) {
      fields << Text(name);
    }
    return fields;
  }
  QTableView* Grid() const { return Find<QTableView>("StringGrid1"); }
  void ClickRow(int row) const {
    QTableView* grid = Grid();
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  void Click(const char* button) const {
    QPushButton* b = Find<QPushButton>(button);
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
  }
  QStringList Query(const std::string& sql = kRows) const {
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

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void Type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

}  // namespace

class QsoEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void correctsAQsoPickedInTheGrid();
  void addsAMissingQsoByKeyboard();
  void removesAQsoAndUndoBringsItBack();
  void pastedAndDroppedTextIsFiltered();
  void earlyQsoIsInTimeOrderAfterClosing();
};

void QsoEditorWindowTest::correctsAQsoPickedInTheGrid() {
  ScriptedPrompts prompts;
  Editor editor;
  QCOMPARE(editor.form->windowTitle(), QString("VORLAX KTD-Log: QSOs bearbeiten - HB9REV/P"));
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Grid()->model()->rowCount(), 3);
  QCOMPARE(editor.Grid()->currentIndex().row(), 2);
  QCOMPARE(editor.Line(), QStringList({"", "", "", "", "", ""}));
  QVERIFY(!editor.Find<QPushButton>("ButtonLogWiederherstellen")->isEnabled());

  editor.ClickRow(1);
  QCOMPARE(editor.Line(), QStringList({"0705", "DL1ABC", "599", "", "599", ""}));
  Key(Qt::Key_Tab);
  QCOMPARE(FocusName(), QString("EditUTC"));
  Type("0715");  // Tab selected the old time, the typing replaces it
  Key(Qt::Key_Return);
  QCOMPARE(editor.Query().value(1), QString("2|0715|DL1ABC|599||599||0|0|0|0|1"));
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Line(), QStringList({"", "", "", "", "", ""}));
  QVERIFY(editor.Find<QPushButton>("ButtonLogWiederherstellen")->isEnabled());

  // Up in the input line picks the QSO above the marked (last) one.
  Key(Qt::Key_Up);
  QCOMPARE(FocusName(), QString("StringGrid1"));
  QCOMPARE(editor.Line().first(), QString("0715"));
  Key(Qt::Key_Up);
  QCOMPARE(editor.Line(),
           QStringList({"0700", "HB9AAA/P", "599", "ROTE ROSEN IM GARTEN", "579", "ANTWORT EINS"}));
  QCOMPARE(editor.Find<QLabel>("LabelZeichenSent")->text(), QString("17"));
  QTest::mouseClick(editor.Find("EditTextRcvdK"), Qt::LeftButton);
  Key(Qt::Key_End);
  for (int i = 0; i < 12; ++i) Key(Qt::Key_Backspace);
  QVERIFY(!editor.Find<QLabel>("LabelZeichenRcvd")->isVisible());
  Key(Qt::Key_Return);  // a QSO loaded: stored even without text received
  QCOMPARE(editor.Query().value(0),
           QString("1|0700|HB9AAA/P|599|ROTE ROSEN IM GARTEN|579||0|0|0|1|0"));
  QVERIFY(prompts.errors.isEmpty());
}

void QsoEditorWindowTest::addsAMissingQsoByKeyboard() {
  Editor editor;
  editor.ClickRow(0);
  editor.Click("Button1");
  QCOMPARE(FocusName(), QString("EditUTC"));
  QCOMPARE(editor.Line(), QStringList({"", "", "", "", "", ""}));
  Type("0830");
  Key(Qt::Key_Return);  // a new QSO is not appended from the time field
  Key(Qt::Key_Tab);
  Type("hb9xyz/p");
  Key(Qt::Key_Tab);
  Type("599");
  Key(Qt::Key_Tab);
  Type("Text hin");
  QCOMPARE(editor.Find<QLabel>("LabelZeichenSent")->text(), QString("7"));
  Key(Qt::Key_Tab);
  Type("579");
  Key(Qt::Key_Return);  // with a text sent, Enter here stores nothing
  QCOMPARE(editor.Query().size(), 3);
  QCOMPARE(FocusName(), QString("EditRSTRcvdK"));
  Key(Qt::Key_Tab);
  Type("Text her");
  Key(Qt::Key_Return);
  QCOMPARE(editor.Query().value(3), QString("4|0830|HB9XYZ/P|599|Text hin|579|Text her|1|0|1|0|0"));
  QCOMPARE(editor.Grid()->model()->rowCount(), 4);
  QCOMPARE(editor.Grid()->currentIndex().row(), 3);
  QCOMPARE(FocusName(), QString("EditUTC"));
}

void QsoEditorWindowTest::removesAQsoAndUndoBringsItBack() {
  Editor editor;
  editor.Click("ButtonQSOloeschen");  // nothing loaded: nothing removed
  QCOMPARE(editor.Query().size(), 3);
  QVERIFY(!editor.Find<QPushButton>("ButtonLogWiederherstellen")->isEnabled());

  editor.ClickRow(0);
  editor.Click("ButtonQSOloeschen");
  QCOMPARE(editor.Query("SELECT rowid||'|'||rufz FROM ktd"), QStringList({"1|DL1ABC", "2|HB9BBB"}));
  QCOMPARE(editor.Grid()->model()->rowCount(), 2);
  QCOMPARE(editor.Grid()->model()->index(0, 0).data().toString(), QString("1"));
  editor.Click("ButtonLogWiederherstellen");
  QCOMPARE(editor.Query("SELECT rowid||'|'||rufz FROM ktd"),
           QStringList({"1|HB9AAA/P", "2|DL1ABC", "3|HB9BBB"}));
  QVERIFY(!editor.Find<QPushButton>("ButtonLogWiederherstellen")->isEnabled());
  QCOMPARE(FocusName(), QString("EditUTC"));
}

void QsoEditorWindowTest::pastedAndDroppedTextIsFiltered() {
  Editor editor;
  QGuiApplication::clipboard()->setText("12:34 UTC");
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(editor.Text("EditUTC"), QString("1234"));
  Key(Qt::Key_Tab);
  QGuiApplication::clipboard()->setText(QString::fromUtf8("dl1 \"abc\"; DROP TABLE ktd;--ä"));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(editor.Text("EditStationK"), QString("DL1ABCDROPTABLEKTD"));

  // Dropped text goes through the same filter as typed text.
  QLineEdit* report = editor.Find("EditRSTsentK");
  QMimeData mime;
  mime.setText("5a09x9");
  const QPoint at = report->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(report, &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(report, &move);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(report, &drop);
  QCOMPARE(report->text(), QString("599"));
  QCOMPARE(editor.Query().size(), 3);
}

void QsoEditorWindowTest::earlyQsoIsInTimeOrderAfterClosing() {
  TempFolder folder;
  QVERIFY(MakeFolder(folder / "db"));
  const char* generated = std::getenv("KTD_DXCC_DB");
  if (generated != nullptr && FileExists(generated)) {
    std::filesystem::copy_file(generated, folder / "db/dxcc.sqlite");
  } else {
    WriteSmallDxccDb(folder / "db/dxcc.sqlite", SwissAndNeighbourPrefixes());
  }
  QVERIFY(WriteLinesAtomic(folder / "db/Rufzeichen.dat", {"HB9REV/P"}));
  WriteThreeQsos(folder / "db/ktd.sqlite");

  ScriptedPrompts prompts;
  FixedClock clock;
  AppContext ctx;
  ctx.clock = &clock;
  TForm9 menu(ctx);
  QVERIFY(menu.StartUp(folder.path()));
  TForm2 editor(ctx);
  TForm9::ChildWindows children;
  children.editor = &editor;
  menu.SetChildWindows(children);
  menu.show();
  menu.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&menu));

  // The editor runs modally; the operator's keys are sent from inside its loop.
  bool typed = false;
  QTimer::singleShot(0, &editor, [&] {
    if (!QTest::qWaitForWindowActive(&editor)) return;
    Type("0630");
    Key(Qt::Key_Tab);
    Type("hb9ccc");
    Key(Qt::Key_Tab);
    Type("59");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Type("59");
    Key(Qt::Key_Return);
    typed = true;
    editor.close();
  });
  QTest::mouseClick(menu.findChild<QPushButton*>("Button3"), Qt::LeftButton);
  QVERIFY(typed);
  QVERIFY(menu.isVisible());
  TSQLiteDatabase db(ctx.logDbFile);
  QCOMPARE(QueryRows(db, "SELECT rowid||'|'||utc||'|'||rufz FROM ktd"),
           (std::vector<std::string>{"1|0630|HB9CCC", "2|0700|HB9AAA/P", "3|0705|DL1ABC",
                                     "4|0810|HB9BBB"}));
  QVERIFY(prompts.errors.isEmpty());
}

// The window tests run inside the program's own application object, which turns an exception
// escaping an event handler into the error box.
int main(int argc, char** argv) {
  KtdApplication app(argc, argv);
  QsoEditorWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_qso_editor.moc"
