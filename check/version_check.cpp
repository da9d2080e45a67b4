// The worker thread's one pass: resume question, download, rename, expand,
// the four facts of the newest version, the installed version, the verdict,
// and finally the grown window. No step stops the pass: each runs on
// whatever the one before left behind.
#include "check/version_check.h"

#include "check/download.h"
#include "check/progress.h"
#include "check/verdict.h"
#include "check/window_ops.h"
#include "host/host.h"

#ifndef PACKAGE_HOST
#define PACKAGE_HOST "update.tovra.example"
#endif

const char* const PackageUrl = "http://" PACKAGE_HOST "/Tovrasafebeta/safebeta_home.cab";

namespace {

const char* const kSuiteFolderValue =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tovrasafe.exe\\Path";

struct ResumeChoice {
  bool resume = false;
  int32_t offset = 0;
};

ResumeChoice AskAboutPartialDownload(const Text& partial) {
  ResumeChoice choice;
  if (!FileExists(partial)) return choice;
  if (ShowMessage("文件已存在，是否断点续传？", message_flags::kYesNoQuestion, "提示：") !=
      box_answer::kYes) {
    return choice;
  }
  choice.offset = GetFileSize(partial);
  // A file that vanished meanwhile, or one of 2 GiB or more, has no size to
  // continue from: start afresh rather than send a nonsensical range.
  choice.resume = choice.offset >= 0;
  if (!choice.resume) choice.offset = 0;
  return choice;
}

void ShowNewestVersion(const Text& setup_ini) {
  const char* const kSection = "TovraSafe";
  WriteProperty(Control::标签7, property::kCaption, ReadIniText(setup_ini, kSection, "Version"));
  WriteProperty(Control::标签9, property::kCaption, ReadIniText(setup_ini, kSection, "FID"));
  WriteProperty(Control::标签8, property::hyperlink::kWebAddress,
                ReadIniText(setup_ini, kSection, "Urls"));
  WriteProperty(Control::标签11, property::kCaption,
                ReadIniText(setup_ini, kSection, "Introduction"));
}

void ShowInstalledVersion() {
  const Text folder = ReadRegistryText(registry_root::kLocalMachine, kSuiteFolderValue);
  const Text repsafe = JoinText(folder, "\\repsafe.ini");
  WriteProperty(Control::标签6, property::kCaption,
                ReadIniText(repsafe, "config\\config.xml", "ver"));
}

}  // namespace

void RunVersionCheck() {
  const Text run_directory = GetRunDirectory();
  const Text partial = JoinText(run_directory, "\\file\\set.tmp");
  const Text package = JoinText(run_directory, "\\file\\set.cab");

  const ResumeChoice choice = AskAboutPartialDownload(partial);
  DownloadPackage(PackageUrl, partial, ProgressCallback, choice.offset, choice.resume);
  MoveFile(partial, package);

  // The system folder's expand.exe by its full path: an expand.exe planted
  // beside the program (a Downloads folder) must never run. Without that
  // path the step is passed over, as a failed one would be.
  const Text expand = SystemProgramPath("expand.exe");
  if (!expand.empty()) {
    RunProgram(verdict::ExpandCommandLine(run_directory), true, show_mode::kHidden, expand);
  }

  ShowNewestVersion(JoinText(run_directory, "\\file\\setup.ini"));
  ShowInstalledVersion();

  const Text installed = ReadProperty(Control::标签6, property::kCaption);
  const Text newest = ReadProperty(Control::标签7, property::kCaption);
  WriteProperty(Control::标签12, property::kCaption, verdict::VerdictFor(installed, newest));

  SetZOrder(Control::透明标签1, 1);
  WriteProperty(Control::透明标签1, property::kCaption, "获 取 完 毕...");
  WriteProperty(Control::MainWindow, property::kHeight, 331);
}
