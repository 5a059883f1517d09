// The program's entry and the composition root: it reads the command line, makes the context with
// the system clock and every window, runs the start-up and hands the menu its windows. No other
// folder includes src/app.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/command_line.h"
#include "app/form9_main_window.h"
#include "common/clock.h"
#include "live/form1_live_window.h"
#include "prep/form3_station_list.h"
#include "prep/form5_text_collection.h"
#include "prep/form6_station_data.h"
#include "review/form2_qso_editor.h"
#include "review/form8_paper_log.h"
#include "services/app_context.h"
#include "services/qt_application.h"

int main(int argc, char* argv[]) {
  // Read before the application object exists: --help and --version need no display.
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(ProgramHelp().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::fputs(ProgramVersion().c_str(), stdout);
      return 0;
    case CommandLine::Action::Wrong:
      std::fprintf(stderr, "vorlax-ktd-log: %s\n%s", line.error.c_str(), ShortUsage().c_str());
      return 2;
    case CommandLine::Action::Start:
      break;
  }

  // Every argument was the program's own: Qt gets none to interpret.
  int qtArgc = 1;
  KtdApplication app(qtArgc, argv);

  SystemClock clock;
  AppContext ctx(clock);

  const std::string baseFolder = FolderPath(line.folder);
  const std::string sharedFolder = line.prepareFrom.empty() ? "" : FolderPath(line.prepareFrom);

  // Every window is made here, in its creation order, and lives to the end of the program. The
  // main window comes first: its start-up may end the program before anything is shown.
  TForm9 form9(ctx);
  if (!form9.StartUp(baseFolder, sharedFolder)) return 1;
  // The working folder is the current folder from here on, as when started in it.
  std::error_code ignored;
  std::filesystem::current_path(baseFolder, ignored);
  TForm1 form1(ctx);  // the live window, with the CW keyer on port 1
  form1.SetTextDatabasePresent(ctx.suggestionDb != nullptr);
  TForm3 form3(ctx);
  TForm5 form5(ctx);
  TForm6 form6(ctx);
  TForm2 form2(ctx);
  TForm8 form8(ctx);

  TForm9::ChildWindows children;
  children.live = &form1;
  children.stations = &form3;
  children.texts = &form5;
  children.stationData = &form6;
  children.editor = &form2;
  children.paper = &form8;
  form9.SetChildWindows(children);

  form9.show();
  return app.exec();
}
