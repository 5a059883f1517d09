#include "reports/pdf_font_table.h"

#include <array>

namespace {

constexpr PdfTrueTypeMetrics kNoMetrics{};

// The two LucidaConsole entries carry the metrics the reports rely on. The other TrueType entries
// are never drawn by the reports; they get one average width for every character and descriptor
// values close to the real fonts, enough for a viewer to substitute a similar font.
constexpr PdfTrueTypeMetrics kLucidaConsole{
    32, 255, 603, 34, {-250, -211, 721, 1000}, 603, 110, 110, 0, 789, 395, 789, -211, 0, 603, 603};
constexpr PdfTrueTypeMetrics kLucidaConsoleBold{
    32,   255, 603, 16418, {-250, -211, 724, 1000}, 603, 192, 192, 0, 789, 395, 789,
    -211, 0,   603, 603};
constexpr PdfTrueTypeMetrics kSymbol{
    32, 255, 600, 6, {-180, -293, 1090, 1010}, 600, 85, 92, 0, 673, 500, 1010, -293, 0, 1042, 600};
constexpr PdfTrueTypeMetrics kVerdana{
    32, 255, 580, 32, {-560, -303, 1523, 1050}, 580, 92, 92, 0, 727, 545, 1005, -210, 0, 1523, 580};
constexpr PdfTrueTypeMetrics kVerdanaBold{
    32,   255, 680,  16416, {-670, -303, 1640, 1050}, 680, 168, 168, 0, 727, 548, 1005,
    -210, 0,   1640, 680};
constexpr PdfTrueTypeMetrics kVerdanaItalic{
    32,   255, 580,  96, {-650, -303, 1520, 1050}, 580, 92, 92, -13, 727, 545, 1005,
    -210, 0,   1520, 580};
constexpr PdfTrueTypeMetrics kTahoma{
    32, 255, 520, 32, {-600, -207, 1338, 1034}, 520, 92, 92, 0, 727, 545, 1000, -207, 0, 1338, 520};
constexpr PdfTrueTypeMetrics kLucidaHandwriting{
    32, 255, 700, 104, {-266, -312, 1600, 1000}, 700, 88, 88, 0, 723, 530, 969, -312, 0, 1600, 700};
constexpr PdfTrueTypeMetrics kLucidaCalligraphy{
    32, 255, 650, 34, {-250, -317, 1468, 1000}, 650, 80, 80, 0, 723, 469, 940, -317, 0, 1468, 650};

constexpr std::array<PdfFontEntry, 22> kFontTable{{
    {"Helvetica", false, kNoMetrics},
    {"Helvetica-Bold", false, kNoMetrics},
    {"Helvetica-Oblique", false, kNoMetrics},
    {"Helvetica-BoldOblique", false, kNoMetrics},
    {"Courier", false, kNoMetrics},
    {"Courier-Bold", false, kNoMetrics},
    {"Courier-Oblique", false, kNoMetrics},
    {"Courier-BoldOblique", false, kNoMetrics},
    {"Times-Roman", false, kNoMetrics},
    {"Times-Bold", false, kNoMetrics},
    {"Times-Italic", false, kNoMetrics},
    {"Times-BoldItalic", false, kNoMetrics},
    {"Symbol,", true, kSymbol},
    {"ZapfDingbats", false, kNoMetrics},
    {"LucidaConsole", true, kLucidaConsole},
    {"LucidaConsole,Bold", true, kLucidaConsoleBold},
    {"Verdana", true, kVerdana},
    {"Verdana,Bold", true, kVerdanaBold},
    {"Verdana,Italic", true, kVerdanaItalic},
    {"Tahoma", true, kTahoma},
    {"LucidaHandwriting", true, kLucidaHandwriting},
    {"LucidaCalligraphy", true, kLucidaCalligraphy},
}};

}  // namespace

const PdfFontEntry& PdfFontTableEntry(int index) {
  return kFontTable.at(index);
}
