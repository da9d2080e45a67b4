// The real program driven from outside: its window, its controls' texts, its end.
#include "tests/e2e/tool_window.h"

#include <commctrl.h>

#include "app/control_table.h"
#include "host/wide.h"

namespace {

const char* const kFinalStatus = "获 取 完 毕...";

Text WindowText(HWND hwnd) {
  wchar_t buffer[2048] = {};
  GetWindowTextW(hwnd, buffer, 2048);
  return TextFromWide(buffer);
}

}  // namespace

ToolProcess::ToolProcess(const Text& exe, int show)
    : process_(exe, Text(), ChildProcess::Folder::kProgram, show) {}

HWND ToolProcess::WaitForWindow(DWORD timeout_ms) {
  window_ = process_.WaitForWindow(kMainWindowClass, kMainWindowTitle, timeout_ms, false);
  return window_;
}

std::map<std::string, ChildView> ToolProcess::Children() const {
  std::map<std::string, ChildView> children;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ChildView view;
    view.hwnd = child;
    wchar_t class_name[64] = {};
    GetClassNameW(child, class_name, 64);
    view.class_name = TextFromWide(class_name);
    GetWindowRect(child, &view.rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&view.rect), 2);
    view.text = WindowText(child);
    children[std::to_string(view.rect.left) + "," + std::to_string(view.rect.top)] = view;
  }
  return children;
}

Text ToolProcess::TextAt(int left, int top) const {
  const auto children = Children();
  const auto it = children.find(std::to_string(left) + "," + std::to_string(top));
  return it == children.end() ? Text("<no control>") : it->second.text;
}

int ToolProcess::ProgressPosition() const {
  const auto children = Children();
  const auto it = children.find("6,8");
  if (it == children.end()) return -1;
  return static_cast<int>(SendMessageW(it->second.hwnd, PBM_GETPOS, 0, 0));
}

RECT ToolProcess::WindowRect() const {
  RECT r = {};
  GetWindowRect(window_, &r);
  return r;
}

bool ToolProcess::WaitForFinish(DWORD timeout_ms) const {
  const DWORD start = GetTickCount();
  do {
    // The height is the last thing the check writes, after the status text.
    const RECT r = WindowRect();
    if (TextAt(190, 8) == kFinalStatus && r.bottom - r.top == 331) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return false;
}

bool ToolProcess::WaitForFinalStatus(DWORD timeout_ms) const {
  const DWORD start = GetTickCount();
  do {
    if (TextAt(190, 8) == kFinalStatus) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeout_ms);
  return false;
}

void ToolProcess::Close() const { PostMessageW(window_, WM_CLOSE, 0, 0); }
