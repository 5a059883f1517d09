#include "live/select_port_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt_cp1252.h"
#include "services/qt_window_placement.h"

namespace {

class DialogPortPrompt : public PortPrompt {
 public:
  std::optional<int> ChoosePort(QWidget* parent, const std::string& reason,
                                const std::vector<SerialPortInfo>& ports,
                                int currentPort) override {
    SelectPortDialog dialog(parent, reason, ports, currentPort);
    KeepOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenPort() == 0) return std::nullopt;
    return dialog.ChosenPort();
  }
};

PortPrompt* g_installed = nullptr;

QString PortLine(const SerialPortInfo& port) {
  QString line = QString::number(port.number) + "   " + QString::fromStdString(port.name);
  if (port.device != "/dev/" + port.name)
    line += "   (" + QString::fromStdString(port.device) + ")";
  const std::string remark = SerialPortRemark(port);
  if (!remark.empty()) line += " - " + QStringFromCp1252(remark);
  return line;
}

}  // namespace

PortPrompt& PortPrompt::Current() {
  static DialogPortPrompt dialogs;
  return g_installed != nullptr ? *g_installed : dialogs;
}

void PortPrompt::Install(PortPrompt* prompt) {
  g_installed = prompt;
}

SelectPortDialog::SelectPortDialog(QWidget* parent, const std::string& reason,
                                   const std::vector<SerialPortInfo>& ports, int currentPort)
    : QDialog(parent) {
  setObjectName("SelectPortDialog");
  setWindowTitle("Select Port");
  auto* layout = new QVBoxLayout(this);
  auto* invalid = new QLabel("The configured serial port is not valid.", this);
  invalid->setObjectName("LabelInvalid");
  layout->addWidget(invalid);
  auto* why = new QLabel(QString::fromStdString(reason), this);
  why->setObjectName("LabelReason");
  why->setWordWrap(true);
  layout->addWidget(why);
  auto* choose = new QLabel("Please choose another port.", this);
  choose->setObjectName("LabelChoose");
  layout->addWidget(choose);

  list_ = new QListWidget(this);
  list_->setObjectName("ListPorts");
  for (const SerialPortInfo& port : ports) {
    list_->addItem(PortLine(port));
    numbers_.push_back(port.number);
    if (port.number == currentPort) list_->setCurrentRow(list_->count() - 1);
  }
  if (list_->currentRow() < 0 && list_->count() > 0) list_->setCurrentRow(0);
  layout->addWidget(list_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("ButtonOK");
  ok_->setDefault(true);
  ok_->setEnabled(!numbers_.empty());
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("ButtonCancel");
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  resize(520, 300);
}

int SelectPortDialog::ChosenPort() const {
  const int row = list_->currentRow();
  return row >= 0 && row < static_cast<int>(numbers_.size()) ? numbers_[static_cast<size_t>(row)]
                                                             : 0;
}
