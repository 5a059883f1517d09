#include "common/key_gate.h"

bool KeyGate::Press(int key, bool autoRepeat) {
  if (autoRepeat || (held_ && key == heldKey_)) return false;
  held_ = true;
  heldKey_ = key;
  return true;
}

void KeyGate::Release(int key, bool autoRepeat) {
  if (!autoRepeat && held_ && key == heldKey_) held_ = false;
}
