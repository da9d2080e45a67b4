// Child processes of the tests.
#include "tests/support/process_support.h"

#include "host/wide.h"
#include "tests/support/path_support.h"

ChildProcess::ChildProcess(const Text& exe, const Text& arguments, Folder folder, int show) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (show >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION info = {};
  Text command_line = "\"" + exe + "\"";
  if (!arguments.empty()) command_line += " " + arguments;
  const Text current = folder == Folder::kProgram ? FolderOf(exe) : Text();
  if (CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                     current.empty() ? nullptr : current.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND ChildProcess::WaitForWindow(const wchar_t* class_name, const Text& title, DWORD timeout_ms,
                                 bool shown_only) const {
  const std::wstring wide_title = WideFromText(title);
  const DWORD start = GetTickCount();
  do {
    for (HWND w = FindWindowExW(nullptr, nullptr, class_name, wide_title.c_str()); w;
         w = FindWindowExW(nullptr, w, class_name, wide_title.c_str())) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == id_ && (!shown_only || IsWindowVisible(w))) return w;
    }
    Sleep(20);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

DWORD ChildProcess::WaitForExit(DWORD timeout_ms) const {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}
