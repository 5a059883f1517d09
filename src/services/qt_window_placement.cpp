#include "services/qt_window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include "services/window_placement.h"

namespace {

QPointer<QWidget> g_anchor;
// The frame the window manager last put around one of the program's windows: the best guess for a
// window about to be shown for the first time, whose own frame is not known before it is mapped.
FrameMargins g_lastFrame;

// Asked from the window system each time (the widget's own copy is renewed only now and then).
FrameMargins MarginsOf(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  if (handle == nullptr) return {};
  const QMargins margins = handle->frameMargins();
  return {margins.left(), margins.top(), margins.right(), margins.bottom()};
}

// While the window manager is still reparenting the window, the margins read can be nonsense
// (negative): only a frame with sensible sides counts.
bool HasFrame(const FrameMargins& margins) {
  return margins != FrameMargins{} && margins.left >= 0 && margins.top >= 0 && margins.right >= 0 &&
         margins.bottom >= 0;
}

// Scrolls only by its scroll bars: keys and wheel turns go on to the window, whose controls they
// are meant for (arrow keys select rows, the wheel moves through lists).
class ClientScrollArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
  bool viewportEvent(QEvent* event) override {
    if (event->type() == QEvent::Wheel) return false;
    return QScrollArea::viewportEvent(event);
  }
};

class WindowPlacer : public QObject {
 public:
  // wanted: the fixed client size; empty for a dialog that keeps the size its layout gives it.
  WindowPlacer(QWidget* window, QSize wanted, QScrollArea* scroll)
      : QObject(window), window_(window), wanted_(wanted), scroll_(scroll) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (watched == window_ && !event->spontaneous()) {
          // Its own frame from an earlier showing, else the frame of the window shown last.
          Place(HasFrame(ownFrame_) ? ownFrame_ : g_lastFrame);
          awaitingFrame_ = true;
          // The first sign of the frame is the exposure of the mapped window.
          if (QWindow* handle = window_->windowHandle(); handle != nullptr && handle != handle_) {
            handle_ = handle;
            handle->installEventFilter(this);
          }
        }
        break;
      case QEvent::Expose:
      case QEvent::WindowActivate:
        if (awaitingFrame_ && window_->isVisible()) PlaceWithKnownFrame();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  // Once the window manager has framed the window, its real frame is known; the window is placed
  // again when it differs from the guess (or the window manager put it elsewhere). Later moves are
  // the operator's own.
  void PlaceWithKnownFrame() {
    const FrameMargins margins = MarginsOf(window_);
    if (!HasFrame(margins)) return;
    awaitingFrame_ = false;
    ownFrame_ = margins;
    g_lastFrame = margins;
    if (margins != used_ || window_->geometry().topLeft() != placedClient_) Place(margins);
  }

  void Place(const FrameMargins& margins) {
    QScreen* screen = g_anchor != nullptr ? g_anchor->screen() : window_->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    if (window_->screen() != screen) window_->setScreen(screen);
    const QRect area = screen->availableGeometry();
    const ScreenArea available{area.x(), area.y(), area.width(), area.height()};
    used_ = margins;

    WindowPlacement placement;
    if (scroll_ != nullptr) {
      const int scrollBar =
          window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
      placement = PlaceWindow(available, margins, wanted_.width(), wanted_.height(), scrollBar);
      window_->setFixedSize(placement.clientWidth, placement.clientHeight);
    } else {
      // A layout may not shrink below its minimum; the place follows the size it really got.
      const QSize own = window_->size();
      placement = PlaceWindow(available, margins, own.width(), own.height(), 0);
      window_->resize(placement.clientWidth, placement.clientHeight);
      placement = PlaceWindow(available, margins, window_->width(), window_->height(), 0);
    }
    window_->setGeometry(placement.clientLeft, placement.clientTop, window_->width(),
                         window_->height());
    placedClient_ = QPoint(placement.clientLeft, placement.clientTop);
  }

  QWidget* window_;
  QPointer<QWindow> handle_;
  QSize wanted_;
  QScrollArea* scroll_;
  FrameMargins ownFrame_;
  FrameMargins used_;
  QPoint placedClient_;
  bool awaitingFrame_ = false;
};

QScrollArea* MoveControlsIntoScrollArea(QWidget* window, QSize clientSize) {
  const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  auto* scroll = new ClientScrollArea(window);
  scroll->setObjectName("ClientScrollArea");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
  scroll->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
  auto* client = new QWidget(scroll);
  client->setObjectName("ClientArea");
  client->setFixedSize(clientSize);
  // Each control keeps its place, its tab order and whether it was hidden.
  for (QWidget* control : controls)
    if (!control->isWindow()) control->setParent(client);
  scroll->setWidget(client);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);

  // The whole field that takes the focus comes into view, not only its caret.
  QObject::connect(qApp, &QApplication::focusChanged, scroll,
                   [scroll, client](QWidget*, QWidget* now) {
                     if (now == nullptr || !client->isAncestorOf(now)) return;
                     const QRect place(now->mapTo(client, QPoint(0, 0)), now->size());
                     scroll->ensureVisible(place.center().x(), place.center().y(),
                                           place.width() / 2 + 20, place.height() / 2 + 20);
                   });
  return scroll;
}

}  // namespace

void SetPlacementAnchor(QWidget* mainWindow) {
  g_anchor = mainWindow;
}

void KeepOnScreen(QWidget* window, QSize clientSize) {
  QScrollArea* scroll = MoveControlsIntoScrollArea(window, clientSize);
  window->setFixedSize(clientSize);
  new WindowPlacer(window, clientSize, scroll);
}

void KeepOnScreen(QWidget* window) {
  new WindowPlacer(window, QSize(), nullptr);
}
