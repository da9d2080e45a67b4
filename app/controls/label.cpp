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

}  // namespace

HWND CreateLabel(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, CaptionControlProc<PaintContent>)) return nullptr;
  return CreateControlWindow(kClassName, args, 0);
}
