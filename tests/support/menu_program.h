#pragma once
// The program as a window test meets it: the main menu started in a fresh working folder (own
// callsign HB9XYZ/P, a fixed date in 2024), and a way to work in a child window while the menu runs
// it modally. Header-only: it needs Qt, and the shared support library does not link it.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/form9_main_window.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

struct MenuProgram {
  FixedClock clock;
  AppContext ctx{clock};
  std::unique_ptr<TForm9> menu;

  // db/ with the prefix database (the generated one when the build provides it) and the own
  // callsign, data/; then the start-up. False when it did not get through.
  bool Start(const TempFolder& folder) {
    if (!MakeFolder(folder / "db") || !MakeFolder(folder / "data")) return false;
    const char* generated = std::getenv("KTD_DXCC_DB");
    if (generated != nullptr && FileExists(generated)) {
      std::filesystem::copy_file(generated, folder / "db/dxcc.sqlite");
    } else {
      WriteSmallDxccDb(folder / "db/dxcc.sqlite", SwissAndNeighbourPrefixes());
    }
    if (!WriteLinesAtomic(folder / "db/Rufzeichen.dat", {"HB9XYZ/P"})) return false;
    menu = std::make_unique<TForm9>(ctx);
    return menu->StartUp(folder.path());
  }

  template <typename T>
  T* Find(const char* name) const {
    return menu->findChild<T*>(name);
  }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QLabel* Label(const char* name) const { return Find<QLabel>(name); }

  void ShowMenu() {
    menu->show();
    menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(menu.get()));
  }
};

// The menu with one child window of its own, handed to the menu in `slot` of its child windows.
template <typename Form>
struct ChildProgram : MenuProgram {
  using Slot = QDialog* TForm9::ChildWindows::*;
  explicit ChildProgram(Slot slot) : slot_(slot) {}
  std::unique_ptr<Form> form;

  bool Start(const TempFolder& folder) {
    if (!MenuProgram::Start(folder)) return false;
    form = std::make_unique<Form>(ctx);
    TForm9::ChildWindows children;
    children.*slot_ = form.get();
    menu->SetChildWindows(children);
    return true;
  }

  template <typename T>
  T* In(const char* name) const {
    return form->template findChild<T*>(name);
  }

  // The child window on its own, without the menu.
  void ShowForm() {
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

 private:
  Slot slot_;
};

inline const QColor kLightGreen(0xE0, 0xFF, 0xE0);
inline const QColor kLightRed(0xFF, 0xE0, 0xE0);

inline std::string FileBytes(const std::string& path) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

// Presses a button as the operator does: focus on it, then Space.
inline void PressButton(QPushButton* button) {
  QVERIFY(button != nullptr);
  QVERIFY(button->isEnabled());
  button->setFocus(Qt::TabFocusReason);
  QCOMPARE(QApplication::focusWidget(), button);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
}

// Presses `opener`, which runs `window` modally, and meanwhile runs `steps` in the window once it
// is active; the window is closed afterwards if the steps left it open (also when a check failed).
inline void WorkInModalWindow(QPushButton* opener, QDialog* window,
                              const std::function<void()>& steps) {
  bool ran = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, window, [&] {
    if (!window->isVisible() || ran) return;  // not yet inside the window's own event loop
    ran = true;
    poll.stop();
    [&] {
      QVERIFY(QTest::qWaitForWindowActive(window));
      steps();
    }();
    if (window->isVisible()) window->close();
  });
  poll.start();
  PressButton(opener);
  poll.stop();
  QVERIFY2(ran, "the window did not open");
  QVERIFY(!window->isVisible());
}

// Sends one key to whatever has the focus, as the keyboard does.
inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focus = QApplication::focusWidget();
  QVERIFY(focus != nullptr);
  QTest::keyClick(focus, key, modifiers);
}

// Types text into whatever has the focus, character by character. Letters beyond ASCII ("ä")
// come as the keyboard sends them: their key code and their text.
inline void Type(const QString& text) {
  for (const QChar c : text) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    if (c.unicode() < 0x80) {
      QTest::keyClick(focus, static_cast<char>(c.unicode()));
    } else {
      const auto code = static_cast<Qt::Key>(c.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, focus, code, QString(c), Qt::NoModifier);
    }
  }
}
