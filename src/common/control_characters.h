#pragma once
// What may stand inside one line of the program's files: the lists, the station-data file and
// every export are lines of Windows-1252 text, so a value taken from an imported file must carry no
// NUL, line end or other control character into them.

#include <string>
#include <string_view>

// `text` with every tab turned into a blank and every other control character (bytes 00 to 1F and
// 7F) dropped.
std::string WithoutControlCharacters(std::string_view text);
