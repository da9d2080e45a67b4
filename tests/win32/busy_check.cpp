// Stands in for the version check in a copy of the program whose worker is
// always busy: it sits in a question box that nobody answers, as the real
// worker does in the resume question (or blocks in WinInet or in the wait
// for expand).
#include <windows.h>

#include "check/version_check.h"
#include "host/host.h"

void RunVersionCheck() { ShowMessage("检查进行中，请稍候。", MB_YESNO | MB_ICONQUESTION, "忙"); }
