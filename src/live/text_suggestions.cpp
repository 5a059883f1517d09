#include "live/text_suggestions.h"

#include "common/ascii_text.h"
#include "db/sqlite_database.h"

std::string ProposeSentText(const std::string& logDbFile, const std::string& callsign,
                            bool keyingChecked) {
  TSQLiteDatabase db(logDbFile);
  db.AddParamText(":rufz", callsign);
  auto table = db.GetTable("SELECT txt FROM ptxt WHERE rufz = :rufz");
  if (!table->Eof()) return table->FieldAsString(0);
  table = db.GetTable("SELECT txt FROM txt");
  if (!table->Eof()) return table->FieldAsString(0);
  return keyingChecked ? "Das ist ein Muster" : "";
}

std::vector<std::string> FindTextSuggestions(TSQLiteDatabase& suggestionDb,
                                             const std::string& typed) {
  suggestionDb.AddParamText(":teil", TrimBlanks(typed) + "%");
  const auto table =
      suggestionDb.GetTable("SELECT DISTINCT qtc FROM qtcs WHERE qtc LIKE :teil LIMIT 4");
  std::vector<std::string> lines;
  for (; !table->Eof(); table->Next()) lines.push_back(table->FieldAsString(0));
  return lines;
}
