// The three imports of the preparation windows (station list, text collection, station data) as
// they meet a chosen file: read through the one list reader, whatever editor wrote it; a file
// without anything usable changes nothing; and nothing of a file's control characters reaches a
// stored file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/list_file.h"
#include "common/text_file.h"
#include "prep/import_hint.h"
#include "prep/station_data_record.h"
#include "prep/station_list.h"
#include "prep/text_collection.h"
#include "support/temp_folder.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kOwn = "HB9XYZ/P";

// Windows-1252 text without the bytes 80..9F, whose code points equal their bytes, in UTF-16.
std::string Utf16WithMark(std::string_view latin1, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : latin1) {
    if (bigEndian) bytes += '\0';
    bytes += c;
    if (!bigEndian) bytes += '\0';
  }
  return bytes;
}

// The file's lines as an import gets them.
Lines ReadAsImport(const TempFolder& folder, const std::string& bytes) {
  const std::string path = folder / "Import.txt";
  EXPECT_TRUE(WriteFileAtomic(path, bytes));
  return ReadListFile(path).lines;
}

StationData SampleRecord() {
  StationData d;
  d.place = "Z\xFCrich";
  d.operatorName = "Ren\xE9 M\xFCller";
  d.itemDescriptions[2] = "Kopfh\xF6rer";
  d.itemWeights[2] = "  80";
  RecomputeStationWeights(d);
  return d;
}

}  // namespace

TEST(PrepImports, EveryImportReadsItsFileAlikeWhicheverEditorWroteIt) {
  // The contents in Windows-1252.
  const std::string stations =
      "# Teilnehmer\r\nHB9XDO/P,D\xF6lf,HEUWAGEN IM SP\xC4TSOMMER,,,\r\n"
      "hb9xaa,Anna,123456,1234,ALPENROSEN AM GRAT,\r\n";
  const std::string texts = "Gr\xFCsse aus Z\xFCrich am See\r\nAbendrot am S\xE4ntis\r\n";
  std::string record;
  for (const std::string& line : BuildStationDataLines(SampleRecord(), kOwn, "2025-07-20"))
    record += line + "\r\n";

  struct Encoding {
    const char* name;
    std::string (*encode)(std::string_view);
  };
  const Encoding encodings[] = {
      {"Windows-1252", [](std::string_view t) { return std::string(t); }},
      {"UTF-8", [](std::string_view t) { return Cp1252ToUtf8(t); }},
      {"UTF-8 with mark", [](std::string_view t) { return "\xEF\xBB\xBF" + Cp1252ToUtf8(t); }},
      {"UTF-16 LE", [](std::string_view t) { return Utf16WithMark(t, false); }},
      {"UTF-16 BE", [](std::string_view t) { return Utf16WithMark(t, true); }},
  };
  TempFolder folder;
  for (const Encoding& e : encodings) {
    SCOPED_TRACE(e.name);
    StationList list;
    ASSERT_TRUE(list.Import(ReadAsImport(folder, e.encode(stations)), kOwn));
    EXPECT_EQ(list.LinesForClosing(kOwn), (Lines{"HB9XAA/P,Anna,ALPENROSEN AM GRAT,,,",
                                                 "HB9XDO/P,Doelf,HEUWAGEN IM SP\xC4TSOMMER,,,"}));

    TextCollection collection;
    EXPECT_EQ(collection.Import(ReadAsImport(folder, e.encode(texts))), ImportResult::Taken);
    EXPECT_EQ(collection.Texts(), (Lines{"Gruesse aus Zuerich am See", "Abendrot am Saentis"}));

    StationData data;
    ASSERT_TRUE(ImportStationDataFile(ReadAsImport(folder, e.encode(record)), data));
    EXPECT_EQ(data.place, "Z\xFCrich");
    EXPECT_EQ(data.operatorName, "Ren\xE9 M\xFCller");
    EXPECT_EQ(data.itemDescriptions[2], "Kopfh\xF6rer");
    EXPECT_EQ(data.totalWeight, 80);
  }
}

TEST(PrepImports, AFileWithoutAnythingUsableLeavesListCollectionAndRecordAsTheyWere) {
  std::string otherKind = "#;QRA=;HB9ABC/P\r\n";
  for (int i = 0; i < 40; ++i) otherKind += "#;UNBEKANNT=;x\r\n";
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"empty", ""},
      {"only a byte order mark", "\xFF\xFE"},
      {"comments and blank lines", "# Teilnehmer, Texte\r\n\r\n#;\r\n"},
      {"binary", std::string("\x7F"
                             "ELF\0\x01,\0\0\r\n\x02\x03,\x04\x05\r\n",
                             18)},
      {"41 lines without a known key", otherKind},
  };
  TempFolder folder;
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const Lines lines = ReadAsImport(folder, file.bytes);

    StationList list;
    list.Load({"HB9AAA/P,Anna,ALPENROSEN AM GRAT,,,", "HB9BBB/P,Bea,,,,"}, kOwn);
    list.SelectRow(1);
    EXPECT_FALSE(list.Import(lines, kOwn));
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_EQ(list.LinesForClosing(kOwn),
              (Lines{"HB9AAA/P,Anna,ALPENROSEN AM GRAT,,,", "HB9BBB/P,Bea,,,,"}));

    TextCollection collection;
    collection.Open({"Abendrot am Saentis", "Gipfelkreuz im Morgen"});
    EXPECT_EQ(collection.Import(lines), ImportResult::NoUsableLine);
    EXPECT_EQ(collection.Texts(), (Lines{"Abendrot am Saentis", "Gipfelkreuz im Morgen"}));

    StationData data = SampleRecord();
    data.coordX = "200000";  // as typed, smaller first: an import that takes nothing keeps it
    data.coordY = "600000";
    const StationData before = data;
    EXPECT_FALSE(ImportStationDataFile(lines, data));
    EXPECT_EQ(data.coordX, "200000");
    EXPECT_EQ(BuildStationDataLines(data, kOwn, "2025-07-20"),
              BuildStationDataLines(before, kOwn, "2025-07-20"));
  }

  // Texts that are all in the collection already are nothing new, which the hint tells apart.
  TextCollection collection;
  collection.Open({"Abendrot am Saentis"});
  EXPECT_EQ(collection.Import({"ABENDROT AM SAENTIS", "kurz"}), ImportResult::NothingNew);
  EXPECT_EQ(ImportHint(ImportedList::Texts, ImportResult::NothingNew, "/home/op/data/Texte.txt"),
            "Kein Text importiert: Alle Texte aus \x84Texte.txt\x93 sind schon in der Sammlung.");
  EXPECT_EQ(ImportHint(ImportedList::Stations, ImportResult::NoUsableLine, "data/Liste.csv"),
            "Keine Station importiert: \x84Liste.csv\x93 enth\xE4lt keine brauchbare Zeile. Die "
            "Liste bleibt, wie sie war.");
}

TEST(PrepImports, ControlCharactersOfAFileNeverReachAStoredFile) {
  using namespace std::string_literals;
  StationList list;
  ASSERT_TRUE(list.Import({"HB9A\0BC/P,Ma\0x\x01,ALPENROSEN\tAM GRAT\x7F,,,"s}, kOwn));
  EXPECT_EQ(list.LinesForClosing(kOwn), Lines{"HB9ABC/P,Max,ALPENROSEN AM GRAT,,,"});

  // Read from a file, and typed or pasted into a field: the record's lines carry neither.
  Lines file = BuildStationDataLines(SampleRecord(), kOwn, "2025-07-20");
  file[kStationLineOrt] = "#;ORT=;Z\xFCr\0ich\x1B"s;
  file[kStationLineOpName] = "#;OPNAME=;Ren\xE9\tM\xFCller"s;
  StationData data;
  ASSERT_TRUE(ImportStationDataFile(file, data));
  EXPECT_EQ(data.place, "Z\xFCrich");
  EXPECT_EQ(data.operatorName, "Ren\xE9 M\xFCller");
  data.email = "op@example.org\r\n#;QRA=;X";
  EXPECT_EQ(BuildStationDataLines(data, kOwn, "2025-07-20")[kStationLineEmail],
            "#;EMAIL=;op@example.org#;QRA=;X");
}
