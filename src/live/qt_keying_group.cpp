#include "live/qt_keying_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "keyer/serial_port_list.h"
#include "live/live_entry_model.h"
#include "live/qt_live_view_widgets.h"

KeyingGroup::KeyingGroup(QWidget* window, LiveEntryModel& model, const CheckBoxMaker& makeCheckBox,
                         std::function<void()> changed)
    : model_(model), changed_(std::move(changed)) {
  GroupBoxKeyer = new QGroupBox(" CW : Sendertastung ", window);
  GroupBoxKeyer->setObjectName("GroupBoxKeyer");
  GroupBoxKeyer->setGeometry(196, 196, 236, 236);
  CheckBoxRTS =
      makeCheckBox(GroupBoxKeyer, "CheckBoxRTS", "RTS oder DTR  Tune", QRect(10, 22, 210, 20));
  CheckBoxreverse =
      makeCheckBox(GroupBoxKeyer, "CheckBoxreverse", "Paddels reverse", QRect(10, 46, 210, 20));
  CheckBoxreverse->setToolTip("Software-Keyer: Paddle vertauschen.");
  auto* portCaption = new QLabel("Port", GroupBoxKeyer);
  portCaption->setGeometry(10, 76, 44, 20);
  ComboBoxCOM = new QComboBox(GroupBoxKeyer);
  ComboBoxCOM->setObjectName("ComboBoxCOM");
  ComboBoxCOM->setGeometry(60, 74, 70, 24);
  ComboBoxCOM->setFocusPolicy(Qt::NoFocus);
  for (int n = 1; n <= kMaxSerialPorts; ++n) ComboBoxCOM->addItem(QString::number(n));
  QObject::connect(ComboBoxCOM, &QComboBox::activated, GroupBoxKeyer, [this](int index) {
    model_.PortIndexChosen(index);
    changed_();
  });
  auto* speedCaption = new QLabel("WpM", GroupBoxKeyer);
  speedCaption->setGeometry(10, 110, 44, 20);
  EditWpM = new QLineEdit(GroupBoxKeyer);
  EditWpM->setObjectName("EditWpM");
  EditWpM->setGeometry(60, 106, 44, 26);
  UpDownWpM = new QWidget(GroupBoxKeyer);
  UpDownWpM->setObjectName("UpDownWpM");
  UpDownWpM->setGeometry(106, 106, 18, 26);
  UpDownWpMUp = new QToolButton(UpDownWpM);
  UpDownWpMUp->setObjectName("UpDownWpMUp");
  UpDownWpMUp->setArrowType(Qt::UpArrow);
  UpDownWpMUp->setGeometry(0, 0, 18, 13);
  UpDownWpMDown = new QToolButton(UpDownWpM);
  UpDownWpMDown->setObjectName("UpDownWpMDown");
  UpDownWpMDown->setArrowType(Qt::DownArrow);
  UpDownWpMDown->setGeometry(0, 13, 18, 13);
  for (QToolButton* arrow : {UpDownWpMUp, UpDownWpMDown}) {
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    QObject::connect(arrow, &QToolButton::clicked, GroupBoxKeyer, [this, arrow] {
      model_.SpeedArrowClicked(arrow == UpDownWpMUp ? 1 : -1);
      changed_();
    });
  }

  // The transceiver's own keyer, reached through rigctld.
  CheckBoxRigctld = makeCheckBox(GroupBoxKeyer, "CheckBoxRigctld",
                                 QString::fromUtf8("über rigctld"), QRect(10, 140, 210, 20));
  CheckBoxRigctld->setToolTip(
      QString::fromUtf8("Das Funkgerät tastet die Texte selbst (Hamlib rigctld)."));
  auto* addressCaption = new QLabel("Adresse", GroupBoxKeyer);
  addressCaption->setGeometry(10, 168, 50, 20);
  EditRigAddress = new QLineEdit(GroupBoxKeyer);
  EditRigAddress->setObjectName("EditRigAddress");
  EditRigAddress->setGeometry(60, 164, 166, 26);
  EditRigAddress->setToolTip("rigctld: Rechner:Port");
  CheckBoxRigMode =
      makeCheckBox(GroupBoxKeyer, "CheckBoxRigMode", QString::fromUtf8("Betriebsart vom Funkgerät"),
                   QRect(10, 198, 216, 20));
  CheckBoxRigMode->setToolTip(QString::fromUtf8("CW oder SSB wie das Funkgerät."));
}

void KeyingGroup::Apply(const LiveView& v) {
  ApplyCheck(CheckBoxRTS, v.rts);
  ApplyCheck(CheckBoxreverse, v.reverse);
  ApplyCheck(CheckBoxRigctld, v.viaRigctld);
  ApplyCheck(CheckBoxRigMode, v.followRig);
  if (ComboBoxCOM->currentIndex() != v.portIndex) ComboBoxCOM->setCurrentIndex(v.portIndex);
  if (ComboBoxCOM->isEnabled() != v.portEnabled) ComboBoxCOM->setEnabled(v.portEnabled);
  UpdatePortTooltip(v.portIndex + 1);
  SetVisible(GroupBoxKeyer, v.keyerGroupVisible);
}

void KeyingGroup::UpdatePortTooltip(int number) {
  // The port list is read from the system only when the selection changes.
  if (number == tooltipPort_) return;
  tooltipPort_ = number;
  const std::string device = SerialDeviceForNumber(number);
  const QString tip = device.empty()
                          ? QString::fromUtf8("Port %1: kein serielles Gerät").arg(number)
                          : QString("Port %1: %2").arg(number).arg(QString::fromStdString(device));
  ComboBoxCOM->setToolTip(tip);
}
