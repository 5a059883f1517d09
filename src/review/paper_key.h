#pragma once
// The keys of the paper-log window as its model sees them, and what the window does afterwards:
// the window translates a key press into a PaperKey, hands it to the model with the field that has
// the focus, and applies the PaperKeyOutcome it gets back.

// The window's entry fields (and the save button), in tab order.
enum class PaperField { Hour, Minute, Ssb, Station, RstSent, TextSent, RstRcvd, TextRcvd, Save };

struct PaperKey {
  enum class Code {
    Space,
    Enter,  // Return or the keypad's Enter
    Up,
    Down,
    Left,
    Tab,     // Tab or Shift+Tab
    Typing,  // any other key that types a character, Backspace and Delete included
    Other,   // a key without a character (Right, Home, End, Page Up, function keys ...)
  };

  Code code = Code::Other;
  // The window system's number of the key: a key held down is told from the next key by it.
  int id = 0;
  bool ctrl = false;
  bool autoRepeat = false;
};

struct PaperKeyOutcome {
  enum class Kind {
    PassToField,  // the field's own editing handles the key
    Consumed,     // the model handled or dropped it; the focus stays
    MoveFocus,    // handled; the focus goes to `focus`
    Save,         // the line is saved, as by the save button
  };
  Kind kind = Kind::Consumed;
  PaperField focus = PaperField::Minute;

  static PaperKeyOutcome Pass() { return {Kind::PassToField, PaperField::Minute}; }
  static PaperKeyOutcome Consumed() { return {Kind::Consumed, PaperField::Minute}; }
  static PaperKeyOutcome MoveTo(PaperField field) { return {Kind::MoveFocus, field}; }
  static PaperKeyOutcome SaveLine() { return {Kind::Save, PaperField::Minute}; }
  bool operator==(const PaperKeyOutcome&) const = default;
};

// Where the caret goes when a field is entered.
enum class PaperCaret {
  AsTheFieldPlacesIt,  // the field's own rule (Tab selects the whole text, a click places it)
  AtEnd,               // after the last character
  SelectAll,           // the whole text selected: what is typed replaces it
};

// What entering a field leads to: the focus moves on at once, or stays with the caret placed.
struct PaperEntry {
  bool moveOn = false;
  PaperField focus = PaperField::Minute;  // where it moves on to
  PaperCaret caret = PaperCaret::AsTheFieldPlacesIt;
  bool operator==(const PaperEntry&) const = default;
};
