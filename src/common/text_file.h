#pragma once
// Whole-file text I/O. Contents are bytes (Windows-1252 in this program); lines end in CR LF when
// written and may end in CR LF, LF or CR when read. File names are UTF-8.
//
// The writers and DeleteFileIfExists take an optional `reason`: on failure it receives the
// system's reason (strerror text, UTF-8, e.g. "Permission denied"); on success it is left alone.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The file's lines without their line ends. A missing or unreadable file gives no lines.
std::vector<std::string> ReadLines(const std::string& path);

// `text` cut at every line end (CR LF, LF or CR); a last line without an end counts when not empty.
std::vector<std::string> SplitLines(std::string_view text);

// Reads the whole file into `content`; false when it does not exist or cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

// Writes `content` to a temporary file in the same folder (see IsTemporaryWriteName), flushes it
// to disk, renames it over `path` and flushes the folder, so a crash never leaves a truncated file
// and a finished write survives a power cut. False (and the old file untouched) on failure.
bool WriteFileAtomic(const std::string& path, const std::string& content,
                     std::string* reason = nullptr);

// While one exists on this thread, WriteFileAtomic leaves the folder flush to it: Finish (or the
// end of its scope) flushes each folder written to once. Closing writes a dozen files into one
// folder, and one flush of that folder makes all their renames durable.
class FolderFlushBatch {
 public:
  FolderFlushBatch();
  ~FolderFlushBatch();
  FolderFlushBatch(const FolderFlushBatch&) = delete;
  FolderFlushBatch& operator=(const FolderFlushBatch&) = delete;
  // Flushes the folders; each one that failed with the system's reason.
  std::vector<std::pair<std::string, std::string>> Finish();

 private:
  friend bool WriteFileAtomic(const std::string&, const std::string&, std::string*);
  std::vector<std::string> folders_;
  FolderFlushBatch* outer_;
};

// Each line followed by CR LF, written atomically.
bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                      std::string* reason = nullptr);

// True for a name WriteFileAtomic gives its temporary files: a file name followed by ".tmp" and
// six letters or digits. Such a file is left only by a write that was interrupted.
bool IsTemporaryWriteName(const std::string& fileName);
// Deletes the files of that pattern in `folder` (ending in '/'); other files and folders stay. Only
// safe while no other copy of the program writes there. Returns how many were deleted.
int RemoveInterruptedWrites(const std::string& folder);

bool FileExists(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool MakeFolder(const std::string& path);
// Deletes the file when it exists; true when it is gone afterwards.
bool DeleteFileIfExists(const std::string& path, std::string* reason = nullptr);
