#include "prep/station_data_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/clock.h"
#include "common/file_failures.h"
#include "common/text_file.h"
#include "prep/station_data_record.h"
#include "prep/station_data_store.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

const StationField& Field(const char* name) {
  const StationField* field = FindStationField(name);
  EXPECT_NE(field, nullptr) << name;
  return *field;
}

}  // namespace

TEST(StationDataForm, FiltersLimitsAndTheEnterChain) {
  struct Case {
    const char* field;
    int maxLength;
    const char* accepted;
    const char* refused;
  };
  const Case cases[] = {
      {"EditKOORD_X", 6, "0123456789", "a.,-"}, {"EditQAH", 4, "09", "m "},
      {"EditWATT", 5, "05,-.", "W "},           {"EditSTA11GRAMM", 4, "759", "xg.,"},
      {"EditORT", 0, "Zürich ,.;", ""},         {"EditEMAIL", 0, "@.-_", ""},
  };
  for (const Case& c : cases) {
    const StationField& field = Field(c.field);
    EXPECT_EQ(field.maxLength, c.maxLength) << c.field;
    for (const char* a = c.accepted; *a != 0; ++a)
      EXPECT_TRUE(StationFieldAccepts(field.kind, *a)) << c.field << " " << *a;
    for (const char* r = c.refused; *r != 0; ++r)
      EXPECT_FALSE(StationFieldAccepts(field.kind, *r)) << c.field << " " << *r;
  }
  EXPECT_EQ(StationFieldChain().size(), 30u);  // six QTH and power fields, 22 items, name, e-mail
  EXPECT_EQ(NextStationField("EditORT"), "ComboBoxKANTON");
  EXPECT_EQ(NextStationField("EditWATT"), "EditSTA01BEZ");
  EXPECT_EQ(NextStationField("EditSTA01GRAMM"), "EditSTA02BEZ");
  EXPECT_EQ(NextStationField("EditSTA11GRAMM"), "EditOPNAME");
  EXPECT_EQ(NextStationField("EditEMAIL"), "EditORT");
}

TEST(StationDataForm, EnteringAndLeavingFields) {
  struct Case {
    const char* field;
    const char* text;
    const char* entered;
    std::optional<int> scroll;
    const char* left;  // leaving the entered text
  };
  const Case cases[] = {
      {"EditORT", " Napf ", " Napf ", 0, " Napf "},
      {"EditKOORD_Y", "", "", 0, "000000"},
      {"EditKOORD_X", "6", "6", 0, "600000"},
      {"EditWATT", "    5", "5", 203, "    5"},
      {"EditSTA05BEZ", " Dipol ", "Dipol", 203, "Dipol"},
      {"EditSTA03GRAMM", "  75", "75", std::nullopt, "  75"},
      {"EditOPNAME", "Vreni", "Vreni", 0, "Vreni"},
      {"EditEMAIL", "a@b.ch", "a@b.ch", std::nullopt, "a@b.ch"},
  };
  for (const Case& c : cases) {
    const FieldEntering entering = EnteringStationField(Field(c.field), c.text);
    EXPECT_EQ(entering.text, c.entered) << c.field;
    EXPECT_EQ(entering.scrollTo, c.scroll) << c.field;
    EXPECT_EQ(LeavingStationField(Field(c.field), entering.text), c.left) << c.field;
  }
}

TEST(StationDataForm, ClearingAndTheFocusAtOpening) {
  StationData data;
  EXPECT_EQ(StationDataFocusAtOpening(data), "EditORT");
  *StationFieldText(data, "EditORT") = "Napf";
  *StationFieldText(data, "EditSTA03GRAMM") = "  75";
  EXPECT_EQ(data.itemWeights[2], "  75");
  EXPECT_EQ(StationFieldText(data, "ComboBoxKANTON"), nullptr);
  RecomputeStationWeights(data);
  EXPECT_EQ(data.totalWeightText, "75 g");
  EXPECT_EQ(StationDataFocusAtOpening(data), "EditOPNAME");
  data.operatorName = "Vreni";
  EXPECT_EQ(StationDataFocusAtOpening(data), "EditWATT");
  data.power = "   10";
  data.canton = "LU";
  EXPECT_EQ(StationDataFocusAtOpening(data), "Button1");

  ClearStationEquipment(data);
  EXPECT_TRUE(data.power.empty() && data.itemWeights[2].empty());
  EXPECT_EQ(data.totalWeightText, "0");
  ClearStationQth(data);
  EXPECT_TRUE(data.place.empty() && data.canton.empty());
  EXPECT_EQ(data.operatorName, "Vreni");
}

TEST(StationDataForm, ClosingWritesDeletesOrKeepsTheFile) {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  PrepareWorkingFolders(ctx, folder.path(), 2025, "HB9XYZ/P");
  FileFailures failures;

  StationData data;
  data.canton = "BE";  // a record with only the canton is kept
  SaveStationDataRecord(ctx, data, false, failures);
  std::vector<std::string> lines = ReadLines(ctx.stationDataFile);
  ASSERT_EQ(lines.size(), 38u);
  EXPECT_EQ(lines[2], "#;KANTON=;BE");
  EXPECT_EQ(lines[36], "#;LOGDATUM=;2025-07-20");
  EXPECT_TRUE(ctx.stationDataPresent);

  // A cleared record removes the file, unless it could not be read at opening.
  data.canton.clear();
  SaveStationDataRecord(ctx, data, true, failures);
  EXPECT_TRUE(FileExists(ctx.stationDataFile));
  SaveStationDataRecord(ctx, data, false, failures);
  EXPECT_FALSE(FileExists(ctx.stationDataFile));
  EXPECT_FALSE(ctx.stationDataPresent);
  EXPECT_TRUE(failures.Empty());

  std::filesystem::create_directory(ctx.stationDataFile);
  data.place = "Napf";
  SaveStationDataRecord(ctx, data, false, failures);
  ASSERT_EQ(failures.List().size(), 1u);
  EXPECT_EQ(failures.List()[0].path, ctx.stationDataFile);
  EXPECT_FALSE(ctx.stationDataPresent);
}
