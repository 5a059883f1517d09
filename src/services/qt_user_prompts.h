#pragma once
// Everything that asks or tells the operator through a modal box goes through UserPrompts, so that
// tests can answer instead of a person: they install their own prompts and get the real dialogs
// back by installing nullptr.

#include <QString>
#include <optional>

class QWidget;

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // A modal one-line input dialog; nothing when the operator cancels.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title,
                                         const QString& prompt, const QString& initial) = 0;
  // The error message box of a failed action.
  virtual void ShowError(QWidget* parent, const QString& message) = 0;
  // A modal box with what an action did (an import's summary), which the operator can copy.
  virtual void ShowSummary(QWidget* parent, const QString& title, const QString& text) = 0;

  static UserPrompts& Current();
  // Not owned; nullptr brings back the real dialogs.
  static void Install(UserPrompts* prompts);
};

// The real dialogs: QInputDialog, QMessageBox and SummaryDialog.
class DialogPrompts : public UserPrompts {
 public:
  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& initial) override;
  void ShowError(QWidget* parent, const QString& message) override;
  void ShowSummary(QWidget* parent, const QString& title, const QString& text) override;
};
