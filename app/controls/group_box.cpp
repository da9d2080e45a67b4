// Group box: the standard etched frame along the control's edges, with an
// optional caption set into its top edge, on the window's colour. It is a
// real container: controls created inside it are its children and are
// clipped to it (the panel's browser box is one).
//
// It paints its own interior, unlike the system's group-box button, so that
// MainWindow can clip its children (WS_CLIPCHILDREN) without leaving the
// inside of the frame unpainted.
#include <windows.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraGroupBox";

void PaintContent(HWND window, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, BackgroundBrush());
  const std::wstring caption = WindowText(window);
  SelectScope font(dc, GuiFont());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  RECT frame = rect;
  if (!caption.empty()) frame.top += metrics.tmHeight / 2;  // the edge runs through the caption
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  SIZE extent = {};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  RECT text = {8, 0, 8 + extent.cx + 4, metrics.tmHeight};
  FillRect(dc, &text, BackgroundBrush());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  TextOutW(dc, text.left + 2, 0, caption.c_str(), static_cast<int>(caption.size()));
}

void OnPaint(HWND window) {
  PaintScope paint(window);
  PaintContent(window, paint.dc());
}

LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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

HWND CreateGroupBox(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, GroupBoxProc)) return nullptr;
  return CreateControlWindow(kClassName, args, WS_CLIPCHILDREN);
}
