// RegisterWindowClass (window_class.h).
#include "app/window_class.h"

bool RegisterWindowClass(const WindowClassArgs& args) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, args.name, &existing)) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = args.procedure;
  wc.hInstance = instance;
  wc.hIcon = args.icon;
  wc.hIconSm = args.small_icon;
  wc.hCursor = args.cursor ? args.cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = args.background;
  wc.lpszClassName = args.name;
  return RegisterClassExW(&wc) != 0;
}
