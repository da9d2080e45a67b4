#include "tests/e2e/tool_window.h"

#include <commctrl.h>

#include "host/wide.h"

const char* const kToolTitle = "获取版本 - Tovra安全卫士小助手 - 高级工具";

namespace {
const char* const kFinalStatus = "获 取 完 毕...";
}  // namespace

ToolProcess::ToolProcess(const Text& exe, int show) {
  const Text folder = exe.substr(0, exe.rfind('\\'));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (show >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION info = {};
  Text command_line = "\"" + exe + "\"";
  if (CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    process_id_ = info.dwProcessId;
  }
}

ToolProcess::~ToolProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

namespace {

struct FindArgs {
  DWORD process_id;
  std::wstring title;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
  auto* args = reinterpret_cast<FindArgs*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (pid == args->process_id && args->title == title) {
    args->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

Text WindowText(HWND hwnd) {
  wchar_t buffer[2048] = {};
  GetWindowTextW(hwnd, buffer, 2048);
  return TextFromWide(buffer);
}

}  // namespace

HWND ToolProcess::WaitForWindow(DWORD timeout_ms) {
  FindArgs args{process_id_, WideFromText(kToolTitle), nullptr};
  const DWORD start = GetTickCount();
  while (!args.found && GetTickCount() - start < timeout_ms) {
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&args));
    if (!args.found) Sleep(20);
  }
  window_ = args.found;
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

DWORD ToolProcess::WaitExit(DWORD timeout_ms) const {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}
