#pragma once
// The text collection window: the operator's own exchange texts, imported from a file or the
// clipboard or typed, put in order and deleted. Opening reads the text collection file; closing
// writes it and the table `txt`. The decisions live in TextCollection; this class binds widgets.

#include <QDialog>
#include <memory>

#include "widgets/qt_list_file_session.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct AppContext;
class TextCollection;

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm5(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm5() override;

  // Closing saves, however the window is closed.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();

  // Puts the model's collection, selection and input into the widgets.
  void ShowCollection();
  void FocusInput();

  void FormShow();
  void FormClose();
  void ButtonImportierenClick();
  void PasteTexts();
  void Button3Click();
  void Button4Click();
  void Button2Click();
  void ButtonLoeschenClick();
  void Button1Click();
  void Button6Click();
  void EscapeKey();
  void Edit1Change();
  bool Edit1KeyPress(QKeyEvent* event);
  bool StringGrid1KeyPress(QKeyEvent* event);
  void StringGrid1SelectCell(int row);
  void StringGrid1DblClick();
  void MoveMarkedText(int direction);
  void WheelOverWindow(int notches);

  AppContext& ctx_;
  std::unique_ptr<TextCollection> model_;
  ListFileSession file_;
  bool showing_ = false;  // the model is being put into the widgets

  QTableWidget* StringGrid1 = nullptr;
  QLabel* LabelAnzahl = nullptr;
  QLabel* LabelAnzahlTexte = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* LabelImportHinweis = nullptr;
  QPushButton* ButtonImportieren = nullptr;
  QPushButton* ButtonLoeschen = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button6 = nullptr;
  QAction* PasteAction = nullptr;
};
