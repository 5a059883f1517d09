#pragma once
// One key press as the live window hands it to its model: what the key is, which modifiers were
// held, the character it types (Windows-1252; the layout's character, so Swiss-German and German
// keyboards and dead keys work) and whether it is an auto-repeat of a held key.

#include <string>

struct LiveKey {
  enum class Code {
    Character,  // a key that types `text` (letters, digits, punctuation, umlauts ...)
    Space,
    Enter,
    Escape,
    Tab,
    Backtab,
    Backspace,
    Delete,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Function,  // F1 ... F12, number in `function`
    Modifier,  // Shift, Ctrl or Alt alone
    Other,     // a key without a character (Page Up, Insert, ...)
  };

  Code code = Code::Other;
  std::string text;  // the typed character for Code::Character
  char letter = 0;   // 'A' ... 'Z' for letter keys, also with Ctrl held (Ctrl+M)
  int function = 0;  // 1 ... 12
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool autoRepeat = false;

  // Editing and cursor keys repeat while held; any other held key types nothing more.
  bool RepeatsWhileHeld() const;
  // The key reaches a field as a typed character (on the desktop: a key press, not only a
  // key-down).
  bool TypesCharacter() const;
  // The character it types: ' ' for Space, the byte of a one-byte text, else 0.
  char Character() const;
};

// What the window does with a key after the model has seen it.
struct KeyOutcome {
  enum class Kind {
    Consumed,     // the model handled it (or dropped it); the field does not see it
    PassToField,  // the field's own editing handles it (cursor keys, Backspace, allowed characters)
    Insert,       // insert `text` at the cursor instead of the typed character
  };
  Kind kind = Kind::Consumed;
  std::string text;

  static KeyOutcome Consumed() { return {}; }
  static KeyOutcome Pass() { return {Kind::PassToField, {}}; }
  static KeyOutcome InsertText(std::string text) { return {Kind::Insert, std::move(text)}; }
};
