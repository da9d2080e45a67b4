// The program as a whole, run as a child process from a fresh folder: its
// window, its work folder, and how it ends.
#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>

#include "app/control_table.h"
#include "app/panel_links.h"
#include "host/handles.h"
#include "host/host.h"
#include "tests/support/box_support.h"
#include "tests/support/path_support.h"
#include "tests/support/process_support.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr DWORD kExitWait = 10000;  // a hang, not a slow exit, is what this catches

// A copy of a program in a fresh folder of its own, started there.
struct ProgramCopy {
  explicit ProgramCopy(const char* built_exe, const Text& name = "tovra_check.exe")
      : folder("program"), exe(folder / name) {
    CopyFileA(WindowsPath(built_exe).c_str(), exe.c_str(), FALSE);
  }
  Text work() const { return folder / "file"; }
  TempFolder folder;
  Text exe;
};

bool FolderExists(const Text& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the address answers now, from the network rather than a cache.
bool Answers(const Text& address) {
  UniqueInternetHandle internet(
      InternetOpenA("panel test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  UniqueInternetHandle url(InternetOpenUrlA(internet.get(), address.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE,
                                            0));
  return static_cast<bool>(url);
}

}  // namespace

TEST(ProgramTest, OpensWithItsWorkFolderAndClosesWithExitCodeZero) {
  const struct {
    const char* how;
    UINT message;
    WPARAM wparam;
  } closes[] = {{"WM_CLOSE", WM_CLOSE, 0}, {"system menu Close", WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& c : closes) {
    ProgramCopy copy(TOVRA_CHECK_EXE);
    ChildProcess program(copy.exe);
    ASSERT_TRUE(program.started());
    const HWND window = program.WaitForWindow(kMainWindowClass, kMainWindowTitle);
    ASSERT_TRUE(window) << c.how;
    EXPECT_TRUE(FolderExists(copy.work())) << c.how;

    PostMessageW(window, c.message, c.wparam, 0);
    EXPECT_EQ(program.WaitForExit(kExitWait), 0u) << c.how;
    EXPECT_FALSE(FolderExists(copy.work())) << c.how;
  }
}

TEST(ProgramTest, EndOfSessionIsGrantedAfterTheCleanUp) {
  ProgramCopy copy(TOVRA_CHECK_EXE);
  ChildProcess program(copy.exe);
  const HWND window = program.WaitForWindow(kMainWindowClass, kMainWindowTitle);
  ASSERT_TRUE(window);
  WriteWholeFile(copy.work() + "\\setup.ini", "[TovraSafe]\r\n");
  DWORD_PTR answer = 0;
  ASSERT_TRUE(
      SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  EXPECT_FALSE(FolderExists(copy.work()));
  EXPECT_TRUE(IsWindow(window));  // asked, not told: the window stays until the session ends
}

TEST(ProgramTest, CloseWhileTheWorkerIsBusyEndsAtOnceAndLeavesHeldFilesBehind) {
  ProgramCopy copy(BUSY_CHECK_EXE);
  // What an interrupted download leaves, with set.tmp held open (without
  // share-delete) as the downloader holds it.
  CreateDirectoryA(copy.work().c_str(), nullptr);
  for (const char* name : {"setup.ini", "set.cab", "set.tmp", "other.txt"}) {
    WriteWholeFile(copy.work() + "\\" + name, "data");
  }
  UniqueFileHandle held(CreateFileA((copy.work() + "\\set.tmp").c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);

  ChildProcess program(copy.exe);
  const HWND window = program.WaitForWindow(kMainWindowClass, kMainWindowTitle);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitForBox("忙"));  // the worker is busy in its box

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitWait), 0u);
  EXPECT_FALSE(FileExists(copy.work() + "\\setup.ini"));
  EXPECT_FALSE(FileExists(copy.work() + "\\set.cab"));
  EXPECT_FALSE(FileExists(copy.work() + "\\other.txt"));
  EXPECT_TRUE(FileExists(copy.work() + "\\set.tmp"));
  EXPECT_TRUE(FolderExists(copy.work()));
}

TEST(ProgramTest, PanelPageThatCannotBeLoadedLeavesStartAndCloseAlone) {
  // In the sandbox the page's host is this machine, where nothing serves
  // port 80 while the window tests run.
  const Text page = panel::AddressOf(Control::超文本浏览框1);
  ASSERT_FALSE(Answers(page)) << page;
  ProgramCopy copy(TOVRA_CHECK_EXE);
  ChildProcess program(copy.exe);
  const HWND window = program.WaitForWindow(kMainWindowClass, kMainWindowTitle);
  ASSERT_TRUE(window);
  const HWND group = GetDlgItem(window, ControlId(Control::分组框1));
  EXPECT_TRUE(GetDlgItem(group, ControlId(Control::超文本浏览框1)));

  Sleep(1000);  // time for the page's request to fail
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitWait), 0u);
}

TEST(ProgramTest, WithoutTheEmbeddedBrowserEndsWithTheFatalBoxAndMinusOne) {
  // A copy of its own name, for which the browser's component is switched off.
  const Text name = "tovra_check_no_browser.exe";
  DisabledDll no_browser(name, "ieframe");
  ProgramCopy copy(TOVRA_CHECK_EXE, name);
  ChildProcess program(copy.exe);
  ASSERT_TRUE(program.started());
  const HWND box = WaitForBox("错误");
  ASSERT_TRUE(box);
  EXPECT_FALSE(FindWindowW(kMainWindowClass, nullptr));
  PressBoxButton(box, IDOK);
  EXPECT_EQ(program.WaitForExit(kExitWait), static_cast<DWORD>(-1));
  EXPECT_FALSE(FolderExists(copy.work()));  // creation completed was never raised
}
