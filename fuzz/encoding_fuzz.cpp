// The conversions between Windows-1252 and UTF-8, the importers' utf8ansi step, and the reading
// of a file's bytes by their byte order mark.

#include "common/encoding.h"
#include "fuzz_check.h"

namespace {

// Strictly valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = b < 0x80                 ? 1
                      : b >= 0xC2 && b <= 0xDF ? 2
                      : b >= 0xE0 && b <= 0xEF ? 3
                      : b >= 0xF0 && b <= 0xF4 ? 4
                                               : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? b : b & (0xFF >> (len + 1));
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = AsText(data, size);

  // Windows-1252 to UTF-8 is lossless and always valid UTF-8.
  const std::string utf8 = Cp1252ToUtf8(input);
  FUZZ_CHECK(ValidUtf8(utf8));
  FUZZ_CHECK(Utf8ToCp1252(utf8) == input);

  // UTF-8 to Windows-1252 never grows; ASCII passes unchanged; valid UTF-8 converts back to the
  // same text wherever every character has a Windows-1252 byte.
  const std::string cp1252 = Utf8ToCp1252(input);
  FUZZ_CHECK(cp1252.size() <= input.size());
  bool ascii = true;
  for (char c : input) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) FUZZ_CHECK(cp1252 == input);
  if (ValidUtf8(input) && cp1252.find('?') == std::string::npos)
    FUZZ_CHECK(Cp1252ToUtf8(cp1252) == input);

  // utf8ansi: at most 255 bytes; the converted text only when it is shorter than the cut line.
  const std::string ansi = Utf8AnsiIfShorter(input);
  const std::string_view cut = input.substr(0, 255);
  FUZZ_CHECK(ansi.size() <= cut.size());
  FUZZ_CHECK(ansi == cut || (ansi.size() < cut.size() && ansi == Utf8ToCp1252(cut)));

  // A file's bytes: UTF-16 with its mark becomes valid UTF-8; otherwise only a UTF-8 mark goes.
  const std::string fileText = TextOfFileBytes(input);
  if (input.starts_with("\xFF\xFE") || input.starts_with("\xFE\xFF")) {
    FUZZ_CHECK(ValidUtf8(fileText));
  } else if (input.starts_with("\xEF\xBB\xBF")) {
    FUZZ_CHECK(fileText == input.substr(3));
  } else {
    FUZZ_CHECK(fileText == input);
  }
  return 0;
}
