// Finding, reading and answering message boxes in the tests.
#include "tests/support/box_support.h"

#include "host/host.h"
#include "host/wide.h"

HWND WaitForBox(const Text& title, DWORD timeout_ms) {
  const std::wstring wide = WideFromText(title);
  const DWORD start = GetTickCount();
  do {
    HWND box = FindWindowW(L"#32770", wide.c_str());
    if (box && IsWindowVisible(box)) return box;
    Sleep(20);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

Text BoxMessage(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);  // a message box's static text
  if (!text) return Text();
  wchar_t buffer[1024] = {};
  GetWindowTextW(text, buffer, 1024);
  return TextFromWide(buffer);
}

bool PressBoxButton(HWND box, int button) {
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0) != FALSE;
}

BoxAnswerer::BoxAnswerer(const Text& title, int button)
    : thread_([this, title, button] {
        HWND box = WaitForBox(title);
        if (!box) return;
        message_ = BoxMessage(box);
        answered_ = PressBoxButton(box, button);
      }) {}

BoxAnswerer::~BoxAnswerer() { thread_.join(); }

namespace {

struct BoxSearch {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwnBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  wchar_t class_name[16] = {}, title[64] = {};
  GetClassNameW(window, class_name, 16);
  GetWindowTextW(window, title, 64);
  if (std::wstring(class_name) != L"#32770" || search->title != title) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

MessageBoxes::MessageBoxes()
    : thread_([this] {
        BoxSearch search{WideFromText(kDefaultMessageTitle)};
        while (!stop_) {
          search.found = nullptr;
          EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&search));
          if (!search.found) {
            Sleep(10);
            continue;
          }
          texts_.push_back(BoxMessage(search.found));
          PressBoxButton(search.found, IDOK);
          // Wait for it to go, so that it is not counted twice.
          for (int i = 0; i < 500 && IsWindow(search.found); ++i) Sleep(10);
        }
      }) {}

MessageBoxes::~MessageBoxes() { Stop(); }

std::vector<Text> MessageBoxes::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return texts_;
}
