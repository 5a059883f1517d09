#include "services/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

std::optional<QString>& TestText() {
  static std::optional<QString> text;
  return text;
}

}  // namespace

QString Clipboard::Text() {
  if (TestText()) return *TestText();
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? clipboard->text() : QString();
}

void Clipboard::SetText(const QString& text) {
  if (TestText()) {
    TestText() = text;
    return;
  }
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

void Clipboard::SetTextForTests(const std::optional<QString>& text) {
  TestText() = text;
}
