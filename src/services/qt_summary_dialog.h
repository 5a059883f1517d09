#pragma once
// What an action did, for the operator to read and keep: the text in a modal box with "Kopieren"
// (or Ctrl+C), which puts the whole text on the clipboard, and "OK". Shown through
// UserPrompts::ShowSummary, so tests see the text without a box waiting for them.

#include <QDialog>

class QLabel;
class QPushButton;

class SummaryDialog : public QDialog {
  Q_OBJECT

 public:
  SummaryDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

 private:
  void ButtonKopierenClick();

  QString text_;
  QLabel* LabelCopied = nullptr;
};
