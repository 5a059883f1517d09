#pragma once
// Open-file dialog filters are written in the Windows form "Name (*.a)|*.a|Other (*.*)|*.*":
// pairs of a caption and its patterns separated by ';'. Qt wants "Name (*.a);;Other (*.*)".

#include <string>
#include <string_view>

// The Qt filter of a Windows filter: each caption with its own parenthesised part replaced by
// the pair's patterns, blanks and empty patterns dropped ("Textdateien (*.txt;)|*.txt;" becomes
// "Textdateien (*.txt)").
std::string QtFileDialogFilter(std::string_view windowsFilter);
