#pragma once
// The candidate list of the live window (ListBox1): the KTD stations of the current half and mode
// still to be worked, narrowed to those matching the typed callsign, with the highlighted entry
// that Space copies into the callsign field.

#include <string>

struct AppContext;
struct LiveView;

class CandidateList {
 public:
  // ctx gives the log database and the CW mode flag; both outlive this.
  CandidateList(const AppContext& ctx, LiveView& view);

  // Space copies the highlighted entry (one is highlighted and the list is active).
  bool Active() const { return active_; }
  bool CanCopy() const;
  const std::string& Highlighted() const;
  void SetActive(bool active) { active_ = active; }
  void ClearHighlight();
  // No highlight, nothing for Space to copy.
  void Reset();
  // From the first time the callsign field is entered, typing narrows the list.
  void StartLookup() { lookup_ = true; }

  // Every station of the half, the first highlighted.
  void Load(int half);
  // The stations matching what is typed (a callsign ending in "/P" is complete: the list stays).
  // Without a match the hints say that Space or Enter goes on.
  void Filter(const std::string& typed, int half);
  // The second half began: its stations, narrowed to what is typed, never highlighting a station
  // the operator did not see.
  void Reload(const std::string& typed, int half);
  // Down (+1) or Up (-1) in the list.
  void Move(int step);

 private:
  const AppContext& ctx_;
  LiveView& view_;
  bool active_ = false;
  bool lookup_ = false;
};
