#include "services/qt_user_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "services/qt_summary_dialog.h"
#include "services/qt_window_placement.h"

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
  QInputDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(initial);
  KeepOnScreen(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

void DialogPrompts::ShowError(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok,
                  parent);
  KeepOnScreen(&box);
  box.exec();
}

void DialogPrompts::ShowSummary(QWidget* parent, const QString& title, const QString& text) {
  SummaryDialog dialog(title, text, parent);
  KeepOnScreen(&dialog);
  dialog.exec();
}
