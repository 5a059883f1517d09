#include "keyer/morse_text_preparation.h"

#include <algorithm>

#include "common/ascii_text.h"

namespace {

bool IsAsciiWhitespace(unsigned char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Runs of six or more spaces become five: the longest word space has five steps.
std::string CollapseLongSpaceRuns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != ' ') {
      out += text[i++];
      continue;
    }
    std::size_t run = 0;
    while (i < text.size() && text[i] == ' ') {
      ++run;
      ++i;
    }
    out.append(run >= 6 ? 5 : run, ' ');
  }
  return out;
}

// Characters that have no Morse code of their own, replaced one by one (Windows-1252 bytes).
std::string ReplaceCharacters(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0xD7 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x95) {
      out += '*';
      ++i;
      continue;
    }
    switch (c) {
      case 0xF7:
        out += ':';
        break;  // division sign
      case '&':
        out += '+';
        break;
      case '\\':
        out += '/';
        break;
      case '{':
        out += '(';
        break;
      case '}':
        out += ')';
        break;
      case '|':
      case 0xA6:
        out += ',';
        break;  // broken bar
      case '`':
      case 0xB4:
        out += '\'';
        break;  // acute accent
      case 0xE4:
      case 0xC4:
        out += "ae";
        break;
      case 0xF6:
      case 0xD6:
        out += "oe";
        break;
      case 0xFC:
      case 0xDC:
        out += "ue";
        break;
      case 0xDF:
        out += "ss";
        break;
      case 0xE9:
      case 0xC9:
      case 0xE8:
      case 0xC8:
        out += 'e';
        break;
      case 0xE0:
      case 0xE1:
      case 0xE5:
      case 0xC0:
      case 0xC1:
      case 0xC5:
        out += 'a';
        break;
      default:
        out += static_cast<char>(c);
    }
  }
  return out;
}

// [XY] prosign tags, any letter case, to the character whose code is the prosign.
char ProsignCharacter(char first, char second) {
  const char a = AsciiUpper(first);
  const char b = AsciiUpper(second);
  struct Prosign {
    char a, b, character;
  };
  static constexpr Prosign kProsigns[] = {
      {'V', 'E', '!'}, {'S', 'N', '!'}, {'H', 'H', '#'}, {'K', 'A', '$'},
      {'C', 'T', '$'}, {'S', 'K', '%'}, {'E', 'B', '&'}, {'A', 'S', '&'},
      {'A', 'R', '+'}, {'B', 'T', '='}, {'K', 'N', '('},
  };
  for (const Prosign& p : kProsigns) {
    if (p.a == a && p.b == b) return p.character;
  }
  return 0;
}

std::string ReplaceProsignTags(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '[' && i + 3 < text.size() && text[i + 3] == ']') {
      if (const char c = ProsignCharacter(text[i + 1], text[i + 2])) {
        out += c;
        i += 3;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

void ReplaceAll(std::string& text, const std::string& piece, const std::string& replacement) {
  std::size_t at = 0;
  while ((at = text.find(piece, at)) != std::string::npos) {
    text.replace(at, piece.size(), replacement);
    at += replacement.size();
  }
}

// The leftmost piece "<" ... ">" with 1 to 16 characters between, the shortest at that start.
bool FindAngleTag(const std::string& text, std::size_t& start, std::size_t& length) {
  for (std::size_t i = text.find('<'); i != std::string::npos; i = text.find('<', i + 1)) {
    const std::size_t last = std::min(text.size(), i + 18);
    for (std::size_t j = i + 2; j < last; ++j) {
      if (text[j] == '>') {
        start = i;
        length = j - i + 1;
        return true;
      }
    }
  }
  return false;
}

// <n> with one or two digits becomes a speed control byte; any other angle tag goes.
void ReplaceSpeedTags(std::string& text) {
  std::size_t start = 0, length = 0;
  while (FindAngleTag(text, start, length)) {
    const std::string tag = text.substr(start, length);
    std::string replacement;
    if (IsAsciiDigit(tag[1])) {
      int n = tag[1] - '0';
      if (IsAsciiDigit(tag[2])) n = n * 10 + (tag[2] - '0');
      replacement = std::string(1, static_cast<char>(kSpeedTagByteBase + std::clamp(n, 4, 60)));
    }
    ReplaceAll(text, tag, replacement);
  }
}

}  // namespace

std::string PrepareMorseText(std::string_view input) {
  std::string text(input);
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (IsAsciiWhitespace(u) || c == '_' || c == '^')
      c = ' ';
    else if (c == '!')
      c = '.';
  }
  text = CollapseLongSpaceRuns(text);
  std::erase_if(text, [](char c) { return c == '$' || c == '#' || c == '%' || c == '~'; });
  text = ReplaceCharacters(text);
  text = ReplaceProsignTags(text);
  std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) >= 128; });
  ReplaceSpeedTags(text);
  std::erase_if(text, [](char c) { return c == '<' || c == '>' || c == '[' || c == ']'; });
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}
