// The shared base of the kinds of control: creation, font, colours, text.
#include "app/controls/control.h"

#include "app/gdi_handles.h"
#include "app/window_class.h"
#include "host/wide.h"

namespace control_base {

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool RegisterControlClass(const wchar_t* class_name, WNDPROC procedure, HCURSOR cursor) {
  // No class brush: each kind paints its whole rectangle itself, or nothing
  // at all where it is transparent.
  return RegisterWindowClass({class_name, procedure, cursor});
}

HWND CreateControlWindow(const wchar_t* class_name, const ControlArgs& args, DWORD style,
                         DWORD ex_style) {
  const RECT& r = args.rect;
  return CreateWindowExW(ex_style, class_name, WideFromText(args.text).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, args.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                         GetModuleHandleW(nullptr), const_cast<ControlArgs*>(&args));
}

const ControlArgs& ArgsOf(LPARAM nccreate_lparam) {
  return *static_cast<const ControlArgs*>(
      reinterpret_cast<const CREATESTRUCTW*>(nccreate_lparam)->lpCreateParams);
}

void DrawOneLine(HDC dc, const RECT& rect, const std::wstring& text, COLORREF colour, UINT format) {
  SelectScope font(dc, GuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT r = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            format | DT_SINGLELINE | DT_VCENTER);
}

std::wstring WindowText(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], n + 1)));
  return text;
}

Text TextOfSetText(LPARAM lparam) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(lparam);
  return text ? TextFromWide(text) : Text();
}

void SetWindowTextRaw(HWND window, const Text& text) {
  DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromText(text).c_str()));
}

}  // namespace control_base
