#include "prep/text_collection_store.h"

#include <optional>

#include "app/app_context.h"
#include "common/file_failures.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"

namespace {

void RewriteTextTable(const std::string& logDbFile, const std::vector<std::string>& texts) {
  TSQLiteDatabase db(logDbFile);
  // Emptying and refilling are one change: a failure part-way leaves the previous texts.
  db.BeginTransaction();
  db.ExecSQL("DELETE FROM txt");
  for (const std::string& text : texts) {
    db.AddParamText(":txt", text);
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
  }
  db.Commit();
}

}  // namespace

void SaveTextCollection(AppContext& ctx, const std::vector<std::string>& texts, bool fileUnreadable,
                        FileFailures& failures) {
  std::string reason;
  if (texts.empty()) {
    if (!fileUnreadable && !DeleteFileIfExists(ctx.textCollectionFile, &reason))
      failures.AddNotDeleted(ctx.textCollectionFile, reason);
    ctx.textCollectionPresent = !ReadLines(ctx.textCollectionFile).empty();
    return;
  }

  // The file is what the program starts from; it is written even when the table could not be.
  std::optional<ESQLiteException> databaseError;
  try {
    RewriteTextTable(ctx.logDbFile, texts);
  } catch (const ESQLiteException& e) {
    databaseError = e;
  }
  if (WriteLinesAtomic(ctx.textCollectionFile, texts, &reason)) {
    ctx.textCollectionPresent = true;
  } else {
    failures.AddNotWritten(ctx.textCollectionFile, reason);
    ctx.textCollectionPresent = !ReadLines(ctx.textCollectionFile).empty();
  }
  if (databaseError) throw *databaseError;
}
