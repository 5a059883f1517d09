#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#ifndef KTD_VERSION
#error "the build defines KTD_VERSION"
#endif

namespace {

constexpr const char* kPrepareFrom = "--prepare-from";

CommandLine Wrong(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::Wrong;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool operandsOnly = false;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (operandsOnly || arg == "-" || !arg.starts_with('-')) {
      folders.push_back(arg);
    } else if (arg == "--") {
      operandsOnly = true;
    } else if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    } else if (arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    } else if (arg == kPrepareFrom || arg.starts_with(std::string(kPrepareFrom) + "=")) {
      const bool joined = arg != kPrepareFrom;
      if (!joined && i + 1 == args.size())
        return Wrong(std::string(kPrepareFrom) + " braucht einen Ordner");
      line.prepareFrom = joined ? arg.substr(arg.find('=') + 1) : args[++i];
      if (line.prepareFrom.empty())
        return Wrong(std::string(kPrepareFrom) + " braucht einen Ordner");
    } else {
      return Wrong("unbekannte Option \u00BB" + arg + "\u00AB");
    }
  }
  if (folders.size() > 1) return Wrong("nur ein Arbeitsordner kann angegeben werden");
  if (!folders.empty()) {
    if (folders.front().empty()) return Wrong("der Arbeitsordner hat keinen Namen");
    line.folder = folders.front();
  }
  return line;
}

std::string FolderPath(const std::string& given) {
  std::error_code error;
  // A current folder deleted under the program leaves the name as given; opening it then fails.
  std::string path =
      std::filesystem::absolute(given.empty() ? "." : given, error).lexically_normal().string();
  if (error) path = given;
  if (!path.ends_with('/')) path += '/';
  return path;
}

std::string ProgramHelp() {
  return "Aufruf: vorlax-ktd-log [--prepare-from ORDNER] [ARBEITSORDNER]\n"
         "Startet VORLAX KTD Log im Arbeitsordner (ohne Angabe: im aktuellen Ordner). Log,\n"
         "Listen und Ausgaben liegen darin in db/ und data/. Der Ordner muss vorbereitet sein\n"
         "(db/dxcc.sqlite); vorlax-ktd-log-start [ORDNER] bereitet einen vor und startet das\n"
         "Programm darin. Pro Ordner l\u00E4uft das Programm nur einmal.\n"
         "\n"
         "  --prepare-from ORDNER  den Arbeitsordner zuerst anlegen und vorbereiten: db/ und\n"
         "                         data/ anlegen und die fehlenden Dateien aus ORDNER/db und\n"
         "                         ORDNER/data hineinkopieren (vorhandene bleiben, wie sie sind)\n"
         "  -h, --help             diese Hilfe zeigen\n"
         "      --version          die Version zeigen\n";
}

std::string ProgramVersion() {
  return "vorlax-ktd-log (VORLAX KTD Log) " KTD_VERSION "\n";
}

std::string ShortUsage() {
  return "Aufruf: vorlax-ktd-log [--prepare-from ORDNER] [ARBEITSORDNER]   (mehr mit --help)\n";
}
