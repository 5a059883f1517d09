#include "widgets/qt_fonts.h"

#include <QFontDatabase>

namespace {
constexpr int kPointSize = 9;
}  // namespace

QFont WindowFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(kPointSize);
  return font;
}

QFont FixedFont() {
  QFont font("DejaVu Sans Mono", kPointSize);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}
