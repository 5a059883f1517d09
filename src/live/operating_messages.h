#pragma once
// The texts the live window keys while CW keying is on: the CQ, the report with the exchange text,
// the closing message and the repeat of report and text. Each gives the text handed to the keyer
// (`message`) and the text shown meanwhile (`display`). Texts are Windows-1252.

#include <string>

// 599 keyed as 5NN: a three-character report whose second and third characters are both 9 gets N
// for each; 579 and the SSB reports stay.
std::string CutReport(const std::string& report);

// What the composition needs to know about the QSO and the window.
struct MessageContext {
  std::string own;     // own callsign
  std::string worked;  // the worked callsign
  std::string name;    // first name shown for the station, "" when none
  bool agn = false;    // the station may be worked again ("AGN" shown)
  std::string text;    // the trimmed text sent, "" for stations without exchange
  std::string report;  // the completed report sent
  bool cqMode = true;  // CQ (true) or S+P (false)
  bool shift = false;  // Shift held: the long form
  bool farnsworth = false;
  std::string slowTag;    // "<" + (w + 1) div 2 + ">"
  std::string normalTag;  // "<" + w + ">"
};

struct ComposedMessage {
  std::string message;
  std::string display;
  // Set when the message carries the exchange text: EditMSG then holds it, so F4 repeats report
  // and text; with `editMsg` set but no exchange, EditMSG holds the report.
  bool carriesExchange = false;
  bool setsEditMsg = false;
  std::string editMsg;
};

// "CQ KTD de <own> test" with Shift (once, no repetition), else "Test de <own>".
std::string CqMessage(const std::string& own, bool shift);

// The answer when the report sent is confirmed.
ComposedMessage ReportMessage(const MessageContext& qso);

// The closing message when the QSO is completed.
ComposedMessage FinalMessage(const MessageContext& qso);

// F4 with the exchange of the last report message: report copy and EditMSG again; with Farnsworth
// only the slow tag, so the closing " +" goes out slowly too.
ComposedMessage RepeatExchangeMessage(const std::string& reportCopy, const std::string& editMsg,
                                      bool farnsworth, const std::string& slowTag);

// The text as the converter gets it: trimmed, in lower case.
std::string KeyedForm(const std::string& message);
