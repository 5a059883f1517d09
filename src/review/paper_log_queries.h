#pragma once
// The paper-log window's statements on the log database: the KTD stations still to be worked, the
// pre-printed texts (the queue of `txt`, first row = the text printed on the next line of the
// form), the personal texts of a station, and the moves in that queue. Each function opens the log
// database and closes it again; every change runs as one transaction.

#include <optional>
#include <string>
#include <vector>

#include "live/record_qso.h"

// Every station of the table, in table order.
std::vector<std::string> ReadStations(const std::string& logDbFile, const std::string& table);

// The LIKE patterns of the station filter for the typed text (callsign characters only). A single
// digit stands for "HB" and the digit. A text that begins like a Swiss callsign matches callsigns
// beginning with it; anything else is taken as a suffix: "H", two characters and the text, or a
// guest's "H", two characters, "/" and the text in the callsign without "/P".
struct StationFilter {
  std::string rufzPattern;
  std::optional<std::string> rufzoPattern;
};
StationFilter StationFilterFor(const std::string& typed);

// The stations of the table that match the typed text, ordered by callsign.
std::vector<std::string> FilterStations(const std::string& logDbFile, const std::string& table,
                                        const std::string& typed);

// The pre-printed texts in queue order.
std::vector<std::string> ReadPrintedTexts(const std::string& logDbFile);

// The non-empty personal texts of the station.
std::vector<std::string> ReadPersonalTexts(const std::string& logDbFile, const std::string& rufz);

// A line of the form without QSO: its text goes to the end of the queue.
void MovePrintedTextToEnd(const std::string& logDbFile, const std::string& text);

// Undoes the move above: the last text of the queue comes back to the front.
void MoveLastPrintedTextToFront(const std::string& logDbFile);

// Saving a transcribed line, in one transaction: the QSO is recorded, the personal text sent is
// used up for that station, and the pre-printed text of the line goes to the end of the queue.
void SavePaperLine(const std::string& logDbFile, const QsoFields& qso,
                   const std::optional<std::string>& personalText,
                   const std::optional<std::string>& printedText);
