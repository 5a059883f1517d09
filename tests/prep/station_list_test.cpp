#include "prep/station_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Readable failures: the six fields of a row.
void PrintTo(const StationRow& row, std::ostream* out) {
  *out << row.callsign << "," << row.name;
  for (const std::string& text : row.texts) *out << "," << text;
}

namespace {

const std::string kOwn = "HB9XYZ/P";

StationRow Station(std::string callsign, std::string name,
                   std::array<std::string, kStationTextCount> texts = {}) {
  return StationRow{std::move(callsign), std::move(name), std::move(texts)};
}

StationList Loaded(const std::vector<std::string>& lines) {
  StationList list;
  list.Load(lines, kOwn);
  return list;
}

}  // namespace

TEST(StationListReading, LinesBecomeStationsByTheirLayout) {
  struct Case {
    const char* line;
    StationLineLayout layout;
    std::optional<StationRow> station;
  };
  const auto imported = StationLineLayout::Imported;
  const auto stored = StationLineLayout::Stored;
  const Case cases[] = {
      {"hb9abc,Max,123456,1234,text of twenty letters", imported,
       Station("HB9ABC/P", "Max", {"text of twenty letters"})},
      // The file this window writes keeps its texts in fields 3 to 6, even behind a short first
      // text that happens to have six characters.
      {"HB9ABC/P,Max,Kurzes,ALPENROSEN AM GRAT,BERGWIND UND SONNE,", imported,
       Station("HB9ABC/P", "Max", {"BERGWIND UND SONNE"})},
      {"HB9ABC/P,Max,Kurzes,ALPENROSEN AM GRAT,BERGWIND UND SONNE,", stored,
       Station("HB9ABC/P", "Max", {"ALPENROSEN AM GRAT", "BERGWIND UND SONNE"})},
      {"hb9abc/p,Max", imported, Station("HB9ABC/P", "Max")},
      {"HB9ABC,M\xFCller,ABCDEFGHIJKLMN,ABCDEFGHIJKLMNO,,ABCDEFGHIJ KLMNO", imported,
       Station("HB9ABC/P", "Mueller", {"ABCDEFGHIJKLMNO", "ABCDEFGHIJ KLMNO"})},
      {"HB9ABC,\xC4"
       "bi \xD6rni,,,,",
       stored, Station("HB9ABC/P", "aebi oerni")},
      {" HB9ABC , Max , ALPENROSEN AM GRAT ", imported,
       Station("HB9ABC/P", "Max", {"ALPENROSEN AM GRAT"})},
      {"HB9ABCDEFGHIJK/P,Max", imported, std::nullopt},  // 16 characters
      {"HB9ABCDEFGHIJ/P,Max", imported, Station("HB9ABCDEFGHIJ/P", "Max")},
      {"hb9xyz,Ich selbst", imported, std::nullopt},  // the own callsign
      {"", stored, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadStationLine(c.line, kOwn, c.layout), c.station) << c.line;
  }
}

TEST(StationListReading, ImportFilesAreFilteredConvertedAndSorted) {
  const std::string longLine = "HB9LNG/P,Lang," + std::string(300, 'X');
  const std::vector<std::string> lines = StationImportLines({
      "# Rufzeichen,Name,Text 1",
      "",
      "Ohne Komma",
      "HB9XDO/P,D\xC3\xB6lf,HEUWAGEN IM SPAETSOMMER",  // UTF-8
      "HB9XJO/P,J\xF6rg,,",                            // Windows-1252 stays
      longLine,
  });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "HB9XDO/P,D\xF6lf,HEUWAGEN IM SPAETSOMMER");
  EXPECT_EQ(lines[1], "HB9XJO/P,J\xF6rg,,");
  EXPECT_EQ(lines[2].size(), 255u);
  EXPECT_EQ(ReadStationLine(lines[0], kOwn, StationLineLayout::Imported)->name, "Doelf");

  EXPECT_EQ(
      SortedStationLines({"HB9B/P,b", "HB3A/P,a", "HB9A/P,\xE4", "HB9A/P,z", "HB9A/P,A"}),
      (std::vector<std::string>{"HB3A/P,a", "HB9A/P,A", "HB9A/P,z", "HB9A/P,\xE4", "HB9B/P,b"}));
}

TEST(StationListCallsigns, NormalisedOrRefused) {
  struct Case {
    const char* field;
    bool passes;
    const char* stored;  // as the list keeps it
  };
  const Case cases[] = {
      {"abc", true, "HB9ABC/P"},
      {"HB9ABC/", true, "HB9ABC/P"},
      {"HB9ABC/X", true, "HB9ABC/P"},
      {"hb9abc/p", true, "HB9ABC/P"},
      {"HB9ABC/QRP", true, "HB9ABC/QRP/P"},
      {"he9zz", true, "HE9ZZ/P"},
      {"DL1ABC", false, ""},
      {"HB0ABC", false, ""},
      {"HC9ABC", false, ""},
  };
  for (const Case& c : cases) {
    const std::string callsign = CompletedCallsign(c.field);
    ASSERT_EQ(PassesPrefixTest(callsign), c.passes) << c.field;
    if (c.passes) {
      EXPECT_EQ(WithPortableSuffix(callsign), c.stored) << c.field;
    }
  }
  EXPECT_EQ(CallsignOnLeaving("hb9abc"), "HB9ABC/P");
  EXPECT_EQ(CallsignOnLeaving("abc"), std::nullopt);  // only storing puts "HB9" in front
  EXPECT_EQ(CallsignOnLeaving("dl1abc"), std::nullopt);
  EXPECT_FALSE(IsCallsignCharacter('-'));
  EXPECT_FALSE(IsNameCharacter('.'));
}

TEST(StationListStore, UpdatesAppendsAndRefuses) {
  StationList list = Loaded({"HB9AAA/P,Anna,,,,", "HB9CCC/P,Carl,,,,"});
  ASSERT_EQ(list.StationCount(), 2);
  EXPECT_TRUE(list.CountVisible());

  // A new station goes to the end, the new entry row is selected.
  StationRow fields =
      Station("abc", " Beat ", {"", " ALPENROSEN AM GRAT ", "", "BERGWIND UND SONNE"});
  EXPECT_EQ(list.Store(fields, kOwn).outcome, StationList::StoreOutcome::Stored);
  ASSERT_EQ(list.StationCount(), 3);
  EXPECT_EQ(list.Stations()[2],
            Station("HB9ABC/P", "Beat", {"ALPENROSEN AM GRAT", "BERGWIND UND SONNE"}));
  EXPECT_EQ(list.SelectedRow(), list.EntryRow());
  EXPECT_EQ(list.SelectedFields(), StationRow{});

  // An existing one keeps its row and callsign; the row below it is selected.
  EXPECT_EQ(list.Store(Station("HB9AAA", "Anna Maria"), kOwn).outcome,
            StationList::StoreOutcome::Stored);
  EXPECT_EQ(list.Stations()[0].name, "Anna Maria");
  EXPECT_EQ(list.SelectedRow(), 1);

  const StationList::StoreResult own = list.Store(Station("hb9xyz", "Ich"), kOwn);
  EXPECT_EQ(own.outcome, StationList::StoreOutcome::OwnCallsign);
  EXPECT_EQ(own.callsign, kOwn);
  EXPECT_EQ(list.Store(Station("DL1ABC", "Fritz"), kOwn).outcome,
            StationList::StoreOutcome::Refused);
  EXPECT_EQ(list.Store(Station("", "Niemand"), kOwn).outcome, StationList::StoreOutcome::Ignored);
  EXPECT_EQ(list.StationCount(), 3);
}

TEST(StationListEditing, SelectionAndRemoval) {
  StationList list = Loaded({"HB9CCC/P,Carl", "HB9AAA/P,Anna", "HB9BBB/P,Bea"});
  EXPECT_EQ(list.Stations()[0].callsign, "HB9AAA/P");  // sorted on loading
  list.MoveSelection(-1);
  EXPECT_EQ(list.SelectedRow(), 0);
  list.SelectRow(9);
  EXPECT_EQ(list.SelectedRow(), list.EntryRow());
  list.RemoveSelected();  // the entry row
  EXPECT_EQ(list.StationCount(), 3);

  StationList empty = Loaded({});
  EXPECT_FALSE(empty.CountVisible());
  EXPECT_EQ(empty.EntryRow(), 0);
  EXPECT_FALSE(empty.Import({"# nur ein Kommentar", "keine Station"}, kOwn));
  EXPECT_FALSE(empty.CountVisible());
}

TEST(StationListClosing, EachCallsignOnceSortedWithoutOwnOrShortOnes) {
  StationList list;
  list.Load({"HB9BBB/P,Bea,,,,"}, kOwn);
  list.Store(Station("HB9ABC", "Erster", {"ALPENROSEN AM GRAT"}), kOwn);
  list.Store(Station("HB9/", "Kurz"), kOwn);  // base "HB9"
  EXPECT_EQ(
      list.LinesForClosing(kOwn),
      (std::vector<std::string>{"HB9ABC/P,Erster,ALPENROSEN AM GRAT,,,", "HB9BBB/P,Bea,,,,"}));

  // HB9ABC and HB9ABC/P in one list become two rows of HB9ABC/P; the upper one is written.
  StationList twice;
  twice.Import({"HB9ABC/P,Zweiter,,,,", "HB9ABC,Erster,,,,"}, kOwn);
  ASSERT_EQ(twice.StationCount(), 2);
  EXPECT_EQ(twice.Stations()[1].callsign, "HB9ABC/P");
  EXPECT_EQ(twice.LinesForClosing(kOwn), std::vector<std::string>{"HB9ABC/P,Erster,,,,"});

  EXPECT_TRUE(StationList().LinesForClosing(kOwn).empty());
}

TEST(StationListPaste, AtMost22CharactersCleanedAndCutAtTheMarker) {
  EXPECT_EQ(PastedStationText("", "Gr\xFCsse  aus Z\xFCrich am See und mehr"),
            "Gruesse aus Zuerich am");
  EXPECT_EQ(PastedStationText("",
                              "Stra\xDF"
                              "e am See"),
            "Stra");
  EXPECT_EQ(PastedStationText("schon da", "ALPENROSEN AM GRAT"), std::nullopt);
  EXPECT_EQ(PastedStationText("", ""), std::nullopt);
}
