// Label: a static text on one line, left-aligned and vertically centred,
// that fills its whole rectangle with the window's colour first. Ampersand
// processing as for any Windows label: "&B" underlines B, "&&" shows "&".
#include <windows.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraLabel";

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

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT:  // from outside the window operations
      SetCaption(window, *state, TextOfSetText(lparam));
      return TRUE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, LabelProc)) return nullptr;
  return CreateControlWindow(kClassName, args, 0);
}
