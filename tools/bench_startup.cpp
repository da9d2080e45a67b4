// Timing program of tools/bench-startup.sh (not shipped, not a test):
//
//   bench_startup CLASS EXE [grown]
//       starts EXE, waits until a visible top-level window of class CLASS
//       belongs to it, prints "<seconds>" from just before the start, then
//       closes the window and waits for the exit. With "grown" it first waits
//       for the window to grow (the tool's check has ended), so that no child
//       of the check (expand) is left running when it closes.
//
// Exit code 1 when no such window shows within 30 s.
#include <windows.h>

#include <cstdio>
#include <string>

#include "host/handles.h"

namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD process_id;
  const char* class_name;
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (std::string(class_name) != search->class_name) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) return 2;
  const bool until_grown = argc == 4 && std::string(argv[3]) == "grown";
  std::string command_line = std::string("\"") + argv[2] + "\"";
  std::string folder = argv[2];
  folder.erase(folder.find_last_of("\\/") + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  const double start = Seconds();
  if (!CreateProcessA(argv[2], &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return 1;
  }
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  Search search = {info.dwProcessId, argv[1], nullptr};
  while (!search.found && Seconds() - start < 30) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  const double elapsed = Seconds() - start;
  for (const double shown = Seconds(); search.found && until_grown && Seconds() - shown < 15;) {
    RECT r = {};
    GetWindowRect(search.found, &r);
    if (r.bottom - r.top > 65) break;
    Sleep(10);
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 3);
    WaitForSingleObject(process.get(), 5000);
  }
  if (!search.found) return 1;
  std::printf("%.4f\n", elapsed);
  return 0;
}
