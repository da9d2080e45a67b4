// The caption kinds' shared handlers (caption_control.h): the caption
// property, its refresh, painting through the kind, and moves.
#include "app/controls/caption_control.h"

namespace control_base {

namespace {

void Refresh(HWND window, CaptionState& state) {
  if (state.kind->refresh) {
    state.kind->refresh(window, state);
  } else {
    InvalidateRect(window, nullptr, FALSE);
  }
}

}  // namespace

void SetCaption(HWND window, CaptionState& state, const Text& caption) {
  state.caption = caption;
  SetWindowTextRaw(window, caption);
  Refresh(window, state);
}

BOOL OnWriteProperty(HWND window, CaptionState& state, int property, const PropertyValue& value) {
  if (property != property::kCaption) return FALSE;
  SetCaption(window, state, value.AsText());
  return TRUE;
}

BOOL OnReadProperty(const CaptionState& state, int property, PropertyValue& value) {
  if (property != property::kCaption) return FALSE;
  value.is_text = true;
  value.text = state.caption;
  return TRUE;
}

void PaintContent(HWND window, const CaptionState& state, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  state.kind->paint_content(dc, client, WindowText(window));
}

LRESULT AnswerCaptionMessage(HWND window, CaptionState& state, UINT message, WPARAM wparam,
                             LPARAM lparam) {
  if (message == WM_WINDOWPOSCHANGED && state.kind->refresh_on_move &&
      !(reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_NOMOVE)) {
    Refresh(window, state);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace control_base
