#include "contest/score_tally.h"

#include "db/sqlite_database.h"

// In the order Add reads them. The double-quoted values are compared as the count queries of the
// score compare them.
const char* const ScoreTally::kColumns =
    "rufz IS NULL, rufz, half = \"0\", half = \"1\", mode = \"0\", mode = \"1\", "
    "ktdSt = \"1\", hbSt = \"1\", euSt = \"1\"";

void ScoreTally::Add(const TSQLiteRow& row, int firstColumn) {
  const auto flag = [&](int column) { return row.Integer(firstColumn + column) != 0; };
  std::uint8_t classes = 0;
  for (int mode = 0; mode < 2; ++mode) {
    if (!flag(4 + mode)) continue;
    ++qsos_[mode];
    if (flag(6)) {
      for (int half = 0; half < 2; ++half) {
        if (flag(2 + half)) classes |= 1u << (kKtd + 2 * half + mode);
      }
    }
    if (flag(7)) classes |= 1u << (kHome + mode);
    if (flag(8)) classes |= 1u << (kOther + mode);
  }
  if (classes == 0) return;
  if (flag(0)) {
    key_.clear();
  } else {
    key_.assign(1, '=');
    key_ += row.Text(firstColumn + 1);
  }
  auto found = classesOf_.find(key_);
  if (found == classesOf_.end()) found = classesOf_.emplace(key_, 0).first;
  const std::uint8_t fresh = classes & ~found->second;
  found->second |= classes;
  for (int c = 0; c < kClasses; ++c) distinct_[c] += (fresh >> c) & 1;
}

void ScoreTally::Clear() {
  *this = ScoreTally{};
}

ScoreValues ScoreTally::Values() const {
  ScoreValues v;
  v.cwQsos = qsos_[0];
  v.ssbQsos = qsos_[1];
  v.ktdCw = distinct_[kKtd + 0] + distinct_[kKtd + 2];
  v.ktdSsb = distinct_[kKtd + 1] + distinct_[kKtd + 3];
  v.hbCw = distinct_[kHome];
  v.hbSsb = distinct_[kHome + 1];
  v.euCw = distinct_[kOther];
  v.euSsb = distinct_[kOther + 1];
  v.cwPoints = v.ktdCw * 4 + v.hbCw + v.euCw;
  v.ssbPoints = v.ktdSsb * 4 + v.hbSsb + v.euSsb;
  v.totalPoints = v.cwPoints + v.ssbPoints;
  return v;
}
