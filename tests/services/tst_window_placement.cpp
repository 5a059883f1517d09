// A window larger than the offscreen screen: its frame on the screen, the controls in a scroll area
// whose view follows the focus, while keys and wheel turns still reach the window itself.

#include <QtTest/qtestspontaneevent.h>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "services/qt_window_placement.h"

namespace {

// Fields in the top-left and bottom-right corners of a client area as large as the live window's;
// the window counts the Down keys and wheel turns that reach it.
class BigWindow : public QDialog {
 public:
  BigWindow() {
    first->setGeometry(10, 10, 100, 24);
    last->setGeometry(1040, 3000, 100, 24);
    KeepOnScreen(this, QSize(1160, 3040));
  }
  QLineEdit* first = new QLineEdit(this);
  QLineEdit* last = new QLineEdit(this);
  int downKeys = 0;
  int wheelTurns = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override { downKeys += event->key() == Qt::Key_Down; }
  void wheelEvent(QWheelEvent*) override { ++wheelTurns; }
};

bool InView(const QScrollArea* scroll, const QWidget* widget) {
  const QRect place(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
  return scroll->viewport()->rect().contains(place);
}

}  // namespace

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void largeWindowScrollsWithItsFrameOnTheScreen() {
    BigWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    auto* scroll = window.findChild<QScrollArea*>("ClientScrollArea");
    QVERIFY(scroll != nullptr);

    window.first->setFocus();
    QVERIFY(!InView(scroll, window.last));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.last);
    QVERIFY(InView(scroll, window.last));

    const int shown = scroll->verticalScrollBar()->value();
    QTest::keyClick(window.last, Qt::Key_Down);
    // A wheel turn as the mouse gives it (spontaneous), which goes on to the parents.
    QWheelEvent turn(QPointF(5, 5), window.last->mapToGlobal(QPointF(5, 5)), QPoint(),
                     QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    qApp->notify(window.last, &turn);
    QCOMPARE(window.downKeys, 1);
    QCOMPARE(window.wheelTurns, 1);
    QCOMPARE(scroll->verticalScrollBar()->value(), shown);
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "tst_window_placement.moc"
