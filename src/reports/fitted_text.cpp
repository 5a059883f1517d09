#include "reports/fitted_text.h"

#include "reports/pdf_text_width.h"
#include "reports/print_pdf.h"

namespace {
constexpr double kPointsPerMillimetre = 72.0 / 25.4;
constexpr float kMillimetresPerPoint = 25.4f / 72.0f;
}  // namespace

int TextOutWithin(TPrintPDF& pdf, const std::string& text, float x, float y, float right) {
  const TPDFFont full = pdf.Font;
  const double room = (right - x) * kPointsPerMillimetre;
  const double widthAtOnePoint = PdfTextWidthPoints(TPDFFont{full.Number, 1}, text);
  int size = full.Size;
  while (size > 1 && widthAtOnePoint * size > room) --size;
  if (size == full.Size) {
    pdf.TextOut(text, x, y);
    return size;
  }
  // y is the top of the text line and the baseline lies one size below it: moving the top down by
  // the sizes' difference keeps the baseline, so the smaller text stands on the line of its label.
  pdf.Font.Size = size;
  pdf.TextOut(text, x, y + static_cast<float>(full.Size - size) * kMillimetresPerPoint);
  pdf.Font = full;
  return size;
}
