// The callsign rules: class of a QSO, the KTD-station test, report completion, the prefix lookup
// and the completion of a bare suffix, on a small prefix table.

#include <regex>
#include <set>

#include "contest/callsign_patterns.h"
#include "contest/classification.h"
#include "contest/home_completion.h"
#include "contest/prefix_lookup.h"
#include "contest/report_completion.h"
#include "db/sqlite_database.h"
#include "fuzz_check.h"

namespace {

TSQLiteDatabase& PrefixDb() {
  static TSQLiteDatabase* db = [] {
    auto* d = new TSQLiteDatabase(":memory:");
    const char* const entries[][2] = {{"HB", "HB"}, {"HB", "HE"},  {"HB0", "HB0"}, {"HB0", "HE0"},
                                      {"DL", "DL"}, {"DL", "DA"},  {"F", "F"},     {"K", "K"},
                                      {"JA", "JA"}, {"OE", "OE2"}, {"HB", "HB9"}};
    for (int n = 1; n <= 6; ++n)
      d->ExecSQL("CREATE TABLE pref" + std::to_string(n) + " (dxcc TEXT, pref TEXT)");
    for (const auto& e : entries) {
      d->AddParamText(":dxcc", e[0]);
      d->AddParamText(":pref", e[1]);
      d->ExecSQL("INSERT INTO pref" + std::to_string(std::string(e[1]).size()) +
                 " VALUES (:dxcc, :pref)");
    }
    return d;
  }();
  return *db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = AsText(data, size);
  const std::size_t split = input.find('\t');
  const std::string call(input.substr(0, split));
  const std::string text(split == std::string_view::npos ? "" : input.substr(split + 1));

  // Exactly one class; a sent text makes a KTD QSO, otherwise HB/HE with a digit 1-9 is Swiss.
  const QsoClassFlags flags = ClassifyQso(call, text);
  for (const std::string* f : {&flags.ktdst, &flags.hbst, &flags.eust})
    FUZZ_CHECK(*f == "0" || *f == "1");
  FUZZ_CHECK((flags.ktdst == "1") + (flags.hbst == "1") + (flags.eust == "1") == 1);
  FUZZ_CHECK((flags.ktdst == "1") == !text.empty());
  if (text.empty()) {
    const bool swiss = call.size() >= 3 && (call[0] == 'H' || call[0] == 'h') &&
                       (call[1] == 'B' || call[1] == 'b' || call[1] == 'E' || call[1] == 'e') &&
                       call[2] >= '1' && call[2] <= '9';
    FUZZ_CHECK((flags.hbst == "1") == swiss);
  }

  // A KTD station begins with HB or HE and a digit 1-9, and "/P" follows (the pattern is not
  // anchored at the end: "HB9XYZ/PM" is one too).
  if (IsKtdStation(call)) {
    FUZZ_CHECK(call.rfind("HB", 0) == 0 || call.rfind("HE", 0) == 0);
    FUZZ_CHECK(call.size() >= 6 && call[2] >= '1' && call[2] <= '9');
    FUZZ_CHECK(call.find("/P", 3) != std::string::npos);
  }

  // Report completion: a finished report stays as it is, short ones get the usual digits, and no
  // report begins with a readability above 5.
  for (bool cw : {true, false}) {
    const std::string report = CompleteReport(call, cw);
    FUZZ_CHECK(CompleteReport(report, cw) == report);
    FUZZ_CHECK(report.size() >= (cw ? 3u : 2u) || call.size() > (cw ? 2u : 1u));
    FUZZ_CHECK(report.empty() || !(report[0] >= '6' && report[0] <= '9'));
  }

  // The prefix lookup gives one of the table's entities or nothing; a bare suffix completes to a
  // Swiss prefix in front of it, or stays as it is.
  static const std::set<std::string> kEntities = {"", "HB", "HB0", "DL", "F", "K", "JA", "OE"};
  FUZZ_CHECK(kEntities.count(LookupPrefix(PrefixDb(), call)) == 1);
  const std::string completed = CompleteHomeCallsign(PrefixDb(), call);
  FUZZ_CHECK(completed == call || completed == "HB" + call || completed == "HB9" + call);
  if (completed != call) {
    const std::string entity = LookupPrefix(PrefixDb(), completed);
    FUZZ_CHECK(entity == "HB" || entity == "HB0");
  }
  return 0;
}
