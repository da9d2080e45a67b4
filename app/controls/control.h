// The kinds of control MainWindow is made of, and what they share: how a
// control is created from its table row, its font and colours, its state
// hung off the HWND, and the two private messages through which the window
// operations set and read a control's properties on the main thread.
// Each kind lives in its own file (label.cpp, transparent_label.cpp,
// hyperlink_box.cpp, group_box.cpp, progress_bar.cpp, browser_box.cpp).
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

// The state of a kind whose one property of its own is its caption:
// the bytes written, kept exactly; the window text is their UTF-16 form.
struct CaptionState {
  Text caption;
};
// Stores the caption, makes it the window text and repaints.
void SetCaption(HWND window, CaptionState& state, const Text& caption);
BOOL OnWriteProperty(HWND window, CaptionState& state, int property, const PropertyValue& value);
BOOL OnReadProperty(const CaptionState& state, int property, PropertyValue& value);

// The messages every kind with a caption answers alike: its font, the
// window operations' property requests (handed to the kind's own
// OnWriteProperty and OnReadProperty for its State, found next to it), and
// the release of its state. True when `message` was one of them, with the
// answer in *result.
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
    case WM_NCDESTROY:
      DestroyState<State>(window);
      *result = DefWindowProcW(window, message, wparam, lparam);
      return true;
    default:
      return false;
  }
}

// The window procedure of a kind that keeps only its caption and paints its
// whole rectangle itself (label, group box); PaintContent draws it, for
// WM_PAINT and WM_PRINTCLIENT alike.
template <void (*PaintContent)(HWND, HDC)>
LRESULT CALLBACK CaptionControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    AttachState(window, std::make_unique<CaptionState>(CaptionState{ArgsOf(lparam).text}));
  }
  CaptionState* state = StateOf<CaptionState>(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT shared = 0;
  if (AnswerSharedMessage(window, *state, message, wparam, lparam, &shared)) return shared;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // PaintContent fills the whole rectangle
    case WM_PAINT: {
      PaintScope paint(window);
      PaintContent(window, paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT:  // from outside the window operations
      SetCaption(window, *state, TextOfSetText(lparam));
      return TRUE;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace control_base
