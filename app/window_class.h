// The window classes of the program's own windows, MainWindow's and each
// kind of control's, registered in one way: once per process, by the first
// window of the class.
#pragma once

#include <windows.h>

struct WindowClassArgs {
  const wchar_t* name;
  WNDPROC procedure;
  HCURSOR cursor = nullptr;     // the arrow when null
  HBRUSH background = nullptr;  // none: the window paints all of itself
  HICON icon = nullptr;         // none: the system's default
  HICON small_icon = nullptr;
};

// Registers the class in the program's module unless it is there already
// (a second MainWindow, as tests create, finds it); false when it cannot be
// registered.
bool RegisterWindowClass(const WindowClassArgs& args);
