// The run directory, the tick clock, child processes, threads and message
// boxes.
#include <windows.h>

#include "host/handles.h"
#include "host/host.h"
#include "host/host_logic.h"
#include "host/wide.h"

namespace {

Text& StoredRunDirectory() {
  static Text run_directory;
  return run_directory;
}

bool IsAnsiLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }

}  // namespace

const char* const kDefaultMessageTitle = "信息：";

void InitRunDirectory() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  StoredRunDirectory() = host_logic::RunDirectoryOf(module, IsAnsiLeadByte);
  // "D:" alone would mean the drive's current folder; the root is what is meant.
  const Text& dir = StoredRunDirectory();
  const Text current = (dir.size() == 2 && dir[1] == ':') ? dir + "\\" : dir;
  SetCurrentDirectoryA(current.c_str());
}

Text GetRunDirectory() { return StoredRunDirectory(); }

int32_t GetTickMs() { return static_cast<int32_t>(GetTickCount()); }

bool RunProgram(const Text& command_line, bool wait, int show, const Text& program_path) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(host_logic::ShowValueForMode(show));
  PROCESS_INFORMATION info = {};
  Text writable = command_line;  // CreateProcessA may write into its command line
  writable.push_back('\0');
  const char* application = program_path.empty() ? nullptr : program_path.c_str();
  if (!CreateProcessA(application, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  if (wait) {
    WaitForSingleObject(process.get(), INFINITE);
  } else {
    WaitForInputIdle(process.get(), 1000);
  }
  return true;
}

bool StartThread(ThreadRoutine routine, intptr_t parameter, void** handle) {
  HANDLE h = CreateThread(nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(routine),
                          reinterpret_cast<void*>(parameter), 0, nullptr);
  if (!h) return false;
  if (handle) {
    *handle = h;  // kept open for the life of the process
  } else {
    CloseHandle(h);
  }
  return true;
}

int ShowMessage(const Text& message, uint32_t flags, const Text& title) {
  const int result = MessageBoxW(nullptr, WideFromText(message).c_str(),
                                 WideFromText(title).c_str(), host_logic::MessageStyle(flags));
  return host_logic::AnswerForBoxResult(result);
}

Text SystemProgramPath(const Text& name) {
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  // No bare name as a fallback: the system would look for it in the
  // program's own folder first.
  if (n == 0 || n >= MAX_PATH) return Text();
  return JoinText(Text(folder), "\\", name);
}
