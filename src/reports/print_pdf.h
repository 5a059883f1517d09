#pragma once
// A small PDF 1.4 writer for the program's printouts: text, lines and rectangles placed in
// millimetres from the top-left corner of the page, standard Type 1 fonts and a few TrueType fonts
// referenced by name, WinAnsi encoding, one Flate-compressed content stream per page.
//
// Calling order: set FileName, Title, the page orientation and LineWidth; BeginDoc; drawing with
// NewPage between pages; EndDoc. Settings keep their values from one document to the next, and so
// does the used-font set: a document also lists the fonts earlier documents drew with.

#include <array>
#include <string>
#include <vector>

#include "reports/pdf_types.h"

class Clock;

class TPrintPDF {
 public:
  // The clock gives the creation date and the fallback file name; it outlives the writer.
  explicit TPrintPDF(const Clock& clock);
  ~TPrintPDF();
  TPrintPDF(const TPrintPDF&) = delete;
  TPrintPDF& operator=(const TPrintPDF&) = delete;

  std::string FileName = "Default.pdf";  // UTF-8 path
  // Information dictionary entries, Windows-1252.
  std::string Title, Author, Creator, Producer, Keywords, Subject;
  TPDFFont Font;  // Helvetica 12
  TPDFPage Page;  // A4 portrait
  float LineWidth = 0.1f;
  bool Compress = true;
  TPDFColor Color;  // black
  TPDFDashPattern DashPattern;

  void BeginDoc();
  void NewPage();
  // y is the top of the text line; the baseline lies one font size lower. Text is Windows-1252.
  void TextOut(const std::string& text, float x, float y);
  void Line(float x1, float y1, float x2, float y2);
  // Outline of the rectangle whose top-left corner is (x, y).
  void Rectangle(float x, float y, float width, float height);
  // Closes the last page, builds the file and saves it. Returns the path written: FileName, or
  // when that file cannot be replaced, FileName without extension + "_" + 14-digit local time +
  // ".pdf". Empty when neither could be written.
  std::string EndDoc();
  // The system's reason why the last EndDoc could not write FileName itself, whether or not the
  // time-stamped name took the document instead; empty from BeginDoc on and after FileName was
  // written.
  const std::string& WriteFailure() const { return writeFailure_; }

  // The clock of the creation date and the fallback file name.
  const Clock& TheClock() const { return clock_; }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // The bytes of the document finished by the last EndDoc.
  const std::string& DocumentBytes() const { return document_; }

 private:
  void BeginObject(std::string& out);
  static void AddLine(std::string& out, const std::string& line);
  void AppendStrokeSetup(std::string& content) const;
  const std::string& TextStatePrefix();
  std::string BuildDocument();
  std::string LocalTimeStamp() const;

  const Clock& clock_;
  std::array<bool, kFontTableSize> usedFonts_{};
  std::vector<std::string> pages_;  // uncompressed content of each page
  std::vector<size_t> offsets_;     // start of object n at offsets_[n - 1]
  std::string header_;              // header and information object, written by BeginDoc
  std::string document_;
  std::string writeFailure_;
  // What every text starts with for the colour and font it was made for: most texts of a page
  // share them, and writing them out once per text was much of a long printout's time.
  std::string textPrefix_;
  TPDFColor textPrefixColor_;
  TPDFFont textPrefixFont_{-1, 0};
};
