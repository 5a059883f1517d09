#include "live/qt_live_view_widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include "common/qt_cp1252.h"
#include "widgets/qt_colours.h"

void SetColour(QWidget* widget, QPalette::ColorRole role, std::uint32_t bgr) {
  const QColor colour = ColourFromWindowsValue(bgr);
  if (widget->palette().color(role) == colour) return;
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

void SetVisible(QWidget* widget, bool visible) {
  if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
}

void ApplyLabel(QLabel* label, const LiveLabel& view) {
  const QString text = QStringFromCp1252(view.text);
  if (label->text() != text) label->setText(text);
  SetColour(label, QPalette::Window, view.background);
  SetColour(label, QPalette::WindowText, view.font);
  SetVisible(label, view.visible);
}

void ApplyCheck(QCheckBox* box, const LiveCheck& view) {
  if (box->isChecked() != view.checked) box->setChecked(view.checked);
  if (box->isEnabled() != view.enabled) box->setEnabled(view.enabled);
  SetVisible(box, view.visible);
}

void ApplyList(QListWidget* list, const std::vector<std::string>& entries,
               std::vector<std::string>& shown) {
  if (entries == shown) return;
  shown = entries;
  QStringList items;
  items.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) items << QStringFromCp1252(entry);
  list->clear();
  list->addItems(items);
}

void ApplyEdit(QLineEdit* edit, const LiveEdit& view) {
  if (edit->maxLength() != view.maxLength) edit->setMaxLength(view.maxLength);
  const QString text = QStringFromCp1252(view.text);
  if (edit->text() != text) edit->setText(text);
  if (edit->isEnabled() != view.enabled) edit->setEnabled(view.enabled);
  SetColour(edit, QPalette::Base, view.background);
  SetVisible(edit, view.visible);
}

void ApplyTimer(QTimer* timer, const LiveTimer& view, unsigned& appliedGeneration) {
  if (!view.running) {
    timer->stop();
    return;
  }
  if (!timer->isActive() || appliedGeneration != view.generation) {
    timer->start(view.intervalMs);
    appliedGeneration = view.generation;
  }
}
