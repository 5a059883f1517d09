#include "common/qt_cp1252.h"

#include <QList>

#include "common/encoding.h"

QString QStringFromCp1252(std::string_view cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string Cp1252FromQString(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

std::string Cp1252FromQString(const QString& text, char unrepresentable) {
  std::string cp1252;
  for (const uint codePoint : text.toUcs4()) {
    const auto single = static_cast<char32_t>(codePoint);
    const std::string byte = Cp1252FromQString(QString::fromUcs4(&single, 1));
    cp1252 += (byte == "?" && single != U'?') ? std::string(1, unrepresentable) : byte;
  }
  return cp1252;
}
