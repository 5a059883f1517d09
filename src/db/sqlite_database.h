#pragma once
// Thin access layer over libsqlite3: one connection (TSQLiteDatabase), one complete query result
// (TSQLiteTable) and the named parameters queued for the next statement (TSQliteParam).
//
// Contract and traps:
// - Text is handed over and read back byte for byte (Windows-1252 in this program); a text cell is
//   read up to its first zero byte.
// - Queued parameters are consumed by the very next ExecSQL or GetTable, whether or not the
//   statement names them. Queue them right before each statement that needs them.
// - Only the first statement of a text is compiled; the rest is ignored.
// - No busy timeout: a database locked by another process fails at once.
// - Columns are addressed by their 0-based position in the select list.
// - A connection that goes out of scope rolls back an open transaction and closes.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class ESQLiteException : public std::runtime_error {
 public:
  explicit ESQLiteException(const std::string& message) : std::runtime_error(message) {}
};

// Description of an SQLite result code as shown in error messages.
std::string SQLiteErrorDescription(int code);

struct TSQliteParam {
  enum class Kind { Integer, Text };
  std::string name;  // as written in the statement, with the leading colon
  Kind kind = Kind::Text;
  std::int64_t intValue = 0;
  std::string textValue;
};

class TSQLiteTable {
 public:
  enum class ColumnKind { Integer, Float, Text, Blob };
  using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;

  int RowCount() const { return rowCount_; }
  int ColumnCount() const { return static_cast<int>(columnNames_.size()); }
  const std::string& ColumnName(int column) const;  // upper case
  ColumnKind KindOf(int column) const;
  bool Eof() const { return currentRow_ >= rowCount_; }
  bool Next();
  std::string FieldAsString(int column) const;
  std::int64_t FieldAsInteger(int column) const;
  std::int64_t CountResult() const;

 private:
  friend class TSQLiteDatabase;
  const Cell& CellAt(int column) const;

  std::vector<std::string> columnNames_;
  std::vector<ColumnKind> columnKinds_;
  std::vector<Cell> cells_;  // row-major; monostate = NULL
  int rowCount_ = 0;
  int currentRow_ = 0;
};

// One row of a query run by TSQLiteDatabase::ForEachRow, valid only inside the visit.
class TSQLiteRow {
 public:
  // As TSQLiteTable::FieldAsString reads the same cell.
  std::string Text(int column) const;
  // Appends what Text(column) returns to `out`, without a string of its own in between.
  void AppendText(int column, std::string& out) const;
  // The value as an integer; NULL reads as 0.
  std::int64_t Integer(int column) const;

 private:
  friend class TSQLiteDatabase;
  explicit TSQLiteRow(sqlite3_stmt* stmt) : stmt_(stmt) {}
  sqlite3_stmt* stmt_;
};

class TSQLiteDatabase {
 public:
  // Who may use the connection. SQLite locks a mutex on every call of a connection that any
  // thread may use; one that is opened, used and closed by one thread needs none.
  enum class Threading { AnyThread, ThisThreadOnly };

  // Opens (and creates when absent) the file; ":memory:" opens a new in-memory database.
  explicit TSQLiteDatabase(const std::string& fileName, Threading threading = Threading::AnyThread);
  ~TSQLiteDatabase();
  TSQLiteDatabase(const TSQLiteDatabase&) = delete;
  TSQLiteDatabase& operator=(const TSQLiteDatabase&) = delete;

  // Rolls back an open transaction, closes, drops queued parameters. Safe to call twice.
  void Close();

  void ExecSQL(const std::string& sql);
  // Runs `sql` once for each of `values` in order, the value bound as text to the parameter
  // `name`, with the statement compiled once (compiling it per value made writing a list of
  // 100,000 lines take seconds). Parameters queued before are bound for every run. Stops at the
  // first failing run with ESQLiteException; the runs before it stay done.
  void ExecSQLForEach(const std::string& sql, const std::string& name,
                      const std::vector<std::string>& values);
  std::unique_ptr<TSQLiteTable> GetTable(const std::string& sql);
  // Runs a query and hands each row to `visit` as it is stepped to, without collecting the
  // result first: a read of the whole log costs no copy of every cell. Queued parameters as for
  // GetTable; errors as GetTable reports them.
  void ForEachRow(const std::string& sql, const std::function<void(const TSQLiteRow&)>& visit);
  void BeginTransaction();
  void Commit();
  void AddParamText(const std::string& name, const std::string& value);
  void AddParamInt(const std::string& name, std::int64_t value);

  bool InTransaction() const { return inTransaction_; }

 private:
  sqlite3_stmt* Prepare(const std::string& sql);
  void BindQueuedParams(sqlite3_stmt* stmt);
  // Steps the statement to its end, calling `onRow` on each row; a failed step raises.
  void StepRows(sqlite3_stmt* stmt, const std::string& sql, const std::function<void()>& onRow);
  [[noreturn]] void RaiseError(const std::string& context, const std::string& sql) const;

  sqlite3* db_ = nullptr;
  std::vector<TSQliteParam> params_;
  bool inTransaction_ = false;
};
