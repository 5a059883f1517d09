#include "services/qt_file_dialogs.h"

#include <QFileDialog>

#include "services/file_dialog_filter.h"
#include "services/qt_window_placement.h"

namespace {

struct Scripted {
  bool armed = false;
  std::optional<QString> fileName;
};

Scripted& Next() {
  static Scripted next;
  return next;
}

OpenFileRequest& Last() {
  static OpenFileRequest last;
  return last;
}

}  // namespace

std::optional<QString> FileDialogs::GetOpenFileName(QWidget* parent,
                                                    const OpenFileRequest& request) {
  Last() = request;
  if (Next().armed) {
    Next().armed = false;
    return Next().fileName;
  }
  const QString filter = QString::fromStdString(QtFileDialogFilter(request.filter.toStdString()));
  QFileDialog dialog(parent, request.title, request.folder, filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!request.proposedFile.isEmpty()) dialog.selectFile(request.proposedFile);
  KeepOnScreen(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void FileDialogs::SetNextFileName(const std::optional<QString>& fileName) {
  Next() = {true, fileName};
}

const OpenFileRequest& FileDialogs::LastRequest() {
  return Last();
}
