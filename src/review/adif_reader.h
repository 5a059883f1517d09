#pragma once
// Reader of ADI files, the text form of ADIF that every logger writes. A file is an optional header
// ending in <EOH> (without one, any text before the first '<' is skipped), then records of fields
// <NAME:LENGTH> or <NAME:LENGTH:TYPE> followed by exactly LENGTH bytes of value, each record ended
// by <EOR>. Names and tags are in any case; text between fields (blanks, line ends, comments) is
// ignored.
//
// A record that cannot be read whole is reported as damaged and skipped: a field whose length runs
// past the end of the file or whose value would take in all or part of an <EOR> (its length is
// wrong), a '<' that starts no field, or a file that ends inside the record. A damaged record ends
// at the next <EOR> (or at the end of the file), so its fields never reach the record after it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One field as it stands in the file: views into the bytes handed to ReadAdif.
struct AdifField {
  std::string_view name;
  std::string_view value;
};

struct AdifRecord {
  std::vector<AdifField> fields;
  // Byte span in the file: from the record's first tag to the end of its <EOR>.
  std::size_t begin = 0;
  std::size_t end = 0;

  // The first field of that name (compared without regard to case); nullptr when absent.
  const AdifField* Find(std::string_view name) const;
  // That field's value as Windows-1252 text (see AdifValueText); empty when absent.
  std::string Text(std::string_view name) const;
};

enum class AdifDamage {
  LengthPastEnd,       // a field's length runs past the end of the file
  ValueOverRecordEnd,  // a field's value would take in an <EOR>: its length is wrong
  BadTag,              // a '<' that starts no field, <EOR> or <EOH>
  NoEndOfRecord,       // the file ends inside the record
};

struct AdifDamagedRecord {
  AdifDamage damage = AdifDamage::BadTag;
  // Byte span in the file, from the record's first tag to the end of the <EOR> that ends it (or the
  // end of the file), and the 1-based line the record begins on.
  std::size_t begin = 0;
  std::size_t end = 0;
  int line = 1;
  // The record's CALL when it was read before the damage (Windows-1252), else empty.
  std::string callsign;
};

struct AdifDocument {
  std::vector<AdifRecord> records;         // in file order
  std::vector<AdifDamagedRecord> damaged;  // in file order
};

// Reads the records of an ADI file. The records' fields are views into `bytes`, which must outlive
// the result. A UTF-8 byte order mark is skipped; line ends may be CR LF or LF.
AdifDocument ReadAdif(std::string_view bytes);
// A temporary string would leave the fields pointing into freed memory.
AdifDocument ReadAdif(std::string&& bytes) = delete;

// A field value as Windows-1252 text. A value that is valid UTF-8 is converted (a character
// Windows-1252 cannot hold becomes the not-representable marker of the text rules, a NUL byte,
// which no callsign or text accepts); any other value is taken as Windows-1252 bytes as it stands.
// So UTF-8 and Windows-1252 files, and files that mix both, read alike.
std::string AdifValueText(std::string_view value);
