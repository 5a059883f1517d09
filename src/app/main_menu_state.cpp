#include "app/main_menu_state.h"

#include <vector>

#include "common/text_file.h"
#include "contest/scoring.h"
#include "services/app_context.h"

namespace {

// The lines of a list file; a missing file has none.
std::size_t LineCount(const std::string& path) {
  return ReadLines(path).size();
}

MenuLabel CountLabel(std::size_t lines) {
  if (lines == 0) return {"0", LabelShade::Red};
  return {std::to_string(lines), LabelShade::Green};
}

}  // namespace

bool LoggingAllowed(const AppContext& ctx) {
  return ctx.textCollectionPresent && ctx.stationListPresent;
}

MainMenuView ReadMainMenuView(AppContext& ctx) {
  MainMenuView view;

  ctx.stationDataPresent = LineCount(ctx.stationDataFile) > 0;
  view.stationData =
      ctx.stationDataPresent
          ? MenuLabel{"data/Stationsdaten " + ctx.yearText + ".csv", LabelShade::Green}
          : MenuLabel{"fehlen noch", LabelShade::Red};

  const std::size_t texts = LineCount(ctx.textCollectionFile);
  ctx.textCollectionPresent = texts > 0;
  view.textCount = CountLabel(texts);

  const std::size_t stations = LineCount(ctx.stationListFile);
  ctx.stationListPresent = stations > 0;
  view.stationCount = CountLabel(stations);

  view.buttons = ButtonsAfterListWindow(ctx);

  view.qsoCount = {QsoCountText(ctx.logDbFile), LabelShade::White};
  ctx.logEmpty = view.qsoCount.text == "0";

  // Texts and stations can only be changed before the first QSO.
  view.buttons.texte = ctx.logEmpty;
  view.buttons.stationen = ctx.logEmpty;
  view.buttons.altesLog = ctx.logEmpty;
  view.buttons.neuesLog = !ctx.logEmpty;
  return view;
}

MenuButtons ButtonsAfterListWindow(const AppContext& ctx) {
  MenuButtons buttons;
  buttons.live = LoggingAllowed(ctx);
  buttons.papier = LoggingAllowed(ctx);
  return buttons;
}

MenuButtons ButtonsWhenLoggingRefused() {
  MenuButtons buttons;
  buttons.texte = true;
  buttons.stationen = true;
  return buttons;
}

MenuButtons ButtonsAfterClear() {
  MenuButtons buttons;
  buttons.neuesLog = false;
  buttons.altesLog = true;
  buttons.texte = true;
  buttons.stationen = true;
  return buttons;
}

MenuButtons ButtonsAfterRestore(const AppContext& ctx) {
  MenuButtons buttons;
  buttons.neuesLog = true;
  buttons.altesLog = false;
  buttons.texte = ctx.logEmpty;
  buttons.stationen = ctx.logEmpty;
  return buttons;
}
