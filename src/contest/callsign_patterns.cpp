#include "contest/callsign_patterns.h"

namespace {

CallsignPatterns Compile() {
  const auto cs = std::regex::ECMAScript;
  const auto ci = std::regex::ECMAScript | std::regex::icase;
  return CallsignPatterns{
      std::regex(R"((^H[BE][1-9]\w+/P)|(^H[BE][1-9]/[\w\d]+/P))", cs),
      std::regex("^H[BE][1-9]", ci),
      std::regex("/P$", ci),
      std::regex("  ", cs),
      std::regex(" ", cs),
      std::regex("^[6-9]", cs),
      std::regex(",", cs),
      std::regex(R"([^-A-Z/a-z 0-9\.\?*])", cs),
      std::regex(R"(\w\d)", cs),
  };
}

}  // namespace

const CallsignPatterns& SharedPatterns() {
  static const CallsignPatterns patterns = Compile();
  return patterns;
}

void CompileSharedPatterns() {
  SharedPatterns();
}
