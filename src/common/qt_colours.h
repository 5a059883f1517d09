#pragma once
// Colours are given as Windows colour values 0xBBGGRR (light red 0xE0E0FF, light green 0xE0FFE0).

#include <QColor>
#include <cstdint>

class QWidget;

QColor ColourFromWindowsValue(std::uint32_t bgr);

// Background of a line edit (QPalette::Base) or a label (QPalette::Window, filled).
void SetFieldBackground(QWidget* field, const QColor& colour);
void SetLabelBackground(QWidget* label, const QColor& colour);
