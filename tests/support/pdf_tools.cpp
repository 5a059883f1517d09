#include "support/pdf_tools.h"

#include <zlib.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <stdexcept>

bool HaveProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string QpdfProblems(const std::string& pdfPath) {
  std::string output;
  const int rc = RunCommand("qpdf --check " + ShellQuote(pdfPath), output);
  if (rc != 0 || output.find("WARNING") != std::string::npos ||
      output.find("No syntax or stream encoding errors found") == std::string::npos) {
    return "qpdf exit " + std::to_string(rc) + ":\n" + output;
  }
  return std::string();
}

std::string PdfText(const std::string& pdfPath, bool layout) {
  std::string output;
  RunCommand(std::string("pdftotext -enc UTF-8 ") + (layout ? "-layout " : "") +
                 ShellQuote(pdfPath) + " -",
             output);
  return output;
}

int PdfPageCountByReader(const std::string& pdfPath) {
  std::string output;
  if (RunCommand("pdfinfo " + ShellQuote(pdfPath), output) != 0) return -1;
  std::smatch m;
  if (!std::regex_search(output, m, std::regex("Pages:\\s+(\\d+)"))) return -1;
  return std::stoi(m[1]);
}

std::vector<PdfObjectText> SplitPdfObjects(const std::string& bytes) {
  std::vector<PdfObjectText> objects;
  size_t pos = 0;
  while (true) {
    const size_t start = bytes.find(" 0 obj\r\n", pos);
    if (start == std::string::npos) break;
    size_t lineStart = bytes.rfind("\n", start);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    const size_t end = bytes.find("endobj\r\n", start);
    if (end == std::string::npos) break;
    PdfObjectText object;
    object.number = std::stoi(bytes.substr(lineStart, start - lineStart));
    object.offset = lineStart;
    object.body = bytes.substr(start + 8, end - start - 8);
    objects.push_back(object);
    pos = end + 8;
  }
  return objects;
}

std::vector<std::string> PageContents(const std::string& bytes) {
  std::vector<std::string> pages;
  for (const PdfObjectText& object : SplitPdfObjects(bytes)) {
    const size_t stream = object.body.find("stream\r\n");
    if (object.body.rfind("<< /Length", 0) != 0 || stream == std::string::npos) continue;
    const size_t end = object.body.rfind("endstream");
    const std::string data = object.body.substr(stream + 8, end - stream - 8);
    std::string out(1 << 22, '\0');
    uLongf size = out.size();
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(data.data()), data.size()) != Z_OK) {
      throw std::runtime_error("content stream does not inflate");
    }
    out.resize(size);
    pages.push_back(out);
  }
  return pages;
}

std::vector<PdfTextRun> TextRuns(const std::string& content) {
  std::vector<PdfTextRun> runs;
  PdfTextRun current;
  static const std::regex kFont("^/F(\\d+) (\\d+) Tf$");
  static const std::regex kMove("^(-?[0-9.]+) (-?[0-9.]+) Td$");
  size_t pos = 0;
  while (pos < content.size()) {
    size_t end = content.find("\r\n", pos);
    if (end == std::string::npos) end = content.size();
    const std::string line = content.substr(pos, end - pos);
    pos = end + 2;
    std::smatch m;
    if (std::regex_match(line, m, kFont)) {
      current.font = std::stoi(m[1]);
      current.size = std::stoi(m[2]);
    } else if (std::regex_match(line, m, kMove)) {
      current.x = std::stod(m[1]);
      current.y = std::stod(m[2]);
    } else if (line.size() >= 5 && line.front() == '(' &&
               line.compare(line.size() - 4, 4, ") Tj") == 0) {
      current.text.clear();
      for (size_t i = 1; i + 4 < line.size(); ++i) {
        if (line[i] == '\\' && i + 5 < line.size()) ++i;
        current.text += line[i];
      }
      runs.push_back(current);
    }
  }
  return runs;
}

std::vector<std::string> LineWidths(const std::string& content) {
  std::vector<std::string> widths;
  static const std::regex kWidth("([0-9.]+) w\r\n");
  for (std::sregex_iterator it(content.begin(), content.end(), kWidth), end; it != end; ++it) {
    widths.push_back((*it)[1]);
  }
  return widths;
}

std::vector<PdfSegment> Segments(const std::string& content) {
  std::vector<PdfSegment> segments;
  static const std::regex kLine("(-?[0-9.]+) (-?[0-9.]+) m\r\n(-?[0-9.]+) (-?[0-9.]+) l\r\n");
  for (std::sregex_iterator it(content.begin(), content.end(), kLine), end; it != end; ++it) {
    const std::smatch& m = *it;
    segments.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
  }
  return segments;
}

std::vector<std::vector<PdfWordBox>> WordBoxesByReader(const std::string& pdfPath) {
  std::string html;
  if (RunCommand("pdftotext -q -enc UTF-8 -bbox " + ShellQuote(pdfPath) + " -", html) != 0) {
    return {};
  }
  std::vector<std::vector<PdfWordBox>> pages;
  static const std::regex kPageOrWord(
      "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
      "yMax=\"([0-9.]+)\">([^<]*)</word>");
  for (std::sregex_iterator it(html.begin(), html.end(), kPageOrWord), end; it != end; ++it) {
    const std::smatch& m = *it;
    if (!m[1].matched) {
      pages.emplace_back();
    } else if (!pages.empty()) {
      pages.back().push_back(
          {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
    }
  }
  return pages;
}
