#pragma once
// The progress of an ADIF import in the paper-log window: a modal progress bar that appears when
// the import takes longer than half a second, while the windows keep painting. It offers no
// cancel: the import is one transaction that is either recorded whole or not at all, and the
// operator's keys and clicks do not reach the paper-log window until it is over.

#include <memory>

class QProgressDialog;
class QWidget;

class AdifImportProgressDialog {
 public:
  explicit AdifImportProgressDialog(QWidget* parent);
  ~AdifImportProgressDialog();
  AdifImportProgressDialog(const AdifImportProgressDialog&) = delete;
  AdifImportProgressDialog& operator=(const AdifImportProgressDialog&) = delete;

  // The import's progress callback: `done` of `total` QSOs.
  void Report(int done, int total);

 private:
  std::unique_ptr<QProgressDialog> dialog_;
};
