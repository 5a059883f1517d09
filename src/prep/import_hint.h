#pragma once
// What an import took from the chosen file, and the hint its window shows when it took nothing:
// an import never replaces a list, a collection or the station data by nothing, and says so.

#include <string>

enum class ImportResult {
  Taken,         // the list, collection or record was changed
  NoUsableLine,  // the file held nothing to take; everything stays as it was
  NothingNew,    // every usable text of the file is in the text collection already
};

enum class ImportedList { Stations, Texts, StationData };

// The hint (Windows-1252) naming the file (the last part of `path`, UTF-8); empty after Taken.
std::string ImportHint(ImportedList list, ImportResult result, const std::string& path);
