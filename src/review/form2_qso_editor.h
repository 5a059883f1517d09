#pragma once
// The QSO editor: select a QSO in the log grid, change it in the input line and store it, add a
// missing QSO, remove one, undo the last change. All decisions and the SQL are in QsoEditorModel;
// this window binds its widgets to it.

#include <QDialog>
#include <memory>

#include "review/qso_editor_model.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class LogGridModel;
struct AppContext;
struct TypedTextRule;

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm2() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QLineEdit* AddField(const char* name, const char* caption, int x, int width,
                      const TypedTextRule& rule);
  QLabel* AddHint(const char* name, const QString& text, int y);
  QLabel* AddCounter(const char* name, int x);

  void FormShow();
  // Puts the model's grid, input line and buttons into the widgets.
  void ShowModel();
  void ShowLine();
  void FocusTime();
  // Loads the grid's current row into the input line.
  void LoadCurrentRow();
  // Moves the grid's selection by `delta` rows, gives the grid the focus and loads the row.
  void StepGridRow(int delta);
  bool FieldKeyPress(QLineEdit* field, QKeyEvent* event);
  void FieldEdited(QLineEdit* field, const QString& text);
  EditorField FieldOf(const QLineEdit* field) const;

  void ButtonQSOspeichernClick();
  void ButtonQSOloeschenClick();
  void ButtonLogWiederherstellenClick();
  void Button1Click();

  AppContext& ctx_;
  QsoEditorModel model_;

  LogGridModel* gridModel_ = nullptr;
  QTableView* StringGrid1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLineEdit* EditUTC = nullptr;
  QLineEdit* EditStationK = nullptr;
  QLineEdit* EditRSTsentK = nullptr;
  QLineEdit* EditTextSentK = nullptr;
  QLineEdit* EditRSTRcvdK = nullptr;
  QLineEdit* EditTextRcvdK = nullptr;
  QLabel* LabelZeichenSent = nullptr;
  QLabel* LabelZeichenRcvd = nullptr;
  QPushButton* ButtonQSOspeichern = nullptr;
  QPushButton* ButtonQSOloeschen = nullptr;
  QPushButton* ButtonLogWiederherstellen = nullptr;
  QPushButton* Button1 = nullptr;
};
