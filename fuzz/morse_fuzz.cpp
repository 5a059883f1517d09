// The message keyer's text preparation and Morse converter: any message text gives either nothing
// to key or a well-formed element list.

#include <set>

#include "fuzz_check.h"
#include "keyer/morse_converter.h"
#include "keyer/morse_text_preparation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int speed = data[0] % 70;  // also beyond the limits, which are clamped
  const int characterSpeed = data[1] % 70;
  const bool farnsworth = (data[2] & 1) != 0;
  const std::string text(AsText(data + 3, size - 3));

  // The prepared text holds no whitespace but the blank and none at its end, no tag brackets
  // (prosigns have become their stand-ins, such as "$"), and above 127 only speed-tag bytes.
  const std::string prepared = PrepareMorseText(text);
  FUZZ_CHECK(prepared.empty() || prepared.back() != ' ');
  FUZZ_CHECK(prepared.find_first_of("<>[]\t\n\r") == std::string::npos);
  for (char c : prepared) {
    const auto u = static_cast<unsigned char>(c);
    FUZZ_CHECK(u == ' ' || !(u >= '\t' && u <= '\r'));
    FUZZ_CHECK(u < 128 || (u >= kMinSpeedTagByte && u <= kMaxSpeedTagByte));
  }

  TMorse morse;
  morse.SetSpeed(speed);
  morse.SetCharacterSpeed(characterSpeed);
  morse.SetFarnsworth(farnsworth);
  FUZZ_CHECK(morse.Speed() >= TMorse::kMinSpeed && morse.Speed() <= TMorse::kMaxSpeed);
  FUZZ_CHECK(morse.CharacterSpeed() >= TMorse::kMinCharacterSpeed &&
             morse.CharacterSpeed() <= TMorse::kMaxSpeed);
  morse.SetText(text);
  ElementList elements = {1, 2, 3};
  if (!morse.Convert(elements)) {
    FUZZ_CHECK(elements.empty());
    return 0;
  }

  // Key down only for a dit or a dah of some speed; at least 50 ms key up before and after (a
  // pause right before the end is joined to the tail); key down and key up strictly alternating.
  std::set<std::int32_t> keyDowns;
  for (int wpm = TMorse::kMinSpeed; wpm <= TMorse::kMaxSpeed; ++wpm) {
    keyDowns.insert(morse.TimingFor(wpm).dit);
    keyDowns.insert(morse.TimingFor(wpm).dah);
  }
  FUZZ_CHECK(elements.size() >= 3);
  FUZZ_CHECK(elements.front() <= -TMorse::kLeadInMs && elements.back() <= -TMorse::kLeadInMs);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    FUZZ_CHECK(elements[i] != 0);
    FUZZ_CHECK((elements[i] > 0) == (i % 2 == 1));
    if (elements[i] > 0) FUZZ_CHECK(keyDowns.count(elements[i]) == 1);
  }
  return 0;
}
