#include "contest/report_completion.h"

#include "contest/callsign_patterns.h"

std::string CompleteReport(const std::string& report, bool cwMode) {
  std::string completed = report;
  if (cwMode) {
    if (report.empty()) {
      completed = "599";
    } else if (report.size() == 1) {
      completed = "5" + report + "9";
    } else if (report.size() == 2) {
      completed = report + "9";
    }
  } else {
    if (report.empty()) {
      completed = "59";
    } else if (report.size() == 1) {
      completed = "5" + report;
    }
  }
  return std::regex_replace(completed, SharedPatterns().leadingSixToNine, "5");
}
