// Whole-process behaviour of the host layer: the run directory of programs
// placed in odd folders, and the fatal box when memory runs out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "tests/support/box_support.h"
#include "tests/support/path_support.h"
#include "tests/support/process_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/host_probe.h"

namespace {
constexpr DWORD kExitWait = 20000;  // STILL_ACTIVE, and so a failure, when it hangs
}  // namespace

TEST(RunDirectory, DriveRootAndDoubleByteFolders) {
  TempFolder dir("rundir");
  // 0xB9 0x5C is one character whose second byte looks like a backslash.
  const Text dbcs_folder = dir / "\xb9\x5c";
  ASSERT_TRUE(CreateDirectoryA(dbcs_folder.c_str(), nullptr));
  const Text root_exe = "C:\\tovra_probe_" + std::to_string(GetCurrentProcessId()) + ".exe";
  struct Case {
    Text exe, run_directory, current;
  } cases[] = {
      {root_exe, "C:", "C:\\"},
      {dir / "tool.exe", dir.path(), dir.path()},
      {dbcs_folder + "\\tool.exe", dbcs_folder, dbcs_folder},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(CopyFileA(BesideThisProgram("host_probe.exe").c_str(), c.exe.c_str(), FALSE))
        << c.exe;
    const Text out = dir / "out.txt";
    {
      // Started in the test's folder: the probe must find its own.
      const ChildProcess probe(c.exe, "rundir \"" + out + "\"", ChildProcess::Folder::kCaller);
      ASSERT_TRUE(probe.started());
      EXPECT_EQ(probe.WaitForExit(kExitWait), 0u);
    }
    EXPECT_EQ(ReadWholeFile(out), c.run_directory + "|" + c.current) << c.exe;
    DeleteFileA(c.exe.c_str());
  }
}

TEST(OutOfMemory, FatalBoxNamesTheByteCountAndExitsMinusOne) {
  const ChildProcess probe(BesideThisProgram("host_probe.exe"), "oom");
  ASSERT_TRUE(probe.started());
  HWND box = WaitForBox("错误");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxMessage(box).find(std::to_string(kImpossibleAllocation)), Text::npos)
      << BoxMessage(box);
  PressBoxButton(box, IDOK);
  EXPECT_EQ(probe.WaitForExit(kExitWait), 0xFFFFFFFFu);
}
