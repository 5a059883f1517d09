#include "prep/import_hint.h"

#include "common/encoding.h"

std::string ImportHint(ImportedList list, ImportResult result, const std::string& path) {
  if (result == ImportResult::Taken) return {};
  // „…“ in Windows-1252.
  const std::string file = "\x84" + Utf8ToCp1252(path.substr(path.rfind('/') + 1)) + "\x93";
  switch (list) {
    case ImportedList::Stations:
      return "Keine Station importiert: " + file +
             " enth\xE4lt keine brauchbare Zeile. Die Liste bleibt, wie sie war.";
    case ImportedList::Texts:
      if (result == ImportResult::NothingNew)
        return "Kein Text importiert: Alle Texte aus " + file + " sind schon in der Sammlung.";
      return "Kein Text importiert: " + file +
             " enth\xE4lt keine brauchbare Zeile. Die Sammlung bleibt, wie sie war.";
    case ImportedList::StationData:
      break;
  }
  return "Nichts importiert: " + file +
         " enth\xE4lt keine brauchbaren Stationsdaten. Die Felder bleiben, wie sie waren.";
}
