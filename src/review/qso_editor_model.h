#pragma once
// The QSO editor's state and decisions, without widgets: the rows of the log grid, the QSO loaded
// into the input line (its row id, empty for a new QSO), the undo button, and what Enter does in
// each field of the input line. The window only shows this state and hands the operator's input in.

#include <string>
#include <vector>

#include "live/log_grid.h"
#include "review/qso_editor.h"

// The fields of the input line, in tab order.
enum class EditorField { Utc, Station, RstSent, TextSent, RstRcvd, TextRcvd };

class QsoEditorModel {
 public:
  explicit QsoEditorModel(std::string logDbFile);

  // Opening: undo off, then a refresh.
  void Open();
  // Reads the log into the grid, selects its last row and starts a new QSO.
  void Refresh();

  const std::vector<LogGridRow>& Rows() const { return rows_; }
  // Index of the selected grid row (the grid shows one empty row for an empty log).
  int SelectedRow() const { return selectedRow_; }
  int GridRowCount() const;

  // Loads the grid row into the input line; its "#" cell becomes the current row id.
  void SelectRow(int index);
  // "Neues QSO einfügen": an empty input line that will be appended.
  void NewQso();

  EditorQso& Line() { return line_; }
  const EditorQso& Line() const { return line_; }
  // The row id of the loaded QSO as shown in "#"; empty when the line holds a new QSO.
  const std::string& CurrentRowId() const { return currentRowId_; }
  bool QsoLoaded() const { return !currentRowId_.empty(); }
  bool UndoEnabled() const { return undoEnabled_; }

  // Enter in a field of the input line: true when it stores the line (insert or update).
  bool EnterStores(EditorField field) const;

  // Stores the input line (update of the loaded QSO, else insert) and refreshes. False, with
  // nothing changed, for a line that is not storable.
  bool Store();
  // Removes the loaded QSO, renumbers and refreshes; false when no QSO is loaded.
  bool Remove();
  // Puts back the log as it was before the last store or removal, and refreshes.
  void Undo();

 private:
  std::string logDbFile_;
  std::vector<LogGridRow> rows_;
  int selectedRow_ = 0;
  EditorQso line_;
  std::string currentRowId_;
  bool undoEnabled_ = false;
};
