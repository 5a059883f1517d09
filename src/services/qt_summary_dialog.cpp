#include "services/qt_summary_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "services/qt_clipboard.h"

SummaryDialog::SummaryDialog(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent), text_(text) {
  setObjectName("SummaryDialog");
  setWindowTitle(title);

  auto* summary = new QLabel(text, this);
  summary->setObjectName("LabelSummary");
  summary->setTextFormat(Qt::PlainText);
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

  LabelCopied = new QLabel(QString::fromUtf8("In die Zwischenablage kopiert"), this);
  LabelCopied->setObjectName("LabelCopied");
  LabelCopied->hide();

  auto* copy = new QPushButton("&Kopieren", this);
  copy->setObjectName("ButtonKopieren");
  copy->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this, &SummaryDialog::ButtonKopierenClick);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  // Ctrl+C copies the whole text, wherever the focus is in the box.
  auto* copyKey = new QShortcut(QKeySequence::Copy, this);
  connect(copyKey, &QShortcut::activated, this, &SummaryDialog::ButtonKopierenClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(LabelCopied);
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(summary);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  ok->setFocus();
}

void SummaryDialog::ButtonKopierenClick() {
  Clipboard::SetText(text_);
  LabelCopied->show();
}
