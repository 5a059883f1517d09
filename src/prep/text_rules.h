#pragma once
// The rules of exchange texts shared by every window that edits or checks them. A text's length is
// counted without spaces; a valid text has at least 15 such characters.

#include <cstdint>
#include <string_view>

constexpr int kMinTextLength = 15;

// Number of characters other than spaces.
int TextLengthWithoutSpaces(std::string_view text);

// How a text field and its length counter are shaded: white with the counter hidden when empty,
// light red while too short, light green once long enough.
enum class TextLengthShade { Empty, Short, Valid };
TextLengthShade ShadeOfTextLength(int length);

// Windows colour value (0xBBGGRR) of a shade: white, light red 0xE0E0FF, light green 0xE0FFE0.
std::uint32_t TextLengthColour(TextLengthShade shade);
