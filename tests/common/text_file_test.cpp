#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/ordinary_user.h"
#include "support/temp_folder.h"

namespace {

TEST(TextFile, ReadsCrLfLfAndCrLines) {
  TempFolder dir;
  const std::string f = dir / "l.txt";
  ASSERT_TRUE(WriteFileAtomic(f, "a\r\nb\nc\rd\r\n\r\ne"));
  EXPECT_EQ(ReadLines(f), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  ASSERT_TRUE(WriteFileAtomic(f, ""));
  EXPECT_TRUE(ReadLines(f).empty());
  EXPECT_TRUE(ReadLines(dir / "missing.txt").empty());
  EXPECT_TRUE(ReadLines(dir.path()).empty()) << "a folder is no list file";
}

TEST(TextFile, WritesCrLfAndReplacesAtomically) {
  TempFolder dir;
  const std::string f = dir / "Textsammlung 2024.csv";
  ASSERT_TRUE(WriteLinesAtomic(f, {"EINS", "Z\xFCrich"}));
  std::string content;
  ASSERT_TRUE(ReadWholeFile(f, content));
  EXPECT_EQ(content, "EINS\r\nZ\xFCrich\r\n");
  ASSERT_TRUE(WriteLinesAtomic(f, {"NEU"}));
  ASSERT_TRUE(ReadWholeFile(f, content));
  EXPECT_EQ(content, "NEU\r\n");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1) << "no temporary file left behind";
}

TEST(TextFile, AFailedWriteKeepsTheOldFile) {
  TempFolder dir;
  const std::string f = dir / "keep.csv";
  ASSERT_TRUE(WriteLinesAtomic(f, {"OLD"}));
  chmod(dir.path().c_str(), 0555);
  {
    OrdinaryUserFiles asOperator;
    if (!asOperator.Active())
      GTEST_SKIP() << "root cannot take an ordinary user's file rights here";
    std::string reason;
    EXPECT_FALSE(WriteLinesAtomic(f, {"NEW"}, &reason));
    EXPECT_EQ(reason, std::strerror(EACCES));
  }
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(ReadLines(f), std::vector<std::string>{"OLD"});
}

TEST(TextFile, AWriteIntoAMissingFolderFails) {
  TempFolder dir;
  EXPECT_FALSE(WriteLinesAtomic(dir / "no/such/x.csv", {"X"}));
}

// A folder standing where the file should go makes the write and the deletion fail for every user,
// root included; the reason is the system's, and nothing is left behind.
TEST(TextFile, FailuresGiveTheSystemsReason) {
  TempFolder dir;
  const std::string blocked = dir / "Abrechnungsblatt.pdf";
  ASSERT_TRUE(MakeFolder(blocked));
  std::string reason = "untouched";
  EXPECT_TRUE(WriteLinesAtomic(dir / "ok.csv", {"X"}, &reason));
  EXPECT_EQ(reason, "untouched") << "success leaves the reason alone";

  EXPECT_FALSE(WriteFileAtomic(blocked, "%PDF-", &reason));
  EXPECT_EQ(reason, std::strerror(EISDIR));
  EXPECT_FALSE(WriteLinesAtomic(dir / "no/such/x.csv", {"X"}, &reason));
  EXPECT_EQ(reason, std::strerror(ENOENT));
  EXPECT_FALSE(DeleteFileIfExists(blocked, &reason));
  EXPECT_EQ(reason, std::strerror(EISDIR));

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Abrechnungsblatt.pdf", "ok.csv"}));
}

TEST(TextFile, FoldersAndDeletion) {
  TempFolder dir;
  EXPECT_TRUE(MakeFolder(dir / "db"));
  EXPECT_TRUE(MakeFolder(dir / "db")) << "an existing folder is fine";
  EXPECT_FALSE(MakeFolder(dir / "a/b")) << "one level only";
  ASSERT_TRUE(WriteLinesAtomic(dir / "x", {"1"}));
  EXPECT_TRUE(DeleteFileIfExists(dir / "x"));
  EXPECT_TRUE(DeleteFileIfExists(dir / "x"));
  EXPECT_FALSE(FileExists(dir / "x"));
}

}  // namespace
