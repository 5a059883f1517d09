#include "live/candidate_list.h"

#include <utility>
#include <vector>

#include "common/ascii_text.h"
#include "common/text_file.h"
#include "live/candidate_queries.h"
#include "live/live_view.h"
#include "services/app_context.h"

namespace {

bool EndsInPortable(const std::string& text) {
  return text.size() >= 2 && AsciiUpper(text.substr(text.size() - 2)) == "/P";
}

}  // namespace

CandidateList::CandidateList(const AppContext& ctx, LiveView& view) : ctx_(ctx), view_(view) {}

bool CandidateList::CanCopy() const {
  return active_ && view_.highlight >= 0;
}

const std::string& CandidateList::Highlighted() const {
  return view_.candidates[static_cast<size_t>(view_.highlight)];
}

void CandidateList::ClearHighlight() {
  view_.highlight = -1;
}

void CandidateList::Reset() {
  view_.highlight = -1;
  active_ = false;
}

void CandidateList::Load(int half) {
  active_ = false;
  if (!FileExists(ctx_.logDbFile)) return;
  std::vector<std::string> rows = LoadCandidateList(ctx_.logDbFile, half, ctx_.cwMode);
  if (rows.empty()) {
    view_.candidates.clear();
    view_.highlight = -1;
    return;
  }
  // Replaced whenever it differs: a list of the same length may hold another half's or mode's
  // stations.
  if (rows != view_.candidates) view_.candidates = std::move(rows);
  view_.highlight = 0;
  active_ = true;
}

void CandidateList::Filter(const std::string& typed, int half) {
  if (!lookup_ || EndsInPortable(typed) || !FileExists(ctx_.logDbFile)) return;
  std::vector<std::string> rows = FilterCandidateList(ctx_.logDbFile, half, ctx_.cwMode, typed);
  if (!rows.empty()) {
    view_.Hint(LiveHint::GoOn).visible = false;
    view_.candidates = std::move(rows);
    view_.highlight = 0;
    return;
  }
  view_.candidates.clear();
  view_.highlight = -1;
  view_.Hint(LiveHint::Shortcut).visible = false;
  view_.Hint(LiveHint::Callsign).visible = false;
  active_ = false;
  view_.Hint(LiveHint::GoOn) = {"Weiter : [Space] oder [Enter]", true};
}

void CandidateList::Reload(const std::string& typed, int half) {
  Load(half);
  // With a callsign typed, the list shows its matches among the second half's stations, so that
  // Space cannot copy a station the operator never saw highlighted.
  if (EndsInPortable(typed)) {
    Reset();
  } else if (!typed.empty()) {
    Filter(typed, half);
  }
}

void CandidateList::Move(int step) {
  const int count = static_cast<int>(view_.candidates.size());
  if (count == 0) return;
  if (step > 0) {
    active_ = true;
    if (view_.highlight < count - 1) ++view_.highlight;
  } else if (view_.highlight < 0) {
    active_ = true;
    view_.highlight = count - 1;
  } else if (view_.highlight > 0) {
    --view_.highlight;
  }
}
