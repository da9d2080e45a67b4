#include "tests/win32/download_test_support.h"

#include <ostream>

#include "host/handles.h"
#include "host/host.h"
#include "host/wide.h"
#include "tests/win32/temp_folder.h"

std::ostream& operator<<(std::ostream& out, const ProgressCall& c) {
  return out << "{" << c.content_length << ", " << c.running_total << ", " << c.elapsed_ms << ", "
             << c.received << "}";
}

std::vector<ProgressCall>& ProgressCalls() {
  static std::vector<ProgressCall> calls;
  return calls;
}

int32_t HOST_STDCALL RecordProgress(int32_t content_length, int32_t running_total,
                                    int32_t elapsed_ms, int32_t received) {
  ProgressCalls().push_back({content_length, running_total, elapsed_ms, received});
  return 0;
}

std::ostream& operator<<(std::ostream& out, const PropertyWrite& w) {
  return out << "{control " << static_cast<int>(w.control) << ", property " << w.property << ", "
             << w.value << "}";
}

std::vector<PropertyWrite>& PropertyWrites() {
  static std::vector<PropertyWrite> writes;
  return writes;
}

// The window operations as the progress display sees them; the window
// itself is app/'s and not part of these tests.
void WriteProperty(Control control, int property, int32_t value) {
  PropertyWrites().push_back({control, property, value});
}
void WriteProperty(Control, int, const Text&) {}
Text ReadProperty(Control, int) { return Text(); }
void SetZOrder(Control, int) {}

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
          PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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

bool IsHeldOpen(const Text& path) {
  UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}
