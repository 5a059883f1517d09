#include "widgets/qt_text_length_counter.h"

#include <QLabel>
#include <QLineEdit>

#include "common/qt_cp1252.h"
#include "widgets/qt_colours.h"

TextLengthShade ShowTextLength(QLineEdit* field, QLabel* counter) {
  return ShowTextLength(field, counter, Cp1252FromQString(field->text()));
}

TextLengthShade ShowTextLength(QLineEdit* field, QLabel* counter, const std::string& text) {
  const int length = TextLengthWithoutSpaces(text);
  const TextLengthShade shade = ShadeOfTextLength(length);
  const QColor colour = ColourFromWindowsValue(TextLengthColour(shade));
  SetFieldBackground(field, colour);
  SetLabelBackground(counter, colour);
  counter->setText(QString::number(length));
  counter->setVisible(shade != TextLengthShade::Empty);
  return shade;
}
