#include "prep/text_rules.h"

#include <algorithm>

int TextLengthWithoutSpaces(std::string_view text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c != ' '; }));
}

TextLengthShade ShadeOfTextLength(int length) {
  if (length <= 0) return TextLengthShade::Empty;
  return length < kMinTextLength ? TextLengthShade::Short : TextLengthShade::Valid;
}

std::uint32_t TextLengthColour(TextLengthShade shade) {
  switch (shade) {
    case TextLengthShade::Short:
      return 0xE0E0FF;
    case TextLengthShade::Valid:
      return 0xE0FFE0;
    case TextLengthShade::Empty:
      break;
  }
  return 0xFFFFFF;
}
