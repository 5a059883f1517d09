#include "services/app_context.h"

#include <algorithm>

#include "db/sqlite_database.h"
#include "services/instance_lock.h"

AppContext::AppContext(const Clock& clock) : clock(clock) {}
AppContext::~AppContext() = default;

void SettleWorkingFiles(AppContext& ctx, const std::string& baseFolder, int year) {
  ctx.year = year;
  ctx.yearText = std::to_string(year);
  ctx.baseFolder = baseFolder;
  ctx.dbFolder = baseFolder + "db/";
  ctx.dataFolder = baseFolder + "data/";
  ctx.yearFolder = ctx.dataFolder + ctx.yearText + "/";
  ctx.logDbFile = ctx.dbFolder + "ktd.sqlite";
  ctx.dxccDbFile = ctx.dbFolder + "dxcc.sqlite";
  ctx.texteDbFile = ctx.dbFolder + "texte.sqlite";
  ctx.callsignFile = ctx.dbFolder + "Rufzeichen.dat";
  ctx.stationDataFile = ctx.dataFolder + "Stationsdaten " + ctx.yearText + ".csv";
  ctx.textCollectionFile = ctx.dataFolder + "Textsammlung " + ctx.yearText + ".csv";
  ctx.stationListFile = ctx.dataFolder + "KTD-Stationen " + ctx.yearText + ".csv";
  ctx.sampleTextsFile = ctx.dataFolder + "Muster Texte.txt";
  ctx.sampleStationsFile = ctx.dataFolder + "Muster Stationen.csv";
}

void SettleOutputFiles(AppContext& ctx) {
  // "HB9/DL1ABC" names "HB9_DL1ABC_P 2026 ...": a "/" would lead out of the year folder.
  std::string name = ctx.baseCallsign;
  std::replace(name.begin(), name.end(), '/', '_');
  ctx.outputStem = ctx.yearFolder + name + "_P " + ctx.yearText;
}
