#include "services/qt_user_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {
UserPrompts* installed = nullptr;
}  // namespace

UserPrompts& UserPrompts::Current() {
  static DialogPrompts dialogs;
  return installed != nullptr ? *installed : dialogs;
}

void UserPrompts::Install(UserPrompts* prompts) {
  installed = prompts;
}

std::optional<QString> DialogPrompts::AskText(QWidget* parent, const QString& title,
                                              const QString& prompt, const QString& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

void DialogPrompts::ShowError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, QApplication::applicationName(), message);
}
