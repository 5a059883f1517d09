#include "db/reference_data.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

std::string FindEntity(TSQLiteDatabase& prefixDb, int length, const std::string& prefix) {
  prefixDb.AddParamText(":hiscall", prefix);
  return QueryText(prefixDb,
                   "SELECT dxcc FROM pref" + std::to_string(length) + " WHERE pref = :hiscall");
}

TEST(ReferenceData, PrefixesStayAvailableAfterTheFileIsDeleted) {
  TempFolder dir;
  const std::string file = dir / "dxcc.sqlite";
  WriteSmallDxccDb(file, {{"HB", "HB"}, {"HB0", "HB0"}, {"XX", "QQ9XYZ"}, {"K", "K"}});
  auto prefixDb = LoadPrefixDatabase(file);
  ASSERT_TRUE(DeleteFileIfExists(file));
  ASSERT_FALSE(FileExists(file));
  EXPECT_EQ(FindEntity(*prefixDb, 2, "HB"), "HB");
  EXPECT_EQ(FindEntity(*prefixDb, 3, "HB0"), "HB0");
  EXPECT_EQ(FindEntity(*prefixDb, 6, "QQ9XYZ"), "XX");
  EXPECT_EQ(FindEntity(*prefixDb, 1, "K"), "K");
  EXPECT_EQ(FindEntity(*prefixDb, 2, "DL"), "");
  // dxcctbl lists the entities in ascending order of their ADIF code; country has five columns.
  EXPECT_EQ(QueryRows(*prefixDb, "SELECT dxcc, id FROM dxcctbl"),
            (std::vector<std::string>{"K|897", "XX|898", "HB0|899", "HB|900"}));
  EXPECT_EQ(QueryRows(*prefixDb, "SELECT * FROM country WHERE dxcc = 'HB'"),
            std::vector<std::string>{"HB|Land HB|EU|14|28"});
}

TEST(ReferenceData, TheGeneratedFileResolvesTheSwissEntities) {
  const char* generated = std::getenv("KTD_DXCC_DB");
  if (generated == nullptr || !FileExists(generated)) GTEST_SKIP() << "no generated dxcc.sqlite";
  auto prefixDb = LoadPrefixDatabase(generated);
  EXPECT_EQ(FindEntity(*prefixDb, 2, "HB"), "HB");
  EXPECT_EQ(FindEntity(*prefixDb, 2, "HE"), "HB");
  EXPECT_EQ(FindEntity(*prefixDb, 3, "HB0"), "HB0");
  EXPECT_EQ(FindEntity(*prefixDb, 3, "HE0"), "HB0");
  EXPECT_EQ(FindEntity(*prefixDb, 2, "DL"), "DL");
  EXPECT_EQ(FindEntity(*prefixDb, 3, "IG9"), "I") << "WAE-only entities map to their DXCC entity";
  EXPECT_GT(std::stoi(QueryText(*prefixDb, "SELECT count(*) FROM country")), 300);
}

TEST(ReferenceData, BrokenReferenceFilesFailWithTheLayersMessage) {
  TempFolder dir;
  const std::string notADb = dir / "dxcc.sqlite";
  WriteFileAtomic(notADb, std::string(200, 'x'));
  try {
    LoadPrefixDatabase(notADb);
    FAIL() << "no exception";
  } catch (const ESQLiteException& e) {
    EXPECT_NE(std::string(e.what()).find("Error [26]"), std::string::npos) << e.what();
  }
  std::string content;
  ASSERT_TRUE(ReadWholeFile(notADb, content));
  EXPECT_EQ(content, std::string(200, 'x')) << "a reference file is only read";

  const std::string noPref6 = dir / "partial.sqlite";
  {
    TSQLiteDatabase db(noPref6);
    db.ExecSQL("CREATE TABLE country (dxcc, country, cont, cqz, ituz, adifid)");
    for (int n = 1; n <= 5; ++n)
      db.ExecSQL("CREATE TABLE pref" + std::to_string(n) + " (dxcc, pref)");
  }
  try {
    LoadPrefixDatabase(noPref6);
    FAIL() << "no exception";
  } catch (const ESQLiteException& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("Error executing SQL.\rError [1]: SQL error or missing database.\r", 0),
              0u)
        << message;
    EXPECT_NE(message.find("no such table: dxccdb.pref6"), std::string::npos) << message;
  }
}

TEST(ReferenceData, SuggestionsAreCopiedIntoMemory) {
  TempFolder dir;
  const std::string file = dir / "texte.sqlite";
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("CREATE TABLE qtcs (qtc TEXT, other TEXT)");
    db.ExecSQL("INSERT INTO qtcs VALUES ('ALPENGLUEHEN AM ABEND', 'x')");
  }
  auto suggestions = LoadSuggestionDatabase(file);
  DeleteFileIfExists(file);
  suggestions->AddParamText(":teil", "%GLUEH%");
  EXPECT_EQ(QueryRows(*suggestions, "SELECT DISTINCT qtc FROM qtcs WHERE qtc LIKE :teil LIMIT 4"),
            std::vector<std::string>{"ALPENGLUEHEN AM ABEND"});
}

}  // namespace
