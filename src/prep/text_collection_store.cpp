#include "prep/text_collection_store.h"

#include <optional>

#include "common/list_file.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"

namespace {

void RewriteTextTable(const std::string& logDbFile, const std::vector<std::string>& texts) {
  TSQLiteDatabase db(logDbFile);
  // Emptying and refilling are one change: a failure part-way leaves the previous texts.
  db.BeginTransaction();
  db.ExecSQL("DELETE FROM txt");
  db.ExecSQLForEach("INSERT INTO txt VALUES (:txt)", ":txt", texts);
  db.Commit();
}

}  // namespace

void SaveTextCollection(AppContext& ctx, const std::vector<std::string>& texts, bool fileUnreadable,
                        FileFailures& failures) {
  // The file is what the program starts from; it is written even when the table could not be.
  std::optional<ESQLiteException> databaseError;
  if (!texts.empty()) {
    try {
      RewriteTextTable(ctx.logDbFile, texts);
    } catch (const ESQLiteException& e) {
      databaseError = e;
    }
  }
  ctx.textCollectionPresent = SaveListFile(ctx.textCollectionFile, texts, fileUnreadable, failures);
  if (databaseError) throw *databaseError;
}
