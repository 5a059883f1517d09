#pragma once
// Conversion between Windows-1252 (the program's text everywhere: memory, databases, files) and
// UTF-8 (file names, the desktop, command lines).

#include <string>
#include <string_view>

// Every byte maps to one character; the five bytes that Windows-1252 leaves undefined (81 8D 8F 90
// 9D) map to the C1 control of the same value, so the round trip is lossless.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters without a Windows-1252 byte become '?'; invalid UTF-8 bytes are each taken as one
// Windows-1252 byte (text that was never UTF-8 passes through unchanged).
std::string Utf8ToCp1252(std::string_view utf8);

// The importers' "utf8ansi" step: cuts the line to its first 255 bytes and converts it from UTF-8
// to Windows-1252. The converted text is returned only when it is shorter than the cut line (the
// line really contained multi-byte UTF-8); otherwise the cut line is returned as it stands, so
// plain Windows-1252 lines pass untouched.
std::string Utf8AnsiIfShorter(std::string_view text);

// The bytes of a text file as the importers read them. Windows editors save "Unicode" as UTF-16
// with a byte order mark (FF FE little endian, FE FF big endian): such a text is converted to
// UTF-8, which every importer takes; a unit that cannot be decoded (a lone surrogate, an odd last
// byte) becomes U+FFFD. A UTF-8 byte order mark is dropped. Anything else (Windows-1252, UTF-8
// without a mark) is returned as it stands.
std::string TextOfFileBytes(std::string_view bytes);
