#pragma once
// The application object. Every event handler runs inside notify(); a failure that escapes a
// handler (a database error ending the running action) is caught there and shown in the error
// message box, so no exception ever crosses the event loop and the program goes on. It also loads
// the German texts of Qt's standard dialogs.

#include <QApplication>
#include <QTranslator>
#include <string>

class KtdApplication : public QApplication {
 public:
  KtdApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void LoadGermanStandardTexts();

  QTranslator standardTexts_;
};

// Shows the error message box with an exception's text (Windows-1252; its carriage returns become
// line breaks).
void ShowErrorMessage(const std::string& message);

// Shows why the program ends before its main window, in the error box for the desktop and on
// stderr for a terminal (Windows-1252 as for ShowErrorMessage).
void ShowStartupFailure(const std::string& message);
