#pragma once
// How wide a text comes out in the writer's fonts, so that reports can keep texts inside their
// columns. Known for the Helvetica and Courier faces and the TrueType entries of the font table
// (whose widths the writer itself declares); Times, Symbol and ZapfDingbats are never measured.

#include <string>

#include "reports/pdf_types.h"

// Width in points of `text` (Windows-1252) drawn in `font`. Throws std::invalid_argument for a
// font without known widths.
double PdfTextWidthPoints(const TPDFFont& font, const std::string& text);
