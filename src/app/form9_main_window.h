#pragma once
// The main window: the menu of the program. Its start-up settles folders, files and the own
// callsign and prepares the databases; every other window is opened from here, modally, while the
// main window is hidden. Closing it ends the program.

#include <QWidget>
#include <string>

class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
struct AppContext;
struct MenuButtons;
struct MenuLabel;

class TForm9 : public QWidget {
  Q_OBJECT

 public:
  // The windows opened from the menu, made after the start-up by the program's entry; until one
  // is added its button does nothing. Not owned.
  struct ChildWindows {
    QDialog* live = nullptr;         // TForm1
    QDialog* paper = nullptr;        // TForm8
    QDialog* editor = nullptr;       // TForm2
    QDialog* stationData = nullptr;  // TForm6
    QDialog* stations = nullptr;     // TForm3
    QDialog* texts = nullptr;        // TForm5
  };

  explicit TForm9(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm9() override;

  // Runs the start-up in `baseFolder` (the working directory, ending in '/'), prepared first from
  // `sharedFolder` when one is given. False when the program must end: the folder taken by another
  // copy, not prepared or failing to be prepared, the callsign dialog cancelled, a callsign of 3
  // characters or fewer, or the log or prefix database failing (the reason is shown first, except
  // for what the operator ended himself).
  bool StartUp(const std::string& baseFolder, const std::string& sharedFolder = {});

  void SetChildWindows(const ChildWindows& windows) { children_ = windows; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, QRect place);
  // A count or status label of the menu in its frame, on white.
  QLabel* AddMenuLabel(QWidget* parent, const char* labelName, const char* shapeName,
                       const QString& text, QRect place);
  void ApplyButtons(const MenuButtons& buttons);
  static void ApplyLabel(QLabel* label, const MenuLabel& value);
  // Hides the menu, runs `window` modally and shows the menu again (which recounts everything).
  void OpenModal(QDialog* window);
  void OpenLogging(QDialog* window);

  void FormShow();
  void ButtonTexteClick();
  void ButtonStationenClick();
  void ButtonStationsdatenClick();
  void ButtonLiveClick();
  void ButtonPapierClick();
  void Button3Click();
  void ButtonNeuesLogClick();
  void ButtonAltesLogClick();

  AppContext& ctx_;
  ChildWindows children_;

  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QPushButton* ButtonTexte = nullptr;
  QPushButton* ButtonStationen = nullptr;
  QPushButton* ButtonStationsdaten = nullptr;
  QPushButton* ButtonNeuesLog = nullptr;
  QPushButton* ButtonAltesLog = nullptr;
  QPushButton* ButtonLive = nullptr;
  QPushButton* ButtonPapier = nullptr;
  QPushButton* Button3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
};
