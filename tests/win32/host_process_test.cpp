// Whole-process behaviour of the host layer: the run directory of programs
// placed in odd folders, and the fatal box when memory runs out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/handles.h"
#include "host/host.h"
#include "tests/support/box_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/host_probe.h"

namespace {

Text ProbePath() {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  Text dir = module;
  return dir.substr(0, dir.rfind('\\')) + "\\host_probe.exe";
}

// Starts a program and returns its process handle (null on failure).
UniqueKernelHandle Start(const Text& command_line) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  Text writable = command_line;
  if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return UniqueKernelHandle();
  }
  CloseHandle(info.hThread);
  return UniqueKernelHandle(info.hProcess);
}

DWORD WaitExitCode(const UniqueKernelHandle& process) {
  EXPECT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

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
    ASSERT_TRUE(CopyFileA(ProbePath().c_str(), c.exe.c_str(), FALSE)) << c.exe;
    const Text out = dir / "out.txt";
    const UniqueKernelHandle probe = Start("\"" + c.exe + "\" rundir \"" + out + "\"");
    ASSERT_TRUE(probe);
    EXPECT_EQ(WaitExitCode(probe), 0u);
    EXPECT_EQ(ReadWholeFile(out), c.run_directory + "|" + c.current) << c.exe;
    DeleteFileA(c.exe.c_str());
  }
}

TEST(OutOfMemory, FatalBoxNamesTheByteCountAndExitsMinusOne) {
  const UniqueKernelHandle probe = Start("\"" + ProbePath() + "\" oom");
  ASSERT_TRUE(probe);
  HWND box = WaitForBox("错误");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxMessage(box).find(std::to_string(kImpossibleAllocation)), Text::npos)
      << BoxMessage(box);
  PressBoxButton(box, IDOK);
  EXPECT_EQ(WaitExitCode(probe), 0xFFFFFFFFu);
}
