#pragma once
// Value types of the PDF writer: paper formats, fonts, colours and dash patterns.

#include <vector>

enum class TPDFPaperSize {
  po4A0,
  po2A0,
  poA0,
  poA1,
  poA2,
  poA3,
  poA4,
  poA5,
  poA6,
  poA7,
  poA8,
  poA9,
  poA10,
  po2B0,
  poB0,
  poB1,
  poB2,
  poB3,
  poB4,
  poB5,
  poB6,
  poB7,
  poB8,
  poB9,
  poB10,
  poC0,
  poC1,
  poC2,
  poC3,
  poC4,
  poC5,
  poC6,
  poC7,
  poC8,
  poC9,
  poC10,
  poD0,
  poD1,
  poD2,
  poD3,
  poD4,
  poD5,
  poD6,
  poD7
};

enum class TPDFOrientation { poPortrait, poLandscape };

// Millimetres to points rounded to a hundredth, as an absolute value (negative millimetres give
// positive points), returned in hundredths of a point (42.52 pt = 4252),
// so that every number the writer prints is exact.
long long MillimetresToHundredthPoints(double mm);

// Paper format: size, orientation, width and height in points (to the hundredth), margins in mm.
class TPDFPage {
 public:
  TPDFPage();

  TPDFPaperSize PaperSize() const { return paperSize_; }
  TPDFOrientation Orientation() const { return orientation_; }
  void SetPaperSize(TPDFPaperSize size);
  void SetOrientation(TPDFOrientation orientation);

  // In hundredths of a point: A4 portrait is 59528 x 84189.
  long long WidthHundredths() const { return width_; }
  long long HeightHundredths() const { return height_; }
  double Width() const { return width_ / 100.0; }
  double Height() const { return height_ / 100.0; }

  // Kept for callers that lay out within margins; the writer itself draws from the page edges.
  float MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;

 private:
  void Recompute();
  TPDFPaperSize paperSize_ = TPDFPaperSize::poA4;
  TPDFOrientation orientation_ = TPDFOrientation::poPortrait;
  long long width_ = 0;
  long long height_ = 0;
};

// Indices into the writer's font table; the resource name of index i is "/F" followed by i + 1.
enum TPDFFontIndex : int {
  kHelvetica = 0,
  kHelveticaBold = 1,
  kHelveticaOblique = 2,
  kHelveticaBoldOblique = 3,
  kCourier = 4,
  kCourierBold = 5,
  kCourierOblique = 6,
  kCourierBoldOblique = 7,
  kTimesRoman = 8,
  kTimesBold = 9,
  kTimesItalic = 10,
  kTimesBoldItalic = 11,
  kSymbol = 12,
  kZapfDingbats = 13,
  kLucidaConsole = 14,
  kLucidaConsoleBold = 15,
  kVerdana = 16,
  kVerdanaBold = 17,
  kVerdanaItalic = 18,
  kTahoma = 19,
  kLucidaHandwriting = 20,
  kLucidaCalligraphy = 21,
  kFontTableSize = 22
};

struct TPDFFont {
  int Number = kHelvetica;  // index into the font table
  int Size = 12;            // points
};

// Stroke and fill colour, each component 0 to 1.
struct TPDFColor {
  float Red = 0, Green = 0, Blue = 0;
};

// Dash lengths in millimetres; empty = solid line (the default, which writes no dash operator).
struct TPDFDashPattern {
  std::vector<float> Dashes;
  float Phase = 0;
};
