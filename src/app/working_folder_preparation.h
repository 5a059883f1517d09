#pragma once
// Preparing a working folder from the program's shared files (vorlax-ktd-log-start asks for it
// with --prepare-from): the folder itself with its parents, db/ and data/ in it, and each file of
// the shared db/ and data/ the working folder does not hold yet. A file already there is never
// replaced, so the operator's own files stay as they are.

#include <string>

class FileFailures;

// Makes `folder` (ending in '/') with its parents when missing. False, with the folder and the
// system's reason added to `failures`, when it is no folder afterwards. Two programs making the
// same folder at once both succeed.
bool MakeWorkingFolder(const std::string& folder, FileFailures& failures);

// Makes db/ and data/ below `folder` and copies the missing files of `sharedFolder`'s db/ and
// data/ into them (both folders end in '/'). Only under the working folder's instance lock. Every
// failure (a file in the way of db/ or data/, a missing shared folder or prefix database, a copy
// that fails) is added to `failures`, and the other files are still copied.
void CopySharedFiles(const std::string& folder, const std::string& sharedFolder,
                     FileFailures& failures);
