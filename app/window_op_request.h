// How a window operation reaches MainWindow: window_ops.cpp sends the
// request record with kMsgWindowOp (directly on the main thread, handed
// over and waited for from any other), and MainWindow carries it out.
#pragma once

#include <windows.h>

#include "app/controls/control.h"
#include "check/window_ops.h"

struct WindowOpRequest {
  enum class Kind { Write, Read, Restack };
  Kind kind = Kind::Write;
  Control control = Control::MainWindow;
  int property = 0;
  int level = 1;
  PropertyValue value;    // written, or read back
  bool answered = false;  // a read found the property
};

constexpr UINT kMsgWindowOp = WM_APP + 1;  // lParam: WindowOpRequest*
static_assert(kMsgWindowOp != kMsgWriteProperty && kMsgWindowOp != kMsgReadProperty,
              "each private message has one meaning");

// The window the operations act on; MainWindow sets it when created.
void SetWindowOpsTarget(HWND window);
