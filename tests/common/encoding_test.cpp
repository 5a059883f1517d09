#include "common/encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Encoding, RoundTripOfEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Encoding, KnownCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF"), "äöüÄÖÜß");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x96\x9F"), "€–Ÿ");
  EXPECT_EQ(Utf8ToCp1252("Zürich €"), "Z\xFCrich \x80");
  EXPECT_EQ(Utf8ToCp1252("日本"), "??") << "no Windows-1252 byte";
}

TEST(Encoding, InvalidUtf8PassesThroughAsBytes) {
  EXPECT_EQ(Utf8ToCp1252("\xE4rger"), "\xE4rger");
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "\xC3") << "truncated sequence at the end";
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "\xC0\xAF") << "overlong form";
}

TEST(Encoding, Utf8AnsiIsTakenOnlyWhenShorter) {
  EXPECT_EQ(Utf8AnsiIfShorter("M\xC3\xBCller"), "M\xFCller");
  EXPECT_EQ(Utf8AnsiIfShorter("M\xFCller"), "M\xFCller") << "Windows-1252 text stays";
  EXPECT_EQ(Utf8AnsiIfShorter("plain ascii"), "plain ascii");
  const std::string longLine(300, 'a');
  EXPECT_EQ(Utf8AnsiIfShorter(longLine), std::string(255, 'a')) << "cut to 255 bytes";
  std::string longUtf8 = std::string(250, 'a') + "\xC3\xA4\xC3\xA4\xC3\xA4";
  EXPECT_EQ(Utf8AnsiIfShorter(longUtf8), std::string(250, 'a') + "\xE4\xE4\xC3")
      << "the sequence cut in half stays a byte";
}

TEST(Encoding, FileBytesAreReadAsTheirByteOrderMarkSays) {
  struct Case {
    std::string bytes;
    std::string text;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"M\xFCller\r\n", "M\xFCller\r\n"},                 // Windows-1252 as it stands
      {"\xFE\xFF\0M\0\xFC\0\r\0\n"s, "M\xC3\xBC\r\n"},    // UTF-16 big endian
      {"\xFF\xFE\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},  // a surrogate pair
      {"\xFF\xFE\x3D\xD8M\0"s, "\xEF\xBF\xBDM"},          // a lone surrogate
      {"\xFF\xFEM\0\x41"s, "M\xEF\xBF\xBD"},              // an odd last byte
      {"\xFF\xFE", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOfFileBytes(c.bytes), c.text) << c.bytes;
}

}  // namespace
