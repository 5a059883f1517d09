#pragma once
// Checks of written PDF files with real readers (qpdf, poppler) and with zlib, for report tests.

#include <string>
#include <vector>

// True when the command-line program is on the PATH.
bool HaveProgram(const std::string& name);

// Runs a shell command; returns its exit status and stdout (stderr merged into it).
int RunCommand(const std::string& command, std::string& output);

// The argument quoted for the shell.
std::string ShellQuote(const std::string& text);

// "qpdf --check": empty when the file passed without errors or warnings, else qpdf's report.
std::string QpdfProblems(const std::string& pdfPath);

// Text of the file (UTF-8) as pdftotext extracts it; with layout, columns keep their places.
std::string PdfText(const std::string& pdfPath, bool layout = false);

// Number of pages as a reader sees it (pdfinfo), -1 when it cannot tell.
int PdfPageCountByReader(const std::string& pdfPath);

// The objects of a document in file order: body text between "N 0 obj" and "endobj".
struct PdfObjectText {
  int number = 0;
  size_t offset = 0;
  std::string body;
};
std::vector<PdfObjectText> SplitPdfObjects(const std::string& bytes);

// The decompressed content streams of the document's pages, in page order.
std::vector<std::string> PageContents(const std::string& bytes);

// One "Tj" of a content stream with the font and position in force, positions in points as
// written before "Td", the text unescaped (Windows-1252).
struct PdfTextRun {
  int font = 0;  // resource number: 1 for /F1
  int size = 0;
  double x = 0;
  double y = 0;
  std::string text;
};
std::vector<PdfTextRun> TextRuns(const std::string& content);

// The operand lines before "w" (line widths) of a content stream, in order.
std::vector<std::string> LineWidths(const std::string& content);

// One straight line of a content stream ("x y m" followed by "x y l"), in points as written.
struct PdfSegment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
std::vector<PdfSegment> Segments(const std::string& content);

// A word as poppler places it (pdftotext -bbox): points from the page's top-left corner, with
// poppler's own metrics of the standard fonts. One list per page; empty when pdftotext fails.
struct PdfWordBox {
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string word;  // UTF-8
};
std::vector<std::vector<PdfWordBox>> WordBoxesByReader(const std::string& pdfPath);
