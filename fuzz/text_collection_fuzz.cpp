// The text collection: opening a file, importing a file and pasting the clipboard keep the
// collection's rules, and closing gives each text once.

#include <set>

#include "common/ascii_text.h"
#include "contest/text_rules.h"
#include "fuzz_check.h"
#include "prep/text_collection.h"

namespace {

void CheckTexts(const std::vector<std::string>& texts) {
  for (const std::string& t : texts) {
    FUZZ_CHECK(!t.empty());
    FUZZ_CHECK(PassesAllowedCharacterTest(t));
    FUZZ_CHECK(TextLengthWithoutSpaces(t) <= kMaxImportedTextLength || t.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input is the collection file, then after a form feed the imported file, then after a
  // second one the clipboard.
  const std::string_view input = AsText(data, size);
  const std::size_t first = input.find('\f');
  const std::size_t second = first == std::string_view::npos ? first : input.find('\f', first + 1);
  const std::string_view fileText = input.substr(0, first);
  const std::string_view importText = first == std::string_view::npos
                                          ? std::string_view()
                                          : input.substr(first + 1, second - first - 1);
  const std::string_view clipboard =
      second == std::string_view::npos ? std::string_view() : input.substr(second + 1);

  TextCollection collection;
  collection.Open(AsLines(fileText));
  CheckTexts(collection.Texts());
  const std::size_t before = collection.Texts().size();

  // Imported texts are clean, long enough, and none is there twice (case ignored).
  const bool imported = collection.Import(AsLines(importText)) == ImportResult::Taken;
  FUZZ_CHECK(imported == (collection.Texts().size() > before));
  CheckTexts(collection.Texts());
  const std::size_t afterImport = collection.Texts().size();
  const bool pasted = collection.Paste(clipboard);
  FUZZ_CHECK(pasted == (collection.Texts().size() > afterImport));
  CheckTexts(collection.Texts());
  if (pasted) FUZZ_CHECK(collection.SelectedRow() >= 0);
  FUZZ_CHECK(collection.SelectedRow() < static_cast<int>(collection.Texts().size()));
  FUZZ_CHECK(collection.GridRows().size() == collection.Texts().size());

  // Closing: each text longer than 14 characters without spaces, and only once.
  std::set<std::string> seen;
  for (const std::string& t : collection.TakeTextsForClosing()) {
    FUZZ_CHECK(TextLengthWithoutSpaces(t) > 14);
    FUZZ_CHECK(seen.insert(AsciiUpper(t)).second);
  }
  return 0;
}
