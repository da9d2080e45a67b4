// The version check's fixed texts and pure rules (verdict.h): the expand
// command line and the verdict.
#include "check/verdict.h"

namespace verdict {

const char* const kUpToDate = "您的Tovra安全卫士已经是最新版本，不需要更新";
const char* const kUpdateAvailable = "发现最新版本，可以更新";
const char* const kCheckFailed = "未能获取最新版本信息，请稍后重试";

Text ExpandCommandLine(const Text& run_directory) {
  return JoinText("expand \"", run_directory, "\\file\\set.cab\" -f:setup.ini \"", run_directory,
                  "\\file\"");
}

Text VerdictFor(const Text& installed, const Text& newest) {
  // Without a newest version there is nothing to compare: saying "up to
  // date" here would hide a failed check from the user.
  if (newest.empty()) return kCheckFailed;
  return CompareText(installed, newest) == 0 ? kUpToDate : kUpdateAvailable;
}

}  // namespace verdict
