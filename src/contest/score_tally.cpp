#include "contest/score_tally.h"

#include "db/sqlite_database.h"

// In the order Add reads them. The double-quoted values are compared as the count queries of the
// score compare them.
const char* const ScoreTally::kColumns =
    "rufz IS NULL, rufz, half = \"0\", half = \"1\", mode = \"0\", mode = \"1\", "
    "ktdSt = \"1\", hbSt = \"1\", euSt = \"1\"";

void ScoreTally::Add(const TSQLiteRow& row, int firstColumn) {
  const auto flag = [&](int column) { return row.Integer(firstColumn + column) != 0; };
  const std::string call = flag(0) ? std::string() : "=" + row.Text(firstColumn + 1);
  for (int mode = 0; mode < 2; ++mode) {
    if (!flag(4 + mode)) continue;
    ++qsos_[mode];
    if (flag(6)) {
      for (int half = 0; half < 2; ++half) {
        if (flag(2 + half)) ktd_[half][mode].insert(call);
      }
    }
    if (flag(7)) home_[mode].insert(call);
    if (flag(8)) other_[mode].insert(call);
  }
}

void ScoreTally::Clear() {
  *this = ScoreTally{};
}

ScoreValues ScoreTally::Values() const {
  ScoreValues v;
  const auto count = [](const std::unordered_set<std::string>& calls) {
    return static_cast<std::int32_t>(calls.size());
  };
  v.cwQsos = qsos_[0];
  v.ssbQsos = qsos_[1];
  v.ktdCw = count(ktd_[0][0]) + count(ktd_[1][0]);
  v.ktdSsb = count(ktd_[0][1]) + count(ktd_[1][1]);
  v.hbCw = count(home_[0]);
  v.hbSsb = count(home_[1]);
  v.euCw = count(other_[0]);
  v.euSsb = count(other_[1]);
  v.cwPoints = v.ktdCw * 4 + v.hbCw + v.euCw;
  v.ssbPoints = v.ktdSsb * 4 + v.hbSsb + v.euSsb;
  v.totalPoints = v.cwPoints + v.ssbPoints;
  return v;
}
