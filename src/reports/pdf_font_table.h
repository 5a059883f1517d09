#pragma once
// The writer's fixed table of 22 fonts: the standard Type 1 fonts and a few TrueType fonts that are
// referenced by name only (never embedded), with the metrics written for the TrueType ones.

#include <string>

struct PdfTrueTypeMetrics {
  int firstChar;
  int lastChar;
  int width;  // every character of FirstChar..LastChar
  int flags;
  int bbox[4];
  int missingWidth;
  int stemV;
  int stemH;
  int italicAngle;
  int capHeight;
  int xHeight;
  int ascent;
  int descent;
  int leading;
  int maxWidth;
  int avgWidth;
};

struct PdfFontEntry {
  const char* baseFont;
  bool trueType;
  PdfTrueTypeMetrics metrics;  // only for TrueType entries
};

// Entry `index` (0 .. 21).
const PdfFontEntry& PdfFontTableEntry(int index);
