// Drives the real program from outside, as a user or a screen reader would:
// starts a copy, finds its window, reads its controls (by Control value)
// and the bar's position, and closes it.
#pragma once

#include <windows.h>

#include "check/window_ops.h"
#include "host/text.h"
#include "tests/support/process_support.h"

class ToolProcess {
 public:
  // Starts exe (its own folder is the current folder, as from Explorer),
  // with the show mode a shortcut would give it (SW_SHOWMINNOACTIVE for
  // "Run: Minimized"), or none.
  explicit ToolProcess(const Text& exe, int show = -1);

  bool started() const { return process_.started(); }
  // MainWindow, found by its class and title (before it is shown, too).
  HWND WaitForWindow(DWORD timeout_ms = 15000);
  HWND window() const { return window_; }

  // The control's text, or "<no control>" when the window lacks it.
  Text TextOf(Control control) const;
  int ProgressPosition() const;  // -1 without a bar
  RECT WindowRect() const;

  // Waits until the check has finished: the final status text and the grown window.
  bool WaitForFinish(DWORD timeout_ms = 30000) const;
  // Waits for the final status text alone, which a minimised window shows too.
  bool WaitForFinalStatus(DWORD timeout_ms = 30000) const;

  void Close() const;  // WM_CLOSE, as the title bar's Close button
  // Exit code once the process has ended, or STILL_ACTIVE after the timeout.
  DWORD WaitForExit(DWORD timeout_ms = 15000) const { return process_.WaitForExit(timeout_ms); }

 private:
  ChildProcess process_;  // ended when the test is over if still running
  HWND window_ = nullptr;
};
