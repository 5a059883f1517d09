#include "live/operating_messages.h"

#include "common/ascii_text.h"
#include "contest/text_rules.h"

namespace {

// The greeting of the report message.
std::string Greeting(const MessageContext& qso) {
  if (qso.agn) return " gm agn ";
  if (!qso.name.empty()) return " gm " + qso.name + " ";
  return " gm ";
}

// The text between report and " +": two spaces before it, or the slow and normal tags.
std::string ExchangePart(const MessageContext& qso) {
  if (qso.farnsworth) return qso.slowTag + qso.text + qso.normalTag;
  return "  " + qso.text;
}

char Lower(char c) {
  const auto u = static_cast<unsigned char>(c);
  // ASCII and the Windows-1252 letters À ... Þ (but the multiplication sign).
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
    return static_cast<char>(u + 0x20);
  }
  return c;
}

}  // namespace

std::string CutReport(const std::string& report) {
  if (report.size() == 3 && report[1] == '9' && report[2] == '9') return report.substr(0, 1) + "NN";
  return report;
}

std::string CqMessage(const std::string& own, bool shift) {
  return shift ? "CQ KTD de " + own + " test" : "Test de " + own;
}

ComposedMessage ReportMessage(const MessageContext& qso) {
  const std::string call =
      qso.shift ? qso.worked + " de " + qso.own : (qso.cqMode ? qso.worked : qso.own);
  ComposedMessage out;
  if (!qso.cqMode) {
    out.message = out.display = call;
    return out;
  }
  const std::string cut = CutReport(qso.report);
  out.setsEditMsg = true;
  if (!qso.text.empty()) {
    out.carriesExchange = true;
    out.editMsg = qso.text;
    const std::string greeting = Greeting(qso);
    out.message = call + greeting + cut + ExchangePart(qso) + " +";
    out.display = call + greeting + qso.report + " " + qso.text + " +";
  } else {
    out.editMsg = qso.report;
    out.message = call + " gm ur " + cut + " +";
    out.display = call + " gm ur " + qso.report + " +";
  }
  return out;
}

ComposedMessage FinalMessage(const MessageContext& qso) {
  ComposedMessage out;
  std::string prefix = qso.shift ? qso.worked + " " : "";
  if (qso.cqMode) {
    if (!qso.text.empty()) {
      out.message = "QSL 73 gl de " + qso.own + " test";
    } else if (!qso.name.empty()) {
      out.message = "QSL gb " + qso.name + " de " + qso.own + " 73 tu";
    } else {
      out.message = "QSL gb de " + qso.own + " 73 tu";
    }
    out.display = out.message;
  } else {
    if (!prefix.empty()) prefix += "de " + qso.own + " ";
    const std::string qsl =
        qso.agn ? "QSL AGN " : (!qso.name.empty() ? "QSL " + qso.name + " " : "QSL ");
    const std::string cut = CutReport(qso.report);
    if (!qso.text.empty()) {
      out.carriesExchange = out.setsEditMsg = true;
      out.editMsg = qso.text;
      out.message = qsl + cut + "  " +
                    (qso.farnsworth ? qso.slowTag + qso.text + qso.normalTag : qso.text) + " +";
      out.display = qsl + qso.report + " " + qso.text + " +";
    } else {
      out.message = qsl + cut + " 73 tu";
      out.display = qsl + qso.report + " 73 tu";
    }
  }
  out.message = prefix + out.message;
  out.display = prefix + out.display;
  return out;
}

ComposedMessage RepeatExchangeMessage(const std::string& reportCopy, const std::string& editMsg,
                                      bool farnsworth, const std::string& slowTag) {
  ComposedMessage out;
  out.display = reportCopy + " " + editMsg + " +";
  out.message =
      CutReport(reportCopy) + "  " + (farnsworth ? slowTag : std::string()) + editMsg + " +";
  return out;
}

std::string KeyedForm(const std::string& message) {
  std::string keyed = TrimBlanks(message);
  for (char& c : keyed) c = Lower(c);
  return keyed;
}
