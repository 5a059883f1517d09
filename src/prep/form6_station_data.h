#pragma once
// The station data window: operator, QTH, output power and the eleven equipment items with their
// weights and the live total. Opening reads the station-data file; closing writes it (a cleared
// record removes it). The rules live in station_data_form.h and station_data_record.h; this class
// binds widgets.

#include <QDialog>
#include <map>
#include <memory>
#include <string>

#include "widgets/qt_list_file_session.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
struct AppContext;
struct StationData;
struct StationField;

class TForm6 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm6(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm6() override;

  // Closing writes the record, however the window is closed.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QLineEdit* AddEdit(QWidget* parent, const StationField& field, QRect place);

  // Puts the record into the fields and the total display.
  void ShowRecord();
  void ScrollTo(int position);
  void FocusField(const std::string& name);

  void FormShow();
  void FormClose();
  void ButtonDatenImportierenClick();
  void ButtonQTHloeschenClick();
  void ButtonStationsdatenloeschenClick();
  void Button1Click();
  void EditChange(const StationField& field, QLineEdit* edit);
  void ComboBoxKANTONChange(int index);
  bool FieldKeyPress(const StationField& field, QWidget* widget, QKeyEvent* event);
  void FieldEnter(const StationField& field, QLineEdit* edit);
  void FieldExit(const StationField& field, QLineEdit* edit);

  AppContext& ctx_;
  std::unique_ptr<StationData> data_;
  ListFileSession file_;
  bool showing_ = false;  // the record is being put into the fields

  std::map<std::string, QWidget*> fields_;  // every field of the Enter chain by name
  QScrollArea* ScrollBox1 = nullptr;
  QComboBox* ComboBoxKANTON = nullptr;
  QLabel* LabelGESAMTGEWICHT = nullptr;
  QLabel* LabelImportHinweis = nullptr;
  QPushButton* ButtonQTHloeschen = nullptr;
  QPushButton* ButtonDatenImportieren = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* ButtonStationsdatenloeschen = nullptr;
};
