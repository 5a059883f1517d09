#include "reports/pdf_numbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The numbers as printf writes them: the form every printout has had so far.
std::string PrintfHundredths(long long value) {
  char buffer[48];
  const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
  std::snprintf(buffer, sizeof buffer, "%s%llu.%02llu", value < 0 ? "-" : "", magnitude / 100,
                magnitude % 100);
  return buffer;
}

std::string PrintfColorComponent(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(value));
  std::string text = buffer;
  while (text.size() > 3 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
  return text;
}

template <typename T, typename Append>
std::string Appended(Append append, T value) {
  std::string out = "x";  // appends, never replaces
  append(out, value);
  return out.substr(1);
}

TEST(PdfNumbers, WholeNumbersAndHundredthsReadAsPrintfWritesThem) {
  // Past the page: large values of both signs.
  for (long long v : {123456789LL, -987654321LL, 1LL << 40, -(1LL << 40)}) {
    EXPECT_EQ(Appended(AppendHundredths, v), PrintfHundredths(v)) << v;
    EXPECT_EQ(Appended(AppendInteger, v), std::to_string(v)) << v;
  }
  // Every coordinate an A3 page can hold, both signs.
  for (long long v = -120000; v <= 120000; ++v) {
    ASSERT_EQ(Appended(AppendHundredths, v), PrintfHundredths(v)) << v;
    ASSERT_EQ(Appended(AppendInteger, v), std::to_string(v)) << v;
  }
}

TEST(PdfNumbers, ColourComponentsRoundAsPrintfRoundsThem) {
  // Thousandths, halves of thousandths (the rounding ties) and binary fractions.
  std::vector<float> values;
  for (int i = 0; i <= 2000; ++i) values.push_back(static_cast<float>(i) / 2000.0f);
  for (int i = 0; i <= 4096; ++i) values.push_back(static_cast<float>(i) / 4096.0f);
  for (float v : {0.0625f, 0.1875f, 0.3125f, 0.0005f, 0.9995f, 1.5f, 2.0f, 255.0f})
    values.push_back(v);
  for (float v : values) {
    ASSERT_EQ(Appended(AppendColorComponent, v), PrintfColorComponent(v)) << v;
  }
}

}  // namespace
