#include "common/qt_cp1252.h"

#include "common/encoding.h"

QString QStringFromCp1252(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string Cp1252FromQString(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}
