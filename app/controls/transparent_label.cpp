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

#include "app/controls/caption_control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraTransparentLabel";

void PaintContent(HDC dc, const RECT& client, const std::wstring& caption) {
  DrawOneLine(dc, client, caption, kTextColour, DT_LEFT);
}

// Repaints the window beneath the label's rectangle, then the label: the
// label is one of the parent's children in that rectangle, and being
// transparent it is painted after the ones beneath it. After a move the old
// place (state.placed) is repainted too, since nothing else covers the text
// left there.
void Refresh(HWND window, CaptionState& state) {
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

// Refreshed when the caption changes and whenever it moves.
const CaptionKind kTransparentLabel = {PaintContent, Refresh, true};

}  // namespace

HWND CreateTransparentLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, CaptionControlProc<kTransparentLabel>)) return nullptr;
  return CreateControlWindow(kClassName, args, 0, WS_EX_TRANSPARENT);
}
