// The floors of tools/bench-startup.sh (not shipped): a minimal Win32 window
// of the tool's size, shown and run until closed; built with BENCH_BROWSER it
// first creates the WebBrowser control and activates it in place inside a
// child window, as the tool must before it shows its window.
#include <windows.h>

#if defined(BENCH_BROWSER)
#include <ole2.h>

#include <memory>

#include "app/embedded_browser.h"
#endif

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW floor = {};
  floor.lpfnWndProc = FloorProc;
  floor.hInstance = instance;
  floor.hCursor = LoadCursor(nullptr, IDC_ARROW);
  floor.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  floor.lpszClassName = L"BenchFloorWindow";
  RegisterClassW(&floor);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - 499) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - 65) / 2;
  const HWND window =
      CreateWindowExW(WS_EX_APPWINDOW, L"BenchFloorWindow", L"bench",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      left, top, 499, 65, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#if defined(BENCH_BROWSER)
  OleInitialize(nullptr);
  const HWND area = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                    8, 234, 216, 136, window, nullptr, instance, nullptr);
  std::unique_ptr<EmbeddedBrowser> browser = EmbeddedBrowser::Create(area);
  if (!browser) return 1;
#endif
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
