#pragma once
// Morse codes of the printable characters 33 ... 126 as strings of '.' and '-'. Letters of either
// case share a code. Characters outside the range and the angle and square brackets have no code
// (empty string).

#include <string_view>

std::string_view MorseCodeOf(unsigned char character);
