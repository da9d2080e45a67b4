// Browser box: a white area holding the system's embedded web browser,
// sized to fill it. At creation it is set up in a fixed order (offline off,
// silent off, medium text) and sent to its address, so the page starts
// loading while the window is still hidden; nothing waits for the page.
//
// The area owns the browser: it is taken down when the area is destroyed,
// while the browser's own windows, children of the area, still exist.
#include <windows.h>

#include "app/controls/control.h"
#include "app/embedded_browser.h"
#include "app/gdi_handles.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraBrowserBox";
constexpr int kMediumTextSize = 2;

struct BrowserBoxState {
  std::unique_ptr<EmbeddedBrowser> browser;
};

// Shows where the browser does not cover the area, or before it paints.
void PaintContent(HWND window, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

// false when the browser cannot be created, which fails the window's creation.
bool OnCreate(HWND window, BrowserBoxState& state, const ControlArgs& args) {
  state.browser = EmbeddedBrowser::Create(window);
  if (!state.browser) return false;
  state.browser->SetOffline(false);
  state.browser->SetSilent(false);
  // Wine's browser refuses the zoom command (E_UNEXPECTED); the page then
  // keeps the browser's own text size, so the failure is not the box's.
  state.browser->SetTextSize(kMediumTextSize);
  if (!args.address.empty()) state.browser->Navigate(args.address);
  return true;
}

LRESULT CALLBACK BrowserBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) AttachState(window, std::make_unique<BrowserBoxState>());
  BrowserBoxState* state = StateOf<BrowserBoxState>(window);
  if (!state) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT painted = 0;
  const auto paint = [window](HDC dc) { PaintContent(window, dc); };
  if (AnswerPaintMessage(window, message, wparam, paint, &painted)) return painted;
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, *state, ArgsOf(lparam)) ? 0 : -1;
    case WM_DESTROY:
      state->browser.reset();
      return 0;
    case WM_NCDESTROY:
      DestroyState<BrowserBoxState>(window);
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateBrowserBox(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, BrowserBoxProc)) return nullptr;
  return CreateControlWindow(kClassName, args, WS_CLIPCHILDREN);
}
