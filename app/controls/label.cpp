// Label: a static text on one line, left-aligned and vertically centred,
// that fills its whole rectangle with the window's colour first. Ampersand
// processing as for any Windows label: "&B" underlines B, "&&" shows "&".
#include <windows.h>

#include "app/controls/caption_control.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraLabel";

void PaintContent(HDC dc, const RECT& client, const std::wstring& caption) {
  FillRect(dc, &client, BackgroundBrush());
  DrawOneLine(dc, client, caption, kTextColour, DT_LEFT);
}

// A new caption is painted with the next WM_PAINT, like any window's.
const CaptionKind kLabel = {PaintContent, nullptr, false};

}  // namespace

HWND CreateLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, CaptionControlProc<kLabel>)) return nullptr;
  return CreateControlWindow(kClassName, args, 0);
}
