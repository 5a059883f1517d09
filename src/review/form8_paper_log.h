#pragma once
// The paper-log window: a paper log typed in line by line. The time is stepped with the arrow keys,
// the station picked from the KTD stations still to be worked, the sent text taken from the
// station's personal texts or the pre-printed texts of the form, and the line saved through
// RecordQso. All decisions and the SQL are in PaperLogModel; this window binds its widgets to it.

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "review/paper_log_model.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class LogGridModel;
class TypedTextValidator;
struct AppContext;

class TForm8 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm8(AppContext& ctx, QWidget* parent = nullptr);
  ~TForm8() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildTimeControls();
  void BuildEntryControls();
  void BuildLists();
  void BuildScoreBox();
  QLineEdit* AddField(const char* name, QRect place);
  QListWidget* AddList(const char* name, const QString& caption, QRect place);

  void FormShow();
  // Copies the model's time, line and lists onto the widgets (only what changed).
  void Sync();
  void ShowGridAndScore();
  void ShowRecordedRowsAndScore();
  void ShowScore();
  void ShowTime();
  void ShowLine();
  void ShowReportLimits();
  void ShowStations();
  void ShowTextLists();
  static void ShowList(QListWidget* list, const PaperList& content,
                       std::vector<std::string>& shown);
  void Focus(PaperField field);
  void FocusMinute();

  std::optional<PaperField> FieldOf(const QObject* widget) const;
  bool FieldKeyPress(PaperField field, const QKeyEvent* event);
  void FieldFocusIn(PaperField field, QLineEdit* edit);

  void CheckBox1Click();
  void ButtonQSOspeichernClick();
  void ButtonEingabeAbbrechenClick();
  void ButtonADIFImportierenClick();

  AppContext& ctx_;
  PaperLogModel model_;
  // Set while lists are filled from the model, so their selection signals are not the operator's.
  bool showingLists_ = false;
  // The entries the three lists show, so that they are filled anew only when these change.
  std::vector<std::string> shownStations_;
  std::vector<std::string> shownPrinted_;
  std::vector<std::string> shownPersonal_;

  QLineEdit* EditHH = nullptr;
  QLineEdit* EditMM = nullptr;
  QLabel* Label8 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QLineEdit* EditStation = nullptr;
  QLineEdit* EditRSTsent = nullptr;
  QLineEdit* EditTextSent = nullptr;
  QLineEdit* EditRSTrcvd = nullptr;
  QLineEdit* EditTextRcvd = nullptr;
  TypedTextValidator* rstSentValidator_ = nullptr;
  TypedTextValidator* rstRcvdValidator_ = nullptr;
  QLabel* LabelZeichenSent = nullptr;
  QLabel* LabelZeichenRcvd = nullptr;
  QPushButton* ButtonQSOspeichern = nullptr;
  QPushButton* ButtonEingabeAbbrechen = nullptr;
  QPushButton* ButtonADIFImportieren = nullptr;
  QListWidget* ListBoxStationen = nullptr;
  QListWidget* ListBox1 = nullptr;
  QListWidget* ListBoxTexte = nullptr;
  QGroupBox* GroupBoxScore = nullptr;
  // KTD, HB, EU, QSO, Punkte; CW then SSB.
  std::array<QLabel*, 5> cwCounters_{};
  std::array<QLabel*, 5> ssbCounters_{};
  LogGridModel* gridModel_ = nullptr;
  QTableView* StringGrid1 = nullptr;
};
