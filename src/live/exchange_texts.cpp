#include "live/exchange_texts.h"

#include <utility>
#include <vector>

#include "common/ascii_text.h"
#include "contest/text_rules.h"
#include "live/live_view.h"
#include "live/text_suggestions.h"
#include "services/app_context.h"

ExchangeTexts::ExchangeTexts(const AppContext& ctx, LiveView& view) : ctx_(ctx), view_(view) {}

void ExchangeTexts::SentTextChanged(bool ktdStation) {
  const int length = TextLengthWithoutSpaces(view_.textSent.text);
  view_.lengthSent.text = std::to_string(length);
  const TextLengthShade shade = ShadeOfTextLength(length);
  if (shade == TextLengthShade::Empty) {
    view_.lengthSent.visible = false;
    view_.textSent.background = live_colour::kButtonFace;
    // The field keeps working while the operator empties it to type another text.
    if (view_.focus != LiveField::TextSent) view_.textSent.enabled = false;
  } else if (shade == TextLengthShade::Short && !ktdStation) {
    view_.lengthSent.visible = false;
    view_.textSent.background = live_colour::kButtonFace;
  } else {
    view_.textSent.background = view_.lengthSent.background = TextLengthColour(shade);
    view_.lengthSent.visible = true;
  }
}

void ExchangeTexts::ReceivedTextChanged() {
  suggestionCopied_ = false;
  const TextLengthShade shade = ShadeOfTextLength(TextLengthWithoutSpaces(view_.textRcvd.text));
  view_.textRcvd.background = TextLengthColour(shade);
  if (shade == TextLengthShade::Empty) {
    view_.suggestions.clear();
    view_.Hint(LiveHint::Shortcut).visible = false;
    return;
  }
  RefreshSuggestions();
}

void ExchangeTexts::RefreshSuggestions() {
  if (!view_.texte.enabled || ctx_.suggestionDb == nullptr) return;
  std::vector<std::string> found = FindTextSuggestions(*ctx_.suggestionDb, view_.textRcvd.text);
  if (found.empty()) {
    view_.Hint(LiveHint::Shortcut).visible = false;
    return;
  }
  view_.suggestions = std::move(found);
  view_.Hint(LiveHint::Shortcut).visible = view_.texte.checked;
}

void ExchangeTexts::EnterReceivedText() {
  view_.suggestionsVisible = view_.texte.checked;
  for (LiveHint line : {LiveHint::OneDigit, LiveHint::TwoDigits, LiveHint::Callsign}) {
    view_.Hint(line).visible = false;
  }
  LiveLabel& shortcut = view_.Hint(LiveHint::Shortcut);
  shortcut.visible = false;
  shortcut.text = "Oberster Text kopieren : [Space][Space]";
  shortcut.visible = view_.texte.checked && !view_.suggestions.empty();
  view_.Hint(LiveHint::GoOn) = {"Loggen : [Space][Space][Space] od. [Enter]", true};
  inReceivedText_ = true;
}

void ExchangeTexts::LeaveReceivedText() {
  view_.suggestionsVisible = false;
  inReceivedText_ = false;
}

void ExchangeTexts::TextsOptionClicked() {
  if (!inReceivedText_) return;
  view_.suggestionsVisible = view_.texte.checked;
  view_.Hint(LiveHint::Shortcut).visible = view_.texte.checked && !view_.suggestions.empty();
}

ExchangeTexts::Space ExchangeTexts::SpaceInReceivedText() const {
  const std::string& text = view_.textRcvd.text;
  if (text.find("  ") != std::string::npos || suggestionCopied_) return Space::Log;
  const bool suggesting = view_.texte.checked && !view_.suggestions.empty();
  if (suggesting && !text.empty() && text.back() == ' ' &&
      TrimBlanks(text) != view_.suggestions.front()) {
    return Space::CopyTopSuggestion;
  }
  return Space::Type;
}

std::string ExchangeTexts::WithTopSuggestion() const {
  return view_.suggestions.front() + " ";
}
