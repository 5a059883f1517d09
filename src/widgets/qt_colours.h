#pragma once
// Colours are given as Windows colour values 0xBBGGRR (light red 0xE0E0FF, light green 0xE0FFE0);
// this is their one conversion to QColor.

#include <QColor>
#include <cstdint>

class QWidget;

QColor ColourFromWindowsValue(std::uint32_t bgr);

// The hints of the live, paper-log and editor windows (navy, 0x800000).
inline const QColor kDarkBlue(0x00, 0x00, 0x80);
// The hints of the preparation windows (0xAA0000).
inline const QColor kHintBlue(0x00, 0x00, 0xAA);
inline const QColor kLightRed(0xFF, 0xE0, 0xE0);    // 0xE0E0FF
inline const QColor kLightGreen(0xE0, 0xFF, 0xE0);  // 0xE0FFE0

// Background of a line edit (QPalette::Base) or a label (QPalette::Window, filled).
void SetFieldBackground(QWidget* field, const QColor& colour);
void SetLabelBackground(QWidget* label, const QColor& colour);
// Colour of a label's text (QPalette::WindowText).
void SetTextColour(QWidget* label, const QColor& colour);
