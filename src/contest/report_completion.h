#pragma once
// Completion of a typed signal report, shared by the live and the paper-log window: the operator
// types only the digits that differ from the usual 599 / 59.

#include <string>

// CW: "" -> "599", "c" -> "5c9", "cd" -> "cd9", longer unchanged. SSB: "" -> "59", "c" -> "5c",
// longer unchanged. Then a leading 6 to 9 becomes 5, since readability never exceeds 5.
std::string CompleteReport(const std::string& report, bool cwMode);
