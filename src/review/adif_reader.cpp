#include "review/adif_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "contest/text_rules.h"

namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

// Field names hold neither blanks nor control characters nor the tag's own delimiters.
bool IsNameCharacter(char c) {
  return static_cast<unsigned char>(c) > ' ' && c != '<' && c != '>' && c != ':' && c != '\x7F';
}

// Position of the next "<eor>" (any case) at or after `from`, or npos.
std::size_t FindEndOfRecord(std::string_view bytes, std::size_t from) {
  while (from < bytes.size()) {
    const void* hit = std::memchr(bytes.data() + from, '<', bytes.size() - from);
    if (hit == nullptr) return std::string_view::npos;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
    if (SameNameIgnoringCase(bytes.substr(at, 5), "<eor>")) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

std::size_t FindHeaderEnd(std::string_view bytes, std::size_t from) {
  for (std::size_t at = bytes.find('<', from); at != std::string_view::npos;
       at = bytes.find('<', at + 1)) {
    if (SameNameIgnoringCase(bytes.substr(at, 5), "<eoh>")) return at;
  }
  return std::string_view::npos;
}

// One tag as read at a '<'.
struct Tag {
  enum class Kind { Field, EndOfRecord, EndOfHeader, Bad } kind = Kind::Bad;
  std::string_view name;
  std::size_t length = 0;
  bool lengthPastEnd = false;  // the length does not even fit the file
  std::size_t after = 0;       // the byte after '>'
};

// Reads the tag starting at bytes[at] == '<'.
Tag ReadTag(std::string_view bytes, std::size_t at) {
  Tag tag;
  std::size_t i = at + 1;
  const std::size_t nameBegin = i;
  while (i < bytes.size() && IsNameCharacter(bytes[i])) ++i;
  tag.name = bytes.substr(nameBegin, i - nameBegin);
  if (tag.name.empty() || i >= bytes.size()) return tag;
  bool hasLength = false;
  if (bytes[i] == ':') {
    ++i;
    const std::size_t digitsBegin = i;
    while (i < bytes.size() && IsAsciiDigit(bytes[i])) {
      // Any length beyond the file's size is as wrong as a larger one; no overflow.
      if (tag.length <= bytes.size()) tag.length = tag.length * 10 + (bytes[i] - '0');
      ++i;
    }
    if (i == digitsBegin) return tag;
    hasLength = true;
    if (i < bytes.size() && bytes[i] == ':') {  // the data type indicator, ignored
      ++i;
      while (i < bytes.size() && IsNameCharacter(bytes[i])) ++i;
    }
  }
  if (i >= bytes.size() || bytes[i] != '>') return tag;
  tag.after = i + 1;
  const bool eor = SameNameIgnoringCase(tag.name, "eor");
  const bool eoh = SameNameIgnoringCase(tag.name, "eoh");
  if (eor || eoh) {
    // <EOR> and <EOH> carry no length: "<EOR:6>" is as broken as any other tag.
    if (!hasLength) tag.kind = eor ? Tag::Kind::EndOfRecord : Tag::Kind::EndOfHeader;
  } else if (hasLength) {
    tag.kind = Tag::Kind::Field;
    tag.lengthPastEnd = tag.length > bytes.size() - tag.after;
  }
  return tag;
}

// Where the records start: after the header's <EOH>, or at the first '<' of a file without one.
std::size_t StartOfRecords(std::string_view bytes, std::size_t from) {
  const std::size_t first = bytes.find('<', from);
  if (first == from || first == std::string_view::npos) return first;
  const std::size_t eoh = FindHeaderEnd(bytes, first);
  return eoh == std::string_view::npos ? first : eoh + 5;
}

// Counts line ends incrementally, so numbering every damaged record stays linear.
class LineCounter {
 public:
  explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}
  int LineAt(std::size_t offset) {
    line_ +=
        static_cast<int>(std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(counted_),
                                    bytes_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    counted_ = offset;
    return line_;
  }

 private:
  std::string_view bytes_;
  std::size_t counted_ = 0;
  int line_ = 1;
};

// The length of a valid UTF-8 sequence at text[i] (lead byte 0x80 or above), or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len = 0;
  unsigned char low = 0x80;   // bounds of the second byte that exclude overlong forms,
  unsigned char high = 0xBF;  // surrogates and values past U+10FFFF
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  const auto b1 = static_cast<unsigned char>(text[i + 1]);
  if (b1 < low || b1 > high) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return len;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

}  // namespace

const AdifField* AdifRecord::Find(std::string_view name) const {
  for (const AdifField& field : fields) {
    if (SameNameIgnoringCase(field.name, name)) return &field;
  }
  return nullptr;
}

std::string AdifRecord::Text(std::string_view name) const {
  const AdifField* field = Find(name);
  return field == nullptr ? std::string() : AdifValueText(field->value);
}

std::string AdifValueText(std::string_view value) {
  const bool plain = std::all_of(value.begin(), value.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (plain || !IsValidUtf8(value)) return std::string(value);
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    if (static_cast<unsigned char>(value[i]) < 0x80) {
      text += value[i++];
      continue;
    }
    const std::size_t len = Utf8SequenceLength(value, i);
    // The project's conversion writes '?' for a character without a Windows-1252 byte; here that
    // character must not pass as a question mark, which texts allow.
    const std::string converted = Utf8ToCp1252(value.substr(i, len));
    text += converted == "?" ? std::string(1, kNotRepresentable) : converted;
    i += len;
  }
  return text;
}

AdifDocument ReadAdif(std::string_view bytes) {
  AdifDocument document;
  LineCounter lines(bytes);
  std::size_t pos = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  pos = StartOfRecords(bytes, pos);

  AdifRecord current;
  bool started = false;  // a tag of the current record was read
  const auto damage = [&](AdifDamage kind, std::size_t at) {
    // The damaged record ends at the next <EOR>: the records after it are read as they stand.
    const std::size_t eor = FindEndOfRecord(bytes, at + 1);
    AdifDamagedRecord damaged;
    damaged.damage = kind;
    damaged.begin = started ? current.begin : at;
    damaged.end = eor == std::string_view::npos ? bytes.size() : eor + 5;
    damaged.line = lines.LineAt(damaged.begin);
    damaged.callsign = current.Text("call");
    document.damaged.push_back(std::move(damaged));
    current.fields.clear();
    started = false;
    return document.damaged.back().end;
  };

  while (pos < bytes.size()) {
    const void* hit = std::memchr(bytes.data() + pos, '<', bytes.size() - pos);
    if (hit == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
    const Tag tag = ReadTag(bytes, at);
    if (tag.kind == Tag::Kind::Bad) {
      pos = damage(AdifDamage::BadTag, at);
      continue;
    }
    if (tag.kind == Tag::Kind::EndOfHeader) {
      // A header in the middle (files joined one after the other): what came before were its
      // fields.
      current.fields.clear();
      started = false;
      pos = tag.after;
      continue;
    }
    if (!started) {
      current.begin = at;
      started = true;
    }
    if (tag.kind == Tag::Kind::EndOfRecord) {
      current.end = tag.after;
      // A lone <EOR> carries no QSO.
      if (!current.fields.empty()) document.records.push_back(std::move(current));
      current = AdifRecord{};
      started = false;
      pos = tag.after;
      continue;
    }
    if (tag.lengthPastEnd) {
      pos = damage(AdifDamage::LengthPastEnd, at);
      continue;
    }
    const std::string_view value = bytes.substr(tag.after, tag.length);
    // No value holds the start of an <EOR>, not even one that the value cuts off ("<EO").
    if (FindEndOfRecord(bytes.substr(tag.after, tag.length + 4), 0) != std::string_view::npos) {
      pos = damage(AdifDamage::ValueOverRecordEnd, at);
      continue;
    }
    current.fields.push_back({tag.name, value});
    pos = tag.after + tag.length;
  }
  if (started) damage(AdifDamage::NoEndOfRecord, current.begin);
  return document;
}
