#pragma once
// The clipboard's text, read through one place so tests can set it without a desktop.

#include <QString>
#include <optional>

class Clipboard {
 public:
  // The system clipboard's text, or the text set for tests.
  static QString Text();
  // Tests: Text() returns `text` from now on; nothing brings back the system clipboard.
  static void SetTextForTests(const std::optional<QString>& text);
};
