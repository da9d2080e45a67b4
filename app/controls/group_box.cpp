// Group box: the standard etched frame along the control's edges, with an
// optional caption set into its top edge, on the window's colour. It is a
// real container: controls created inside it are its children and are
// clipped to it (the panel's browser box is one).
//
// It paints its own interior, unlike the system's group-box button, so that
// MainWindow can clip its children (WS_CLIPCHILDREN) without leaving the
// inside of the frame unpainted.
#include <windows.h>

#include "app/controls/caption_control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraGroupBox";

void PaintContent(HDC dc, const RECT& client, const std::wstring& caption) {
  FillRect(dc, &client, BackgroundBrush());
  SelectScope font(dc, GuiFont());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  RECT frame = client;
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

const CaptionKind kGroupBox = {PaintContent, nullptr, false};

}  // namespace

HWND CreateGroupBox(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, CaptionControlProc<kGroupBox>)) return nullptr;
  return CreateControlWindow(kClassName, args, WS_CLIPCHILDREN);
}
