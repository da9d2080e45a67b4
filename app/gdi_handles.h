// Owning wrappers for the window and GDI resources the app and its tests
// hold, in the style of host/handles.h. A plain HWND is a non-owning view;
// UniqueWindow is the one that destroys.
#pragma once

#include <windows.h>

#include "host/handles.h"

struct WindowTraits {
  using Value = HWND;
  static Value Invalid() { return nullptr; }
  static void Close(Value w) { DestroyWindow(w); }
};
struct GdiObjectTraits {  // bitmaps, brushes, fonts, regions we created
  using Value = HGDIOBJ;
  static Value Invalid() { return nullptr; }
  static void Close(Value o) { DeleteObject(o); }
};
struct MemoryDcTraits {  // CreateCompatibleDC
  using Value = HDC;
  static Value Invalid() { return nullptr; }
  static void Close(Value dc) { DeleteDC(dc); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// BeginPaint .. EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  PAINTSTRUCT paint_;
};

// GetDC .. ReleaseDC; a null window gives the screen's DC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// SelectObject that puts the previous object back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectScope() { SelectObject(dc_, previous_); }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
