#include "review/qso_editor_model.h"

#include <charconv>
#include <optional>

namespace {

std::optional<std::int64_t> ParseRowId(const std::string& text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

QsoEditorModel::QsoEditorModel(std::string logDbFile) : logDbFile_(std::move(logDbFile)) {}

void QsoEditorModel::Open() {
  undoEnabled_ = false;
  Refresh();
}

void QsoEditorModel::Refresh() {
  rows_ = ReadLogGridRows(logDbFile_);
  selectedRow_ = GridRowCount() - 1;
  NewQso();
}

int QsoEditorModel::GridRowCount() const {
  return rows_.empty() ? 1 : static_cast<int>(rows_.size());
}

void QsoEditorModel::SelectRow(int index) {
  if (index < 0 || index >= GridRowCount()) return;
  selectedRow_ = index;
  if (rows_.empty()) {
    NewQso();  // the empty row of an empty log holds no QSO
    return;
  }
  const LogGridRow& row = rows_[static_cast<size_t>(index)];
  currentRowId_ = row[0];
  line_ = EditorQso{std::string(row[1]), std::string(row[2]), std::string(row[3]),
                    std::string(row[4]), std::string(row[5]), std::string(row[6])};
}

void QsoEditorModel::NewQso() {
  line_ = EditorQso{};
  currentRowId_.clear();
}

bool QsoEditorModel::EnterStores(EditorField field) const {
  const bool loaded = QsoLoaded();
  // A new QSO needs time, callsign and both reports before Enter appends it.
  const bool complete =
      line_.utc.size() == 4 && line_.rufz.size() > 2 && line_.s.size() > 1 && line_.r.size() > 1;
  switch (field) {
    case EditorField::Utc:
      return loaded && line_.utc.size() == 4;
    case EditorField::Station:
      return loaded && line_.rufz.size() >= 3;
    case EditorField::RstSent:
      return loaded && line_.s.size() >= 2;
    case EditorField::TextSent:
      return loaded;
    case EditorField::RstRcvd:
      // With a text sent the line is a KTD QSO: its text received comes first.
      return line_.stxt.empty() && complete;
    case EditorField::TextRcvd:
      return loaded || complete;
  }
  return false;
}

bool QsoEditorModel::Store() {
  if (!IsStorableQso(line_)) return false;
  std::optional<std::int64_t> rowId;
  if (QsoLoaded()) {
    rowId = ParseRowId(currentRowId_);
    if (!rowId) return false;
  }
  StoreEditedQso(logDbFile_, rowId, line_);
  undoEnabled_ = true;
  Refresh();
  return true;
}

bool QsoEditorModel::Remove() {
  if (!QsoLoaded()) return false;
  const std::optional<std::int64_t> rowId = ParseRowId(currentRowId_);
  if (!rowId) return false;
  RemoveQso(logDbFile_, *rowId);
  undoEnabled_ = true;
  Refresh();
  return true;
}

void QsoEditorModel::Undo() {
  if (!undoEnabled_) return;
  UndoLastEdit(logDbFile_);
  undoEnabled_ = false;
  Refresh();
}
