#include <filesystem>
#include <string>

#include "app/app_context.h"
#include "app/form9_main_window.h"
#include "app/qt_application.h"
#include "common/clock.h"
#include "prep/form3_station_list.h"
#include "prep/form5_text_collection.h"
#include "prep/form6_station_data.h"
#include "review/form2_qso_editor.h"
#include "review/form8_paper_log.h"

int main(int argc, char* argv[]) {
  KtdApplication app(argc, argv);

  SystemClock clock;
  AppContext ctx;
  ctx.clock = &clock;

  std::string baseFolder = std::filesystem::current_path().string();
  if (!baseFolder.ends_with('/')) baseFolder += '/';

  // Windows in their creation order; the main window's creation runs the start-up, which may end
  // the program before anything is shown.
  TForm9 form9(ctx);
  if (!form9.StartUp(baseFolder)) return 0;
  TForm3 form3(ctx);
  TForm5 form5(ctx);
  TForm6 form6(ctx);
  TForm2 form2(ctx);
  TForm8 form8(ctx);

  TForm9::ChildWindows children;
  children.stations = &form3;
  children.texts = &form5;
  children.stationData = &form6;
  children.editor = &form2;
  children.paper = &form8;
  form9.SetChildWindows(children);

  form9.show();
  return app.exec();
}
