#pragma once
// The one crossing between the program's Windows-1252 text and Qt's QString.

#include <QString>
#include <string>
#include <string_view>

QString QStringFromCp1252(std::string_view cp1252);
// Characters without a Windows-1252 byte become '?'.
std::string Cp1252FromQString(const QString& text);
// The same with `unrepresentable` for those characters, for input that must not pass them off as
// a real '?' (typed and pasted exchange texts).
std::string Cp1252FromQString(const QString& text, char unrepresentable);
