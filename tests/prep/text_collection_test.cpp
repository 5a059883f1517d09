#include "prep/text_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A collection opened from these file lines, the last one marked.
TextCollection Opened(const Texts& lines) {
  TextCollection c;
  c.Open(lines);
  return c;
}

}  // namespace

TEST(TextCollectionOpen, TakesFileLinesAsTheyStandUnlessPlainlyBroken) {
  const TextCollection c = Opened({
      "Abendrot am Saentis",      // taken
      "",                         // empty
      "#Abendrot am Saentis",     // a comment
      "Sonne; Mond und Sterne",   // ";"
      "ABCDEFGHIJKLMNOPQRSTUVW",  // 23 without spaces
      "Gr\xFCsse vom Bodensee",   // not an allowed character
      "kurz",                     // short, but nothing else is checked on opening
      "ABCDEFGHIJK LMNOPQRSTUV",  // 22 without spaces
  });
  EXPECT_EQ(c.Texts(), (Texts{"Abendrot am Saentis", "kurz", "ABCDEFGHIJK LMNOPQRSTUV"}));
  EXPECT_EQ(c.UndoCopy(), c.Texts());
  EXPECT_EQ(c.SelectedRow(), 2);
  EXPECT_EQ(c.MarkedRow(), 2);
  EXPECT_EQ(c.MarkedText(), "ABCDEFGHIJK LMNOPQRSTUV");
  EXPECT_EQ(c.GridRows()[2].number, "3");
  EXPECT_EQ(c.GridRows()[2].length, "22");
}

TEST(TextCollectionImport, CleansLinesAndKeepsValidNewTextsOnce) {
  TextCollection c = Opened({"Abendrot am Saentis", "Gipfelkreuz im Morgen"});
  c.SelectRow(0);
  const ImportResult added = c.Import({
      "Gr\xFCsse aus Z\xFCrich am See",    // 22 after transliteration: taken
      "Gr\xFCsse aus Z\xFCrich vom Berg",  // 24: refused
      "Drei, zwei, eins und los",          // comma
      "Stra\xDF"
      "e ueber den Pass",           // sharp s
      "Sterne * am Nachthimmel",    // asterisk
      "GIPFELKREUZ IM MORGEN",      // already in the collection
      "Nebelmeer  im  Mittelland",  // two spaces become one
      "nebelmeer im mittelland",    // repeated, case ignored
      "=Formel fuer den Sieg",      // begins with "="
      "Kurzer Text hier",           // 14 without spaces
      "ABCDEFGHIJKLMNOPQRSTUVW",    // 23
  });
  EXPECT_EQ(added, ImportResult::Taken);
  // After the marked text, in file order; the collection's last row is selected.
  EXPECT_EQ(c.Texts(), (Texts{"Abendrot am Saentis", "Gruesse aus Zuerich am See",
                              "Nebelmeer im Mittelland", "Gipfelkreuz im Morgen"}));
  EXPECT_EQ(c.UndoCopy(), (Texts{"Abendrot am Saentis", "Gipfelkreuz im Morgen"}));
  EXPECT_EQ(c.SelectedRow(), 3);
  EXPECT_EQ(c.MarkedText(), "Gipfelkreuz im Morgen");
}

TEST(TextCollectionImport, FillsAnEmptyCollectionAndIgnoresFilesWithoutTexts) {
  TextCollection c;
  c.SetInput("angefangen");
  EXPECT_EQ(c.Import({"# Kommentar", "zu kurz"}), ImportResult::NoUsableLine);
  EXPECT_TRUE(c.Input().empty());
  EXPECT_TRUE(c.Texts().empty());

  EXPECT_EQ(c.Import({"Picknick auf der Alp", "Quarz im Rucksack dabei"}), ImportResult::Taken);
  EXPECT_EQ(c.Texts(), (Texts{"Picknick auf der Alp", "Quarz im Rucksack dabei"}));
  EXPECT_EQ(c.MarkedRow(), 1);
  // With a single text before, the undo copy is not taken.
  TextCollection one = Opened({"Picknick auf der Alp"});
  one.DeleteSelected();
  one.Undo();
  one.Import({"Quarz im Rucksack dabei"});
  EXPECT_TRUE(one.UndoCopy().empty());
}

TEST(TextCollectionImport, Utf8LinesAreTransliteratedLikeWindows1252Ones) {
  TextCollection c;
  EXPECT_EQ(c.Import({
                "Gr\xC3\xBCsse aus Z\xC3\xBCrich am See",  // UTF-8 umlauts
                "Caf\xC3\xA9 au lait am Morgen",           // UTF-8 e acute
                "\305\201eba an der Ostsee",               // no Windows-1252 letter: not a "?"
                "Stra\303\237e ueber den Pass",            // sharp s has no transliteration
                "Gipfelkreuz im Morgen ?",                 // Windows-1252 with a real "?"
            }),
            ImportResult::Taken);
  EXPECT_EQ(c.Texts(), (Texts{"Gruesse aus Zuerich am See", "Cafe au lait am Morgen",
                              "Gipfelkreuz im Morgen ?"}));
}

TEST(TextCollectionPaste, SplitsLinesKeepsTheOldCollectionForUndoAndSelectsTheLastPasted) {
  TextCollection c = Opened({"Abendrot am Saentis", "Gipfelkreuz im Morgen"});
  c.SelectRow(0);
  EXPECT_TRUE(
      c.Paste("'s Chalet  am Waldrand\r\n#Kein Kommentar hier drin\nzu kurz\rTee aus der Thermos"));
  // "#" has no transliteration, so the second line fails the allowed-character test.
  EXPECT_EQ(c.Texts(), (Texts{"Abendrot am Saentis", "s Chalet am Waldrand", "Tee aus der Thermos",
                              "Gipfelkreuz im Morgen"}));
  EXPECT_EQ(c.SelectedRow(), 2);
  EXPECT_EQ(c.MarkedText(), "Tee aus der Thermos");
  EXPECT_EQ(c.UndoCopy(), (Texts{"Abendrot am Saentis", "Gipfelkreuz im Morgen"}));

  TextCollection empty;
  EXPECT_FALSE(empty.Paste(""));
  EXPECT_TRUE(empty.Paste("Edelweiss am Felsband\nGeduld bringt Rosen hier"));
  EXPECT_EQ(empty.SelectedRow(), 1);
  EXPECT_TRUE(empty.UndoCopy().empty());
}

TEST(TextCollectionTyping, TransliteratesAndAllowsSpacesOnlyBetweenWords) {
  struct Case {
    const char* text;
    int caret;
    int selection;
    char typed;
    bool inserts;
    const char* result;
    int resultCaret;
  };
  const Case cases[] = {
      {"Gr", 2, 0, '\xFC', true, "Grue", 4},
      {"", 0, 0, '\xC4', true, "Ae", 2},
      {"Alp", 3, 0, ' ', true, "Alp ", 4},
      {"Alp ", 4, 0, ' ', false, "", 0},
      {"", 0, 0, ' ', false, "", 0},
      {"Alp Tal", 3, 0, ' ', false, "", 0},  // before a space
      {"AlpTal", 3, 0, '\'', true, "Alp Tal", 4},
      {"Fuss", 4, 0, '\xDF', false, "", 0},
      {"Fuss", 2, 0, '*', false, "", 0},
      {"Alp Tal", 1, 2, 'x', true, "Ax Tal", 2},  // replaces the selection
      {"Alp Tal", 0, 3, ' ', false, "", 0},       // a space would start the field
      // At most 22 characters without spaces: the file keeps no longer text.
      {"ABCDEFGHIJK MNOPQRSTUV", 22, 0, 'W', true, "ABCDEFGHIJK MNOPQRSTUVW", 23},
      {"ABCDEFGHIJK LMNOPQRSTUV", 23, 0, 'W', false, "", 0},
      {"ABCDEFGHIJK MNOPQRSTUV", 22, 0, '\xE4', false, "", 0},  // "ae" would make 23
      {"ABCDEFGHIJK LMNOPQRSTUV", 23, 0, ' ', true, "ABCDEFGHIJK LMNOPQRSTUV ", 24},
      {"ABCDEFGHIJK LMNOPQRSTUV", 0, 1, 'x', true, "xBCDEFGHIJK LMNOPQRSTUV", 1},
  };
  for (const Case& c : cases) {
    const std::optional<TypedText> typed = TypeIntoText(c.text, c.caret, c.selection, c.typed);
    ASSERT_EQ(typed.has_value(), c.inserts) << c.text << " + " << c.typed;
    if (!typed) continue;
    EXPECT_EQ(typed->text, c.result);
    EXPECT_EQ(typed->caret, c.resultCaret);
  }
  EXPECT_EQ(GridKeyForInput('G', false), 'g');
  EXPECT_EQ(GridKeyForInput('G', true), 'G');
  EXPECT_EQ(GridKeyForInput('.', false), std::nullopt);
}

TEST(TextCollectionInsert, NeedsFifteenCharactersAndDropsDuplicatesIgnoringCaseAndSpaces) {
  TextCollection c = Opened({"Abendrot am Saentis", "GRUESSEVOMSEEUFER", "Rigi Kulm am Morgen"});
  c.SelectRow(0);
  c.SetInput("ABCDEFGHIJ KLMN");
  EXPECT_FALSE(c.CanInsertInput());
  c.SetInput("ABCDEFGHIJ KLMNO ");
  EXPECT_TRUE(c.CanInsertInput());
  c.InsertInput();
  EXPECT_EQ(c.Texts()[1], "ABCDEFGHIJ KLMNO");
  EXPECT_EQ(c.SelectedRow(), 1);
  EXPECT_EQ(c.MarkedRow(), 1);
  EXPECT_TRUE(c.Input().empty());

  c.SetInput("Gruesse vom Seeufer");
  c.InsertInput();
  EXPECT_EQ(c.Texts().size(), 4u);
  EXPECT_TRUE(c.Input().empty());
}

TEST(TextCollectionEditing, MarkingMovingDeletingUndoAndEsc) {
  TextCollection c = Opened({"Text Nummer eins A", "Text Nummer zwei B", "Text Nummer drei C"});
  // A row selected while something is typed is not marked.
  c.SetInput("etwas");
  c.SelectRow(0);
  EXPECT_EQ(c.MarkedRow(), 2);
  c.ClearInput();
  c.SelectRow(0);
  EXPECT_EQ(c.MarkedRow(), 0);

  c.MoveSelected(-1);  // already first
  c.MoveSelected(+1);
  EXPECT_EQ(c.Texts(), (Texts{"Text Nummer zwei B", "Text Nummer eins A", "Text Nummer drei C"}));
  EXPECT_EQ(c.SelectedRow(), 1);
  EXPECT_EQ(c.MarkedText(), "Text Nummer eins A");

  c.CopySelectedToInput();
  EXPECT_EQ(c.Input(), "Text Nummer eins A");
  c.SelectRow(2);
  c.DeleteSelected();  // the last row: the new last row is marked
  EXPECT_TRUE(c.Input().empty());
  EXPECT_EQ(c.Texts().size(), 2u);
  EXPECT_EQ(c.MarkedText(), "Text Nummer eins A");
  c.Escape();  // the deletion is taken back
  EXPECT_EQ(c.Texts().size(), 3u);

  c.DeleteAll();
  EXPECT_TRUE(c.Texts().empty());
  EXPECT_EQ(c.MarkedRow(), -1);
  EXPECT_EQ(c.SelectedRow(), -1);
  c.Escape();
  EXPECT_EQ(c.Texts(), (Texts{"Text Nummer zwei B", "Text Nummer eins A", "Text Nummer drei C"}));
  c.DeleteAll();
  c.Undo();
  EXPECT_EQ(c.Texts().size(), 3u);
  EXPECT_TRUE(c.UndoCopy().empty());
  EXPECT_EQ(c.SelectedRow(), 2);
}

TEST(TextCollectionClosing, WritesEachValidTextOnceAndForgetsTheUndoCopy) {
  TextCollection c =
      Opened({"kurz", "Abendrot am Saentis", "ABENDROT AM SAENTIS", "Rigi Kulm am Morgen"});
  c.SetInput("angefangen");
  EXPECT_EQ(c.TakeTextsForClosing(), (Texts{"Abendrot am Saentis", "Rigi Kulm am Morgen"}));
  EXPECT_TRUE(c.Input().empty());
  EXPECT_TRUE(c.UndoCopy().empty());
}
