#include "reports/logged_qsos.h"

#include <algorithm>

#include "db/sqlite_database.h"

LoggedQsos LoggedQsos::Read(TSQLiteDatabase& log, LoggedQsoColumns columns) {
  const bool withMode = columns != LoggedQsoColumns::Exchange;
  const bool withClass = columns == LoggedQsoColumns::All;
  const std::string query = std::string("SELECT utc, rufz, s, stxt, r, rtxt") +
                            (withMode ? ", mode" : "") + (withClass ? ", ktdst" : "") + " FROM ktd";
  LoggedQsos qsos;
  log.ForEachRow(query, [&](const TSQLiteRow& row) {
    LoggedQso& qso = qsos.stored_.emplace_back();
    qso.utc = row.Text(0);
    qso.rufz = row.Text(1);
    qso.s = row.Text(2);
    qso.stxt = row.Text(3);
    qso.r = row.Text(4);
    qso.rtxt = row.Text(5);
    if (withMode) qso.cw = row.Text(6) == "0";
    if (withClass) qso.ktdStation = row.Text(7) == "1";
  });
  // Sorted here rather than by SQLite: a stable sort in memory gives the order SQLite's own
  // sorting gives, without the sorter's temporary storage that made a long log's read slow.
  qsos.byTime_.reserve(qsos.stored_.size());
  for (const LoggedQso& qso : qsos.stored_) qsos.byTime_.push_back(&qso);
  std::stable_sort(qsos.byTime_.begin(), qsos.byTime_.end(),
                   [](const LoggedQso* a, const LoggedQso* b) { return a->utc < b->utc; });
  return qsos;
}
