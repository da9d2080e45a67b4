// The host layer's pure rules: run directories (double-byte characters
// included), refused folders, INI arguments, registry paths, and the tables
// of roots, show modes, open flags and box answers.
#include <gtest/gtest.h>

#include "host/host.h"
#include "host/host_logic.h"

using namespace host_logic;

namespace {
bool Cp936Lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
}  // namespace

TEST(RunDirectory, CutsAtTheLastRealBackslash) {
  struct Case {
    Text module, dir;
  } cases[] = {
      {"D:\\tool.exe", "D:"},
      {"D:\\apps\\tool.exe", "D:\\apps"},
      {"tool.exe", ""},
      // 0xB9 0x5C is one character whose trail byte looks like a backslash
      {"C:\\\xb9\x5c\\tool.exe", "C:\\\xb9\x5c"},
      {"C:\\\xb9\x5ctool.exe", "C:"},
      {"C:\\\xb9\xa4\x5ctool.exe", "C:\\\xb9\xa4"},
  };
  for (const Case& c : cases) EXPECT_EQ(RunDirectoryOf(c.module, Cp936Lead), c.dir) << c.module;
}

TEST(FolderRefusal, DrivesAndRootsAndEmptyPaths) {
  const char* refused[] = {"", "   ", "D:", "D:\\", "  D:", "  C:\\"};
  for (const char* p : refused) EXPECT_TRUE(IsRefusedFolderPath(p)) << p;
  const char* allowed[] = {"D:\\file", "  D:\\x", "file", "\\\\server\\share\\x", "D:x"};
  for (const char* p : allowed) EXPECT_FALSE(IsRefusedFolderPath(p)) << p;
  EXPECT_EQ(SkipLeadingSpaces("  D:\\x "), "D:\\x ");
}

TEST(IniArguments, LeadingControlBytesDropped) {
  EXPECT_EQ(DropLeadingControls(" \t\r\nkey "), "key ");
  EXPECT_EQ(DropLeadingControls("   "), "");
  EXPECT_EQ(DropLeadingControls("\xb0\xa1"), "\xb0\xa1");
}

TEST(RegistryPath, SplitsAtLastBackslashSkippingTrailBytes) {
  struct Case {
    Text path, key, value;
  } cases[] = {
      {"SOFTWARE\\App Paths\\Tovrasafe.exe\\Path", "SOFTWARE\\App Paths\\Tovrasafe.exe", "Path"},
      {"Value", "", "Value"},
      {"Key\\", "Key", ""},
      {"Key\\\xb9\x5c", "Key", "\xb9\x5c"},
  };
  for (const Case& c : cases) {
    const RegistryPath r = SplitRegistryPath(c.path);
    EXPECT_EQ(r.key, c.key) << c.path;
    EXPECT_EQ(r.value, c.value) << c.path;
  }
}

// The names stand for the host interface's own numbers; callers and tests
// that pass numbers rely on them, and the tables' bounds are taken from them.
static_assert(open_mode::kRead == 1 && open_mode::kRewrite == 4 &&
              open_mode::kWriteKeepingContent == 5 && open_mode::kReadWriteKeepingContent == 6);
static_assert(share_mode::kReadWrite == 1 && share_mode::kNone == 4);
static_assert(registry_root::kClassesRoot == 1 && registry_root::kCurrentUser == 3 &&
              registry_root::kLocalMachine == 4 && registry_root::kUsers == 5);
static_assert(show_mode::kHidden == 1 && show_mode::kNormal == 2 &&
              show_mode::kMinimizedNotActivated == 6);
static_assert(message_flags::kOk == 0 && message_flags::kYesNoQuestion == 36);
static_assert(box_answer::kOk == 0 && box_answer::kYes == 5 && box_answer::kNo == 6);

TEST(Tables, RootsShowModesOpenFlagsAndAnswers) {
  EXPECT_EQ(RegistryRoot(4), 4);
  EXPECT_EQ(RegistryRoot(0), 3);
  EXPECT_EQ(RegistryRoot(6), 3);

  const int show[][2] = {{-1, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 6}, {9, 6}};
  for (const auto& s : show) EXPECT_EQ(ShowValueForMode(s[0]), s[1]) << s[0];

  EXPECT_FALSE(OpenFlagsFor(0, 1).valid);
  EXPECT_FALSE(OpenFlagsFor(7, 1).valid);
  EXPECT_FALSE(OpenFlagsFor(3, 0).valid);
  EXPECT_FALSE(OpenFlagsFor(3, 5).valid);
  const OpenFlags rewrite = OpenFlagsFor(4, 1);
  EXPECT_TRUE(rewrite.valid);
  EXPECT_EQ(rewrite.access, 0x40000000u);
  EXPECT_EQ(rewrite.disposition, 2u);  // CREATE_ALWAYS
  EXPECT_EQ(rewrite.share, 3u);
  EXPECT_EQ(OpenFlagsFor(5, 4).disposition, 4u);  // OPEN_ALWAYS
  EXPECT_EQ(OpenFlagsFor(5, 4).share, 0u);

  EXPECT_EQ(MessageStyle(36), 8228u);
  EXPECT_EQ(MessageStyle(0), 8192u);
  EXPECT_EQ(MessageStyle(0x1000 | 36), 0x1000u | 36u);
  const int answers[][2] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4},
                            {6, 5}, {7, 6}, {0, 0}, {11, 0}};
  for (const auto& a : answers) EXPECT_EQ(AnswerForBoxResult(a[0]), a[1]) << a[0];
}
