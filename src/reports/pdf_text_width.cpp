#include "reports/pdf_text_width.h"

#include <array>
#include <stdexcept>

#include "reports/pdf_font_table.h"

namespace {

constexpr int kFirstCode = 32;

// Advance widths in thousandths of the font size for the Windows-1252 codes 32 to 255, from Adobe's
// metrics of Helvetica and Helvetica-Bold (their oblique faces have the same widths). The six codes
// without a character (127, 129, 141, 143, 144, 157) count as wide as the bullet that viewers show.
constexpr std::array<short, 224> kHelveticaWidths{{
    278,  278, 355, 556, 556,  889, 667, 191, 333, 333, 389, 584,  278, 333,  278,  278,  556, 556,
    556,  556, 556, 556, 556,  556, 556, 556, 278, 278, 584, 584,  584, 556,  1015, 667,  667, 722,
    722,  667, 611, 778, 722,  278, 500, 667, 556, 833, 722, 778,  667, 778,  722,  667,  611, 722,
    667,  944, 667, 667, 611,  278, 278, 278, 469, 556, 333, 556,  556, 500,  556,  556,  278, 556,
    556,  222, 222, 500, 222,  833, 556, 556, 556, 556, 333, 500,  278, 556,  500,  722,  500, 500,
    500,  334, 260, 334, 584,  350, 556, 350, 222, 556, 333, 1000, 556, 556,  333,  1000, 667, 333,
    1000, 350, 611, 350, 350,  222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500,  333,  944, 350,
    500,  667, 278, 333, 556,  556, 556, 556, 260, 556, 333, 737,  370, 556,  584,  333,  737, 333,
    400,  584, 333, 333, 333,  578, 537, 278, 333, 333, 365, 556,  834, 834,  834,  611,  667, 667,
    667,  667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278,  278, 278,  722,  722,  778, 778,
    778,  778, 778, 584, 778,  722, 722, 722, 722, 667, 667, 611,  556, 556,  556,  556,  556, 556,
    889,  500, 556, 556, 556,  556, 278, 278, 278, 278, 556, 556,  556, 556,  556,  556,  556, 584,
    611,  556, 556, 556, 556,  500, 556, 500,
}};
constexpr std::array<short, 224> kHelveticaBoldWidths{{
    278,  333, 474, 556, 556,  889, 722, 238, 333, 333, 389, 584,  278, 333,  278, 278,  556, 556,
    556,  556, 556, 556, 556,  556, 556, 556, 333, 333, 584, 584,  584, 611,  975, 722,  722, 722,
    722,  667, 611, 778, 722,  278, 556, 722, 611, 833, 722, 778,  667, 778,  722, 667,  611, 722,
    667,  944, 667, 667, 611,  333, 278, 333, 584, 556, 333, 556,  611, 556,  611, 556,  333, 611,
    611,  278, 278, 556, 278,  889, 611, 611, 611, 611, 389, 556,  333, 611,  556, 778,  556, 556,
    500,  389, 280, 389, 584,  350, 556, 350, 278, 556, 500, 1000, 556, 556,  333, 1000, 667, 333,
    1000, 350, 611, 350, 350,  278, 278, 500, 500, 350, 556, 1000, 333, 1000, 556, 333,  944, 350,
    500,  667, 278, 333, 556,  556, 556, 556, 280, 556, 333, 737,  370, 556,  584, 333,  737, 333,
    400,  584, 333, 333, 333,  611, 556, 278, 333, 333, 365, 556,  834, 834,  834, 611,  722, 722,
    722,  722, 722, 722, 1000, 722, 667, 667, 667, 667, 278, 278,  278, 278,  722, 722,  778, 778,
    778,  778, 778, 584, 778,  722, 722, 722, 722, 667, 667, 611,  556, 556,  556, 556,  556, 556,
    889,  556, 556, 556, 556,  556, 278, 278, 278, 278, 611, 611,  611, 611,  611, 611,  611, 584,
    611,  611, 611, 611, 611,  556, 611, 556,
}};

// Every character of the Courier faces is 600 wide.
constexpr int kCourierWidth = 600;

int CharacterWidth(int fontNumber, unsigned char code) {
  switch (fontNumber) {
    case kHelvetica:
    case kHelveticaOblique:
      return code < kFirstCode ? 0 : kHelveticaWidths[code - kFirstCode];
    case kHelveticaBold:
    case kHelveticaBoldOblique:
      return code < kFirstCode ? 0 : kHelveticaBoldWidths[code - kFirstCode];
    case kCourier:
    case kCourierBold:
    case kCourierOblique:
    case kCourierBoldOblique:
      return kCourierWidth;
    default:
      break;
  }
  if (fontNumber < 0 || fontNumber >= kFontTableSize || !PdfFontTableEntry(fontNumber).trueType) {
    throw std::invalid_argument("no character widths for font " + std::to_string(fontNumber));
  }
  // The TrueType entries write one width for every character; a viewer uses MissingWidth outside
  // FirstChar..LastChar.
  const PdfTrueTypeMetrics& m = PdfFontTableEntry(fontNumber).metrics;
  return code >= m.firstChar && code <= m.lastChar ? m.width : m.missingWidth;
}

}  // namespace

double PdfTextWidthPoints(const TPDFFont& font, const std::string& text) {
  long long thousandths = 0;
  for (char c : text) thousandths += CharacterWidth(font.Number, static_cast<unsigned char>(c));
  return static_cast<double>(thousandths) * font.Size / 1000.0;
}
