// window_probe: reads the running program's window from outside, the way a
// screen reader or UI automation would, for the run script, end-to-end
// tests and the demo. Finds MainWindow by its class and title, prints the
// title, the window's rectangle and every control's place and text (the
// progress bar's position too) as UTF-8 lines, and can wait for a control
// to show a given text and close the window.
//
//   window_probe [--timeout MS] [--wait-text NAME=TEXT] [--quiet] [--close]
//
//   --timeout MS         how long to wait for the window, the text and the
//                        window's end (default 10000)
//   --wait-text NAME=TEXT  wait until control NAME (标签6, 透明标签1, ...) shows TEXT
//   --quiet              print nothing
//   --close              post WM_CLOSE, then wait until the window is gone
//
// Exit code: 0 done; 1 no window, or a wait timed out; 2 bad arguments.
//
// Output, one line each:
//   title 获取版本 - Tovra安全卫士小助手 - 高级工具
//   window 262 351 499 65            (left top width height, on the screen)
//   client 493 40
//   control 进度条1 6 8 480 24 visible position 0 text ""
//   control 透明标签1 190 8 120 24 visible text "正在获取版本信息..."
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "host/wide.h"

namespace {

constexpr UINT kReplyTimeoutMs = 2000;

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}

void Print(const std::string& line) {
  const std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

// WM_GETTEXT, not GetWindowText: the controls belong to another process.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                           &length)) {
    return std::wstring();
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, kReplyTimeoutMs, &copied);
  return std::wstring(buffer.data(), copied);
}

std::wstring NameOf(const ControlRow& row) { return WideFromText(row.name); }

HWND ControlWindow(HWND main_window, const ControlRow& row) {
  const ControlRow* parent = FindControlRow(row.parent);
  const HWND holder = parent ? ControlWindow(main_window, *parent) : main_window;
  return holder ? GetDlgItem(holder, ControlId(row.control)) : nullptr;
}

std::string Numbers(std::initializer_list<long> values) {
  std::string out;
  for (long v : values) out += " " + std::to_string(v);
  return out;
}

void PrintWindow(HWND window) {
  Print("title " + Utf8(TextOf(window)));
  RECT r, client;
  GetWindowRect(window, &r);
  GetClientRect(window, &client);
  Print("window" + Numbers({r.left, r.top, r.right - r.left, r.bottom - r.top}));
  Print("client" + Numbers({client.right, client.bottom}));
  for (const ControlRow& row : kControlTable) {
    const HWND control = ControlWindow(window, row);
    std::string line = "control " + Utf8(NameOf(row));
    if (!control) {
      Print(line + " missing");
      continue;
    }
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    line += Numbers({place.left, place.top, place.right - place.left, place.bottom - place.top});
    line += IsWindowVisible(control) ? " visible" : " hidden";
    if (row.kind == ControlKind::ProgressBar) {
      DWORD_PTR position = 0;
      SendMessageTimeoutW(control, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &position);
      line += " position " + std::to_string(position);
    }
    Print(line + " text \"" + Utf8(TextOf(control)) + "\"");
  }
}

// Calls done() every 50 ms until it is true or the time is up.
template <typename Done>
bool WaitUntil(DWORD timeout_ms, Done done) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(50);
  }
}

struct Options {
  DWORD timeout_ms = 10000;
  std::wstring wait_name, wait_text;
  bool quiet = false;
  bool close = false;
};

bool ParseArguments(Options& options) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return false;
  bool ok = true;
  for (int i = 1; i < argc && ok; ++i) {
    const std::wstring arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == L"--timeout" && has_value) {
      options.timeout_ms = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (arg == L"--wait-text" && has_value) {
      const std::wstring wait_arg = argv[++i];
      const size_t equals = wait_arg.find(L'=');
      ok = equals != std::wstring::npos;
      if (ok) {
        options.wait_name = wait_arg.substr(0, equals);
        options.wait_text = wait_arg.substr(equals + 1);
      }
    } else if (arg == L"--quiet") {
      options.quiet = true;
    } else if (arg == L"--close") {
      options.close = true;
    } else {
      ok = false;
    }
  }
  LocalFree(argv);
  return ok;
}

}  // namespace

int main() {
  Options options;
  if (!ParseArguments(options)) {
    Print("usage: window_probe [--timeout MS] [--wait-text NAME=TEXT] [--quiet] [--close]");
    return 2;
  }
  const std::wstring title = WideFromText(kMainWindowTitle);
  HWND window = nullptr;
  if (!WaitUntil(options.timeout_ms, [&] {
        window = FindWindowW(kMainWindowClass, title.c_str());
        return window != nullptr;
      })) {
    Print("window_probe: no window");
    return 1;
  }
  if (!options.wait_name.empty()) {
    const ControlRow* row = nullptr;
    for (const ControlRow& r : kControlTable) {
      if (NameOf(r) == options.wait_name) row = &r;
    }
    if (!row) {
      Print("window_probe: no control " + Utf8(options.wait_name));
      return 2;
    }
    const bool shown = WaitUntil(options.timeout_ms, [&] {
      return TextOf(ControlWindow(window, *row)) == options.wait_text;
    });
    if (!shown) {
      if (!options.quiet) PrintWindow(window);
      Print("window_probe: " + Utf8(options.wait_name) + " never showed \"" +
            Utf8(options.wait_text) + "\"");
      return 1;
    }
  }
  if (!options.quiet) PrintWindow(window);
  if (options.close) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitUntil(options.timeout_ms, [&] { return !IsWindow(window); })) {
      Print("window_probe: the window did not close");
      return 1;
    }
  }
  return 0;
}
