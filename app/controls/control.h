// The kinds of control MainWindow is made of, and what they share: how a
// control is created from its table row, its font and colours, its state
// hung off the HWND, the two private messages through which the window
// operations set and read a control's properties on the main thread, and
// the window procedure of the kinds with a caption. Each kind lives in its
// own file (label.cpp, transparent_label.cpp, hyperlink_box.cpp,
// group_box.cpp, progress_bar.cpp, browser_box.cpp); the caption-only kinds
// share caption_control.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/gdi_handles.h"
#include "check/window_ops.h"
#include "host/text.h"

// Opens an allowed link target; true when the shell reports success.
using LinkOpener = std::function<bool(const Text& target)>;
bool OpenLinkWithShell(const Text& target);

// Settings MainWindow hands to the kinds that need them.
struct ControlOptions {
  LinkOpener open_link = OpenLinkWithShell;  // hyperlink boxes
  // Progress bar: position writes are stored at once but drawn at most once
  // per this many milliseconds; 0 draws on every write.
  int progress_repaint_delay_ms = 40;
};

struct ControlArgs {
  HWND parent = nullptr;
  int id = 0;
  RECT rect = {};  // in the parent's client area
  Text text;       // initial caption
  Text address;    // a hyperlink box's web address, a browser box's page
  const ControlOptions* options = nullptr;
};

HWND CreateLabel(const ControlArgs& args);
HWND CreateTransparentLabel(const ControlArgs& args);
HWND CreateHyperlinkBox(const ControlArgs& args);
HWND CreateGroupBox(const ControlArgs& args);
HWND CreateProgressBar(const ControlArgs& args);
// The thread must be an OLE apartment (OleInitialize) for the box's life.
HWND CreateBrowserBox(const ControlArgs& args);

// A property value on its way into or out of a control.
struct PropertyValue {
  bool is_text = false;
  int32_t number = 0;
  Text text;
  Text AsText() const { return is_text ? text : NumberToText(number); }
};

// Sent (on the main thread) to a control: wParam the property number, lParam
// a PropertyValue* to take the value from (write) or to fill (read). A kind
// returns TRUE for the properties it has and leaves the others alone.
// They lie in the WM_APP range, which no system window class uses: the
// progress bar is the system's own msctls_progress32, subclassed, and the
// WM_USER range is where such classes put their messages (PBM_SETPOS is
// WM_USER + 2), so a private message there could mean something to it.
// WM_APP + 1 is MainWindow's kMsgWindowOp (window_op_request.h).
constexpr UINT kMsgWriteProperty = WM_APP + 2;
constexpr UINT kMsgReadProperty = WM_APP + 3;

namespace control_base {

// Every control of this window: black text on the button face, in the
// system's default GUI font.
HFONT GuiFont();
constexpr COLORREF kTextColour = RGB(0, 0, 0);
inline HBRUSH BackgroundBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

// cursor: the class cursor, the arrow when null.
bool RegisterControlClass(const wchar_t* class_name, WNDPROC procedure, HCURSOR cursor = nullptr);

// Creates a visible child at args.rect with args.text as its window text.
// The kind's WM_NCCREATE finds args in CREATESTRUCT::lpCreateParams.
HWND CreateControlWindow(const wchar_t* class_name, const ControlArgs& args, DWORD style,
                         DWORD ex_style = 0);
const ControlArgs& ArgsOf(LPARAM nccreate_lparam);

// One line of text, vertically centred in rect; format adds the alignment
// and DT_NOPREFIX where wanted.
void DrawOneLine(HDC dc, const RECT& rect, const std::wstring& text, COLORREF colour, UINT format);

std::wstring WindowText(HWND window);
// The text a WM_SETTEXT carries (its lParam may be null), as code page 936.
Text TextOfSetText(LPARAM lparam);
// Sets the window text to the UTF-16 form of text without going through the
// kind's own WM_SETTEXT handling.
void SetWindowTextRaw(HWND window, const Text& text);

// The state of a control, owned by its window from WM_NCCREATE to WM_NCDESTROY.
template <typename State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
template <typename State>
void AttachState(HWND window, std::unique_ptr<State> state) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
}
template <typename State>
void DestroyState(HWND window) {
  delete StateOf<State>(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// WM_ERASEBKGND, WM_PAINT and WM_PRINTCLIENT of a kind that draws all it
// shows in paint(dc): nothing is erased first (the kind fills its whole
// rectangle, or is transparent), and a print draws the same into the given
// DC. True when `message` was one of them, with the answer in *result.
template <typename Paint>
bool AnswerPaintMessage(HWND window, UINT message, WPARAM wparam, const Paint& paint,
                        LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_PAINT: {
      PaintScope scope(window);
      paint(scope.dc());
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      *result = 0;
      return true;
    default:
      return false;
  }
}

// The messages every kind with a caption answers alike: its font, the window
// operations' property requests, a caption set from outside them
// (WM_SETTEXT), painting, and the release of its state. The kind's own
// OnWriteProperty, OnReadProperty, SetCaption and PaintContent for its State
// are found next to it. True when `message` was one of them, with the answer
// in *result.
template <typename State>
bool AnswerSharedMessage(HWND window, State& state, UINT message, WPARAM wparam, LPARAM lparam,
                         LRESULT* result) {
  switch (message) {
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(GuiFont());
      return true;
    case kMsgWriteProperty:
      *result = OnWriteProperty(window, state, static_cast<int>(wparam),
                                *reinterpret_cast<const PropertyValue*>(lparam));
      return true;
    case kMsgReadProperty:
      *result = OnReadProperty(state, static_cast<int>(wparam),
                               *reinterpret_cast<PropertyValue*>(lparam));
      return true;
    case WM_SETTEXT:
      SetCaption(window, state, TextOfSetText(lparam));
      *result = TRUE;
      return true;
    case WM_NCDESTROY:
      DestroyState<State>(window);
      *result = DefWindowProcW(window, message, wparam, lparam);
      return true;
    default:
      return AnswerPaintMessage(
          window, message, wparam, [&](HDC dc) { PaintContent(window, state, dc); }, result);
  }
}

// The window procedure of a kind with a caption (label, transparent label,
// group box, hyperlink box): MakeState makes its State from the ControlArgs
// at WM_NCCREATE, the shared messages are answered alike, and every other
// one goes to the kind's AnswerOwnMessage.
template <typename State, std::unique_ptr<State> (*MakeState)(const ControlArgs&),
          LRESULT (*AnswerOwnMessage)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) AttachState(window, MakeState(ArgsOf(lparam)));
  State* state = StateOf<State>(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT shared = 0;
  if (AnswerSharedMessage(window, *state, message, wparam, lparam, &shared)) return shared;
  return AnswerOwnMessage(window, *state, message, wparam, lparam);
}

}  // namespace control_base
