#pragma once
// The numbers of a PDF content stream, appended to the text being built: no stream, locale or
// temporary string per number, as a long log's printout holds millions of them.

#include <string>

// A value in hundredths with exactly two decimals: 4252 -> "42.52", -5 -> "-0.05".
void AppendHundredths(std::string& out, long long value);

// A whole number in decimal: 42 -> "42", -7 -> "-7".
void AppendInteger(std::string& out, long long value);

// A colour component rounded to three decimals, trailing zeros dropped down to one decimal:
// 0 -> "0.0", 0.25 -> "0.25", 1 -> "1.0".
void AppendColorComponent(std::string& out, float value);
