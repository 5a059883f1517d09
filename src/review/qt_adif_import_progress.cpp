#include "review/qt_adif_import_progress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressDialog>

#include "services/qt_window_placement.h"

namespace {

constexpr int kShowAfterMs = 500;

// A progress dialog that neither Esc nor the close icon hides: once hidden, it would no longer
// keep the operator out of the windows while the import holds the log.
class UnclosableProgressDialog : public QProgressDialog {
 public:
  using QProgressDialog::QProgressDialog;

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->accept(); }
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

AdifImportProgressDialog::AdifImportProgressDialog(QWidget* parent)
    : dialog_(std::make_unique<UnclosableProgressDialog>(parent)) {
  dialog_->setWindowTitle("ADIF-Import");
  dialog_->setLabelText("ADIF-Log wird importiert");
  dialog_->setCancelButton(nullptr);
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setMinimumDuration(kShowAfterMs);
  dialog_->setAutoClose(true);
  KeepOnScreen(dialog_.get());
}

AdifImportProgressDialog::~AdifImportProgressDialog() = default;

void AdifImportProgressDialog::Report(int done, int total) {
  dialog_->setMaximum(total);
  dialog_->setLabelText(QString("ADIF-Log wird importiert: QSO %1 von %2").arg(done).arg(total));
  dialog_->setValue(done);
  // Shown, the dialog blocks every other window, so events may all be handled; before it shows,
  // the operator's keys and clicks wait, so that nothing else touches the log meanwhile.
  QCoreApplication::processEvents(dialog_->isVisible() ? QEventLoop::AllEvents
                                                       : QEventLoop::ExcludeUserInputEvents);
}
