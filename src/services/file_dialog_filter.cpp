#include "services/file_dialog_filter.h"

#include <vector>

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

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string QtFileDialogFilter(std::string_view windowsFilter) {
  const std::vector<std::string_view> parts = Split(windowsFilter, '|');
  std::string filter;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string_view caption = parts[i];
    caption = Trim(caption.substr(0, caption.find('(')));
    std::string patterns;
    for (std::string_view pattern : Split(parts[i + 1], ';')) {
      pattern = Trim(pattern);
      if (pattern.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += pattern;
    }
    if (!filter.empty()) filter += ";;";
    filter += std::string(caption) + " (" + patterns + ")";
  }
  return filter;
}
