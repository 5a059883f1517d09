#include "services/file_dialog_filter.h"

#include <vector>

#include "common/ascii_text.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

}  // namespace

std::string QtFileDialogFilter(std::string_view windowsFilter) {
  const std::vector<std::string_view> parts = Split(windowsFilter, '|');
  std::string filter;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string caption = TrimBlanks(parts[i].substr(0, parts[i].find('(')));
    std::string patterns;
    for (std::string_view pattern : Split(parts[i + 1], ';')) {
      const std::string trimmed = TrimBlanks(pattern);
      if (trimmed.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += trimmed;
    }
    if (!filter.empty()) filter += ";;";
    filter += caption + " (" + patterns + ")";
  }
  return filter;
}
