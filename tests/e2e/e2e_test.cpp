// The real program, copied into a fresh folder per case, against nginx on
// port 80 inside the sandbox (where the package host resolves to 127.0.0.1),
// with real cabinets, a real registry and its own resume question.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "app/control_table.h"
#include "check/verdict.h"
#include "host/wide.h"
#include "tests/e2e/tool_window.h"
#include "tests/support/box_support.h"
#include "tests/support/path_support.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_support.h"

namespace {

// The rows' value controls, and the status line over the bar.
constexpr Control kInstalled = Control::标签6, kNewest = Control::标签7, kFileName = Control::标签9,
                  kAddress = Control::标签8, kIntroduction = Control::标签11,
                  kVerdict = Control::标签12, kStatus = Control::透明标签1;

const char* const kNewestVersion = "8.1.0.1002";
const char* const kFileNameText = "TovraSafe_Beta_8.1.0.1002.exe";
const char* const kAddressText = "http://dl.tovra.example/beta/TovraSafe_Beta_8.1.0.1002.exe";
const char* const kIntroductionText = "修复了若干问题，提升了扫描速度";

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = WindowsPathFromEnv("E2E_PROGRAM");
    www_ = WindowsPathFromEnv("E2E_WWW");
    packages_ = WindowsPathFromEnv("E2E_PACKAGES");
    access_log_ = WindowsPathFromEnv("E2E_ACCESS_LOG");
    ASSERT_FALSE(program_.empty() || www_.empty() || packages_.empty()) << "run through ctest";
    CreateDirectoryA((www_ + "\\Tovrasafebeta").c_str(), nullptr);
    SetServer(nullptr);
    ServePackage("current.cab");
    InstallSuite("repsafe-older.ini");
  }
  void TearDown() override {
    SetServer(nullptr);
    suite_.reset();
  }

  // A fresh copy of the program in `folder_name` under a temp folder.
  Text PlaceProgram(const Text& folder_name = "tool") {
    const Text folder = app_dir_ / folder_name;
    CreateDirectoryA(folder.c_str(), nullptr);
    const Text exe = folder + "\\TovraUpdateCheck.exe";
    EXPECT_TRUE(CopyFileA(program_.c_str(), exe.c_str(), FALSE));
    return exe;
  }
  static Text WorkFolderOf(const Text& exe) { return exe.substr(0, exe.rfind('\\')) + "\\file"; }

  void ServePackage(const char* name) {
    const Text served = www_ + "\\Tovrasafebeta\\safebeta_home.cab";
    if (!name) {
      DeleteFileA(served.c_str());
      return;
    }
    ASSERT_TRUE(CopyFileA((packages_ + "\\" + name).c_str(), served.c_str(), FALSE));
  }
  // nullptr, ".slow" or ".norange": how nginx serves the package.
  void SetServer(const char* mode) {
    DeleteFileA((www_ + "\\.slow").c_str());
    DeleteFileA((www_ + "\\.norange").c_str());
    if (mode) WriteWholeFile(www_ + "\\" + mode, "");
  }
  void InstallSuite(const char* repsafe) {
    const Text suite = app_dir_ / "Tovra安全卫士";
    CreateDirectoryA(suite.c_str(), nullptr);
    CopyFileA((packages_ + "\\" + repsafe).c_str(), (suite + "\\repsafe.ini").c_str(), FALSE);
    suite_.emplace(suite);
  }
  void UninstallSuite() { suite_.reset(); }

  std::string Package(const char* name) const { return ReadWholeFile(packages_ + "\\" + name); }
  std::string AccessLog() const { return ReadWholeFile(access_log_); }
  // The log's lines ("uri|status|range|bytes") from byte `from` on that ask
  // for `path`; every start of the program also asks for the panel's page.
  std::string RequestsFor(const std::string& path, size_t from) const {
    const std::string log = AccessLog().substr(from);
    std::string lines;
    for (size_t at = 0, end; at < log.size(); at = end + 1) {
      end = log.find('\n', at);
      if (end == std::string::npos) end = log.size();
      const std::string line = log.substr(at, end - at);
      if (line.compare(0, path.size() + 1, path + "|") == 0) lines += line + "\n";
    }
    return lines;
  }

  // Waits for the end of the check and for the window grown in place, with
  // every control where the table puts it.
  void RunToFinish(ToolProcess& tool) {
    ASSERT_TRUE(tool.WaitForFinish()) << "the check did not finish";
    const RECT r = tool.WindowRect();
    EXPECT_EQ(r.bottom - r.top, 331);
    EXPECT_EQ(r.right - r.left, 499);
    for (const ControlRow& row : kControlTable) {
      const HWND control = ControlWindow(tool.window(), row.control);
      ASSERT_TRUE(control) << row.name;
      const RECT place = PlaceInHolder(control);
      EXPECT_EQ(place.left, row.left) << row.name;
      EXPECT_EQ(place.top, row.top) << row.name;
      EXPECT_EQ(place.right - place.left, row.width) << row.name;
      EXPECT_EQ(place.bottom - place.top, row.height) << row.name;
    }
  }
  void CloseAndExpectClean(ToolProcess& tool, const Text& exe) {
    tool.Close();
    EXPECT_EQ(tool.WaitForExit(), 0u);
    EXPECT_FALSE(FileExists(WorkFolderOf(exe)));
  }
  static bool FileExists(const Text& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void ExpectNewestRows(const ToolProcess& tool) {
    EXPECT_EQ(tool.TextOf(kNewest), kNewestVersion);
    EXPECT_EQ(tool.TextOf(kFileName), kFileNameText);
    EXPECT_EQ(tool.TextOf(kAddress), kAddressText);
    EXPECT_EQ(tool.TextOf(kIntroduction), kIntroductionText);
  }

  TempFolder app_dir_{"e2e"};
  Text program_, www_, packages_, access_log_;
  std::optional<SuiteRegistration> suite_;
};

TEST_F(EndToEnd, FreshRunShowsEveryRowAndTheVerdict) {
  struct Case {
    const char* package;
    const char* repsafe;  // nullptr: suite not installed
    const char* installed;
    const char* verdict;
  } cases[] = {
      {"current-z.cab", "repsafe-older.ini", "8.1.0.1001", verdict::kUpdateAvailable},
      {"current.cab", "repsafe-same.ini", "8.1.0.1002", verdict::kUpToDate},
      {"current.cab", nullptr, "", verdict::kUpdateAvailable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.package + std::string(" / ") + (c.repsafe ? c.repsafe : "not installed"));
    ServePackage(c.package);
    if (c.repsafe) {
      InstallSuite(c.repsafe);
    } else {
      UninstallSuite();
    }
    const Text exe = PlaceProgram();
    ToolProcess tool(exe);
    ASSERT_TRUE(tool.WaitForWindow());
    // On loopback the check may be over by the time the window is found; the
    // height read is the opening one only if the status text, written just
    // before the window grows, had not changed after it.
    const RECT opened = tool.WindowRect();
    if (tool.TextOf(kStatus) == "正在获取版本信息...") {
      EXPECT_EQ(opened.bottom - opened.top, 65);
    }
    RunToFinish(tool);
    // Grown in place: still where it opened, centred for 499 x 65.
    EXPECT_EQ(tool.WindowRect().left, (GetSystemMetrics(SM_CXSCREEN) - 499) / 2);
    EXPECT_EQ(tool.WindowRect().top, (GetSystemMetrics(SM_CYSCREEN) - 65) / 2);
    ExpectNewestRows(tool);
    EXPECT_EQ(tool.TextOf(kInstalled), c.installed);
    EXPECT_EQ(tool.TextOf(kVerdict), c.verdict);
    EXPECT_EQ(tool.ProgressPosition(), 10000);
    CloseAndExpectClean(tool, exe);
  }
}

TEST_F(EndToEnd, ResumeQuestionAnsweredYesOrNo) {
  const std::string big = Package("big.cab");
  struct Case {
    const char* server_mode;
    int answer;
    const char* expected_range;  // in the access log, "-" for none
  } cases[] = {
      {nullptr, IDYES, "bytes=200000-"},
      {nullptr, IDNO, "-"},
      {".norange", IDYES, "bytes=200000-"},  // 200 with the whole body: started afresh
  };
  ServePackage("big.cab");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.answer) + (c.server_mode ? c.server_mode : ""));
    SetServer(c.server_mode);
    const Text exe = PlaceProgram();
    CreateDirectoryA(WorkFolderOf(exe).c_str(), nullptr);
    // A partial copy: the answer No must not keep any of it.
    const std::string partial =
        c.answer == IDYES ? big.substr(0, 200000) : std::string(200000, 'x');
    WriteWholeFile(WorkFolderOf(exe) + "\\set.tmp", partial);
    const size_t log_before = AccessLog().size();

    BoxAnswerer answerer("提示：", c.answer);
    ToolProcess tool(exe);
    ASSERT_TRUE(tool.WaitForWindow());
    RunToFinish(tool);
    EXPECT_TRUE(answerer.answered());
    EXPECT_EQ(answerer.message(), "文件已存在，是否断点续传？");
    ExpectNewestRows(tool);
    EXPECT_EQ(ReadWholeFile(WorkFolderOf(exe) + "\\set.cab"), big);
    const std::string request = RequestsFor("/Tovrasafebeta/safebeta_home.cab", log_before);
    EXPECT_NE(request.find(std::string("|") + c.expected_range + "|"), std::string::npos)
        << request;
    CloseAndExpectClean(tool, exe);
  }
}

TEST_F(EndToEnd, ResumedCopyThatNginxAnswersWith416) {
  const std::string current = Package("current.cab"), older = Package("older.cab");
  ASSERT_GT(older.size(), current.size());
  const std::string kPath = "/Tovrasafebeta/safebeta_home.cab";
  struct Case {
    const char* name;
    const std::string& copy;
    std::string requests;  // the log's lines for the package, without byte counts
  } cases[] = {
      // Complete already: kept, nothing more fetched.
      {"complete copy", current, kPath + "|416|bytes=" + std::to_string(current.size()) + "-\n"},
      // The package was replaced by a smaller one: the old copy must not be
      // taken for complete, or its setup.ini would show an old version.
      {"copy of an older, larger package", older,
       kPath + "|416|bytes=" + std::to_string(older.size()) + "-\n" + kPath + "|200|-\n"},
  };
  ServePackage("current.cab");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Text exe = PlaceProgram();
    CreateDirectoryA(WorkFolderOf(exe).c_str(), nullptr);
    WriteWholeFile(WorkFolderOf(exe) + "\\set.tmp", c.copy);
    const size_t log_before = AccessLog().size();

    BoxAnswerer answerer("提示：", IDYES);
    ToolProcess tool(exe);
    ASSERT_TRUE(tool.WaitForWindow());
    RunToFinish(tool);
    EXPECT_TRUE(answerer.answered());
    ExpectNewestRows(tool);
    EXPECT_EQ(tool.TextOf(kVerdict), verdict::kUpdateAvailable);
    EXPECT_TRUE(ReadWholeFile(WorkFolderOf(exe) + "\\set.cab") == current);
    std::string requests;
    std::istringstream lines(RequestsFor(kPath, log_before));
    for (std::string line; std::getline(lines, line);) {
      requests += line.substr(0, line.rfind('|')) + "\n";
    }
    EXPECT_EQ(requests, c.requests);
    CloseAndExpectClean(tool, exe);
  }
}

TEST_F(EndToEnd, MissingPackageIsReportedAndNotCalledUpToDate) {
  ServePackage(nullptr);
  const Text exe = PlaceProgram();
  BoxAnswerer answerer("信息：", IDOK);
  ToolProcess tool(exe);
  ASSERT_TRUE(tool.WaitForWindow());
  RunToFinish(tool);
  EXPECT_EQ(answerer.message(), "不能打开该URL!");
  EXPECT_EQ(tool.TextOf(kNewest), "");
  EXPECT_EQ(tool.TextOf(kFileName), "");
  EXPECT_EQ(tool.TextOf(kVerdict), verdict::kCheckFailed);
  EXPECT_EQ(tool.ProgressPosition(), 0);
  CloseAndExpectClean(tool, exe);
}

TEST_F(EndToEnd, ClosingMidDownloadKeepsThePartialCopyForTheNextStart) {
  ServePackage("big.cab");
  SetServer(".slow");
  const Text exe = PlaceProgram();
  {
    ToolProcess tool(exe);
    ASSERT_TRUE(tool.WaitForWindow());
    const DWORD start = GetTickCount();
    while (tool.ProgressPosition() <= 0 && GetTickCount() - start < 15000) Sleep(50);
    EXPECT_GT(tool.ProgressPosition(), 0);
    const RECT narrow = tool.WindowRect();  // downloading: only the progress strip shows
    EXPECT_EQ(narrow.right - narrow.left, 499);
    EXPECT_EQ(narrow.bottom - narrow.top, 65);
    tool.Close();
    EXPECT_EQ(tool.WaitForExit(5000), 0u);  // at once, the worker still downloading
  }
  const Text partial = WorkFolderOf(exe) + "\\set.tmp";
  ASSERT_TRUE(FileExists(partial));
  const std::string kept = ReadWholeFile(partial);
  EXPECT_GT(kept.size(), 0u);
  EXPECT_EQ(Package("big.cab").substr(0, kept.size()), kept);

  SetServer(nullptr);
  BoxAnswerer answerer("提示：", IDYES);
  ToolProcess again(exe);
  ASSERT_TRUE(again.WaitForWindow());
  RunToFinish(again);
  EXPECT_TRUE(answerer.answered());
  ExpectNewestRows(again);
  CloseAndExpectClean(again, exe);
}

TEST_F(EndToEnd, ClosingWhileTheQuestionIsUpRemovesThePartialCopy) {
  const Text exe = PlaceProgram();
  CreateDirectoryA(WorkFolderOf(exe).c_str(), nullptr);
  WriteWholeFile(WorkFolderOf(exe) + "\\set.tmp", "partial");
  {
    ToolProcess tool(exe);
    ASSERT_TRUE(tool.WaitForWindow());
    ASSERT_NE(WaitForBox("提示："), nullptr);
    tool.Close();
    EXPECT_EQ(tool.WaitForExit(5000), 0u);
  }
  EXPECT_FALSE(FileExists(WorkFolderOf(exe)));

  // The next start has nothing to offer: no question, straight to the result.
  ToolProcess again(exe);
  ASSERT_TRUE(again.WaitForWindow());
  RunToFinish(again);
  EXPECT_EQ(WaitForBox("提示：", 0), nullptr);
  ExpectNewestRows(again);
  CloseAndExpectClean(again, exe);
}

TEST_F(EndToEnd, MinimisedWindowShowsTheResultsOnceRestored) {
  const std::string big = Package("big.cab");
  ServePackage("big.cab");
  SetServer(".slow");  // the last 40000 bytes take a few seconds
  // Where the window opens, and where it comes back to.
  const LONG left = (GetSystemMetrics(SM_CXSCREEN) - 499) / 2;
  const LONG top = (GetSystemMetrics(SM_CYSCREEN) - 65) / 2;
  const struct {
    const char* name;
    bool start_minimised;  // as a shortcut set to "Run: Minimized" starts it
  } cases[] = {{"minimised mid-download", false}, {"started minimised", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Text exe = PlaceProgram();
    CreateDirectoryA(WorkFolderOf(exe).c_str(), nullptr);
    WriteWholeFile(WorkFolderOf(exe) + "\\set.tmp", big.substr(0, big.size() - 40000));
    BoxAnswerer answerer("提示：", IDYES);
    ToolProcess tool(exe, c.start_minimised ? SW_SHOWMINNOACTIVE : -1);
    ASSERT_TRUE(tool.WaitForWindow());
    const DWORD start = GetTickCount();  // the window is found before it is shown
    while (!IsWindowVisible(tool.window()) && GetTickCount() - start < 15000) Sleep(20);
    if (!c.start_minimised) {
      while (tool.ProgressPosition() <= 0 && GetTickCount() - start < 15000) Sleep(20);
      // As the title bar's Minimize button sends it.
      SendMessageW(tool.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      EXPECT_EQ(tool.TextOf(kStatus), "正在获取版本信息...");  // still downloading
    }
    EXPECT_TRUE(IsIconic(tool.window()));
    ASSERT_TRUE(tool.WaitForFinalStatus());
    // The height is written right after the status text, and the place a
    // restore brings back cannot be read from another process under Wine:
    // give that write time to land on the minimised window.
    Sleep(500);
    EXPECT_TRUE(IsIconic(tool.window()));  // the results wait for the user

    SendMessageW(tool.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    RunToFinish(tool);
    EXPECT_EQ(tool.WindowRect().left, left);
    EXPECT_EQ(tool.WindowRect().top, top);
    ExpectNewestRows(tool);
    EXPECT_EQ(tool.TextOf(kVerdict), verdict::kUpdateAvailable);
    EXPECT_TRUE(ReadWholeFile(WorkFolderOf(exe) + "\\set.cab") == big);
    CloseAndExpectClean(tool, exe);
  }
}

namespace {

BOOL CALLBACK CountToolWindow(HWND window, LPARAM count) {
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  if (TextFromWide(title) == kMainWindowTitle) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ToolWindows() {
  int count = 0;
  EnumWindows(CountToolWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace

TEST_F(EndToEnd, SecondStartInTheSameFolderShowsTheFirstAndEnds) {
  const std::string big = Package("big.cab");
  ServePackage("big.cab");
  SetServer(".slow");  // the first is still downloading when the second starts
  const Text exe = PlaceProgram();
  CreateDirectoryA(WorkFolderOf(exe).c_str(), nullptr);
  WriteWholeFile(WorkFolderOf(exe) + "\\set.tmp", big.substr(0, big.size() - 40000));
  const size_t log_before = AccessLog().size();

  BoxAnswerer answerer("提示：", IDYES);
  ToolProcess first(exe);
  ASSERT_TRUE(first.WaitForWindow());
  const DWORD start = GetTickCount();
  while (first.ProgressPosition() <= 0 && GetTickCount() - start < 15000) Sleep(20);
  ASSERT_GT(first.ProgressPosition(), 0);
  SendMessageW(first.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(first.window()));

  {
    ToolProcess second(exe);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.WaitForExit(10000), 0u);
  }
  // The first is back on the screen, still the only window. Its restore is
  // posted to its own thread and the foreground can come a moment apart
  // from it (once seen as none at all), so the wait is for both.
  for (DWORD wait = GetTickCount();
       (IsIconic(first.window()) || GetForegroundWindow() != first.window()) &&
       GetTickCount() - wait < 5000;) {
    Sleep(20);
  }
  EXPECT_FALSE(IsIconic(first.window()));
  EXPECT_EQ(GetForegroundWindow(), first.window());
  EXPECT_EQ(ToolWindows(), 1);
  EXPECT_EQ(WaitForBox("提示：", 0), nullptr);  // the second asked nothing

  RunToFinish(first);
  EXPECT_TRUE(answerer.answered());
  ExpectNewestRows(first);
  EXPECT_TRUE(ReadWholeFile(WorkFolderOf(exe) + "\\set.cab") == big);
  const std::string requests = RequestsFor("/Tovrasafebeta/safebeta_home.cab", log_before);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), '\n'), 1) << requests;
  CloseAndExpectClean(first, exe);
}

TEST_F(EndToEnd, StartsInTwoFoldersRunSideBySide) {
  const Text exe_a = PlaceProgram("a"), exe_b = PlaceProgram("b");
  ToolProcess a(exe_a);
  ASSERT_TRUE(a.WaitForWindow());
  ToolProcess b(exe_b);
  ASSERT_TRUE(b.WaitForWindow());
  for (ToolProcess* tool : {&a, &b}) {
    RunToFinish(*tool);
    ExpectNewestRows(*tool);
  }
  EXPECT_EQ(ToolWindows(), 2);
  CloseAndExpectClean(a, exe_a);
  CloseAndExpectClean(b, exe_b);
}

TEST_F(EndToEnd, PanelPageIsRequestedFromItsHostWhileTheWindowIsStillNarrow) {
  WriteWholeFile(www_ + "\\303.html", "<html><body>推荐软件</body></html>");
  ServePackage("big.cab");
  SetServer(".slow");  // the check stays in its download, so the panel stays hidden
  const size_t log_before = AccessLog().size();
  const Text exe = PlaceProgram();
  ToolProcess tool(exe);
  ASSERT_TRUE(tool.WaitForWindow());
  std::string page;
  const DWORD start = GetTickCount();
  while ((page = RequestsFor("/303.html", log_before)).empty() && GetTickCount() - start < 10000) {
    Sleep(50);
  }
  EXPECT_EQ(page.substr(0, page.rfind('|') + 1), "/303.html|200|-|");
  const RECT narrow = tool.WindowRect();
  EXPECT_EQ(narrow.bottom - narrow.top, 65);
  tool.Close();
  EXPECT_EQ(tool.WaitForExit(5000), 0u);
}

TEST_F(EndToEnd, FolderWithChineseAndSpaceAndAPlantedExpand) {
  const Text exe = PlaceProgram("下载 工具");
  const Text folder = exe.substr(0, exe.rfind('\\'));
  // A program named expand.exe beside the tool, as in a Downloads folder: it
  // would leave a mark if it ever ran.
  const Text marker = folder + "\\planted-expand-ran.txt";
  ASSERT_TRUE(CopyFileA(WindowsPathFromEnv("E2E_PLANTED").c_str(),
                        (folder + "\\expand.exe").c_str(), FALSE));
  ToolProcess tool(exe);
  ASSERT_TRUE(tool.WaitForWindow());
  RunToFinish(tool);
  ExpectNewestRows(tool);
  EXPECT_EQ(tool.TextOf(kVerdict), verdict::kUpdateAvailable);
  EXPECT_FALSE(FileExists(marker));
  CloseAndExpectClean(tool, exe);
}

}  // namespace
