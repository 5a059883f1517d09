#include "common/file_failures.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFailures, NoFailureGivesNoMessage) {
  EXPECT_TRUE(FileFailures().Empty());
  EXPECT_EQ(FileFailures().Message(), "");
}

TEST(FileFailures, MessageNamesEachFileWithItsReasonInWindows1252) {
  FileFailures failures;
  failures.AddNotWritten("data/2025/XX9XX_P 2025 Pers\xC3\xB6nliche Texte.pdf",
                         "Keine Berechtigung f\xC3\xBCr den Ordner");
  failures.AddNotDeleted("data/2025/XX9XX_P 2025.adi", "Is a directory");
  failures.AddNotWritten("data/2025/XX9XX_P 2025.ktd", "No space left on device");
  EXPECT_FALSE(failures.Empty());
  EXPECT_EQ(
      failures.Message(),
      "Diese Dateien konnten nicht geschrieben werden:\r"
      "data/2025/XX9XX_P 2025 Pers\xF6nliche Texte.pdf: Keine Berechtigung f\xFCr den Ordner\r"
      "data/2025/XX9XX_P 2025.ktd: No space left on device\r\r"
      "Diese Dateien konnten nicht gel\xF6scht werden:\r"
      "data/2025/XX9XX_P 2025.adi: Is a directory\r\r"
      "Vorhandene Dateien dieser Namen bleiben unver\xE4ndert.");
}

TEST(FileFailures, OnlyDeletionsGiveOnlyTheirPart) {
  FileFailures failures;
  failures.AddNotDeleted("a.cbr", "Read-only file system");
  EXPECT_EQ(failures.Message(),
            "Diese Dateien konnten nicht gel\xF6scht werden:\r"
            "a.cbr: Read-only file system\r\r"
            "Vorhandene Dateien dieser Namen bleiben unver\xE4ndert.");
}

TEST(FileFailures, DatabaseFailuresCarryItsMessageOnceAndFallbacksTheirNewName) {
  FileFailures failures;
  failures.AddNotWritten("data/2025/XX9XX_P 2025.adi", "Is a directory");
  failures.AddNotWrittenForDatabase("data/2025/XX9XX_P 2025 eQSL.adi",
                                    "\"SELECT ...\": no such column: rtxt");
  failures.AddWrittenElsewhere("data/2025/XX9XX_P 2025 Abrechnungsblatt.pdf", "Is a directory",
                               "data/2025/XX9XX_P 2025 Abrechnungsblatt_20250720180000.pdf");
  failures.AddNotWrittenForDatabase("data/2025/XX9XX_P 2025.ktd", "later message");
  EXPECT_EQ(failures.DatabaseMessage(), "\"SELECT ...\": no such column: rtxt");
  EXPECT_EQ(failures.Message(),
            "Diese Dateien konnten nicht geschrieben werden:\r"
            "data/2025/XX9XX_P 2025.adi: Is a directory\r\r"
            "Wegen eines Fehlers der Logdatenbank konnten diese Dateien nicht geschrieben "
            "werden:\r"
            "data/2025/XX9XX_P 2025 eQSL.adi\r"
            "data/2025/XX9XX_P 2025.ktd\r\r"
            "\"SELECT ...\": no such column: rtxt\r\r"
            "Diese Dateien konnten nicht ersetzt werden:\r"
            "data/2025/XX9XX_P 2025 Abrechnungsblatt.pdf: Is a directory; geschrieben als "
            "XX9XX_P 2025 Abrechnungsblatt_20250720180000.pdf\r\r"
            "Vorhandene Dateien dieser Namen bleiben unver\xE4ndert.");
}

}  // namespace
