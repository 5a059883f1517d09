#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Action = CommandLine::Action;

struct CommandLineCase {
  std::vector<std::string> args;
  Action action;
  std::string folder;
  std::string prepareFrom;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  for (const std::string& arg : c.args) *os << '[' << arg << ']';
}

class CommandLineRules : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineRules, AnswersStartsOrRefuses) {
  const CommandLineCase& c = GetParam();
  const CommandLine line = ParseCommandLine(c.args);
  EXPECT_EQ(line.action, c.action);
  EXPECT_EQ(line.folder, c.folder);
  EXPECT_EQ(line.prepareFrom, c.prepareFrom);
  EXPECT_EQ(line.error.empty(), c.action != Action::Wrong);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineRules,
    testing::Values(CommandLineCase{{}, Action::Start, "", ""},
                    CommandLineCase{{"--help"}, Action::Help, "", ""},
                    CommandLineCase{{"-h"}, Action::Help, "", ""},
                    CommandLineCase{{"--version"}, Action::Version, "", ""},
                    CommandLineCase{{"Mein KTD"}, Action::Start, "Mein KTD", ""},
                    CommandLineCase{{"--prepare-from", "/usr/share/x", "--", "-KTD-"},
                                    Action::Start,
                                    "-KTD-",
                                    "/usr/share/x"},
                    CommandLineCase{{"--prepare-from=/s", "w"}, Action::Start, "w", "/s"},
                    CommandLineCase{{"--", "--help"}, Action::Start, "--help", ""},
                    CommandLineCase{{"KTD", "--version", "--bogus"}, Action::Version, "", ""},
                    CommandLineCase{{"--bogus", "--help"}, Action::Wrong, "", ""},
                                CommandLineCase{{"a", "b"}, Action::Wrong, "", ""},
                    CommandLineCase{{"--prepare-from"}, Action::Wrong, "", ""},
                    CommandLineCase{{"--prepare-from="}, Action::Wrong, "", ""},
                    CommandLineCase{{""}, Action::Wrong, "", ""}));

TEST(CommandLine, FoldersAreMadeAbsoluteWithOneSlashAtTheEnd) {
  const std::string here = std::filesystem::current_path().string();
  EXPECT_EQ(FolderPath(""), here + "/");
  EXPECT_EQ(FolderPath("KTD 2025"), here + "/KTD 2025/");
  EXPECT_EQ(FolderPath("/srv/ktd/./2025/"), "/srv/ktd/2025/");
}

}  // namespace
