// The text-file reader and the atomic writer: any bytes read as lines without line ends, and lines
// written and read back come back the same.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/text_file.h"
#include "fuzz_check.h"

namespace {

// Made once and removed at exit; never destroyed before the exit handler runs.
const std::string& Folder() {
  static const std::string* folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/ktd-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern + "/");
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return made;
  }();
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(AsText(data, size));
  const std::string file = Folder() + "Textsammlung 2025.csv";

  FUZZ_CHECK(WriteFileAtomic(file, input));
  std::string content;
  FUZZ_CHECK(ReadWholeFile(file, content));
  FUZZ_CHECK(content == input);

  const std::vector<std::string> lines = ReadLines(file);
  FUZZ_CHECK(lines == AsLines(input));
  std::size_t bytes = 0;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    bytes += line.size();
  }
  FUZZ_CHECK(bytes <= input.size());

  // Written with CR LF, the lines read back unchanged; empty lines at the end included.
  FUZZ_CHECK(WriteLinesAtomic(file, lines));
  FUZZ_CHECK(ReadLines(file) == lines);
  FUZZ_CHECK(RemoveInterruptedWrites(Folder()) == 0);
  return 0;
}
