// MainWindow: its frame and layout metrics, creation of the controls from the
// table, the close and end-of-session events, and the window operations as
// they are carried out on the main thread.
#include "app/main_window.h"

#include <array>
#include <memory>

#include "app/control_table.h"
#include "app/panel_links.h"
#include "app/property_clamps.h"
#include "app/restored_place.h"
#include "app/window_class.h"
#include "app/window_op_request.h"
#include "host/wide.h"

namespace {

// A fixed dialog frame with title bar, system menu and Minimize; no
// Maximize, no sizing border, no keys of its own (no dialog manager, so Esc
// and Enter mean nothing to it).
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;

// The control table is laid out for outer sizes under a 19-pixel caption
// and a 3-pixel fixed frame: 499 x 65 shows a 493 x 40 client area with only the
// progress strip, 331 high shows everything down to row 298. Under other
// title-bar and frame metrics the outer size is corrected by the
// difference, so the client area, and with it what shows, stays the same.
constexpr SIZE kLayoutNonClient = {6, 25};

SIZE ActualNonClient() {
  RECT r = {0, 0, 0, 0};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int OuterWidth(int layout_width) {
  const int w = layout_width - kLayoutNonClient.cx + ActualNonClient().cx;
  return w < 0 ? 0 : w;
}
int OuterHeight(int layout_height) {
  const int h = layout_height - kLayoutNonClient.cy + ActualNonClient().cy;
  return h < 0 ? 0 : h;
}
int LayoutWidth(int outer_width) {
  return outer_width - ActualNonClient().cx + kLayoutNonClient.cx;
}
int LayoutHeight(int outer_height) {
  return outer_height - ActualNonClient().cy + kLayoutNonClient.cy;
}

struct MainWindowState {
  MainWindowArgs args;
  std::array<HWND, static_cast<size_t>(Control::超文本浏览框1) + 1> controls = {};
  bool created = false;
};

MainWindowState* StateOf(HWND window) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND& ControlWindow(MainWindowState& state, Control control) {
  return state.controls[static_cast<size_t>(control)];
}

HWND CreateControl(ControlKind kind, const ControlArgs& args) {
  switch (kind) {
    case ControlKind::Label:
      return CreateLabel(args);
    case ControlKind::TransparentLabel:
      return CreateTransparentLabel(args);
    case ControlKind::HyperlinkBox:
      return CreateHyperlinkBox(args);
    case ControlKind::GroupBox:
      return CreateGroupBox(args);
    case ControlKind::ProgressBar:
      return CreateProgressBar(args);
    case ControlKind::BrowserBox:
      return CreateBrowserBox(args);
  }
  return nullptr;
}

// Every control of the table, each placed below the ones before it, so that
// the table's order is the stacking order (first row on top).
bool OnCreate(HWND window, MainWindowState& state) {
  for (const ControlRow& row : kControlTable) {
    ControlArgs args;
    args.parent = row.parent == Control::MainWindow ? window : ControlWindow(state, row.parent);
    args.id = ControlId(row.control);
    args.rect = RECT{row.left, row.top, row.left + row.width, row.top + row.height};
    args.text = row.text;
    args.address = panel::AddressOf(row.control);
    args.options = &state.args.controls;
    const HWND control = CreateControl(row.kind, args);
    if (!control) return false;
    ControlWindow(state, row.control) = control;
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  // The class's icons also as the window's own, which the taskbar and
  // Alt+Tab ask for.
  SendMessageW(window, WM_SETICON, ICON_BIG, GetClassLongPtrW(window, GCLP_HICON));
  SendMessageW(window, WM_SETICON, ICON_SMALL, GetClassLongPtrW(window, GCLP_HICONSM));
  state.created = true;
  return true;
}

void OnClose(HWND window, MainWindowState& state) {
  if (state.args.on_close_query) state.args.on_close_query();
  DestroyWindow(window);
}

// The frame is fixed, so only WriteProperty sizes the window, and it may
// make it anything from 0 to 32627 high: lift the system's limits of the
// screen's height above and the title bar's below.
void OnGetMinMaxInfo(MINMAXINFO& info) {
  info.ptMinTrackSize.y = 0;
  info.ptMaxTrackSize.y = OuterHeight(kMaxWindowHeight);
}

LRESULT OnQueryEndSession(MainWindowState& state) {
  if (state.args.on_close_query) state.args.on_close_query();
  return TRUE;
}

void OnDestroy(MainWindowState& state) {
  if (state.created && state.args.on_destroyed) state.args.on_destroyed();
}

// --- the window operations, on the main thread ---

// The window's rectangle on the screen, the restored one while it is
// minimised; a control's in its parent's client area.
RECT PlaceOf(HWND target, bool is_window) {
  RECT r;
  if (is_window && ReadRestoredPlace(target, &r)) return r;
  GetWindowRect(target, &r);
  if (!is_window) MapWindowPoints(nullptr, GetParent(target), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Left, top, width and height (0..3) of a control, in its parent's client
// area; of the window, on the screen and in layout pixels.
bool ReadPlace(HWND target, bool is_window, int property, int32_t& value) {
  const RECT r = PlaceOf(target, is_window);
  const int width = r.right - r.left, height = r.bottom - r.top;
  switch (property) {
    case property::kLeft:
      value = r.left;
      return true;
    case property::kTop:
      value = r.top;
      return true;
    case property::kWidth:
      value = is_window ? LayoutWidth(width) : width;
      return true;
    case property::kHeight:
      value = is_window ? LayoutHeight(height) : height;
      return true;
  }
  return false;
}

void WritePlace(HWND target, bool is_window, int property, int32_t value) {
  const RECT r = PlaceOf(target, is_window);
  int x = r.left, y = r.top, width = r.right - r.left, height = r.bottom - r.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (property) {
    case property::kLeft:
      x = value;
      flags |= SWP_NOSIZE;
      break;
    case property::kTop:
      y = value;
      flags |= SWP_NOSIZE;
      break;
    case property::kWidth:
      width = is_window ? OuterWidth(value) : value;
      flags |= SWP_NOMOVE;
      break;
    case property::kHeight:
      height = is_window ? OuterHeight(ClampWindowHeight(value)) : value;
      flags |= SWP_NOMOVE;
      break;
  }
  // A minimised window keeps the new place for when the user restores it;
  // sizing it now would only change its icon.
  if (is_window && WriteRestoredPlace(target, RECT{x, y, x + width, y + height})) return;
  SetWindowPos(target, nullptr, x, y, width, height, flags);
}

void WriteWindowTitle(HWND window, const Text& title) {
  SetWindowTextW(window, WideFromText(title).c_str());
}

void CarryOutWrite(HWND target, bool is_window, WindowOpRequest& request) {
  const int property = request.property;
  if (property >= property::kLeft && property <= property::kHeight) {
    if (!request.value.is_text) WritePlace(target, is_window, property, request.value.number);
  } else if (is_window) {
    if (property == property::kCaption) WriteWindowTitle(target, request.value.AsText());
  } else {
    SendMessageW(target, kMsgWriteProperty, static_cast<WPARAM>(property),
                 reinterpret_cast<LPARAM>(&request.value));
  }
}

void CarryOutRead(HWND target, bool is_window, WindowOpRequest& request) {
  const int property = request.property;
  if (ReadPlace(target, is_window, property, request.value.number)) {
    request.answered = true;
  } else if (is_window) {
    if (property != property::kCaption) return;
    request.value.is_text = true;
    request.value.text = TextFromWide(control_base::WindowText(target));
    request.answered = true;
  } else {
    request.answered = SendMessageW(target, kMsgReadProperty, static_cast<WPARAM>(property),
                                    reinterpret_cast<LPARAM>(&request.value)) != FALSE;
  }
}

// 1 above all siblings, 2 below them, 3 top-most, 4 not top-most; the
// window, not being a child, keeps its top-most mark in WS_EX_TOPMOST.
void CarryOutRestack(HWND target, int level) {
  static const HWND kInsertAfter[] = {HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST};
  SetWindowPos(target, kInsertAfter[ClampZOrderLevel(level) - 1], 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OnWindowOp(HWND window, MainWindowState& state, WindowOpRequest& request) {
  const bool is_window = request.control == Control::MainWindow;
  const size_t index = static_cast<size_t>(request.control);
  const HWND target =
      is_window ? window : (index < state.controls.size() ? state.controls[index] : nullptr);
  if (!target) return;
  switch (request.kind) {
    case WindowOpRequest::Kind::Write:
      CarryOutWrite(target, is_window, request);
      break;
    case WindowOpRequest::Kind::Read:
      CarryOutRead(target, is_window, request);
      break;
    case WindowOpRequest::Kind::Restack:
      CarryOutRestack(target, request.level);
      break;
  }
}

// CreateMainWindow passes its owning pointer; from here the window owns the state.
void OnNcCreate(HWND window, const CREATESTRUCTW& create) {
  auto* owner = static_cast<std::unique_ptr<MainWindowState>*>(create.lpCreateParams);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
}

void OnNcDestroy(HWND window, MainWindowState* state) {
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  delete state;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) OnNcCreate(window, *reinterpret_cast<CREATESTRUCTW*>(lparam));
  MainWindowState* state = StateOf(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, *state) ? 0 : -1;
    case WM_CLOSE:
      OnClose(window, *state);
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession(*state);
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_DESTROY:
      OnDestroy(*state);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(window, state);
      break;
    case kMsgWindowOp:
      OnWindowOp(window, *state, *reinterpret_cast<WindowOpRequest*>(lparam));
      return TRUE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// The program's icon (resource 1 of the .exe) in the size of the given
// system metrics; shared, so never destroyed.
HICON ProgramIcon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_SHARED));
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WindowClassArgs args = {kMainWindowClass, MainWindowProc};
  args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  args.icon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
  args.small_icon = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  return RegisterWindowClass(args);
}

}  // namespace

HWND CreateMainWindow(const MainWindowArgs& args) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterMainWindowClass(instance)) return nullptr;
  // Centred on the primary screen for its outer size.
  const int width = OuterWidth(kMainWindowWidth), height = OuterHeight(kMainWindowHeight);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  auto state = std::make_unique<MainWindowState>();
  state->args = args;
  const HWND window =
      CreateWindowExW(kExStyle, kMainWindowClass, WideFromText(kMainWindowTitle).c_str(), kStyle,
                      left, top, width, height, nullptr, nullptr, instance, &state);
  if (!window) return nullptr;
  SetWindowOpsTarget(window);
  const MainWindowState* created = StateOf(window);
  if (created->args.on_created) created->args.on_created();
  return window;
}
