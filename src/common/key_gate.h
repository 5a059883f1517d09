#pragma once
// Holding a key down in a fast-entry field types its character once: the key's repeats are
// discarded until it is released. Another key pressed while the first is still down (fast typing
// rolls from one key to the next) is typed as usual.

class KeyGate {
 public:
  // A key going down; false when its character is to be discarded. `autoRepeat` is the window
  // system's mark of a repeat.
  bool Press(int key, bool autoRepeat);
  // A key coming up; the window system's repeats also report releases, which do not count.
  void Release(int key, bool autoRepeat);
  // Entering the field opens the gate.
  void Clear() { held_ = false; }

 private:
  bool held_ = false;
  int heldKey_ = 0;
};
