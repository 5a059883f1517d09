#pragma once
// The clipboard's text, read and written through one place so tests can use it without a desktop.

#include <QString>
#include <optional>

class Clipboard {
 public:
  // The system clipboard's text, or the text set for tests.
  static QString Text();
  // Puts `text` on the system clipboard, or, while tests have set a text, in its place.
  static void SetText(const QString& text);
  // Tests: Text() returns `text` from now on; nothing brings back the system clipboard.
  static void SetTextForTests(const std::optional<QString>& text);
};
