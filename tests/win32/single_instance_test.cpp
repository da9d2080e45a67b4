// The folder's one-check lock: its name, and who holds it. Whole-program
// starts, one folder and two, are in the end-to-end tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/single_instance.h"
#include "host/wide.h"
#include "tests/support/temp_folder.h"

TEST(InstanceLockName, OneNamePerFolderAsTheFileSystemComparesIt) {
  const std::wstring name = InstanceLockName(L"C:\\Tools\\TovraUpdateCheck.exe");
  EXPECT_EQ(name.compare(0, 6, L"Local\\"), 0);
  EXPECT_EQ(name.find(L'\\', 6), std::wstring::npos);
  EXPECT_LE(name.size(), 64u);
  const struct {
    const wchar_t *a, *b;
    bool same;
  } cases[] = {
      {L"C:\\Tools\\TovraUpdateCheck.exe", L"c:\\TOOLS\\renamed copy.exe", true},
      {L"C:\\Tools\\TovraUpdateCheck.exe", L"C:\\Tools2\\TovraUpdateCheck.exe", false},
      {L"C:\\Tools\\TovraUpdateCheck.exe", L"C:\\Tools\\sub\\TovraUpdateCheck.exe", false},
      {L"C:\\Tools\\TovraUpdateCheck.exe", L"D:\\Tools\\TovraUpdateCheck.exe", false},
      {L"C:\\下载 工具\\a.exe", L"C:\\下载 工具\\b.exe", true},
      {L"C:\\下载 工具\\a.exe", L"C:\\下载工具\\a.exe", false},
      {L"C:\\a.exe", L"C:\\b.exe", true},  // a drive root
      {L"C:\\a.exe", L"C:\\x\\a.exe", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstanceLockName(c.a) == InstanceLockName(c.b), c.same)
        << TextFromWide(c.a) << " / " << TextFromWide(c.b);
  }
}

TEST(InstanceLockName, ShortAndLongNamesOfOneFolderAgree) {
  TempFolder dir("instance");
  const Text folder = dir / "a folder with a long name";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::wstring long_exe = WideFromText(folder) + L"\\TovraUpdateCheck.exe";
  WriteWholeFile(folder + "\\TovraUpdateCheck.exe", "");
  wchar_t short_exe[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(long_exe.c_str(), short_exe, MAX_PATH), 0u);
  if (long_exe == short_exe) GTEST_SKIP() << "no short names here";
  EXPECT_EQ(InstanceLockName(short_exe), InstanceLockName(long_exe));
}

TEST(InstanceLock, HeldUntilItsOwnerLetsGo) {
  const std::wstring exe = L"C:\\instance lock test\\TovraUpdateCheck.exe";
  auto first = std::make_unique<InstanceLock>(exe);
  EXPECT_FALSE(first->held_elsewhere());
  EXPECT_TRUE(InstanceLock(L"c:\\Instance Lock Test\\copy.exe").held_elsewhere());
  EXPECT_FALSE(InstanceLock(L"C:\\instance lock test 2\\TovraUpdateCheck.exe").held_elsewhere());
  first.reset();
  EXPECT_FALSE(InstanceLock(exe).held_elsewhere());
}
