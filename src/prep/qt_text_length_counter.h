#pragma once
// The length display of an exchange-text field: the counter beside it shows the characters other
// than spaces; field and counter are white with the counter hidden while the field is empty, light
// red below 15 characters and light green from 15.

class QLabel;
class QLineEdit;

void ShowTextLength(QLineEdit* field, QLabel* counter);

// Windows colour value 0xBBGGRR as a QColor's RGB.
unsigned int RgbFromWindowsColour(unsigned int bgr);
