#include "widgets/qt_list_file_session.h"

#include <QTimer>
#include <QWidget>

#include "common/file_failures.h"
#include "common/list_file.h"
#include "db/sqlite_database.h"
#include "services/qt_application.h"

std::vector<std::string> ListFileSession::Open(const std::string& path) {
  ListFileContent file = ReadListFile(path);
  path_ = path;
  unreadable_ = file.reason;
  return std::move(file.lines);
}

void ListFileSession::ReportUnreadableLater(QWidget* window) const {
  if (!unreadable_) return;
  // Told once the window stands, so the operator sees which window could not read its file.
  const std::string message = UnreadableFileMessage(path_, *unreadable_);
  QTimer::singleShot(0, window, [message] { ShowErrorMessage(message); });
}

void ListFileSession::Close(const Save& save) const {
  FileFailures failures;
  try {
    save(FileUnreadable(), failures);
  } catch (const ESQLiteException& e) {
    ShowErrorMessage(e.what());
  }
  if (!failures.Empty()) ShowErrorMessage(failures.Message());
}
