// MainWindow: the program's one window, a fixed dialog frame holding the
// controls of the control table. Creating it creates every control, makes it
// the window the window operations (check/window_ops.h) act on, and raises
// creation completed; the caller shows it and runs the message loop.
#pragma once

#include <windows.h>

#include <functional>

#include "app/controls/control.h"

struct MainWindowArgs {
  // Creation completed: the window and all its controls exist, not yet shown.
  std::function<void()> on_created;
  // May close: the Close button, the system menu, Alt+F4, and the end of the
  // session. It gives no answer, so the close always goes ahead.
  std::function<void()> on_close_query;
  // The window of a successful creation has been destroyed.
  std::function<void()> on_destroyed;
  ControlOptions controls;
};

// nullptr when the window or any of its controls cannot be created.
HWND CreateMainWindow(const MainWindowArgs& args);
