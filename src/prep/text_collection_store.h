#pragma once
// Where the text collection is kept when its window closes: the text collection file (one text a
// line) and the table `txt` of the log database, which mirrors it.

#include <string>
#include <vector>

struct AppContext;
class FileFailures;

// Writes the closing texts (TextCollection::TakeTextsForClosing): `txt` emptied and refilled in
// one transaction, then the file replaced whole. Without texts the file is deleted and `txt` is
// left alone; but a file that could not be read when the window opened (`fileUnreadable`) is
// kept, as the operator never saw its texts. The text-collection flag follows what is on disk
// afterwards. A file not written or not deleted is added to `failures` (the old file stays). The
// file is written even when the database fails; the database's error is thrown afterwards
// (ESQLiteException).
void SaveTextCollection(AppContext& ctx, const std::vector<std::string>& texts, bool fileUnreadable,
                        FileFailures& failures);
