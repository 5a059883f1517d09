#include "common/ascii_text.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiText, OnlyAsciiLettersChangeCaseAndTrimmingTakesBlanksAndControls) {
  EXPECT_EQ(AsciiUpper("Gruesse vom Seeufer"), "GRUESSE VOM SEEUFER");
  // Windows-1252 letters stay as they are, whatever the locale would make of them.
  EXPECT_EQ(AsciiUpper("hb9 \xE4\xE9/p"), "HB9 \xE4\xE9/P");
  EXPECT_EQ(TrimBlanks(" \t Rand \r\n"), "Rand");
  EXPECT_EQ(TrimBlanks("\x01\x1F"), "");
}

}  // namespace
