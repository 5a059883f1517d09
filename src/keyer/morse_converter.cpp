#include "keyer/morse_converter.h"

#include <algorithm>

#include "keyer/morse_code_table.h"
#include "keyer/morse_text_preparation.h"
#include "keyer/round_half_even.h"

namespace {

bool IsKeyable(unsigned char c) {
  return c >= 33 && c <= 126;
}
bool IsSpeedTag(unsigned char c) {
  return c >= kMinSpeedTagByte && c <= kMaxSpeedTagByte;
}

std::int32_t Round(std::int64_t numerator, std::int64_t denominator) {
  return static_cast<std::int32_t>(RoundHalfEven(numerator, denominator));
}

MorseTiming NormalTiming(int s) {
  MorseTiming t;
  t.dit = Round(1200, s);
  t.dah = Round(3600, s);
  t.elementSpace = -t.dit;
  t.characterSpace = -t.dah;
  for (int k = 1; k <= 5; ++k) t.wordSpace[k - 1] = -Round(8400 * k, s);
  return t;
}

// ARRL Farnsworth: elements at character speed c, spaces from the total delay
// d = 60000 / s - 37200 / c ms, kept as the exact fraction (60000 c - 37200 s) / (s c).
MorseTiming FarnsworthTiming(int s, int c) {
  MorseTiming t;
  t.dit = Round(1200, c);
  t.dah = Round(3600, c);
  t.elementSpace = -t.dit;
  const std::int64_t delayNumerator = 60000LL * c - 37200LL * s;
  const std::int64_t delayDenominator = static_cast<std::int64_t>(s) * c;
  t.characterSpace = -Round(3 * delayNumerator, 19 * delayDenominator);
  for (int k = 1; k <= 5; ++k) {
    t.wordSpace[k - 1] = -Round(7LL * k * delayNumerator, 19 * delayDenominator);
  }
  return t;
}

class ElementListBuilder {
 public:
  explicit ElementListBuilder(ElementList& elements) : elements_(elements) {}

  void KeyDown(std::int32_t ms) { elements_.push_back(ms); }

  // Two pauses in a row (a speed tag or stray byte between spaces, a tag right before the end)
  // are joined into one, so the list keeps alternating: the player would otherwise stall on a
  // key-up entry where it expects a key-down one and never end the message.
  void KeyUp(std::int32_t negativeMs) {
    if (!elements_.empty() && elements_.back() < 0) {
      elements_.back() += negativeMs;
    } else {
      elements_.push_back(negativeMs);
    }
  }

  void Character(std::string_view code, const MorseTiming& timing) {
    for (std::size_t i = 0; i < code.size(); ++i) {
      if (i > 0) KeyUp(timing.elementSpace);
      KeyDown(code[i] == '-' ? timing.dah : timing.dit);
    }
  }

 private:
  ElementList& elements_;
};

}  // namespace

TMorse::TMorse() {
  BuildTable();
}

void TMorse::SetSpeed(int wpm) {
  speed_ = std::clamp(wpm, kMinSpeed, kMaxSpeed);
}

void TMorse::SetCharacterSpeed(int wpm) {
  const int clamped = std::clamp(wpm, kMinCharacterSpeed, kMaxSpeed);
  if (clamped == characterSpeed_) return;
  characterSpeed_ = clamped;
  BuildTable();
}

void TMorse::SetFarnsworth(bool on) {
  if (on == farnsworth_) return;
  farnsworth_ = on;
  BuildTable();
}

void TMorse::BuildTable() {
  for (int s = kMinSpeed; s <= kMaxSpeed; ++s) {
    table_[s - kMinSpeed] = (farnsworth_ && s <= characterSpeed_)
                                ? FarnsworthTiming(s, characterSpeed_)
                                : NormalTiming(s);
  }
}

const MorseTiming& TMorse::TimingFor(int wpm) const {
  return table_[std::clamp(wpm, kMinSpeed, kMaxSpeed) - kMinSpeed];
}

bool TMorse::Convert(ElementList& elements) const {
  elements.clear();
  if (text_.empty()) return false;
  const std::string text = PrepareMorseText(text_);
  if (text.empty()) return false;

  ElementListBuilder list(elements);
  list.KeyUp(-kLeadInMs);
  const MorseTiming* timing = &TimingFor(speed_);
  bool afterWord = true;  // no character space before the first character or after a word space
  bool anyKeyDown = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == ' ') {
      std::size_t run = 0;
      while (pos < text.size() && text[pos] == ' ') {
        ++run;
        ++pos;
      }
      afterWord = true;
      list.KeyUp(timing->wordSpace[std::min<std::size_t>(run, 5) - 1]);
      if (pos == text.size()) break;
    }
    const auto c = static_cast<unsigned char>(text[pos]);
    if (IsKeyable(c)) {
      afterWord = false;
      const std::string_view code = MorseCodeOf(c);
      list.Character(code, *timing);
      anyKeyDown = anyKeyDown || !code.empty();
    } else if (IsSpeedTag(c)) {
      timing = &TimingFor(c - kSpeedTagByteBase);
    }
    // The character space belongs to the record in force here, so a tag sets the space it opens.
    if (pos + 1 < text.size() && IsKeyable(static_cast<unsigned char>(text[pos + 1])) &&
        !afterWord) {
      list.KeyUp(timing->characterSpace);
    }
    ++pos;
  }
  list.KeyUp(-kLeadInMs);

  if (!anyKeyDown) {  // only speed tags or stray control bytes: nothing to key
    elements.clear();
    return false;
  }
  return true;
}
