#include "review/adif_import_summary.h"

#include <algorithm>

namespace {

std::string GroupLine(const std::string& title, const AdifQsoGroup& group) {
  std::string line = title + ": " + std::to_string(group.count);
  if (group.firstCallsigns.empty()) return line;
  line += " (";
  for (std::size_t i = 0; i < group.firstCallsigns.size(); ++i) {
    if (i > 0) line += ", ";
    line += group.firstCallsigns[i].empty() ? "ohne Rufzeichen" : group.firstCallsigns[i];
  }
  // More QSOs than callsigns shown: the list goes on.
  if (static_cast<std::size_t>(group.count) > group.firstCallsigns.size()) line += ", ...";
  return line + ")";
}

std::string QsoCount(int count) {
  return std::to_string(count) + (count == 1 ? " QSO" : " QSOs");
}

}  // namespace

void AdifQsoGroup::Add(const std::string& callsign) {
  ++count;
  if (firstCallsigns.size() < kShownCallsigns &&
      std::find(firstCallsigns.begin(), firstCallsigns.end(), callsign) == firstCallsigns.end()) {
    firstCallsigns.push_back(callsign);
  }
}

std::string AdifSkipReasonText(AdifSkipReason reason) {
  switch (reason) {
    case AdifSkipReason::OtherDay:
      return "anderer Tag";
    case AdifSkipReason::OtherMode:
      return "andere Betriebsart";
    case AdifSkipReason::AlreadyInLog:
      return "schon im Log";
    case AdifSkipReason::InvalidCallsign:
      return "ung\xFCltiges Rufzeichen";
    case AdifSkipReason::DamagedRecord:
      return "besch\xE4"
             "digter Datensatz";
  }
  return {};
}

std::string AdifImportSummaryText(const AdifImportSummary& summary) {
  std::string text;
  if (summary.file == AdifImportSummary::FileState::Unreadable) {
    text += "Die Datei konnte nicht gelesen werden.\n";
  } else if (summary.records == 0) {
    text += "Die Datei enth\xE4lt keine ADIF-Datens\xE4tze.\n";
  }
  text += QsoCount(summary.imported) + " importiert";
  if (summary.textAdjusted.count > 0)
    text += "\n" + GroupLine("Text angepasst", summary.textAdjusted);
  const bool anySkipped = std::any_of(summary.skipped.begin(), summary.skipped.end(),
                                      [](const AdifQsoGroup& group) { return group.count > 0; });
  if (anySkipped) {
    text += "\n\nNicht importiert:";
    for (int i = 0; i < kAdifSkipReasonCount; ++i) {
      const auto reason = static_cast<AdifSkipReason>(i);
      if (summary.Skipped(reason).count == 0) continue;
      text += "\n" + GroupLine(AdifSkipReasonText(reason), summary.Skipped(reason));
    }
  }
  return text;
}
