#pragma once
// Exchange texts in the live window: the text proposed to send to a KTD station, and the known
// texts suggested while the received text is typed.

#include <string>
#include <vector>

class TSQLiteDatabase;

// The station's first personal text (ptxt), else the first text of the operator's pool (txt, in
// table order), else "Das ist ein Muster" while keying is switched on, else "".
std::string ProposeSentText(const std::string& logDbFile, const std::string& callsign,
                            bool keyingChecked);

// Up to four known texts that begin with the trimmed typed text, letters compared without regard to
// case (LIKE), from the in-memory suggestion database (qtcs). Empty when nothing matches.
std::vector<std::string> FindTextSuggestions(TSQLiteDatabase& suggestionDb,
                                             const std::string& typed);
