#pragma once
// The live window's group " CW : Sendertastung ": keying line (CheckBoxRTS), paddle orientation
// (CheckBoxreverse), port (ComboBoxCOM), speed (EditWpM, UpDownWpM) and the rigctld path
// (CheckBoxRigctld, EditRigAddress, CheckBoxRigMode). It builds the widgets and copies the view
// onto them; the window connects the check boxes and fields to the model like its own.

#include <QRect>
#include <functional>
#include <utility>
#include <vector>

#include "live/live_view.h"

class LiveEntryModel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QString;
class QToolButton;
class QWidget;

class KeyingGroup {
 public:
  // Makes a check box in `parent` whose clicks the window hands to the model as `box`.
  using CheckBoxMaker = std::function<QCheckBox*(QWidget* parent, const char* name,
                                                 const QString& caption, QRect place)>;

  // The arrows and the port list act on `model`; `changed` then copies the view (the window's
  // Sync).
  KeyingGroup(QWidget* window, LiveEntryModel& model, const CheckBoxMaker& makeCheckBox,
              std::function<void()> changed);

  void Apply(const LiveView& view);

  QGroupBox* GroupBoxKeyer = nullptr;
  QCheckBox* CheckBoxRTS = nullptr;
  QCheckBox* CheckBoxreverse = nullptr;
  QCheckBox* CheckBoxRigctld = nullptr;
  QCheckBox* CheckBoxRigMode = nullptr;
  QComboBox* ComboBoxCOM = nullptr;
  QLineEdit* EditWpM = nullptr;
  QLineEdit* EditRigAddress = nullptr;
  QToolButton* UpDownWpMUp = nullptr;
  QToolButton* UpDownWpMDown = nullptr;
  QWidget* UpDownWpM = nullptr;

 private:
  void UpdatePortTooltip(int number);

  LiveEntryModel& model_;
  std::function<void()> changed_;
  int tooltipPort_ = 0;  // the port number the combo box tooltip describes
};
