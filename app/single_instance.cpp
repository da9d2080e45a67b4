// One check per program folder (single_instance.h): the folder's lock name,
// and finding and raising the window of the copy that holds the lock.
#include "app/single_instance.h"

#include <cstdint>
#include <cwchar>

#include "app/control_table.h"
#include "host/wide.h"

namespace {

// The folder of the program file, trailing backslash kept (a drive root
// stays "C:\"), in long names and upper case.
std::wstring ComparableFolder(const std::wstring& exe_path) {
  std::wstring path = exe_path;
  const DWORD n = GetLongPathNameW(exe_path.c_str(), nullptr, 0);
  if (n > 0) {
    std::wstring long_path(n, L'\0');
    const DWORD written = GetLongPathNameW(exe_path.c_str(), &long_path[0], n);
    if (written > 0 && written < n) path = long_path.substr(0, written);
  }
  path.erase(path.rfind(L'\\') + 1);  // npos + 1 == 0: no folder at all
  if (!path.empty()) CharUpperBuffW(&path[0], static_cast<DWORD>(path.size()));
  return path;
}

// FNV-1a over the UTF-16 code units, 64 bits.
uint64_t HashOf(const std::wstring& text) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const wchar_t unit : text) {
    hash = (hash ^ static_cast<uint16_t>(unit)) * 0x100000001b3ull;
  }
  return hash;
}

std::wstring ImagePathOf(DWORD process_id) {
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return std::wstring();
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
  return std::wstring(path, size);
}

struct WindowSearch {
  std::wstring folder;
  std::wstring title;
  HWND found = nullptr;
};

// MainWindow by its class and title, of another process from the same folder.
BOOL CALLBACK FindInstanceWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  wchar_t class_name[64] = {}, title[128] = {};
  GetClassNameW(window, class_name, 64);
  GetWindowTextW(window, title, 128);
  if (wcscmp(class_name, kMainWindowClass) != 0 || search->title != title) return TRUE;
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == GetCurrentProcessId()) return TRUE;
  if (ComparableFolder(ImagePathOf(process_id)) != search->folder) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring InstanceLockName(const std::wstring& exe_path) {
  std::wstring name = L"Local\\TovraUpdateCheck-";
  const uint64_t hash = HashOf(ComparableFolder(exe_path));
  for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xf];
  return name;
}

InstanceLock::InstanceLock(const std::wstring& exe_path) {
  SetLastError(ERROR_SUCCESS);
  mutex_.reset(CreateMutexW(nullptr, TRUE, InstanceLockName(exe_path).c_str()));
  // A mutex that exists already is another start's, whether this one may
  // open it (ERROR_ALREADY_EXISTS) or not (ERROR_ACCESS_DENIED, a copy run
  // as administrator). Any other failure leaves the check to run unguarded
  // rather than not at all.
  const DWORD error = GetLastError();
  held_elsewhere_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

std::wstring OwnExePath() {
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return std::wstring(path, n < MAX_PATH * 2 ? n : 0);
}

void ShowRunningInstance(const std::wstring& exe_path) {
  WindowSearch search{ComparableFolder(exe_path), WideFromText(kMainWindowTitle)};
  EnumWindows(FindInstanceWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  // Asynchronously, so that a busy first copy never holds this one up.
  if (IsIconic(search.found)) ShowWindowAsync(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
}
