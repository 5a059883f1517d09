#include "reports/print_pdf.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <system_error>
#include <thread>

#include "common/clock.h"
#include "common/text_file.h"
#include "reports/pdf_font_table.h"
#include "reports/pdf_numbers.h"

namespace {

const char kCrLf[] = "\r\n";

// A colour's three components as operands: "0.0 0.0 0.0".
void AppendColorOperands(std::string& out, const TPDFColor& color) {
  AppendColorComponent(out, color.Red);
  out += ' ';
  AppendColorComponent(out, color.Green);
  out += ' ';
  AppendColorComponent(out, color.Blue);
}

// A point in hundredths followed by a blank: "42.52 ".
void AppendHundredthsBlank(std::string& out, long long value) {
  AppendHundredths(out, value);
  out += ' ';
}

// PDF literal string body: "(", ")" and "\" each get a preceding backslash.
void AppendEscaped(std::string& out, const std::string& text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '(' && c != ')' && c != '\\') continue;
    out.append(text, start, i - start);
    out += '\\';
    start = i;
  }
  out.append(text, start);
}

std::string EscapeLiteral(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  AppendEscaped(out, text);
  return out;
}

// zlib streams at the default level, one per page. The stream's state is made once and reset for
// each page, which gives the bytes a fresh stream gives.
class PageDeflater {
 public:
  PageDeflater() {
    if (deflateInit(&stream_, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::bad_alloc();
  }
  ~PageDeflater() { deflateEnd(&stream_); }
  PageDeflater(const PageDeflater&) = delete;
  PageDeflater& operator=(const PageDeflater&) = delete;

  std::string Deflate(const std::string& data) {
    deflateReset(&stream_);
    std::string out(deflateBound(&stream_, static_cast<uLong>(data.size())), '\0');
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream_.avail_in = static_cast<uInt>(data.size());
    stream_.next_out = reinterpret_cast<Bytef*>(out.data());
    stream_.avail_out = static_cast<uInt>(out.size());
    // The output holds deflateBound bytes, so the stream ends in one call.
    if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::bad_alloc();
    out.resize(stream_.total_out);
    return out;
  }

 private:
  z_stream stream_{};
};

// Compressing is most of the time a long document takes, and each page is compressed on its own:
// the pages are shared among the cores. The bytes are the same as compressing them one by one.
std::vector<std::string> DeflatePages(const std::vector<std::string>& pages) {
  constexpr std::size_t kPagesPerThread = 16;  // below that a thread costs more than it saves
  std::vector<std::string> streams(pages.size());
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::atomic<bool> failed{false};
  auto work = [&] {
    try {
      PageDeflater deflater;
      for (std::size_t k; !failed && (k = next++) < pages.size();)
        streams[k] = deflater.Deflate(pages[k]);
    } catch (...) {
      if (!failed.exchange(true)) failure = std::current_exception();
    }
  };
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t helpers = std::min(cores - 1, pages.size() / kPagesPerThread);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < helpers; ++i) {
    try {
      threads.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no thread to be had: the pages left are compressed here
    }
  }
  work();
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
  return streams;
}

std::string Digits(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

std::string FallbackName(const std::string& path, const std::string& stamp) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? path.substr(0, dot) : path) + "_" + stamp + ".pdf";
}

// Paper sizes in millimetres (short side, long side): every format is the one above it halved.
void PaperSizeMillimetres(TPDFPaperSize size, int& shortSide, int& longSide) {
  const int index = static_cast<int>(size);
  struct Series {
    TPDFPaperSize first;
    TPDFPaperSize last;
    int shortSide, longSide;
  };
  static const Series kSeries[] = {
      {TPDFPaperSize::po4A0, TPDFPaperSize::po4A0, 1682, 2378},
      {TPDFPaperSize::po2A0, TPDFPaperSize::po2A0, 1189, 1682},
      {TPDFPaperSize::poA0, TPDFPaperSize::poA10, 841, 1189},
      {TPDFPaperSize::po2B0, TPDFPaperSize::po2B0, 1414, 2000},
      {TPDFPaperSize::poB0, TPDFPaperSize::poB10, 1000, 1414},
      {TPDFPaperSize::poC0, TPDFPaperSize::poC10, 917, 1297},
      {TPDFPaperSize::poD0, TPDFPaperSize::poD7, 771, 1091},
  };
  for (const Series& s : kSeries) {
    if (index < static_cast<int>(s.first) || index > static_cast<int>(s.last)) continue;
    shortSide = s.shortSide;
    longSide = s.longSide;
    for (int step = static_cast<int>(s.first); step < index; ++step) {
      const int halved = longSide / 2;
      longSide = shortSide;
      shortSide = halved;
    }
    return;
  }
  shortSide = 210;
  longSide = 297;
}

}  // namespace

long long MillimetresToHundredthPoints(double mm) {
  return std::llabs(std::llround(mm / 25.4 * 7200.0));
}

TPDFPage::TPDFPage() {
  Recompute();
}

void TPDFPage::SetPaperSize(TPDFPaperSize size) {
  paperSize_ = size;
  Recompute();
}

void TPDFPage::SetOrientation(TPDFOrientation orientation) {
  orientation_ = orientation;
  Recompute();
}

void TPDFPage::Recompute() {
  int shortSide = 0;
  int longSide = 0;
  PaperSizeMillimetres(paperSize_, shortSide, longSide);
  const long long shortPoints = MillimetresToHundredthPoints(shortSide);
  const long long longPoints = MillimetresToHundredthPoints(longSide);
  const bool portrait = orientation_ == TPDFOrientation::poPortrait;
  width_ = portrait ? shortPoints : longPoints;
  height_ = portrait ? longPoints : shortPoints;
}

TPrintPDF::TPrintPDF(const Clock& clock) : clock_(clock) {
  pages_.emplace_back();
}

TPrintPDF::~TPrintPDF() = default;

std::string TPrintPDF::LocalTimeStamp() const {
  const DateTime t = TheClock().LocalNow();
  return Digits(t.year, 4) + Digits(t.month, 2) + Digits(t.day, 2) + Digits(t.hour, 2) +
         Digits(t.minute, 2) + Digits(t.second, 2);
}

void TPrintPDF::AddLine(std::string& out, const std::string& line) {
  out += line;
  out += kCrLf;
}

void TPrintPDF::BeginObject(std::string& out) {
  offsets_.push_back(out.size());
  AddLine(out, std::to_string(offsets_.size()) + " 0 obj");
}

void TPrintPDF::BeginDoc() {
  pages_.assign(1, std::string());
  offsets_.clear();
  document_.clear();
  writeFailure_.clear();
  header_.clear();
  AddLine(header_, "%PDF-1.4");
  AddLine(header_, "%\xC4\xFC\xA3");
  BeginObject(header_);
  AddLine(header_, "<< /Producer (" + EscapeLiteral(Producer) + ")");
  AddLine(header_, "/Author (" + EscapeLiteral(Author) + ")");
  AddLine(header_, "/CreationDate (D:" + LocalTimeStamp() + ")");
  AddLine(header_, "/Creator (" + EscapeLiteral(Creator) + ")");
  AddLine(header_, "/Keywords (" + EscapeLiteral(Keywords) + ")");
  AddLine(header_, "/Subject (" + EscapeLiteral(Subject) + ")");
  AddLine(header_, "/Title (" + EscapeLiteral(Title) + ")");
  AddLine(header_, "/ModDate () >>");
  AddLine(header_, "endobj");
}

void TPrintPDF::NewPage() {
  pages_.emplace_back();
}

void TPrintPDF::AppendStrokeSetup(std::string& content) const {
  AppendColorOperands(content, Color);
  content += " RG\r\n";
  AppendHundredths(content, std::llround(LineWidth * 100.0));
  content += " w\r\n";
  if (!DashPattern.Dashes.empty()) {
    content += '[';
    for (size_t i = 0; i < DashPattern.Dashes.size(); ++i) {
      if (i > 0) content += ' ';
      AppendHundredths(content, MillimetresToHundredthPoints(DashPattern.Dashes[i]));
    }
    content += "] ";
    AppendHundredths(content, MillimetresToHundredthPoints(DashPattern.Phase));
    content += " d\r\n";
  }
}

const std::string& TPrintPDF::TextStatePrefix() {
  // Compared bit for bit: -0.0 is written otherwise than 0.0.
  if (std::memcmp(&textPrefixFont_, &Font, sizeof Font) == 0 &&
      std::memcmp(&textPrefixColor_, &Color, sizeof Color) == 0)
    return textPrefix_;
  textPrefix_ = "BT\r\n";
  AppendColorOperands(textPrefix_, Color);
  textPrefix_ += " rg\r\n/F";
  AppendInteger(textPrefix_, Font.Number + 1);
  textPrefix_ += ' ';
  AppendInteger(textPrefix_, Font.Size);
  textPrefix_ += " Tf\r\n";
  textPrefixFont_ = Font;
  textPrefixColor_ = Color;
  return textPrefix_;
}

void TPrintPDF::TextOut(const std::string& text, float x, float y) {
  std::string& content = pages_.back();
  const long long height = Page.HeightHundredths();
  content += TextStatePrefix();
  AppendHundredthsBlank(content, MillimetresToHundredthPoints(x));
  AppendHundredths(content, height - Font.Size * 100LL - MillimetresToHundredthPoints(y));
  content += " Td\r\n(";
  AppendEscaped(content, text);
  content += ") Tj\r\nET\r\n";
  if (Font.Number >= 0 && Font.Number < kFontTableSize) usedFonts_[Font.Number] = true;
}

void TPrintPDF::Line(float x1, float y1, float x2, float y2) {
  std::string& content = pages_.back();
  const long long height = Page.HeightHundredths();
  AppendStrokeSetup(content);
  AppendHundredthsBlank(content, MillimetresToHundredthPoints(x1));
  AppendHundredths(content, height - MillimetresToHundredthPoints(y1));
  content += " m\r\n";
  AppendHundredthsBlank(content, MillimetresToHundredthPoints(x2));
  AppendHundredths(content, height - MillimetresToHundredthPoints(y2));
  content += " l\r\nS\r\n";
}

void TPrintPDF::Rectangle(float x, float y, float width, float height) {
  std::string& content = pages_.back();
  const long long w = MillimetresToHundredthPoints(width);
  const long long h = MillimetresToHundredthPoints(height);
  AppendStrokeSetup(content);
  AppendHundredthsBlank(content, MillimetresToHundredthPoints(x));
  AppendHundredthsBlank(content, Page.HeightHundredths() - MillimetresToHundredthPoints(y) - h);
  AppendHundredthsBlank(content, w);
  AppendHundredths(content, h);
  content += " re\r\nS\r\n";
}

std::string TPrintPDF::BuildDocument() {
  const int pageCount = PageCount();
  // The compressed pages are a small part of their text; the reserve saves most regrowing.
  size_t contentSize = 0;
  for (const std::string& page : pages_) contentSize += page.size();
  std::string out;
  out.reserve(header_.size() + contentSize / 4 + 4096 + 256 * static_cast<size_t>(pageCount));
  out = header_;

  // Content streams, each followed by the object holding its length.
  const std::vector<std::string> compressed =
      Compress ? DeflatePages(pages_) : std::vector<std::string>();
  const std::vector<std::string>& streams = Compress ? compressed : pages_;
  for (int k = 1; k <= pageCount; ++k) {
    const std::string& data = streams[k - 1];
    BeginObject(out);
    AddLine(out, "<< /Length " + std::to_string(2 * k + 1) + " 0 R");
    if (Compress) AddLine(out, "/Filter [/FlateDecode]");
    AddLine(out, ">>");
    AddLine(out, "stream");
    out += data;
    AddLine(out, "endstream");
    AddLine(out, "endobj");
    BeginObject(out);
    AddLine(out, std::to_string(data.size()));
    AddLine(out, "endobj");
  }

  // Fonts drawn with in this or an earlier document of this writer, in table order.
  std::vector<std::pair<int, size_t>> fontObjects;
  for (int index = 0; index < kFontTableSize; ++index) {
    if (!usedFonts_[index]) continue;
    const PdfFontEntry& entry = PdfFontTableEntry(index);
    const std::string name = std::string("/") + entry.baseFont;
    BeginObject(out);
    fontObjects.emplace_back(index, offsets_.size());
    AddLine(out, "<< /Type /Font");
    AddLine(out, entry.trueType ? "/Subtype /TrueType" : "/Subtype /Type1");
    AddLine(out, "/Name /F" + std::to_string(index + 1));
    AddLine(out, "/BaseFont " + name);
    if (!entry.trueType) {
      AddLine(out, "/Encoding /WinAnsiEncoding >>");
      AddLine(out, "endobj");
      continue;
    }
    const PdfTrueTypeMetrics& m = entry.metrics;
    AddLine(out, "/Encoding /WinAnsiEncoding");
    AddLine(out, "/FirstChar " + std::to_string(m.firstChar) + " /LastChar " +
                     std::to_string(m.lastChar));
    std::string widths = "/Widths [";
    const std::string width = " " + std::to_string(m.width);
    for (int c = m.firstChar; c <= m.lastChar; ++c) widths += width;
    AddLine(out, widths + " ]");
    AddLine(out, "/FontDescriptor " + std::to_string(offsets_.size() + 1) + " 0 R >>");
    AddLine(out, "endobj");
    BeginObject(out);
    AddLine(out, "<< /Type /FontDescriptor");
    AddLine(out, "/FontName " + name);
    AddLine(out, "/Flags " + std::to_string(m.flags));
    AddLine(out, "/FontBBox [ " + std::to_string(m.bbox[0]) + " " + std::to_string(m.bbox[1]) +
                     " " + std::to_string(m.bbox[2]) + " " + std::to_string(m.bbox[3]) + " ]");
    AddLine(out, "/MissingWidth " + std::to_string(m.missingWidth));
    AddLine(out, "/StemV " + std::to_string(m.stemV));
    AddLine(out, "/StemH " + std::to_string(m.stemH));
    AddLine(out, "/ItalicAngle " + std::to_string(m.italicAngle));
    AddLine(out, "/CapHeight " + std::to_string(m.capHeight));
    AddLine(out, "/XHeight " + std::to_string(m.xHeight));
    AddLine(out, "/Ascent " + std::to_string(m.ascent));
    AddLine(out, "/Descent " + std::to_string(m.descent));
    AddLine(out, "/Leading " + std::to_string(m.leading));
    AddLine(out, "/MaxWidth " + std::to_string(m.maxWidth));
    AddLine(out, "/AvgWidth " + std::to_string(m.avgWidth));
    AddLine(out, ">>");
    AddLine(out, "endobj");
  }

  // Page tree; resources and the page objects follow it directly.
  const size_t pageTree = offsets_.size() + 1;
  const size_t resources = pageTree + 1;
  BeginObject(out);
  AddLine(out, "<< /Type /Pages");
  AddLine(out, "/Kids [");
  for (int k = 1; k <= pageCount; ++k) AddLine(out, std::to_string(resources + k) + " 0 R");
  AddLine(out, "]");
  AddLine(out, "/Count " + std::to_string(pageCount) + " >>");
  AddLine(out, "endobj");

  BeginObject(out);
  AddLine(out, "<< /ProcSet [ /PDF /Text /ImageC]");
  AddLine(out, "/XObject << ");
  AddLine(out, ">>");
  AddLine(out, "/Font <<");
  for (const auto& [index, number] : fontObjects) {
    AddLine(out, "/F" + std::to_string(index + 1) + " " + std::to_string(number) + " 0 R");
  }
  AddLine(out, ">> >>");
  AddLine(out, "endobj");

  const std::string mediaBox = "/MediaBox [ 0 0 " + std::to_string(std::llround(Page.Width())) +
                               " " + std::to_string(std::llround(Page.Height())) + "]";
  for (int k = 1; k <= pageCount; ++k) {
    BeginObject(out);
    AddLine(out, "<< /Type /Page");
    AddLine(out, "/Parent " + std::to_string(pageTree) + " 0 R");
    AddLine(out, mediaBox);
    AddLine(out, "/Contents " + std::to_string(2 * k) + " 0 R");
    AddLine(out, "/Resources " + std::to_string(resources) + " 0 R >>");
    AddLine(out, "endobj");
  }

  BeginObject(out);
  const size_t catalog = offsets_.size();
  AddLine(out, "<< /Type /Catalog");
  AddLine(out, "/Pages " + std::to_string(pageTree) + " 0 R >>");
  AddLine(out, "endobj");

  const size_t xref = out.size();
  const std::string size = std::to_string(offsets_.size() + 1);
  AddLine(out, "xref");
  AddLine(out, "0 " + size);
  AddLine(out, "0000000000 65535 f");
  char entry[32];
  for (size_t offset : offsets_) {
    std::snprintf(entry, sizeof entry, "%010zu 00000 n", offset);
    AddLine(out, entry);
  }
  AddLine(out, "trailer");
  AddLine(out, "<< /Size " + size);
  AddLine(out, "/Root " + std::to_string(catalog) + " 0 R");
  AddLine(out, "/Info 1 0 R >>");
  AddLine(out, "startxref");
  AddLine(out, std::to_string(xref));
  AddLine(out, "%%EOF");
  return out;
}

std::string TPrintPDF::EndDoc() {
  // The information object was numbered by BeginDoc; the rest is numbered now.
  offsets_.resize(1);
  document_ = BuildDocument();
  // Replacing goes through a temporary file and a rename, so a viewer never sees half a file. When
  // the old file cannot be replaced, the document goes under a time-stamped name beside it.
  if (WriteFileAtomic(FileName, document_, &writeFailure_)) return FileName;
  const std::string fallback = FallbackName(FileName, LocalTimeStamp());
  if (WriteFileAtomic(fallback, document_)) return fallback;
  return std::string();
}
