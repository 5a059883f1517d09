#pragma once
// The length display of an exchange-text field: the counter beside it shows the characters other
// than spaces; field and counter are white with the counter hidden while the field is empty, light
// red below 15 characters and light green from 15.

#include <string>

#include "contest/text_rules.h"

class QLabel;
class QLineEdit;

// Shows the length of `text` (Windows-1252), the field's text unless the window keeps it
// elsewhere; returns its shade.
TextLengthShade ShowTextLength(QLineEdit* field, QLabel* counter);
TextLengthShade ShowTextLength(QLineEdit* field, QLabel* counter, const std::string& text);
