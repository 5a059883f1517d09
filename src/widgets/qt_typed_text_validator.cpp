#include "widgets/qt_typed_text_validator.h"

#include "common/qt_cp1252.h"

TypedTextValidator::TypedTextValidator(const TypedTextRule& rule, QObject* parent)
    : QValidator(parent), rule_(rule) {}

QValidator::State TypedTextValidator::validate(QString& input, int& pos) const {
  // One byte per character, so positions carry over; a character outside Windows-1252 would come
  // back as '?', which some fields admit, so it becomes a byte no field admits instead.
  std::string bytes;
  bytes.reserve(static_cast<size_t>(input.size()));
  for (const QChar ch : input) {
    const std::string one = Cp1252FromQString(QString(ch));
    bytes.push_back(one.size() == 1 && (one[0] != '?' || ch == QLatin1Char('?')) ? one[0] : '\0');
  }
  const FilteredText filtered = FilterTypedText(rule_, bytes, pos);
  const QString repaired = QStringFromCp1252(filtered.text);
  if (repaired != input) input = repaired;
  pos = filtered.caret;
  return Acceptable;
}
