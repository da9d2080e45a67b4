// The workflow in-process, with a window that records what it is told. No
// package server answers here, so the download fails (its box is answered)
// and the workflow goes on with the set.cab an earlier run left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "check/verdict.h"
#include "check/version_check.h"
#include "check/window_ops.h"
#include "host/host.h"
#include "tests/support/box_support.h"
#include "tests/support/path_support.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"

namespace {

// What the workflow did to the window, one line per call, in order.
std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}
std::string Name(Control c) { return std::to_string(static_cast<int>(c)); }
Text& CaptionOf(Control c) {
  static Text captions[32];
  return captions[static_cast<int>(c)];
}

}  // namespace

void WriteProperty(Control control, int property, int32_t value) {
  Calls().push_back("write " + Name(control) + " " + std::to_string(property) + " " +
                    std::to_string(value));
}
void WriteProperty(Control control, int property, const Text& value) {
  Calls().push_back("write " + Name(control) + " " + std::to_string(property) + " " + value);
  if (property == property::kCaption) CaptionOf(control) = value;
}
Text ReadProperty(Control control, int property) {
  Calls().push_back("read " + Name(control) + " " + std::to_string(property));
  return CaptionOf(control);
}
void SetZOrder(Control control, int level) {
  Calls().push_back("zorder " + Name(control) + " " + std::to_string(level));
}

namespace {

class VersionCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    InitRunDirectory();
    work_ = GetRunDirectory() + "\\file";
    CreateDirectoryA(work_.c_str(), nullptr);
    Calls().clear();
  }
  void TearDown() override { DeleteDirectory(work_); }

  Text work_;
};

TEST_F(VersionCheck, StepsInOrderOnWhatAnEarlierRunLeft) {
  const Text packages = WindowsPathFromEnv("E2E_PACKAGES");
  ASSERT_FALSE(packages.empty()) << "run through ctest";
  ASSERT_TRUE(
      CopyFileA((packages + "\\current.cab").c_str(), (work_ + "\\set.cab").c_str(), FALSE));
  TempFolder suite("suite");
  CopyFileA((packages + "\\repsafe-older.ini").c_str(), (suite / "repsafe.ini").c_str(), FALSE);
  const SuiteRegistration registered(suite.path());

  BoxAnswerer download_failed("信息：", IDOK);
  RunVersionCheck();
  EXPECT_EQ(download_failed.message(), "不能打开该URL!");

  const std::vector<std::string> expected = {
      "write " + Name(Control::标签7) + " 8 8.1.0.1002",
      "write " + Name(Control::标签9) + " 8 TovraSafe_Beta_8.1.0.1002.exe",
      "write " + Name(Control::标签8) +
          " 11 http://dl.tovra.example/beta/TovraSafe_Beta_8.1.0.1002.exe",
      "write " + Name(Control::标签11) + " 8 修复了若干问题，提升了扫描速度",
      "write " + Name(Control::标签6) + " 8 8.1.0.1001",
      "read " + Name(Control::标签6) + " 8",
      "read " + Name(Control::标签7) + " 8",
      "write " + Name(Control::标签12) + " 8 " + verdict::kUpdateAvailable,
      "zorder " + Name(Control::透明标签1) + " 1",
      "write " + Name(Control::透明标签1) + " 8 获 取 完 毕...",
      "write " + Name(Control::MainWindow) + " 3 331",
  };
  EXPECT_EQ(Calls(), expected);
}

TEST_F(VersionCheck, NothingToReadIsAFailedCheckNotAnUpToDateOne) {
  // No package, no suite: both versions empty.
  BoxAnswerer download_failed("信息：", IDOK);
  RunVersionCheck();
  ASSERT_EQ(Calls().size(), 11u);
  EXPECT_EQ(Calls()[7], "write " + Name(Control::标签12) + " 8 " + verdict::kCheckFailed);
}

TEST_F(VersionCheck, PartialCopyLeadsToTheQuestion) {
  struct Case {
    int answer;
  } cases[] = {{IDYES}, {IDNO}};
  for (const Case& c : cases) {
    WriteWholeFile(work_ + "\\set.tmp", std::string(700, 'x'));
    BoxAnswerer question("提示：", c.answer);
    BoxAnswerer download_failed("信息：", IDOK);
    RunVersionCheck();
    EXPECT_TRUE(question.answered());
    EXPECT_EQ(question.message(), "文件已存在，是否断点续传？");
    // The URL never opened, so the partial copy is untouched either way, and
    // the rename has made it the package.
    EXPECT_EQ(ReadWholeFile(work_ + "\\set.cab"), std::string(700, 'x'));
  }
}

}  // namespace
