#pragma once
// Recording of one QSO, shared by the live and the paper-log window. Besides inserting the log row
// it keeps the contest state in step: undo copies, the KTD station lists of both halves and modes,
// and the used-up sent text.

#include <string>

class TSQLiteDatabase;

// The QSO, as one set of fields.
struct QsoFields {
  std::string utc, callsign, rstSent, sentText, rstRcvd, rcvdText;
};

// Opens the log database, records the QSO and closes it. The mode follows from the length of the
// report sent (3 characters = CW), the half from the time ("hhnn" below "0800" = first half), the
// class from the sent text and callsign. All steps run in one transaction: a database error throws
// ESQLiteException and records nothing, so the operator can simply record the QSO again.
void RecordQso(const std::string& logDbFile, const std::string& utc, const std::string& callsign,
               const std::string& rstSent, const std::string& sentText, const std::string& rstRcvd,
               const std::string& rcvdText);

// Whether recording a QSO first replaces the undo copies of the tables it changes.
enum class UndoCopies {
  Take,
  Kept,  // the caller took them for the whole action (TakeUndoCopies)
};

// The same statements on an open connection, inside the caller's transaction, for a user action
// that does more than record the QSO and must be one transaction as a whole.
void RecordQsoIn(TSQLiteDatabase& db, const QsoFields& qso, UndoCopies undo = UndoCopies::Take);

// The undo copies of every table recording changes (the log, the four station lists, the texts),
// for an action that records many QSOs: copying them before each QSO would take time growing with
// the square of their number, and the copies are to show the state before the whole action.
void TakeUndoCopies(TSQLiteDatabase& db);
