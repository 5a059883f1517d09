#pragma once
// Test double for UserPrompts: answers input dialogs from a script and records every question,
// every error box and every summary, so window tests never wait on a person. Header-only: it needs
// Qt, and the shared support library does not link it.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "services/qt_user_prompts.h"

class ScriptedPrompts : public UserPrompts {
 public:
  struct Question {
    QString title, prompt, initial;
  };
  struct Summary {
    QString title, text;
  };

  ScriptedPrompts() { UserPrompts::Install(this); }
  ~ScriptedPrompts() override { UserPrompts::Install(nullptr); }
  ScriptedPrompts(const ScriptedPrompts&) = delete;
  ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

  // The next input dialog returns `text`, or is cancelled when nothing is given.
  void Answer(std::optional<QString> text) {
    answers.push_back(Reply{!text.has_value(), text.value_or(QString())});
  }

  std::optional<QString> AskText(QWidget* /*parent*/, const QString& title, const QString& prompt,
                                 const QString& initial) override {
    questions.push_back({title, prompt, initial});
    if (answers.empty()) return std::nullopt;  // an unexpected question is cancelled
    const Reply next = answers.front();
    answers.pop_front();
    if (next.cancel) return std::nullopt;
    return next.text;
  }

  void ShowError(QWidget* /*parent*/, const QString& message) override {
    errors.push_back(message);
  }

  void ShowSummary(QWidget* /*parent*/, const QString& title, const QString& text) override {
    summaries.push_back({title, text});
  }

  struct Reply {
    bool cancel = false;
    QString text;
  };
  std::deque<Reply> answers;
  std::vector<Question> questions;
  QStringList errors;
  std::vector<Summary> summaries;
};
