#include "common/control_characters.h"

std::string WithoutControlCharacters(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      result += ' ';
    } else if (byte >= 0x20 && byte != 0x7F) {
      result += c;
    }
  }
  return result;
}
