#include "keyer/morse_code_table.h"

#include <array>

#include "common/ascii_text.h"

namespace {

struct CodeEntry {
  char character;
  const char* code;
};

// International Morse code (ITU-R M.1677-1), with the recommendation's further signals bound to
// characters the keyboard offers (* multiplication, ! understood, # error, $ starting signal,
// % end of work, & wait) and a few more codes of the program's own.
constexpr CodeEntry kCodes[] = {
    {'A', ".-"},      {'B', "-..."},     {'C', "-.-."},   {'D', "-.."},    {'E', "."},
    {'F', "..-."},    {'G', "--."},      {'H', "...."},   {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},     {'L', ".-.."},     {'M', "--"},     {'N', "-."},     {'O', "---"},
    {'P', ".--."},    {'Q', "--.-"},     {'R', ".-."},    {'S', "..."},    {'T', "-"},
    {'U', "..-"},     {'V', "...-"},     {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},    {'0', "-----"},    {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},   {'5', "....."},    {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
    {'9', "----."},   {'.', ".-.-.-"},   {',', "--..--"}, {':', "---..."}, {'?', "..--.."},
    {'\'', ".----."}, {'-', "-....-"},   {'/', "-..-."},  {'(', "-.--."},  {')', "-.--.-"},
    {'"', ".-..-."},  {'=', "-...-"},    {'+', ".-.-."},  {'@', ".--.-."}, {'*', "-..-"},
    {'!', "...-."},   {'#', "........"}, {'$', "-.-.-"},  {'%', "...-.-"}, {'&', ".-..."},
    {';', "-.-.-."},  {'\\', ".-.-"},    {'^', "---."},   {'_', "..--"},   {'`', "..-.."},
    {'{', "...--.."}, {'|', "----"},     {'}', ".-..-"},  {'~', ".--.-"},
};

using Table = std::array<const char*, 256>;

Table BuildTable() {
  Table table{};
  table.fill("");
  for (const CodeEntry& entry : kCodes) {
    const auto c = static_cast<unsigned char>(entry.character);
    table[c] = entry.code;
    // Small letters key as their capitals.
    if (IsAsciiLetter(entry.character))
      table[static_cast<unsigned char>(AsciiLower(entry.character))] = entry.code;
  }
  return table;
}

}  // namespace

std::string_view MorseCodeOf(unsigned char character) {
  static const Table table = BuildTable();
  return table[character];
}
