#pragma once
// The two fonts of the windows: the desktop's sans-serif font where the program was designed with
// "Segoe UI", and a monospaced one (DejaVu Sans Mono) for figures set in "Lucida Console".

#include <QFont>

QFont WindowFont();
QFont FixedFont();
