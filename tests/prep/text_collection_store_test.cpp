#include "prep/text_collection_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/clock.h"
#include "common/file_failures.h"
#include "common/list_file.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

struct TextCollectionStore : ::testing::Test {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};

  void SetUp() override {
    PrepareWorkingFolders(ctx, folder.path(), 2025, "HB9XYZ/P");
    CreateLogSchema(ctx.logDbFile);
    TSQLiteDatabase db(ctx.logDbFile);
    db.ExecSQL("INSERT INTO txt VALUES ('Alter Text aus dem Vorjahr')");
  }

  std::vector<std::string> TxtRows() {
    TSQLiteDatabase db(ctx.logDbFile);
    return QueryRows(db, "SELECT txt FROM txt ORDER BY rowid");
  }

  std::string FileBytes() {
    std::string bytes;
    ReadWholeFile(ctx.textCollectionFile, bytes);
    return bytes;
  }
};

}  // namespace

TEST_F(TextCollectionStore, AnEmptyCollectionDeletesTheFileButNotOneThatCouldNotBeRead) {
  ASSERT_TRUE(WriteLinesAtomic(ctx.textCollectionFile, {"Abendrot am Saentis"}));
  FileFailures failures;
  SaveTextCollection(ctx, {}, true, failures);
  EXPECT_TRUE(FileExists(ctx.textCollectionFile));
  EXPECT_TRUE(ctx.textCollectionPresent);

  SaveTextCollection(ctx, {}, false, failures);
  EXPECT_TRUE(failures.Empty());
  EXPECT_FALSE(FileExists(ctx.textCollectionFile));
  EXPECT_FALSE(ctx.textCollectionPresent);
  // The table is left for the next start of a log to rebuild.
  EXPECT_EQ(TxtRows(), (std::vector<std::string>{"Alter Text aus dem Vorjahr"}));
}

TEST_F(TextCollectionStore, AFolderInTheWayIsReportedAndTheTableStillWritten) {
  std::filesystem::create_directory(ctx.textCollectionFile);
  FileFailures failures;
  SaveTextCollection(ctx, {"Abendrot am Saentis"}, false, failures);
  ASSERT_EQ(failures.List().size(), 1u);
  EXPECT_EQ(failures.List()[0].path, ctx.textCollectionFile);
  EXPECT_FALSE(failures.List()[0].reason.empty());
  EXPECT_FALSE(ctx.textCollectionPresent);
  EXPECT_EQ(TxtRows(), (std::vector<std::string>{"Abendrot am Saentis"}));

  // Opening such a "file" says why it cannot be read.
  const ListFileContent read = ReadListFile(ctx.textCollectionFile);
  ASSERT_TRUE(read.reason.has_value());
  EXPECT_EQ(*read.reason, "Is a directory");
  EXPECT_EQ(UnreadableFileMessage("data/x.csv", "Is a directory"),
            "Diese Datei konnte nicht gelesen werden:\rdata/x.csv: Is a directory");
  EXPECT_FALSE(ReadListFile(folder / "data/nicht da.csv").reason.has_value());
}

TEST_F(TextCollectionStore, AFailingTextTableKeepsItsOldRowsAndTheFileIsStillWritten) {
  {
    TSQLiteDatabase db(ctx.logDbFile);
    db.ExecSQL("DROP TABLE txt");
    db.ExecSQL("CREATE TABLE txt (txt TEXT CHECK (txt <> 'Verbotener Text im Log'))");
    db.ExecSQL("INSERT INTO txt VALUES ('Alter Text aus dem Vorjahr')");
  }
  FileFailures failures;
  EXPECT_THROW(
      SaveTextCollection(ctx, {"Abendrot am Saentis", "Verbotener Text im Log"}, false, failures),
      ESQLiteException);
  EXPECT_EQ(TxtRows(), (std::vector<std::string>{"Alter Text aus dem Vorjahr"}));
  EXPECT_EQ(FileBytes(), "Abendrot am Saentis\r\nVerbotener Text im Log\r\n");
  EXPECT_TRUE(ctx.textCollectionPresent);
}

TEST_F(TextCollectionStore, ListFilesLoseTheByteOrderMarkThatEditorsPutBeforeUtf8) {
  const std::string path = folder / "data/Stationen UTF-8.csv";
  ASSERT_TRUE(WriteFileAtomic(path, "\xEF\xBB\xBFHB9XDO/P,D\xC3\xB6lf\r\n\xEF\xBB\xBFzwei\r\n"));
  // Only the mark at the start of the file goes; a line is otherwise read as it stands.
  EXPECT_EQ(ReadListFile(path).lines,
            (std::vector<std::string>{"HB9XDO/P,D\xC3\xB6lf", "\xEF\xBB\xBFzwei"}));
}
