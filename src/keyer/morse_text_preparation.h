#pragma once
// The clean-up a message text goes through before it is turned into Morse elements: whitespace
// and unkeyable characters replaced or removed, German umlauts and accented letters spelled out,
// prosign tags such as [BT] made into their one-character stand-ins, and speed tags such as <9>
// made into control bytes. Text is Windows-1252.

#include <string>
#include <string_view>

// A speed tag <n> becomes the single byte kSpeedTagByteBase + n, n clamped to 4 ... 60.
constexpr int kSpeedTagByteBase = 182;
constexpr int kMinSpeedTagByte = kSpeedTagByteBase + 4;
constexpr int kMaxSpeedTagByte = kSpeedTagByteBase + 60;

std::string PrepareMorseText(std::string_view text);
