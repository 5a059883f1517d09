#pragma once
// The open-file dialog of the preparation windows. Tests choose the file instead of a person: the
// name given to SetNextFileName is returned by the next dialog at once, without showing it (as
// KeePassXC's FileDialog::setNextFileName), and the request is kept for checking.

#include <QString>
#include <optional>

class QWidget;

struct OpenFileRequest {
  QString title;
  QString filter;        // Windows form: "Textdateien (*.txt;)|*.txt;|Alle Dateien (*.*)|*.*"
  QString folder;        // where the dialog starts
  QString proposedFile;  // the file offered; empty for none
};

class FileDialogs {
 public:
  // The chosen file (UTF-8 path), or nothing when the operator cancels.
  static std::optional<QString> GetOpenFileName(QWidget* parent, const OpenFileRequest& request);

  // The next dialog returns `fileName` without showing; nothing makes it return as cancelled.
  static void SetNextFileName(const std::optional<QString>& fileName);
  // The request of the last dialog asked for.
  static const OpenFileRequest& LastRequest();
};
