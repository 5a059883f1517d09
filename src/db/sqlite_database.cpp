#include "db/sqlite_database.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "common/ascii_text.h"

namespace {

const char* const kExecuting = "Error executing SQL";
const char* const kPreparing = "Could not prepare SQL statement";
const char* const kExecutingStatement = "Error executing SQL statement";
const char* const kRetrieving = "Could not retrieve data";

// Finalizes a prepared statement on every path out of a function.
struct StatementGuard {
  sqlite3_stmt* stmt;
  ~StatementGuard() { sqlite3_finalize(stmt); }
};

TSQLiteTable::ColumnKind KindFromDeclaredType(const char* declared, int storageClass) {
  using K = TSQLiteTable::ColumnKind;
  if (declared == nullptr) {
    switch (storageClass) {
      case SQLITE_INTEGER:
        return K::Integer;
      case SQLITE_FLOAT:
        return K::Float;
      case SQLITE_BLOB:
        return K::Blob;
      default:
        return K::Text;
    }
  }
  // Compared exactly as written in the table's declaration.
  const std::string type(declared);
  if (type == "INTEGER" || type == "BOOLEAN") return K::Integer;
  if (type == "NUMERIC" || type == "FLOAT" || type == "DOUBLE" || type == "REAL") return K::Float;
  if (type == "BLOB") return K::Blob;
  return K::Text;
}

// A text cell up to its first zero byte, as every reader of the layer reads it.
std::string_view TextCell(sqlite3_stmt* stmt, int column) {
  const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return {text, strnlen(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))};
}

}  // namespace

std::string SQLiteErrorDescription(int code) {
  switch (code) {
    case 0:
      return "Successful result";
    case 1:
      return "SQL error or missing database";
    case 2:
      return "An internal logic error in SQLite";
    case 3:
      return "Access permission denied";
    case 4:
      return "Callback routine requested an abort";
    case 5:
      return "The database file is locked";
    case 6:
      return "A table in the database is locked";
    case 7:
      return "A malloc() failed";
    case 8:
      return "Attempt to write a readonly database";
    case 9:
      return "Operation terminated by sqlite3_interrupt()";
    case 10:
      return "Some kind of disk I/O error occurred";
    case 11:
      return "The database disk image is malformed";
    case 12:
      return "(Internal Only) Table or record not found";
    case 13:
      return "Insertion failed because database is full";
    case 14:
      return "Unable to open the database file";
    case 15:
      return "Database lock protocol error";
    case 16:
      return "Database is empty";
    case 17:
      return "The database schema changed";
    case 18:
      return "Too much data for one row of a table";
    case 19:
      return "Abort due to contraint violation";
    case 20:
      return "Data type mismatch";
    case 21:
      return "Library used incorrectly";
    case 22:
      return "Uses OS features not supported on host";
    case 23:
      return "Authorization denied";
    case 24:
      return "Auxiliary database format error";
    case 25:
      return "2nd parameter to sqlite3_bind out of range";
    case 26:
      return "File opened that is not a database file";
    case 100:
      return "sqlite3_step() has another row ready";
    case 101:
      return "sqlite3_step() has finished executing";
    default:
      return "Unknown SQLite Error Code \"" + std::to_string(code) + "\"";
  }
}

// ---- TSQLiteTable ----

const std::string& TSQLiteTable::ColumnName(int column) const {
  if (column < 0 || column >= ColumnCount()) throw ESQLiteException("Column index out of range");
  return columnNames_[column];
}

TSQLiteTable::ColumnKind TSQLiteTable::KindOf(int column) const {
  if (column < 0 || column >= ColumnCount()) throw ESQLiteException("Column index out of range");
  return columnKinds_[column];
}

bool TSQLiteTable::Next() {
  if (Eof()) return false;
  ++currentRow_;
  return true;
}

const TSQLiteTable::Cell& TSQLiteTable::CellAt(int column) const {
  if (Eof()) throw ESQLiteException("Table is at End of File");
  if (column < 0 || column >= ColumnCount()) throw ESQLiteException("Column index out of range");
  return cells_[static_cast<std::size_t>(currentRow_) * columnNames_.size() + column];
}

std::string TSQLiteTable::FieldAsString(int column) const {
  const Cell& cell = CellAt(column);
  if (const auto* i = std::get_if<std::int64_t>(&cell)) return std::to_string(*i);
  if (const auto* d = std::get_if<double>(&cell)) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", *d);
    return buf;
  }
  if (const auto* s = std::get_if<std::string>(&cell)) return *s;
  return {};
}

std::int64_t TSQLiteTable::FieldAsInteger(int column) const {
  const Cell& cell = CellAt(column);
  // A NULL reads as 0 whatever the column's kind; only a present text or blob value is refused.
  if (std::holds_alternative<std::monostate>(cell)) return 0;
  const ColumnKind kind = columnKinds_[column];
  if (kind == ColumnKind::Text || kind == ColumnKind::Blob)
    throw ESQLiteException("Not an integer or numeric field");
  if (const auto* i = std::get_if<std::int64_t>(&cell)) return *i;
  if (const auto* d = std::get_if<double>(&cell)) return static_cast<std::int64_t>(*d);
  if (const auto* s = std::get_if<std::string>(&cell)) return std::strtoll(s->c_str(), nullptr, 10);
  return 0;
}

std::int64_t TSQLiteTable::CountResult() const {
  if (Eof() || ColumnCount() == 0) return 0;
  return std::strtoll(FieldAsString(0).c_str(), nullptr, 10);
}

// ---- TSQLiteRow ----

std::string TSQLiteRow::Text(int column) const {
  switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_column_int64(stmt_, column));
    case SQLITE_FLOAT: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.15g", sqlite3_column_double(stmt_, column));
      return buf;
    }
    case SQLITE_TEXT:
      return std::string(TextCell(stmt_, column));
    case SQLITE_BLOB: {
      const int bytes = sqlite3_column_bytes(stmt_, column);
      const void* blob = sqlite3_column_blob(stmt_, column);
      return bytes == 0 || blob == nullptr ? std::string()
                                           : std::string(static_cast<const char*>(blob), bytes);
    }
    default:
      return {};
  }
}

void TSQLiteRow::AppendText(int column, std::string& out) const {
  if (sqlite3_column_type(stmt_, column) != SQLITE_TEXT) {
    out += Text(column);
    return;
  }
  out += TextCell(stmt_, column);
}

std::int64_t TSQLiteRow::Integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

// ---- TSQLiteDatabase ----

TSQLiteDatabase::TSQLiteDatabase(const std::string& fileName, Threading threading) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                    (threading == Threading::ThisThreadOnly ? SQLITE_OPEN_NOMUTEX : 0);
  const int rc = sqlite3_open_v2(fileName.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = "Failed to open database \"" + fileName + "\" : ";
    if (db_ != nullptr) {
      message += sqlite3_errmsg(db_);
      sqlite3_close(db_);
      db_ = nullptr;
    } else {
      message += "unknown error";
    }
    throw ESQLiteException(message);
  }
  // Cheaper commits that leave the same state after a crash: freed pages are not overwritten
  // with zeros (the log holds nothing secret), and the rollback journal is emptied after each
  // transaction instead of deleted, so no folder entry is created, flushed and removed every time.
  // A file that cannot be read yet keeps the defaults; its statements report the error.
  sqlite3_exec(db_, "PRAGMA secure_delete = OFF; PRAGMA journal_mode = TRUNCATE", nullptr, nullptr,
               nullptr);
}

TSQLiteDatabase::~TSQLiteDatabase() {
  Close();
}

void TSQLiteDatabase::Close() {
  if (db_ == nullptr) return;
  if (inTransaction_) {
    // Best effort: a failing rollback must not keep the connection open.
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
  }
  sqlite3_close_v2(db_);
  db_ = nullptr;
  params_.clear();
}

void TSQLiteDatabase::RaiseError(const std::string& context, const std::string& sql) const {
  const int code = db_ != nullptr ? sqlite3_errcode(db_) : 0;
  if (code == SQLITE_OK) throw ESQLiteException(context);
  throw ESQLiteException(context + ".\rError [" + std::to_string(code) +
                         "]: " + SQLiteErrorDescription(code) + ".\r\"" + sql +
                         "\": " + sqlite3_errmsg(db_));
}

sqlite3_stmt* TSQLiteDatabase::Prepare(const std::string& sql) {
  if (db_ == nullptr) throw ESQLiteException("Database is closed");
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  // A statement that fails to prepare still uses up its parameters: left queued, they would be
  // bound to whatever statement runs next on this connection (the reference databases stay open
  // for the whole run).
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    params_.clear();
    RaiseError(kExecuting, sql);
  }
  if (stmt == nullptr) {
    params_.clear();
    RaiseError(kPreparing, sql);
  }
  return stmt;
}

void TSQLiteDatabase::BindQueuedParams(sqlite3_stmt* stmt) {
  std::vector<TSQliteParam> queue;
  queue.swap(params_);  // the queue is empty afterwards, whatever happens below
  for (const TSQliteParam& p : queue) {
    const int index = sqlite3_bind_parameter_index(stmt, p.name.c_str());
    if (index == 0) continue;  // the statement does not name it
    if (p.kind == TSQliteParam::Kind::Integer)
      sqlite3_bind_int64(stmt, index, p.intValue);
    else
      sqlite3_bind_text(stmt, index, p.textValue.data(), static_cast<int>(p.textValue.size()),
                        SQLITE_TRANSIENT);
  }
}

void TSQLiteDatabase::ExecSQL(const std::string& sql) {
  sqlite3_stmt* stmt = Prepare(sql);
  StatementGuard guard{stmt};
  BindQueuedParams(stmt);
  if (sqlite3_step(stmt) != SQLITE_DONE) {
    sqlite3_reset(stmt);
    RaiseError(kExecutingStatement, sql);
  }
}

void TSQLiteDatabase::ExecSQLForEach(const std::string& sql, const std::string& name,
                                     const std::vector<std::string>& values) {
  sqlite3_stmt* stmt = Prepare(sql);
  StatementGuard guard{stmt};
  BindQueuedParams(stmt);
  const int index = sqlite3_bind_parameter_index(stmt, name.c_str());
  for (const std::string& value : values) {
    // The value outlives the run; a reset keeps the other bindings.
    if (index != 0)
      sqlite3_bind_text(stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
    if (sqlite3_step(stmt) != SQLITE_DONE) {
      sqlite3_reset(stmt);
      RaiseError(kExecutingStatement, sql);
    }
    sqlite3_reset(stmt);
  }
}

std::unique_ptr<TSQLiteTable> TSQLiteDatabase::GetTable(const std::string& sql) {
  sqlite3_stmt* stmt = Prepare(sql);
  StatementGuard guard{stmt};
  BindQueuedParams(stmt);

  auto table = std::make_unique<TSQLiteTable>();
  int columns = 0;
  StepRows(stmt, sql, [&] {
    if (table->rowCount_ == 0) {
      columns = sqlite3_column_count(stmt);
      for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(stmt, c);
        table->columnNames_.push_back(AsciiUpper(name != nullptr ? name : ""));
        table->columnKinds_.push_back(
            KindFromDeclaredType(sqlite3_column_decltype(stmt, c), sqlite3_column_type(stmt, c)));
      }
    }
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_INTEGER:
          table->cells_.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt, c)));
          break;
        case SQLITE_FLOAT:
          table->cells_.emplace_back(sqlite3_column_double(stmt, c));
          break;
        case SQLITE_TEXT:
          table->cells_.emplace_back(std::string(TextCell(stmt, c)));
          break;
        case SQLITE_BLOB: {
          const int bytes = sqlite3_column_bytes(stmt, c);
          const void* blob = sqlite3_column_blob(stmt, c);
          if (bytes == 0 || blob == nullptr)
            table->cells_.emplace_back(std::monostate{});
          else
            table->cells_.emplace_back(std::string(static_cast<const char*>(blob), bytes));
          break;
        }
        default:
          table->cells_.emplace_back(std::monostate{});
      }
    }
    ++table->rowCount_;
  });
  return table;
}

void TSQLiteDatabase::ForEachRow(const std::string& sql,
                                 const std::function<void(const TSQLiteRow&)>& visit) {
  sqlite3_stmt* stmt = Prepare(sql);
  StatementGuard guard{stmt};
  BindQueuedParams(stmt);
  const TSQLiteRow row(stmt);
  StepRows(stmt, sql, [&] { visit(row); });
}

void TSQLiteDatabase::StepRows(sqlite3_stmt* stmt, const std::string& sql,
                               const std::function<void()>& onRow) {
  for (;;) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) return;
    if (rc == SQLITE_BUSY) throw ESQLiteException(kPreparing);
    if (rc != SQLITE_ROW) {
      sqlite3_reset(stmt);
      RaiseError(kRetrieving, sql);
    }
    onRow();
  }
}

void TSQLiteDatabase::BeginTransaction() {
  if (inTransaction_) throw ESQLiteException("Transaction already open");
  ExecSQL("BEGIN TRANSACTION");
  inTransaction_ = true;
}

void TSQLiteDatabase::Commit() {
  inTransaction_ = false;
  ExecSQL("COMMIT");
}

void TSQLiteDatabase::AddParamText(const std::string& name, const std::string& value) {
  TSQliteParam p;
  p.name = name;
  p.kind = TSQliteParam::Kind::Text;
  p.textValue = value;
  params_.push_back(std::move(p));
}

void TSQLiteDatabase::AddParamInt(const std::string& name, std::int64_t value) {
  TSQliteParam p;
  p.name = name;
  p.kind = TSQliteParam::Kind::Integer;
  p.intValue = value;
  params_.push_back(std::move(p));
}
