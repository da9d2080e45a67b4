// Label: a static text on one line, left-aligned and vertically centred,
// that fills its whole rectangle with the window's colour first. Ampersand
// processing as for any Windows label: "&B" underlines B, "&&" shows "&".
#include <windows.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraLabel";

struct LabelState {
  Text caption;  // the bytes written, kept exactly; the window text is their UTF-16 form
};

void PaintContent(HWND window, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, BackgroundBrush());
  DrawOneLine(dc, rect, WindowText(window), kTextColour, DT_LEFT);
}

void OnPaint(HWND window) {
  PaintScope paint(window);
  PaintContent(window, paint.dc());
}

void SetCaption(HWND window, LabelState& state, const Text& caption) {
  state.caption = caption;
  SetWindowTextRaw(window, caption);
  InvalidateRect(window, nullptr, FALSE);
}

BOOL OnWriteProperty(HWND window, LabelState& state, int property, const PropertyValue& value) {
  if (property != 8) return FALSE;
  SetCaption(window, state, value.AsText());
  return TRUE;
}

BOOL OnReadProperty(const LabelState& state, int property, PropertyValue& value) {
  if (property != 8) return FALSE;
  value.is_text = true;
  value.text = state.caption;
  return TRUE;
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    AttachState(window, std::make_unique<LabelState>(LabelState{ArgsOf(lparam).text}));
  }
  LabelState* state = StateOf<LabelState>(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // PaintContent fills the whole rectangle
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT:  // from outside the window operations
      SetCaption(window, *state, TextOfSetText(lparam));
      return TRUE;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GuiFont());
    case kMsgWriteProperty:
      return OnWriteProperty(window, *state, static_cast<int>(wparam),
                             *reinterpret_cast<const PropertyValue*>(lparam));
    case kMsgReadProperty:
      return OnReadProperty(*state, static_cast<int>(wparam),
                            *reinterpret_cast<PropertyValue*>(lparam));
    case WM_NCDESTROY:
      DestroyState<LabelState>(window);
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, LabelProc)) return nullptr;
  return CreateControlWindow(kClassName, args, 0);
}
