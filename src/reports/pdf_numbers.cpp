#include "reports/pdf_numbers.h"

#include <charconv>

namespace {

// The digits of `magnitude` written backwards from `end`; returns where they start.
char* DigitsBackwards(char* end, unsigned long long magnitude) {
  do {
    *--end = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  return end;
}

unsigned long long Magnitude(long long value) {
  return value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                   : static_cast<unsigned long long>(value);
}

}  // namespace

void AppendHundredths(std::string& out, long long value) {
  char buffer[32];
  char* const end = buffer + sizeof buffer;
  unsigned long long magnitude = Magnitude(value);
  char* p = end;
  *--p = static_cast<char>('0' + magnitude % 10);
  magnitude /= 10;
  *--p = static_cast<char>('0' + magnitude % 10);
  magnitude /= 10;
  *--p = '.';
  p = DigitsBackwards(p, magnitude);
  if (value < 0) *--p = '-';
  out.append(p, end);
}

void AppendInteger(std::string& out, long long value) {
  char buffer[32];
  char* const end = buffer + sizeof buffer;
  char* p = DigitsBackwards(end, Magnitude(value));
  if (value < 0) *--p = '-';
  out.append(p, end);
}

void AppendColorComponent(std::string& out, float value) {
  // Rounded the way printf's "%.3f" rounds: to nearest, ties to even on the binary value.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::fixed, 3);
  const char* end = result.ptr;
  // At least one decimal stays: "0.000" -> "0.0".
  while (end - buffer > 3 && end[-1] == '0' && end[-2] != '.') --end;
  out.append(buffer, static_cast<std::size_t>(end - buffer));
}
