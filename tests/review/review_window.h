#pragma once
// Shared steps of the review window tests: widgets found by name, keys sent where the operator's
// typing goes (the focus widget), and the log read back.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QtTest>
#include <initializer_list>

#include "db/sqlite_database.h"
#include "support/test_databases.h"

namespace review_window {

template <typename T = QLineEdit>
T* Find(const QWidget* form, const char* name) {
  T* widget = form->findChild<T*>(name);
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

inline QStringList Items(const QWidget* form, const char* name) {
  QStringList items;
  const auto* list = Find<QListWidget>(form, name);
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

inline QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  return focus == nullptr ? QString() : focus->objectName();
}

inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1) {
  for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

inline void Type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

// Each text into the field that has the focus, Tab between them (as keyClicks types into one
// widget, a Tab inside a text would leave the rest in the field it left).
inline void TypeFields(std::initializer_list<const char*> texts) {
  bool first = true;
  for (const char* text : texts) {
    if (!first) Key(Qt::Key_Tab);
    Type(QString::fromUtf8(text));
    first = false;
  }
}

inline QStringList Query(const std::string& logDbFile, const std::string& sql) {
  TSQLiteDatabase db(logDbFile);
  QStringList rows;
  for (const std::string& row : QueryRows(db, sql)) rows << QString::fromStdString(row);
  return rows;
}

}  // namespace review_window
