#pragma once
// The text collection window's state and decisions, without widgets: the ordered collection of
// own exchange texts, its undo copy, the grid selection and the marked text, and the input field
// for a new text. The window shows what this holds and hands every key and button to it.
//
// The marked text is where new texts go: typed or imported texts are inserted directly after it.
// A row becomes marked when it is selected while the input field is empty.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "prep/import_hint.h"

// One row of the grid: running number from 1, the text, its length without spaces.
struct TextGridRow {
  std::string number;
  std::string text;
  std::string length;
};

// The input field after a typed character.
struct TypedText {
  std::string text;
  int caret = 0;
};

// A character typed into the input field at `caret`, replacing the `selectionLength` characters
// selected from there: transliterated ("ä" -> "ae"), a space only between two words, at most 22
// characters without spaces. Nothing when the character inserts nothing (no transliteration, a
// space at the start, after or before a space, or one letter too many); the field then stays as
// it is.
std::optional<TypedText> TypeIntoText(std::string_view text, int caret, int selectionLength,
                                      char typed);

// A key typed while the grid has the focus that goes into the input field: a letter (lower case
// unless Shift alone is held), a digit or a space. Nothing for other keys.
std::optional<char> GridKeyForInput(char key, bool shiftAlone);

class TextCollection {
 public:
  // Opening the window: the texts of the text collection file's lines (a line is taken as it
  // stands when it is not empty, does not begin with "#", holds no ";", has at most 22 characters
  // without spaces and passes the allowed-character test). The last row is selected and marked;
  // with texts, the undo copy becomes a copy of them.
  void Open(const std::vector<std::string>& fileLines);

  const std::vector<std::string>& Texts() const { return texts_; }
  const std::vector<std::string>& UndoCopy() const { return undo_; }
  std::vector<TextGridRow> GridRows() const;

  // Grid selection: -1 when the collection is empty. Selecting a row while the input field is
  // empty marks it.
  int SelectedRow() const { return selected_; }
  void SelectRow(int row);
  int MarkedRow() const { return marked_; }
  const std::string& MarkedText() const { return markedText_; }

  // The count beside "Anzahl :", shown only while there are texts and the input field is empty.
  bool CountVisible() const { return !texts_.empty() && input_.empty(); }

  // The input field. Its text as the window holds it (the window applies TypeIntoText itself).
  const std::string& Input() const { return input_; }
  void SetInput(std::string text) { input_ = std::move(text); }
  // "Eingabefeld löschen [Esc]".
  void ClearInput() { input_.clear(); }
  // A key typed in the grid appended to the input field (GridKeyForInput, then TypeIntoText).
  void AppendGridKey(char key, bool shiftAlone);
  // "Einfügen [Enter]" is usable: the input holds at least 15 characters without spaces.
  bool CanInsertInput() const;
  // "Eingabefeld löschen [Esc]" is usable.
  bool CanClearInput() const { return !input_.empty(); }

  // Texts from a chosen file's lines, Windows-1252 or UTF-8. Each line is cleaned; candidates have
  // 15 to 22 characters without spaces, pass the allowed-character test, do not begin with "#" or
  // "=", hold no "," and are neither repeated nor in the collection (case ignored; the first of
  // repeated lines is taken). They go after the marked text (to the front when none is marked),
  // the last row is selected, the input emptied. Without candidates the collection stays as it
  // was: NoUsableLine, or NothingNew when all of them are in the collection already.
  ImportResult Import(const std::vector<std::string>& fileLines);

  // Texts from the clipboard, one per line, by the import's rules (without the "#" and "="
  // test). The undo copy keeps the collection as it was; the last text added is selected. True
  // when texts were added.
  bool Paste(std::string_view clipboardText);

  // "Einfügen [Enter]": the trimmed input after the marked text, and selected; a text already in
  // the collection (case and spaces ignored) is dropped. The input is emptied in any case.
  void InsertInput();

  // Shift/Ctrl with Up (-1) or Down (+1): the selected text one place up or down, selected and
  // marked. The undo copy is left alone.
  void MoveSelected(int direction);

  // "Markierter Text ins Eingabefeld kopieren".
  void CopySelectedToInput();
  // "Markierter Text  löschen": the selected text removed; the row now at its place is marked.
  void DeleteSelected();
  // "Sammlung löschen": every text removed (kept in the undo copy); no row marked.
  void DeleteAll();
  // "Rückgängig": the undo copy becomes the collection and is emptied; the last row selected.
  void Undo();
  // Esc: a pending deletion (fewer texts than the undo copy) is taken back; the input emptied.
  void Escape();

  // Closing: the texts to write to the file and to `txt`, in order, each with more than 14
  // characters without spaces and only once (case ignored). The input and, when there are texts,
  // the undo copy are emptied.
  std::vector<std::string> TakeTextsForClosing();

 private:
  void SelectLast();
  void SelectAndMark(int row);
  // Inserts `texts` after the marked text; returns the index of the first one inserted.
  int InsertAfterMark(const std::vector<std::string>& texts);
  struct ImportCandidates {
    std::vector<std::string> texts;  // new texts, in the order of their lines
    bool anyInCollection = false;    // a usable text was left out as it is there already
  };
  ImportCandidates Candidates(const std::vector<std::string>& lines, bool skipHashAndEquals) const;

  std::vector<std::string> texts_;
  std::vector<std::string> undo_;
  int selected_ = -1;
  int marked_ = -1;
  std::string markedText_;
  std::string input_;
};
