#include "widgets/qt_window_helpers.h"

#include <QDialog>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "common/qt_cp1252.h"
#include "widgets/qt_colours.h"

QPushButton* AddPlainButton(QWidget* parent, const char* name, const QString& caption,
                            QRect place) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QLabel* AddHint(QWidget* parent, const char* name, const QString& text, QRect place,
                const QColor& colour) {
  QLabel* label = AddCaption(parent, name, text, place);
  SetTextColour(label, colour);
  return label;
}

QLabel* AddCaption(QWidget* parent, const char* name, const QString& text, QRect place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  return label;
}

QLabel* AddCountLabel(QWidget* parent, const char* name, QRect place) {
  QLabel* label = AddCaption(parent, name, QString(), place);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  SetLabelBackground(label, Qt::white);
  return label;
}

QFrame* AddLabelFrame(QWidget* parent, const char* name, QRect labelPlace) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setLineWidth(1);
  frame->setGeometry(labelPlace.adjusted(-1, -1, 1, 1));
  return frame;
}

QLabel* AddFramedLabel(QWidget* parent, const char* name, const char* frameName,
                       const QString& text, QRect place) {
  AddLabelFrame(parent, frameName, place);
  QLabel* label = AddCaption(parent, name, text, place);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  return label;
}

QLabel* AddImportHint(QWidget* parent, QRect place) {
  QLabel* label = AddHint(parent, "LabelImportHinweis", QString(), place);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->hide();
  return label;
}

void ShowImportHint(QLabel* label, const std::string& cp1252Hint) {
  label->setText(QStringFromCp1252(cp1252Hint));
  label->setVisible(!cp1252Hint.empty());
}

void MakeFixedDialog(QDialog* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

void CaretToEndSoon(QLineEdit* field) {
  QTimer::singleShot(0, field, [field] { field->end(false); });
}

Qt::KeyboardModifiers RelevantModifiers(const QKeyEvent* event) {
  return event->modifiers() &
         (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool IsPasteKey(const QKeyEvent* event) {
  return event->matches(QKeySequence::Paste) ||
         (event->key() == Qt::Key_Insert && RelevantModifiers(event) == Qt::ShiftModifier);
}

void SetTextIfChanged(QLineEdit* field, const std::string& cp1252) {
  const QString text = QStringFromCp1252(cp1252);
  if (field->text() != text) field->setText(text);
}

bool IsEnterKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsTypedText(const QKeyEvent* event) {
  if (event->text().isEmpty() || (event->modifiers() & Qt::ControlModifier)) return false;
  for (const QChar c : event->text())
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  return true;
}

int WheelNotches(int angleDelta) {
  if (angleDelta == 0) return 0;
  const int notches = angleDelta / 120;
  return notches != 0 ? notches : (angleDelta > 0 ? 1 : -1);
}

bool IsWindowSwitch(const QFocusEvent* event) {
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}
