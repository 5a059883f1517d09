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

  static UserPrompts& Current();
  // Not owned; nullptr brings back the real dialogs.
  static void Install(UserPrompts* prompts);
};

// The real dialogs: QInputDialog and QMessageBox.
class DialogPrompts : public UserPrompts {
 public:
  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& initial) override;
  void ShowError(QWidget* parent, const QString& message) override;
};
