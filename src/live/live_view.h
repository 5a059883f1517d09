#pragma once
// What the live logging window shows, as plain data: the live-entry model keeps it current and the
// window only copies it onto its widgets. Colours are Windows colour values (0xBBGGRR).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace live_colour {
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGrey = 0x808080;        // the clock outside 06:00 ... 09:59
constexpr std::uint32_t kButtonFace = 0xF0F0F0;  // a greyed text field
constexpr std::uint32_t kLightRed = 0xE0E0FF;
constexpr std::uint32_t kLightGreen = 0xE0FFE0;
constexpr std::uint32_t kBlue = 0xFF0000;
}  // namespace live_colour

// The entry fields of the window, in the order of one QSO, plus the message and speed fields.
// RigAddress is rigctld's address ("host:port").
enum class LiveField { None, Callsign, RstSent, TextSent, RstRcvd, TextRcvd, Msg, WpM, RigAddress };

// The check boxes of the window.
enum class LiveCheckBox {
  Tastung,
  Texte,
  Farnsworth,
  AutoCq,
  Cq,
  Ssb,
  Rts,
  Reverse,
  ViaRigctld,  // "über rigctld": the rig keys the messages itself
  FollowRig,   // "Betriebsart vom Funkgerät": CW or SSB as the rig's mode
};

// The five lines of the help area under the fields, from the top (Label22 ... Label26), named by
// what they tell in the fields that use them.
enum class LiveHint {
  OneDigit,   // Label22: "Eine Ziffer  :  S" (report sent)
  TwoDigits,  // Label23: "Zwei Ziffern : RS" (report sent)
  Callsign,   // Label24: how to type or confirm the callsign
  Shortcut,   // Label25: copy a station or a text, overwrite or leave the text sent
  GoOn,       // Label26: go on to the next field, or log
};

struct LiveEdit {
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool tabStop = false;
  std::uint32_t background = live_colour::kWhite;
  int maxLength = 32767;
};

struct LiveLabel {
  std::string text;
  bool visible = true;
  std::uint32_t background = live_colour::kWhite;
  std::uint32_t font = live_colour::kBlack;
};

struct LiveCheck {
  bool checked = false;
  bool enabled = true;
  bool visible = true;
};

// A window timer: running or stopped; a new generation means "start counting anew".
struct LiveTimer {
  bool running = false;
  int intervalMs = 0;
  unsigned generation = 0;
};

struct LiveView {
  std::string title;

  LiveEdit callsign, rstSent, textSent, rstRcvd, textRcvd, msg, wpm, rigAddress;
  LiveField focus = LiveField::None;

  // The five-line help area under the fields: Label22 ... Label26, see LiveHint.
  std::array<LiveLabel, 5> hints;
  LiveLabel& Hint(LiveHint line) { return hints[static_cast<size_t>(line)]; }
  bool label1Visible = false;       // "Abbruch : [ESC]"
  bool label14Visible = true;       // "CW/SSB wechseln : [Ctrl]+[M]"
  bool keyingHintsVisible = false;  // Label6, Label18 ... Label21
  bool label9Visible = true;        // "anzeigen" beside CheckBoxTexte

  LiveLabel vorname;                 // LabelVorname
  LiveLabel dupe;                    // LabelDUPEorAGN
  LiveLabel lengthSent;              // LabelLaengeSent
  LiveLabel utc;                     // LabelUTC: the frozen QSO time
  LiveLabel utcClock;                // LabelUTC2: the running clock
  std::string half;                  // Label7
  std::string score;                 // LabelScore
  LiveLabel msgLabel;                // LabelMSG
  bool achtungVisible = false;       // LabelAchtung
  bool achtungFrameVisible = false;  // its frame
  // Shown in LabelAchtung instead of its warning, until keying is switched on again: why keying
  // went off by itself.
  std::string keyingWarning;

  std::vector<std::string> candidates;   // ListBox1
  int highlight = -1;                    // highlighted candidate, -1 = none
  std::vector<std::string> suggestions;  // MemoTexte
  bool suggestionsVisible = false;

  LiveCheck tastung, texte, farnsworth, autoCq, cq, ssb, rts, reverse;
  int portIndex = 0;  // ComboBoxCOM, 0 = port 1
  bool portEnabled = true;
  LiveCheck viaRigctld, followRig;
  int speed = 18;                    // UpDownWpM position
  bool keyerGroupVisible = true;     // " CW : Sendertastung ", CW only
  bool functionKeysVisible = false;  // F1 ... F4 buttons and EditMSG
  std::string myCallCaption = "[F1] ";
  std::string qrzCaption = "[F2] QRZ?";
  bool qrzEnabled = true;

  LiveTimer clockTimer;    // TimerUTC2, 1000 ms
  LiveTimer watchDog;      // TimerWatchDog, 30000 ms
  LiveTimer autoCqTimer;   // Timer2, 2000 ms
  LiveTimer rigModeTimer;  // TimerRigMode, 1000 ms: the rig's mode is asked for

  LiveEdit& Field(LiveField field);
  const LiveEdit& Field(LiveField field) const;
  LiveCheck& Box(LiveCheckBox box);
};
