#include "db/sqlite_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <functional>

#include "support/temp_folder.h"

namespace {

class SqliteDatabaseTest : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string file = dir / "t.sqlite";
};

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ESQLiteException& e) {
    return e.what();
  }
  return "<no exception>";
}

TEST_F(SqliteDatabaseTest, OpeningAMissingFileCreatesAnEmptyDatabase) {
  { TSQLiteDatabase db(file); }
  FILE* f = fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  fclose(f);
  TSQLiteDatabase db(file);
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM sqlite_master")->CountResult(), 0);
}

TEST_F(SqliteDatabaseTest, OpeningAnImpossiblePathNamesFileAndReason) {
  const std::string bad = dir / "no/such/folder/x.sqlite";
  EXPECT_EQ(MessageOf([&] { TSQLiteDatabase db(bad); }),
            "Failed to open database \"" + bad + "\" : unable to open database file");
}

TEST_F(SqliteDatabaseTest, EmptyTableAndCountOnEmptyTable) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE ktd (utc TEXT, rufz TEXT)");
  auto empty = db.GetTable("SELECT * FROM ktd");
  EXPECT_EQ(empty->RowCount(), 0);
  EXPECT_TRUE(empty->Eof());
  EXPECT_FALSE(empty->Next());
  EXPECT_EQ(empty->CountResult(), 0);
  EXPECT_EQ(MessageOf([&] { empty->FieldAsString(0); }), "Table is at End of File");
  EXPECT_EQ(MessageOf([&] { empty->FieldAsInteger(0); }), "Table is at End of File");

  auto count = db.GetTable("SELECT count(*) FROM ktd");
  ASSERT_EQ(count->RowCount(), 1);
  EXPECT_EQ(count->FieldAsString(0), "0");
  EXPECT_EQ(count->FieldAsInteger(0), 0);
  EXPECT_EQ(count->ColumnName(0), "COUNT(*)");
}

TEST_F(SqliteDatabaseTest, ColumnKindsComeFromDeclaredTypesOrFirstValue) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT, b INTEGER, c int, d BOOLEAN, e REAL, f BLOB, g)");
  db.ExecSQL("INSERT INTO t VALUES ('12', 5, 6, 1, 2.5, x'41', 7)");
  auto t = db.GetTable("SELECT a, b, c, d, e, f, g, count(*) FROM t");
  using K = TSQLiteTable::ColumnKind;
  EXPECT_EQ(t->KindOf(0), K::Text);
  EXPECT_EQ(t->KindOf(1), K::Integer);
  EXPECT_EQ(t->KindOf(2), K::Text) << "declared types are compared exactly as written";
  EXPECT_EQ(t->KindOf(3), K::Integer);
  EXPECT_EQ(t->KindOf(4), K::Float);
  EXPECT_EQ(t->KindOf(5), K::Blob);
  EXPECT_EQ(t->KindOf(6), K::Integer) << "no declared type: storage class of the first row";
  EXPECT_EQ(t->KindOf(7), K::Integer);
  EXPECT_EQ(MessageOf([&] { t->FieldAsInteger(0); }), "Not an integer or numeric field");
  EXPECT_EQ(MessageOf([&] { t->FieldAsInteger(5); }), "Not an integer or numeric field");
  EXPECT_EQ(t->FieldAsInteger(1), 5);
  EXPECT_EQ(t->FieldAsString(1), "5");
  EXPECT_EQ(t->FieldAsString(5), "A");
  EXPECT_EQ(t->ColumnName(0), "A");
}

TEST_F(SqliteDatabaseTest, NullCellsReadAsEmptyAndZero) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT, b INTEGER)");
  db.ExecSQL("INSERT INTO t VALUES (NULL, NULL)");
  auto t = db.GetTable("SELECT a, b FROM t");
  EXPECT_EQ(t->FieldAsString(0), "");
  EXPECT_EQ(t->FieldAsInteger(1), 0);
  EXPECT_EQ(t->FieldAsString(1), "");
  // An absent cell gives 0 before the column's kind is looked at, also in a TEXT column.
  EXPECT_EQ(t->FieldAsInteger(0), 0);
}

TEST_F(SqliteDatabaseTest, NegativeIntegersAndRowWalk) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (b INTEGER)");
  for (int v : {-42, 0, 9000000000LL > 0 ? 7 : 0}) {
    db.AddParamInt(":v", v);
    db.ExecSQL("INSERT INTO t VALUES (:v)");
  }
  db.AddParamInt(":v", 9000000000LL);
  db.ExecSQL("INSERT INTO t VALUES (:v)");
  auto t = db.GetTable("SELECT b FROM t");
  ASSERT_EQ(t->RowCount(), 4);
  EXPECT_EQ(t->FieldAsString(0), "-42");
  ASSERT_TRUE(t->Next());
  ASSERT_TRUE(t->Next());
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(t->FieldAsInteger(0), 9000000000LL);
  EXPECT_TRUE(t->Next());
  EXPECT_TRUE(t->Eof());
  EXPECT_FALSE(t->Next());
}

TEST_F(SqliteDatabaseTest, TextIsStoredByteForByteAndReadUpToTheFirstZeroByte) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT)");
  const std::string latin = "Z\xFCrich \xE4\xF6\"';--";
  db.AddParamText(":a", latin);
  db.ExecSQL("INSERT INTO t VALUES (:a)");
  db.AddParamText(":a", std::string("AB\0CD", 5));
  db.ExecSQL("INSERT INTO t VALUES (:a)");
  auto t = db.GetTable("SELECT a, length(CAST(a AS BLOB)) FROM t");
  EXPECT_EQ(t->FieldAsString(0), latin);
  t->Next();
  EXPECT_EQ(t->FieldAsString(0), "AB");
  EXPECT_EQ(t->FieldAsInteger(1), 5) << "bound with its full byte length";
}

TEST_F(SqliteDatabaseTest, ParameterQueueIsConsumedByTheNextStatement) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT, b TEXT)");
  db.AddParamText(":unused", "x");
  db.AddParamText(":a", "one");
  db.AddParamText(":b", "two");
  db.ExecSQL("INSERT INTO t VALUES (:a, :b)");
  // The queue is empty now: nothing is bound, the parameters read as NULL.
  db.ExecSQL("INSERT INTO t VALUES (:a, :b)");
  db.AddParamText(":nothere", "x");
  db.GetTable("SELECT * FROM t");
  db.ExecSQL("INSERT INTO t VALUES (:nothere, 'z')");
  auto t = db.GetTable("SELECT a, b, a IS NULL FROM t");
  ASSERT_EQ(t->RowCount(), 3);
  EXPECT_EQ(t->FieldAsString(0), "one");
  EXPECT_EQ(t->FieldAsString(1), "two");
  t->Next();
  EXPECT_EQ(t->FieldAsInteger(2), 1);
  t->Next();
  EXPECT_EQ(t->FieldAsInteger(2), 1) << "a parameter queued before a query is used up by it";
}

TEST_F(SqliteDatabaseTest, AStatementThatFailsToPrepareUsesUpItsParameters) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT)");
  db.AddParamText(":a", "stale");
  EXPECT_THROW(db.ExecSQL("INSERT INTO nix VALUES (:a)"), ESQLiteException);
  db.AddParamText(":a", "stale");
  EXPECT_THROW(db.GetTable("SELECT * FROM nix WHERE a = :a"), ESQLiteException);
  db.ExecSQL("INSERT INTO t VALUES (:a)");
  EXPECT_EQ(db.GetTable("SELECT a IS NULL FROM t")->FieldAsInteger(0), 1);
}

TEST_F(SqliteDatabaseTest, OneStatementRunsForEachValueInOrderUntilOneFails) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT CHECK (a <> 'bad'), b TEXT)");
  db.AddParamText(":b", "queued");
  db.ExecSQLForEach("INSERT INTO t VALUES (:a, :b)", ":a", {"one", std::string("t\0wo", 4), ""});
  auto t = db.GetTable("SELECT a, b, length(CAST(a AS BLOB)) FROM t ORDER BY rowid");
  ASSERT_EQ(t->RowCount(), 3);
  EXPECT_EQ(t->FieldAsString(1), "queued") << "bound for every run";
  t->Next();
  EXPECT_EQ(t->FieldAsInteger(2), 4) << "bound with its full byte length";
  t->Next();
  EXPECT_EQ(t->FieldAsString(1), "queued");

  EXPECT_EQ(MessageOf([&] {
              db.ExecSQLForEach("INSERT INTO t (a) VALUES (:a)", ":a", {"four", "bad", "five"});
            }),
            "Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r"
            "\"INSERT INTO t (a) VALUES (:a)\": CHECK constraint failed: a <> 'bad'");
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM t")->CountResult(), 4) << "the runs before it stay";
}

TEST_F(SqliteDatabaseTest, OnlyTheFirstStatementOfATextRuns) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TABLE t (a TEXT); CREATE TABLE u (a TEXT)");
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM sqlite_master WHERE name = 'u'")->CountResult(), 0);
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM sqlite_master WHERE name = 't'")->CountResult(), 1);
}

TEST_F(SqliteDatabaseTest, MessagesOfFailingStatements) {
  TSQLiteDatabase db(file);
  EXPECT_EQ(MessageOf([&] { db.ExecSQL("   "); }), "Could not prepare SQL statement");
  EXPECT_EQ(MessageOf([&] { db.ExecSQL("SELECT * FROM nix"); }),
            "Error executing SQL.\rError [1]: SQL error or missing database.\r"
            "\"SELECT * FROM nix\": no such table: nix");
  EXPECT_EQ(MessageOf([&] { db.GetTable("SELEC 1"); }),
            "Error executing SQL.\rError [1]: SQL error or missing database.\r"
            "\"SELEC 1\": near \"SELEC\": syntax error");
  db.ExecSQL("CREATE TABLE t (a TEXT)");
  db.ExecSQL("INSERT INTO t VALUES ('x')");
  // A row instead of "done": after the reset SQLite reports code 0, so the context stands alone.
  EXPECT_EQ(MessageOf([&] { db.ExecSQL("SELECT * FROM t"); }), "Error executing SQL statement");
  db.BeginTransaction();
  EXPECT_EQ(MessageOf([&] { db.BeginTransaction(); }), "Transaction already open");
  db.Commit();
}

TEST(SqliteErrorDescription, TableEntriesAndUnknownCodes) {
  EXPECT_EQ(SQLiteErrorDescription(0), "Successful result");
  EXPECT_EQ(SQLiteErrorDescription(5), "The database file is locked");
  EXPECT_EQ(SQLiteErrorDescription(19), "Abort due to contraint violation");
  EXPECT_EQ(SQLiteErrorDescription(26), "File opened that is not a database file");
  EXPECT_EQ(SQLiteErrorDescription(100), "sqlite3_step() has another row ready");
  EXPECT_EQ(SQLiteErrorDescription(101), "sqlite3_step() has finished executing");
  EXPECT_EQ(SQLiteErrorDescription(27), "Unknown SQLite Error Code \"27\"");
  EXPECT_EQ(SQLiteErrorDescription(-3), "Unknown SQLite Error Code \"-3\"");
}

TEST_F(SqliteDatabaseTest, AFileThatIsNotADatabaseFailsWithCode26) {
  FILE* f = fopen(file.c_str(), "wb");
  fputs("this is certainly not an SQLite database, just some text to fill the header......", f);
  fclose(f);
  TSQLiteDatabase db(file);
  EXPECT_EQ(MessageOf([&] { db.GetTable("SELECT * FROM ktd"); }),
            "Error executing SQL.\rError [26]: File opened that is not a database file.\r"
            "\"SELECT * FROM ktd\": file is not a database");
}

TEST_F(SqliteDatabaseTest, ALockedDatabaseFailsAtOnce) {
  {
    TSQLiteDatabase setup(file);
    setup.ExecSQL("CREATE TABLE t (a TEXT)");
  }
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  TSQLiteDatabase db(file);
  const std::string write = MessageOf([&] { db.ExecSQL("INSERT INTO t VALUES ('x')"); });
  EXPECT_EQ(write.rfind("Error executing SQL", 0), 0u) << write;
  EXPECT_NE(write.find("Error [5]: The database file is locked."), std::string::npos) << write;
  const std::string read = MessageOf([&] { db.GetTable("SELECT * FROM t"); });
  EXPECT_NE(read, "<no exception>");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
}

TEST_F(SqliteDatabaseTest, ClosingRollsBackAnOpenTransaction) {
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("CREATE TABLE t (a TEXT)");
    db.BeginTransaction();
    db.ExecSQL("INSERT INTO t VALUES ('lost')");
  }  // out of scope with the transaction open
  TSQLiteDatabase db(file);
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM t")->CountResult(), 0);
  db.BeginTransaction();  // no stale lock or flag
  db.ExecSQL("INSERT INTO t VALUES ('kept')");
  db.Commit();
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM t")->CountResult(), 1);
}

TEST_F(SqliteDatabaseTest, AResultTableOutlivesItsConnection) {
  std::unique_ptr<TSQLiteTable> t;
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("CREATE TABLE t (a TEXT)");
    db.ExecSQL("INSERT INTO t VALUES ('x')");
    t = db.GetTable("SELECT a FROM t");
  }
  EXPECT_EQ(t->FieldAsString(0), "x");
}

}  // namespace

namespace {

TEST_F(SqliteDatabaseTest, RowsVisitedInPlaceReadAsTheResultTableReadsThem) {
  TSQLiteDatabase db(file, TSQLiteDatabase::Threading::ThisThreadOnly);
  db.ExecSQL("CREATE TABLE t (k INTEGER, a)");
  const std::vector<std::string> inserts = {
      "-42", "1.5",       "0.1", "'Z\xFCrich'", "CAST('AB' || char(0) || 'CD' AS TEXT)",
      "x''", "x'414200'", "NULL"};
  for (size_t i = 0; i < inserts.size(); ++i)
    db.ExecSQL("INSERT INTO t VALUES (" + std::to_string(i) + ", " + inserts[i] + ")");
  const auto table = db.GetTable("SELECT a, k FROM t WHERE k >= 0 ORDER BY k");
  std::vector<std::string> texts;
  db.AddParamInt(":first", 0);
  db.ForEachRow("SELECT a, k FROM t WHERE k >= :first ORDER BY k", [&](const TSQLiteRow& row) {
    EXPECT_EQ(row.Text(0), table->FieldAsString(0)) << "row " << texts.size();
    std::string appended = "|";
    row.AppendText(0, appended);
    EXPECT_EQ(appended, "|" + row.Text(0)) << "row " << texts.size();
    EXPECT_EQ(row.Integer(1), table->FieldAsInteger(1));
    texts.push_back(row.Text(0));
    table->Next();
  });
  EXPECT_EQ(texts, (std::vector<std::string>{"-42", "1.5", "0.1", "Z\xFCrich", "AB", "",
                                             std::string("AB\0", 3), ""}));
  int nullAsInteger = -1;
  db.ForEachRow("SELECT a FROM t WHERE a IS NULL",
                [&](const TSQLiteRow& row) { nullAsInteger = static_cast<int>(row.Integer(0)); });
  EXPECT_EQ(nullAsInteger, 0);
  EXPECT_EQ(MessageOf([&] { db.ForEachRow("SELECT * FROM nix", [](const TSQLiteRow&) {}); }),
            MessageOf([&] { db.GetTable("SELECT * FROM nix"); }));
}

}  // namespace
