#pragma once
// The exchange texts of the live window: the text sent with its length (EditTextsent,
// LabelLaengeSent) and the text received with its suggestions (EditTextrcvd, MemoTexte). Both turn
// light red below 15 characters (spaces not counted) and light green from 15; the suggestions
// come from the text database and show while CheckBoxTexte is checked.

#include <string>

struct AppContext;
struct LiveView;

class ExchangeTexts {
 public:
  // What Space does in the received text.
  enum class Space {
    Log,                // two spaces in a row, or right after the top suggestion was copied
    CopyTopSuggestion,  // a word ended with a space: the top suggestion completes it
    Type,               // an ordinary space
  };

  // ctx gives the text database; both outlive this.
  ExchangeTexts(const AppContext& ctx, LiveView& view);

  // The text sent changed: its length and colours; an emptied field is disabled once left.
  void SentTextChanged(bool ktdStation);

  // The text received changed: its colour and the suggestions.
  void ReceivedTextChanged();
  void EnterReceivedText();
  void LeaveReceivedText();
  // CheckBoxTexte clicked: the suggestions show or hide at once in the received text.
  void TextsOptionClicked();
  Space SpaceInReceivedText() const;
  // The received text as Space completes it with the top suggestion; the next Space logs.
  std::string WithTopSuggestion() const;
  void TopSuggestionCopied() { suggestionCopied_ = true; }

 private:
  void RefreshSuggestions();

  const AppContext& ctx_;
  LiveView& view_;
  bool inReceivedText_ = false;
  bool suggestionCopied_ = false;  // the received text is the top suggestion just copied
};
