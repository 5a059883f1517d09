#include "services/file_dialog_filter.h"

#include <gtest/gtest.h>

TEST(FileDialogFilter, WindowsFiltersBecomeQtFilters) {
  const std::pair<const char*, const char*> cases[] = {
      {"Textdateien (*.txt;)|*.txt;|Alle Dateien (*.*)|*.*",
       "Textdateien (*.txt);;Alle Dateien (*.*)"},
      {"Textdateien (*.txt; *.csv)|*.txt; *.csv|CSV-Dateien (*.csv; *.txt)|*.csv; *.txt|Alle "
       "Dateien (*.*)|*.*",
       "Textdateien (*.txt *.csv);;CSV-Dateien (*.csv *.txt);;Alle Dateien (*.*)"},
      {"Textdateien (*.csv;*.cbr; *.txt)|*.csv;*.cbr; *.txt|Alle Dateien (*.*)|*.*",
       "Textdateien (*.csv *.cbr *.txt);;Alle Dateien (*.*)"},
  };
  for (const auto& [windows, qt] : cases) EXPECT_EQ(QtFileDialogFilter(windows), qt) << windows;
}
