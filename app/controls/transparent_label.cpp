// Transparent label: a label without a background of its own. It draws only
// its text (one line, left-aligned, vertically centred, ampersand processing)
// over whatever lies beneath it, which is the progress bar here.
//
// WS_EX_TRANSPARENT keeps it out of its siblings' clipping and has it painted
// after them, so the bar and the window's background show around the
// letters. Since it cannot erase, every change first has the window repaint
// the area beneath it (background, then the overlapped controls from the
// lowest up) and only then draws the new text, so no trace of an old text
// remains. The bar hands the text back the pixels it repaints on its own
// (progress_bar.cpp).
#include <windows.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraTransparentLabel";

struct TransparentLabelState {
  Text caption;  // the bytes written, kept exactly; the window text is their UTF-16 form
  RECT placed;   // where the text was last drawn, in the parent's client area
};

void PaintContent(HWND window, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  DrawOneLine(dc, rect, WindowText(window), kTextColour, DT_LEFT);
}

void OnPaint(HWND window) {
  PaintScope paint(window);
  PaintContent(window, paint.dc());
}

// Repaints the window beneath the label's rectangle, then the label: the
// label is one of the parent's children in that rectangle, and being
// transparent it is painted after the ones beneath it. After a move the old
// place is repainted too, since nothing else covers the text left there.
void Refresh(HWND window, TransparentLabelState& state) {
  const HWND parent = GetParent(window);
  const UINT flags = RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW;
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  if (!EqualRect(&rect, &state.placed)) RedrawWindow(parent, &state.placed, nullptr, flags);
  state.placed = rect;
  RedrawWindow(parent, &rect, nullptr, flags);
  UpdateWindow(window);
}

void SetCaption(HWND window, TransparentLabelState& state, const Text& caption) {
  state.caption = caption;
  SetWindowTextRaw(window, caption);
  Refresh(window, state);
}

BOOL OnWriteProperty(HWND window, TransparentLabelState& state, int property,
                     const PropertyValue& value) {
  if (property != property::kCaption) return FALSE;
  SetCaption(window, state, value.AsText());
  return TRUE;
}

BOOL OnReadProperty(const TransparentLabelState& state, int property, PropertyValue& value) {
  if (property != property::kCaption) return FALSE;
  value.is_text = true;
  value.text = state.caption;
  return TRUE;
}

LRESULT CALLBACK TransparentLabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const ControlArgs& args = ArgsOf(lparam);
    AttachState(window, std::make_unique<TransparentLabelState>(
                            TransparentLabelState{args.text, args.rect}));
  }
  TransparentLabelState* state = StateOf<TransparentLabelState>(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT shared = 0;
  if (AnswerSharedMessage(window, *state, message, wparam, lparam, &shared)) return shared;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // nothing of its own to erase
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT:  // from outside the window operations
      SetCaption(window, *state, TextOfSetText(lparam));
      return TRUE;
    case WM_WINDOWPOSCHANGED:
      if (!(reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_NOMOVE))
        Refresh(window, *state);
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateTransparentLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, TransparentLabelProc)) return nullptr;
  return CreateControlWindow(kClassName, args, 0, WS_EX_TRANSPARENT);
}
