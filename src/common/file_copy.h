#pragma once
// Copying a file into place without ever replacing one: the copy goes to a temporary file beside
// the target (a name of IsTemporaryWriteName, so an interrupted copy is tidied away at the next
// start) and is renamed to the target's name only when complete and flushed to disk.

#include <string>

// Copies `from` to `to` unless something of that name exists already (it stays untouched). True
// when `to` exists afterwards; otherwise `reason` (if given) receives the system's reason (UTF-8).
bool CopyFileUnlessPresent(const std::string& from, const std::string& to,
                           std::string* reason = nullptr);
