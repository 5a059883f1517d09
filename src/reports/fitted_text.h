#pragma once
// Texts that must end before a column rule or the page margin.

#include <string>

class TPrintPDF;

// Draws `text` at (x, y) in the writer's current font, like TPrintPDF::TextOut. A text that would
// reach beyond `right` (mm from the left edge) is drawn in the largest smaller whole size that ends
// there, 1 point at the least, on the baseline it would have had in the full size; the writer's
// font is left as it was. Returns the size drawn with.
int TextOutWithin(TPrintPDF& pdf, const std::string& text, float x, float y, float right);
