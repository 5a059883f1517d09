#include "prep/qt_text_length_counter.h"

#include <QLabel>
#include <QLineEdit>

#include "common/qt_cp1252.h"
#include "prep/text_rules.h"

unsigned int RgbFromWindowsColour(unsigned int bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

void ShowTextLength(QLineEdit* field, QLabel* counter) {
  const int length = TextLengthWithoutSpaces(Cp1252FromQString(field->text()));
  const TextLengthShade shade = ShadeOfTextLength(length);
  const QColor colour = QColor::fromRgb(RgbFromWindowsColour(TextLengthColour(shade)));
  QPalette fieldPalette = field->palette();
  fieldPalette.setColor(QPalette::Base, colour);
  field->setPalette(fieldPalette);
  QPalette counterPalette = counter->palette();
  counterPalette.setColor(QPalette::Window, colour);
  counter->setPalette(counterPalette);
  counter->setAutoFillBackground(true);
  counter->setText(QString::number(length));
  counter->setVisible(shade != TextLengthShade::Empty);
}
