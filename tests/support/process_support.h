// A program the tests start as a child process, as Explorer would start it:
// its own folder as the current folder, and the show mode a shortcut gives;
// ended when the test is over if it is still running.
#pragma once

#include <windows.h>

#include "host/handles.h"
#include "host/text.h"

class ChildProcess {
 public:
  // The current folder the process starts in: the program's own, or the
  // test's, for tests of how a program finds its folder by itself.
  enum class Folder { kProgram, kCaller };

  // Starts exe, its quoted path first on the command line, then arguments.
  // show is the mode a shortcut would set (SW_SHOWMINNOACTIVE for "Run:
  // Minimized"), -1 for none.
  explicit ChildProcess(const Text& exe, const Text& arguments = Text(),
                        Folder folder = Folder::kProgram, int show = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return static_cast<bool>(process_); }

  // The process's top-level window of this class and title, waited for;
  // with shown_only, once it is also visible.
  HWND WaitForWindow(const wchar_t* class_name, const Text& title, DWORD timeout_ms = 10000,
                     bool shown_only = true) const;

  // Waits for the process to end: its exit code, or STILL_ACTIVE on timeout.
  DWORD WaitForExit(DWORD timeout_ms) const;

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};
