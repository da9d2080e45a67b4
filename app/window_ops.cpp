// WriteProperty, ReadProperty and SetZOrder (check/window_ops.h).
//
// Each call is a request record sent to MainWindow. SendMessage calls the
// window procedure directly on the main thread; from any other thread it
// hands the request to the main thread and returns once it has been carried
// out, so the main thread never waits for the worker and no lock is needed.
// Once the window is gone SendMessage fails and the call does nothing: the
// record lives on the caller's stack, and nothing of the window is touched.
#include "app/window_op_request.h"

namespace {

// Set on the main thread when MainWindow is created, before the worker
// exists; never cleared, since a destroyed window's handle is exactly what
// makes a late call fail harmlessly.
HWND g_target = nullptr;

void Send(WindowOpRequest& request) {
  SendMessageW(g_target, kMsgWindowOp, 0, reinterpret_cast<LPARAM>(&request));
}

}  // namespace

void SetWindowOpsTarget(HWND window) { g_target = window; }

void WriteProperty(Control control, int property, int32_t value) {
  WindowOpRequest request;
  request.control = control;
  request.property = property;
  request.value.number = value;
  Send(request);
}

void WriteProperty(Control control, int property, const Text& value) {
  WindowOpRequest request;
  request.control = control;
  request.property = property;
  request.value.is_text = true;
  request.value.text = value;
  Send(request);
}

Text ReadProperty(Control control, int property) {
  WindowOpRequest request;
  request.kind = WindowOpRequest::Kind::Read;
  request.control = control;
  request.property = property;
  Send(request);
  return request.answered ? request.value.AsText() : Text();
}

void SetZOrder(Control control, int level) {
  WindowOpRequest request;
  request.kind = WindowOpRequest::Kind::Restack;
  request.control = control;
  request.level = level;
  Send(request);
}
