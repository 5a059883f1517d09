#pragma once
// Copying parts of the live window's view onto Qt widgets; each setter runs only when the widget
// differs, so a view copied after every key costs little.

#include <QPalette>
#include <cstdint>
#include <string>
#include <vector>

#include "live/live_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;
class QWidget;

// bgr: a Windows colour value (0xBBGGRR).
void SetColour(QWidget* widget, QPalette::ColorRole role, std::uint32_t bgr);
void SetVisible(QWidget* widget, bool visible);
void ApplyLabel(QLabel* label, const LiveLabel& view);
void ApplyCheck(QCheckBox* box, const LiveCheck& view);
// `shown` is what the list shows; the list is filled anew only when the entries differ.
void ApplyList(QListWidget* list, const std::vector<std::string>& entries,
               std::vector<std::string>& shown);
void ApplyEdit(QLineEdit* edit, const LiveEdit& view);
// A new generation in the view restarts a running timer.
void ApplyTimer(QTimer* timer, const LiveTimer& view, unsigned& appliedGeneration);
