#include "prep/text_collection.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "common/text_file.h"
#include "contest/text_rules.h"

namespace {

// Imported lines shorter than this (spaces counted) are not even compared for repeats.
constexpr std::size_t kMinImportedLineLength = 15;

// Texts seen so far, compared without regard to case (SameTextIgnoringCase): repeats are found by
// one look-up each, not by comparing every pair (a file of 100,000 lines took 25 seconds so).
// The set holds views of texts that stay in place while it is used.
struct HashIgnoringCase {
  std::size_t operator()(std::string_view text) const {
    std::uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (const char c : text)
      hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211u;
    return static_cast<std::size_t>(hash);
  }
};
struct EqualIgnoringCase {
  bool operator()(std::string_view a, std::string_view b) const {
    return SameTextIgnoringCase(a, b);
  }
};
using TextKeys = std::unordered_set<std::string_view, HashIgnoringCase, EqualIgnoringCase>;

// Text files are often UTF-8 ("ü" as two bytes): such a line is converted, so that its umlauts
// are transliterated as in a Windows-1252 file. A Windows-1252 line never loses by this: every
// UTF-8 sequence holds a byte 80..BF, which no text rule lets pass. A character Windows-1252 lacks
// must not turn into an allowed "?", so such a line stays as it was and fails the rules.
std::string FromUtf8IfItWas(const std::string& line) {
  std::string converted = Utf8ToCp1252(line);
  if (converted.size() >= line.size() || std::count(converted.begin(), converted.end(), '?') >
                                             std::count(line.begin(), line.end(), '?'))
    return line;
  return converted;
}

}  // namespace

std::optional<TypedText> TypeIntoText(std::string_view text, int caret, int selectionLength,
                                      char typed) {
  const std::string piece = TransliterateCharacter(typed);
  if (piece.find(kNotRepresentable) != std::string::npos) return std::nullopt;
  const std::size_t at =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(caret, 0)), text.size());
  const std::size_t cut = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(selectionLength, 0)), text.size() - at);
  const std::string_view before = text.substr(0, at);
  const std::string_view after = text.substr(at + cut);
  if (piece == " " && (before.empty() || before.back() == ' ' || after.starts_with(' ')))
    return std::nullopt;
  TypedText result;
  result.text = std::string(before) + piece + std::string(after);
  result.caret = static_cast<int>(before.size() + piece.size());
  // The collection file is read back with at most 22 characters a text: a longer typed text would
  // be saved once and then lost at the next opening.
  if (TextLengthWithoutSpaces(piece) > 0 &&
      TextLengthWithoutSpaces(result.text) > kMaxImportedTextLength)
    return std::nullopt;
  return result;
}

std::optional<char> GridKeyForInput(char key, bool shiftAlone) {
  if (IsAsciiLetter(key)) return shiftAlone ? AsciiUpper(key) : AsciiLower(key);
  if (IsAsciiDigit(key) || key == ' ') return key;
  return std::nullopt;
}

void TextCollection::Open(const std::vector<std::string>& fileLines) {
  texts_.clear();
  input_.clear();
  selected_ = -1;
  marked_ = -1;
  markedText_.clear();
  for (const std::string& line : fileLines) {
    if (line.empty() || line.front() == '#' || line.find(';') != std::string::npos) continue;
    if (TextLengthWithoutSpaces(line) > kMaxImportedTextLength) continue;
    if (!PassesAllowedCharacterTest(line)) continue;
    texts_.push_back(line);
  }
  if (texts_.empty()) return;
  undo_ = texts_;
  SelectLast();
}

std::vector<TextGridRow> TextCollection::GridRows() const {
  std::vector<TextGridRow> rows;
  rows.reserve(texts_.size());
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    const std::string text = TrimBlanks(texts_[i]);
    rows.push_back({std::to_string(i + 1), text, std::to_string(TextLengthWithoutSpaces(text))});
  }
  return rows;
}

void TextCollection::SelectRow(int row) {
  if (row < 0 || row >= static_cast<int>(texts_.size())) return;
  selected_ = row;
  if (input_.empty()) {
    marked_ = row;
    markedText_ = texts_[static_cast<std::size_t>(row)];
  }
}

void TextCollection::SelectAndMark(int row) {
  selected_ = row;
  marked_ = row;
  markedText_ = row >= 0 ? texts_[static_cast<std::size_t>(row)] : std::string();
}

void TextCollection::SelectLast() {
  SelectAndMark(static_cast<int>(texts_.size()) - 1);
}

void TextCollection::AppendGridKey(char key, bool shiftAlone) {
  const std::optional<char> c = GridKeyForInput(key, shiftAlone);
  if (!c) return;
  const std::optional<TypedText> typed =
      TypeIntoText(input_, static_cast<int>(input_.size()), 0, *c);
  if (typed) input_ = typed->text;
}

bool TextCollection::CanInsertInput() const {
  return ShadeOfTextLength(TextLengthWithoutSpaces(input_)) == TextLengthShade::Valid;
}

TextCollection::ImportCandidates TextCollection::Candidates(const std::vector<std::string>& lines,
                                                            bool skipHashAndEquals) const {
  // Cleaned lines of at least 15 characters, each once (the first of repeated ones).
  std::vector<std::string> cleaned;
  cleaned.reserve(lines.size());
  for (const std::string& line : lines) cleaned.push_back(CleanText(line));
  std::vector<std::string*> kept;
  TextKeys keptKeys;
  keptKeys.reserve(cleaned.size());
  for (std::string& text : cleaned) {
    if (text.size() >= kMinImportedLineLength && keptKeys.insert(text).second)
      kept.push_back(&text);
  }
  ImportCandidates candidates;
  if (kept.empty()) return candidates;
  TextKeys collectionKeys;
  collectionKeys.reserve(texts_.size());
  for (const std::string& text : texts_) collectionKeys.insert(text);
  for (std::string* keptText : kept) {
    std::string& text = *keptText;
    if (skipHashAndEquals && (text.front() == '#' || text.front() == '=')) continue;
    if (text.find(',') != std::string::npos) continue;
    const int length = TextLengthWithoutSpaces(text);
    if (length < kMinTextLength || length > kMaxImportedTextLength) continue;
    if (!PassesAllowedCharacterTest(text)) continue;
    if (collectionKeys.contains(text)) {
      candidates.anyInCollection = true;
      continue;
    }
    candidates.texts.push_back(std::move(text));
  }
  return candidates;
}

int TextCollection::InsertAfterMark(const std::vector<std::string>& texts) {
  const int at = std::min(marked_ + 1, static_cast<int>(texts_.size()));
  texts_.insert(texts_.begin() + at, texts.begin(), texts.end());
  return at;
}

ImportResult TextCollection::Import(const std::vector<std::string>& fileLines) {
  std::vector<std::string> lines;
  lines.reserve(fileLines.size());
  for (const std::string& line : fileLines) lines.push_back(FromUtf8IfItWas(line));
  ImportCandidates candidates = Candidates(lines, true);
  input_.clear();
  if (candidates.texts.empty())
    return candidates.anyInCollection ? ImportResult::NothingNew : ImportResult::NoUsableLine;
  if (texts_.size() > 1) undo_ = texts_;
  if (texts_.empty()) {
    texts_ = std::move(candidates.texts);
  } else {
    InsertAfterMark(candidates.texts);
  }
  SelectLast();
  return ImportResult::Taken;
}

bool TextCollection::Paste(std::string_view clipboardText) {
  if (clipboardText.empty()) return false;
  const std::vector<std::string> candidates = Candidates(SplitLines(clipboardText), false).texts;
  input_.clear();
  if (candidates.empty()) return false;
  undo_ = texts_;
  if (texts_.empty()) {
    texts_ = candidates;
    SelectLast();
  } else {
    const int first = InsertAfterMark(candidates);
    SelectAndMark(first + static_cast<int>(candidates.size()) - 1);
  }
  return true;
}

void TextCollection::InsertInput() {
  const std::string text = TrimBlanks(input_);
  input_.clear();
  if (text.empty()) return;
  if (texts_.empty()) {
    texts_.push_back(text);
    SelectAndMark(0);
    return;
  }
  undo_ = texts_;
  const std::string key = TextComparisonKey(text);
  const bool duplicate = std::any_of(texts_.begin(), texts_.end(), [&](const std::string& t) {
    return TextComparisonKey(t) == key;
  });
  if (duplicate) return;
  SelectAndMark(InsertAfterMark({text}));
}

void TextCollection::MoveSelected(int direction) {
  const int size = static_cast<int>(texts_.size());
  if (selected_ < 0 || selected_ >= size) return;
  const int target = selected_ + (direction < 0 ? -1 : 1);
  if (target < 0 || target >= size) return;
  std::swap(texts_[static_cast<std::size_t>(selected_)], texts_[static_cast<std::size_t>(target)]);
  SelectAndMark(target);
}

void TextCollection::CopySelectedToInput() {
  if (selected_ < 0 || selected_ >= static_cast<int>(texts_.size())) return;
  input_ = texts_[static_cast<std::size_t>(selected_)];
}

void TextCollection::DeleteSelected() {
  input_.clear();
  if (texts_.empty() || selected_ < 0 || selected_ >= static_cast<int>(texts_.size())) return;
  undo_ = texts_;
  texts_.erase(texts_.begin() + selected_);
  SelectAndMark(std::min(selected_, static_cast<int>(texts_.size()) - 1));
}

void TextCollection::DeleteAll() {
  input_.clear();
  if (!texts_.empty()) undo_ = texts_;
  texts_.clear();
  SelectAndMark(-1);
}

void TextCollection::Undo() {
  input_.clear();
  if (undo_.empty()) return;
  texts_ = std::move(undo_);
  undo_.clear();
  SelectLast();
}

void TextCollection::Escape() {
  input_.clear();
  if (texts_.size() >= undo_.size()) return;
  texts_ = undo_;
  SelectAndMark(std::clamp(selected_, 0, static_cast<int>(texts_.size()) - 1));
}

std::vector<std::string> TextCollection::TakeTextsForClosing() {
  input_.clear();
  std::vector<std::string> written;
  if (texts_.empty()) return written;
  undo_.clear();
  TextKeys writtenKeys;
  writtenKeys.reserve(texts_.size());
  for (const std::string& text : texts_) {
    if (TextLengthWithoutSpaces(text) < kMinTextLength) continue;
    if (writtenKeys.insert(text).second) written.push_back(text);
  }
  return written;
}
