// The real program driven from outside: its window, its controls' texts, its end.
#include "tests/e2e/tool_window.h"

#include <commctrl.h>

#include "app/control_table.h"
#include "host/wide.h"
#include "tests/support/window_support.h"

namespace {

const char* const kFinalStatus = "获 取 完 毕...";

Text WindowText(HWND hwnd) {
  wchar_t buffer[2048] = {};
  GetWindowTextW(hwnd, buffer, 2048);
  return TextFromWide(buffer);
}

// Asks done() every 50 ms until it is true or the time is up.
template <typename Done>
bool WaitUntil(DWORD timeout_ms, Done done) {
  const DWORD start = GetTickCount();
  do {
    if (done()) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return false;
}

}  // namespace

ToolProcess::ToolProcess(const Text& exe, int show)
    : process_(exe, Text(), ChildProcess::Folder::kProgram, show) {}

HWND ToolProcess::WaitForWindow(DWORD timeout_ms) {
  window_ = process_.WaitForWindow(kMainWindowClass, kMainWindowTitle, timeout_ms, false);
  return window_;
}

Text ToolProcess::TextOf(Control control) const {
  const HWND child = ControlWindow(window_, control);
  return child ? WindowText(child) : Text("<no control>");
}

int ToolProcess::ProgressPosition() const {
  const HWND bar = ControlWindow(window_, Control::进度条1);
  return bar ? static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)) : -1;
}

RECT ToolProcess::WindowRect() const {
  RECT r = {};
  GetWindowRect(window_, &r);
  return r;
}

bool ToolProcess::WaitForFinish(DWORD timeout_ms) const {
  return WaitUntil(timeout_ms, [this] {
    // The height is the last thing the check writes, after the status text.
    const RECT r = WindowRect();
    return TextOf(Control::透明标签1) == kFinalStatus && r.bottom - r.top == 331;
  });
}

bool ToolProcess::WaitForFinalStatus(DWORD timeout_ms) const {
  return WaitUntil(timeout_ms, [this] { return TextOf(Control::透明标签1) == kFinalStatus; });
}

void ToolProcess::Close() const { PostMessageW(window_, WM_CLOSE, 0, 0); }
