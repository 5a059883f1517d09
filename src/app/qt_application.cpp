#include "app/qt_application.h"

#include "app/qt_user_prompts.h"
#include "common/qt_cp1252.h"

KtdApplication::KtdApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("VORLAX_KTD_Log");
}

bool KtdApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowErrorMessage(e.what());
  }
  return true;  // the event reached its handler; the failed action has been reported
}

void ShowErrorMessage(const std::string& message) {
  QString text = QStringFromCp1252(message);
  // Database messages separate their parts with a bare carriage return.
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  UserPrompts::Current().ShowError(QApplication::activeWindow(), text);
}
