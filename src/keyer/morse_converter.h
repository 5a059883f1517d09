#pragma once
// TMorse, the message converter: turns a message text (Windows-1252) into the element list that
// the message player keys. An element list is a sequence of signed durations in milliseconds,
// positive = key down, negative = key up; it begins with a 50 ms lead-in and ends with a 50 ms
// tail, both key up, and alternates strictly between key down and key up.
//
// Timing comes from one record per speed 4 ... 60 wpm. With Farnsworth spacing on and a speed at
// or below the character speed, elements are keyed at the character speed and only the character
// and word spaces are stretched to the slower overall speed (ARRL Farnsworth timing). Speed tags in
// the text (<9> ... <18>) switch the record for everything after them.
//
// Used on the window's thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using ElementList = std::vector<std::int32_t>;

struct MorseTiming {
  std::int32_t dit = 0;           // key down
  std::int32_t dah = 0;           // key down
  std::int32_t elementSpace = 0;  // key up, negative
  std::int32_t characterSpace = 0;
  std::array<std::int32_t, 5> wordSpace{};  // key up for 1 ... 5 spaces in a row
};

class TMorse {
 public:
  static constexpr int kMinSpeed = 4;
  static constexpr int kMaxSpeed = 60;
  static constexpr int kMinCharacterSpeed = 12;
  static constexpr int kLeadInMs = 50;  // key up before the first and after the last element

  TMorse();  // 20 wpm, character speed 20, Farnsworth off

  void SetText(std::string text) { text_ = std::move(text); }
  const std::string& Text() const { return text_; }

  void SetSpeed(int wpm);           // clamped to 4 ... 60
  void SetCharacterSpeed(int wpm);  // clamped to 12 ... 60
  void SetFarnsworth(bool on);
  int Speed() const { return speed_; }
  int CharacterSpeed() const { return characterSpeed_; }
  bool Farnsworth() const { return farnsworth_; }

  // The timing record in force for speed wpm (clamped to 4 ... 60).
  const MorseTiming& TimingFor(int wpm) const;

  // Empties elements and fills it from the text. Returns false, with elements empty, when the
  // prepared text is empty or holds nothing to key.
  bool Convert(ElementList& elements) const;

 private:
  void BuildTable();

  std::string text_;
  int speed_ = 20;
  int characterSpeed_ = 20;
  bool farnsworth_ = false;
  std::array<MorseTiming, kMaxSpeed - kMinSpeed + 1> table_{};
};
