#pragma once
// The station list window: the registered KTD stations with their names and personal texts,
// imported from the contest's list, corrected, added and removed. Opening reads the station list
// file; closing writes it. The decisions live in StationList; this class binds widgets.

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "widgets/qt_list_file_session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct AppContext;
class StationList;

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm3() override;

  // Closing writes the station list file, however the window is closed.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QLineEdit* AddField(QWidget* parent, const char* name, const char* caption, QRect place);

  // Puts the model's stations and selection into the grid, and the selected row into the fields.
  void ShowList();
  void ShowFields();
  // The hint after an import that took nothing, in place of the navigation hint; empty hides it.
  void ShowImportResult(const std::string& hint);

  void FormShow();
  void FormClose();
  void ButtonStationenImportierenClick();
  void ButtonOKClick();
  void ButtonStationLoeschenClick();
  void ButtonStationEinfuegenClick();
  bool EditKeyPress(QLineEdit* field, QKeyEvent* event);
  void TextFieldChange(int text);
  void Edit4Change();
  void Edit4Exit();
  void StringGrid1SelectCell(int row);
  void PasteIntoTextField(QLineEdit* field);
  int TextIndexOf(const QLineEdit* field) const;

  AppContext& ctx_;
  std::unique_ptr<StationList> model_;
  ListFileSession file_;
  bool showing_ = false;  // the model is being put into the widgets

  QTableWidget* StringGrid1 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* LabelImportHinweis = nullptr;
  QLineEdit* Edit4 = nullptr;  // callsign
  QLineEdit* Edit1 = nullptr;  // name
  // Texts 1 to 4 (Edit2, Edit3, Edit5, Edit6) and their length labels (Label2, Label3, Label13,
  // Label14).
  std::array<QLineEdit*, 4> textFields_{};
  std::array<QLabel*, 4> textLengths_{};
  QPushButton* ButtonStationenImportieren = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
};
