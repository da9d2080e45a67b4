// Files, folders and open files against Wine's real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/support/temp_folder.h"

TEST(FileQueries, ExistsAndSize) {
  TempFolder dir("query");
  WriteWholeFile(dir / "a.bin", std::string(700, 'x'));
  CreateDirectoryA((dir / "sub").c_str(), nullptr);

  EXPECT_TRUE(FileExists(dir / "a.bin"));
  EXPECT_TRUE(FileExists(dir / "sub"));
  EXPECT_TRUE(FileExists(dir / "*.bin"));
  EXPECT_FALSE(FileExists(dir / "*.none"));
  EXPECT_FALSE(FileExists(dir.path() + "\\"));
  EXPECT_FALSE(FileExists(""));

  EXPECT_EQ(GetFileSize(dir / "a.bin"), 700);
  EXPECT_EQ(GetFileSize(dir / "sub"), 0);
  EXPECT_EQ(GetFileSize(dir / "missing"), -1);
}

TEST(MoveFile, RenamesOrReplacesAndKeepsTargetOnMissingSource) {
  TempFolder dir("move");
  WriteWholeFile(dir / "set.tmp", "new");
  WriteWholeFile(dir / "set.cab", "old");
  EXPECT_TRUE(MoveFile(dir / "set.tmp", dir / "set.cab"));
  EXPECT_EQ(ReadWholeFile(dir / "set.cab"), "new");
  EXPECT_FALSE(FileExists(dir / "set.tmp"));

  EXPECT_FALSE(MoveFile(dir / "set.tmp", dir / "set.cab"));
  EXPECT_EQ(ReadWholeFile(dir / "set.cab"), "new");

  EXPECT_TRUE(MoveFile(dir / "set.cab", dir / "fresh.cab"));
  EXPECT_EQ(ReadWholeFile(dir / "fresh.cab"), "new");
}

TEST(CreateAndDeleteFile, Failures) {
  TempFolder dir("create");
  EXPECT_TRUE(CreateDirectory(dir / "file"));
  EXPECT_FALSE(CreateDirectory(dir / "file"));
  EXPECT_FALSE(CreateDirectory(dir / "missing\\child"));

  WriteWholeFile(dir / "ro.txt", "x");
  SetFileAttributesA((dir / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(DeleteFile(dir / "ro.txt"));
  EXPECT_FALSE(DeleteFile(dir / "file"));
  EXPECT_FALSE(DeleteFile(dir / "missing"));
  WriteWholeFile(dir / "plain.txt", "x");
  EXPECT_TRUE(DeleteFile(dir / "plain.txt"));
}

TEST(DeleteDirectory, RefusesDrivesAndRoots) {
  const char* refused[] = {"", "C:", "C:\\", "   C:", "  C:\\"};
  for (const char* path : refused) EXPECT_FALSE(DeleteDirectory(path)) << path;
  EXPECT_TRUE(FileExists("C:\\windows\\system32\\kernel32.dll"));
}

TEST(DeleteDirectory, RemovesNestedTreeAndLeavesWhatItCannot) {
  TempFolder dir("tree");
  const Text work = dir / "file";
  CreateDirectoryA(work.c_str(), nullptr);
  CreateDirectoryA((work + "\\a").c_str(), nullptr);
  CreateDirectoryA((work + "\\a\\b").c_str(), nullptr);
  WriteWholeFile(work + "\\set.cab", "cab");
  WriteWholeFile(work + "\\a\\b\\deep.txt", "deep");
  EXPECT_TRUE(DeleteDirectory("  " + work));
  EXPECT_FALSE(FileExists(work));

  CreateDirectoryA(work.c_str(), nullptr);
  WriteWholeFile(work + "\\ro.txt", "ro");
  WriteWholeFile(work + "\\.hidden", "dot");
  WriteWholeFile(work + "\\other.txt", "other");
  SetFileAttributesA((work + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(DeleteDirectory(work));
  EXPECT_TRUE(FileExists(work + "\\ro.txt"));
  EXPECT_TRUE(FileExists(work + "\\.hidden"));
  EXPECT_FALSE(FileExists(work + "\\other.txt"));
}

TEST(DeleteDirectory, FileHeldOpenStaysBehind) {
  TempFolder dir("held");
  const Text work = dir / "file";
  CreateDirectoryA(work.c_str(), nullptr);
  const int32_t held = OpenFile(work + "\\set.tmp", 4);
  ASSERT_NE(held, 0);
  EXPECT_TRUE(WriteBytes(held, Bytes{'a', 'b'}));
  WriteWholeFile(work + "\\setup.ini", "x");

  EXPECT_FALSE(DeleteFile(work + "\\set.tmp"));
  EXPECT_FALSE(DeleteDirectory(work));
  EXPECT_TRUE(FileExists(work + "\\set.tmp"));
  EXPECT_FALSE(FileExists(work + "\\setup.ini"));
  CloseFile(held);
  EXPECT_TRUE(DeleteDirectory(work));
}

TEST(OpenFile, RewriteAndAppendModes) {
  TempFolder dir("open");
  const Text path = dir / "set.tmp";
  WriteWholeFile(path, "0123456789");

  const int32_t keep = OpenFile(path, 5);
  ASSERT_NE(keep, 0);
  EXPECT_TRUE(WriteBytes(keep, Bytes{'A'}));  // mode 5 starts at position 0
  EXPECT_TRUE(SeekToEnd(keep));
  EXPECT_TRUE(WriteBytes(keep, Bytes{'X', 'Y'}, Bytes{'Z'}));
  CloseFile(keep);
  EXPECT_EQ(ReadWholeFile(path), "A123456789XYZ");

  const int32_t rewrite = OpenFile(path, 4);
  ASSERT_NE(rewrite, 0);
  CloseFile(rewrite);
  EXPECT_EQ(ReadWholeFile(path), "");

  const int32_t created = OpenFile(dir / "new.tmp", 5);
  EXPECT_NE(created, 0);
  CloseFile(created);
  EXPECT_TRUE(FileExists(dir / "new.tmp"));
}

TEST(OpenFile, InvalidArgumentsGiveZero) {
  TempFolder dir("badopen");
  const Text path = dir / "x";
  struct Case {
    Text path;
    int mode, share;
  } cases[] = {{path, 0, 1},          {path, 7, 1}, {path, 4, 0},
               {path, 4, 5},          {"", 4, 1},   {dir / "missing\\x", 4, 1},
               {dir / "absent", 1, 1}};
  for (const Case& c : cases) EXPECT_EQ(OpenFile(c.path, c.mode, c.share), 0) << c.mode << c.share;
  EXPECT_FALSE(FileExists(path));
}

TEST(WriteBytes, EmptyArraysAndClosedNumbers) {
  TempFolder dir("write");
  const int32_t n = OpenFile(dir / "f", 4);
  ASSERT_NE(n, 0);
  EXPECT_TRUE(WriteBytes(n, Bytes{}, Bytes{}));
  CloseFile(n);
  EXPECT_EQ(ReadWholeFile(dir / "f"), "");
  EXPECT_FALSE(WriteBytes(n, Bytes{'x'}));
  EXPECT_FALSE(SeekToEnd(n));
  EXPECT_FALSE(WriteBytes(0, Bytes{'x'}));
  EXPECT_FALSE(SeekToEnd(0));
  CloseFile(n);  // a second close does nothing
  CloseFile(0);
}

TEST(WriteBytes, FailedWriteRollsPositionBack) {
  TempFolder dir("rollback");
  const Text path = dir / "f";
  WriteWholeFile(path, "abc");
  // Opened for reading only, the write fails; a later seek proves the number
  // is still usable.
  const int32_t n = OpenFile(path, 1);
  ASSERT_NE(n, 0);
  EXPECT_FALSE(WriteBytes(n, Bytes{'x'}));
  EXPECT_TRUE(SeekToEnd(n));
  CloseFile(n);
  EXPECT_EQ(ReadWholeFile(path), "abc");
}
