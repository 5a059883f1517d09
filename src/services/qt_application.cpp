#include "services/qt_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>

#include "common/encoding.h"
#include "common/qt_cp1252.h"
#include "services/qt_user_prompts.h"

KtdApplication::KtdApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("VORLAX_KTD_Log");
  // The desktop entry the window belongs to, so that desktops show its name and icon.
  setDesktopFileName("ch.vorlax.ktdlog");
  // Qt's own dialogs, not the desktop's: only they follow the German texts loaded below, whatever
  // language the desktop is set to.
  setAttribute(Qt::AA_DontUseNativeDialogs);
  LoadGermanStandardTexts();
}

void KtdApplication::LoadGermanStandardTexts() {
  // The program speaks German; the buttons and texts of Qt's standard dialogs ("Abbrechen", the
  // file dialog) come from Qt's own German catalogue.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (standardTexts_.load(QLocale(QLocale::German, QLocale::Switzerland), "qtbase", "_", folder)) {
    installTranslator(&standardTexts_);
  } else {
    qWarning("German texts of the standard dialogs not found in %s (package qt6-translations-l10n)",
             qPrintable(folder));
  }
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

void ShowStartupFailure(const std::string& message) {
  std::string text = Cp1252ToUtf8(message);
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  std::fprintf(stderr, "vorlax-ktd-log: %s\n", text.c_str());
  ShowErrorMessage(message);
}
