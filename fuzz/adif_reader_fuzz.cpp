// The ADIF reader and the mapping of its records to QSOs: any bytes are read without a crash,
// and no record is read past its own end: what the reader takes as a record depends on the bytes
// of that record alone, never on a damaged record before it.

#include <algorithm>

#include "common/ascii_text.h"
#include "contest/text_rules.h"
#include "fuzz_check.h"
#include "review/adif_qso_mapping.h"
#include "review/adif_reader.h"

namespace {

bool IsEndOfRecordAt(std::string_view text, std::size_t at) {
  const std::string_view tag = text.substr(at, 5);
  return tag.size() == 5 && tag[0] == '<' && (tag[1] | 0x20) == 'e' && (tag[2] | 0x20) == 'o' &&
         (tag[3] | 0x20) == 'r' && tag[4] == '>';
}

bool HoldsEndOfRecord(std::string_view text) {
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (IsEndOfRecordAt(text, at)) return true;
  }
  return false;
}

bool Within(std::string_view part, std::string_view whole, std::size_t begin, std::size_t end) {
  return part.data() >= whole.data() + begin && part.data() + part.size() <= whole.data() + end;
}

bool SameFields(const AdifRecord& a, const AdifRecord& b) {
  return std::equal(a.fields.begin(), a.fields.end(), b.fields.begin(), b.fields.end(),
                    [](const AdifField& x, const AdifField& y) {
                      return x.name == y.name && x.value == y.value;
                    });
}

void CheckMapping(const AdifRecord& record) {
  const AdifMapping mapping = MapAdifRecord(record, 2025);
  if (!mapping.qso) return;
  const QsoFields& q = mapping.qso->fields;
  // What the callsign, report and text fields could hold had it been typed.
  FUZZ_CHECK(q.callsign.size() >= 3);
  FUZZ_CHECK(std::all_of(q.callsign.begin(), q.callsign.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
  }));
  FUZZ_CHECK(q.utc.size() == 4 && q.utc < "2400");
  const std::size_t reportLength = mapping.qso->cw ? 3 : 2;
  FUZZ_CHECK(q.rstSent.size() == reportLength && q.rstRcvd.size() == reportLength);
  for (const std::string& text : {q.sentText, q.rcvdText}) {
    FUZZ_CHECK(text.size() <= 255);
    FUZZ_CHECK(std::all_of(text.begin(), text.end(), IsAllowedTextCharacter));
    FUZZ_CHECK(text.find("  ") == std::string::npos && TrimBlanks(text) == text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  const AdifDocument document = ReadAdif(bytes);

  // Records and damaged records, each a span of the file, follow one another without overlap.
  struct Span {
    std::size_t begin, end;
  };
  std::vector<Span> spans;
  for (const AdifRecord& record : document.records) spans.push_back({record.begin, record.end});
  for (const AdifDamagedRecord& damaged : document.damaged) {
    spans.push_back({damaged.begin, damaged.end});
    // A damaged record ends with the <EOR> that ends it, or with the file.
    FUZZ_CHECK(damaged.end == size || IsEndOfRecordAt(bytes, damaged.end - 5));
  }
  std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.begin < b.begin; });
  for (std::size_t i = 0; i < spans.size(); ++i) {
    FUZZ_CHECK(spans[i].begin < spans[i].end && spans[i].end <= size);
    if (i > 0) FUZZ_CHECK(spans[i - 1].end <= spans[i].begin);
  }

  for (const AdifRecord& record : document.records) {
    FUZZ_CHECK(!record.fields.empty());
    const std::string_view span = bytes.substr(record.begin, record.end - record.begin);
    // The record ends with its own <EOR>, and no value took in another one.
    FUZZ_CHECK(IsEndOfRecordAt(span, span.size() - 5));
    FUZZ_CHECK(!HoldsEndOfRecord(span.substr(0, span.size() - 5)));
    for (const AdifField& field : record.fields) {
      FUZZ_CHECK(Within(field.name, bytes, record.begin, record.end));
      FUZZ_CHECK(Within(field.value, bytes, record.begin, record.end));
    }
    // Read alone, its bytes give the same record: nothing before it reached into it.
    const AdifDocument alone = ReadAdif(span);
    FUZZ_CHECK(alone.records.size() == 1 && alone.damaged.empty());
    FUZZ_CHECK(SameFields(alone.records[0], record));
    CheckMapping(record);
  }
  return 0;
}
