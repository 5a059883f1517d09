#pragma once
// The QSO editor's work on the log table `ktd`: the fields it derives for a stored QSO, the check
// that keeps incomplete lines out of the log, and its three changes (store, remove, undo). Each
// change opens the log database, runs as one transaction and closes it, so a failure leaves the
// log as it was. The editor does not touch the station tables or the texts.

#include <cstdint>
#include <optional>
#include <string>

// The six fields of the editor's input line.
struct EditorQso {
  std::string utc;   // "hhnn"
  std::string rufz;  // callsign
  std::string s;     // report sent
  std::string stxt;  // text sent
  std::string r;     // report received
  std::string rtxt;  // text received
};

// The five columns the editor derives: half by the time, mode by the length of the report sent
// (3 = CW), and the class by both texts: a QSO is a KTD QSO only with a text in each direction,
// otherwise Swiss (HB/HE and a digit 1-9) or other.
struct EditorDerivedFields {
  std::string half, mode, ktdst, hbst, eust;
};
EditorDerivedFields DeriveEditorFields(const EditorQso& qso);

// A QSO time: four digits that form a time of day, 0000 to 2359.
bool IsQsoTime(const std::string& utc);

// The line as it is stored: the callsign and both texts trimmed, time and reports as they stand.
EditorQso TrimmedEditorQso(const EditorQso& qso);

// True when the (trimmed) line may be stored: a QSO time and a callsign of at least 3 characters.
bool IsStorableQso(const EditorQso& qso);

// Stores the trimmed line: appended when `rowId` is empty, else the row with that id updated.
// Before the change the log is copied into `ktdundo`. False (and nothing written) when the line is
// not storable.
bool StoreEditedQso(const std::string& logDbFile, std::optional<std::int64_t> rowId,
                    const EditorQso& qso);

// Removes the row, copying the log into `ktdundo` first, and renumbers the rows 1..n.
void RemoveQso(const std::string& logDbFile, std::int64_t rowId);

// Puts back the log as it was before the editor's last change.
void UndoLastEdit(const std::string& logDbFile);
