#pragma once
// "Select Port": asked when the keyer port cannot be opened. It says why, lists the serial ports
// present with their devices, and returns the port the operator chose (1 ... 20), or nothing for
// "Cancel". Through PortPrompt, so that tests answer instead of a person.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "keyer/serial_port_list.h"

class QListWidget;
class QPushButton;

class PortPrompt {
 public:
  virtual ~PortPrompt() = default;
  // reason: why the configured port failed; currentPort: its number.
  virtual std::optional<int> ChoosePort(QWidget* parent, const std::string& reason,
                                        const std::vector<SerialPortInfo>& ports,
                                        int currentPort) = 0;

  static PortPrompt& Current();
  // Not owned; nullptr brings back the real dialog.
  static void Install(PortPrompt* prompt);
};

class SelectPortDialog : public QDialog {
  Q_OBJECT

 public:
  SelectPortDialog(QWidget* parent, const std::string& reason,
                   const std::vector<SerialPortInfo>& ports, int currentPort);
  // The chosen port number, once accepted.
  int ChosenPort() const;

 private:
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::vector<int> numbers_;
};
