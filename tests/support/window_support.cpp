// Message pumping, control lookup, screen captures and mouse input for the
// window tests.
#include "tests/support/window_support.h"

#include <cstdlib>

#include "app/control_table.h"
#include "app/gdi_handles.h"
#include "host/handles.h"

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG message;
  do {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

void RunOnWorker(const std::function<void()>& work) {
  struct Thread {
    static DWORD WINAPI Run(void* work) {
      (*static_cast<const std::function<void()>*>(work))();
      return 0;
    }
  };
  UniqueKernelHandle thread(CreateThread(nullptr, 0, &Thread::Run,
                                         const_cast<std::function<void()>*>(&work), 0, nullptr));
  if (!thread) return;
  const HANDLE handle = thread.get();
  MSG message;
  // Messages the worker sends are handled inside MsgWaitForMultipleObjects
  // and PeekMessage; the loop ends when the thread does.
  while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

HWND ControlWindow(HWND main_window, Control control) {
  const ControlRow* row = FindControlRow(control);
  const HWND holder = row && row->parent != Control::MainWindow
                          ? ControlWindow(main_window, row->parent)
                          : main_window;
  return holder ? GetDlgItem(holder, ControlId(control)) : nullptr;
}

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

RECT PlaceInHolder(HWND control) {
  RECT r = ScreenRect(control);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

ScreenImage ScreenImage::Capture(const RECT& screen_rect) {
  ScreenImage image;
  image.width_ = screen_rect.right - screen_rect.left;
  image.height_ = screen_rect.bottom - screen_rect.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width_;
  info.bmiHeader.biHeight = -image.height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    SelectScope select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, image.width_, image.height_, screen.get(), screen_rect.left,
           screen_rect.top, SRCCOPY);
    GdiFlush();
  }
  const DWORD* source = static_cast<const DWORD*>(bits);
  image.pixels_.resize(static_cast<size_t>(image.width_) * image.height_);
  for (size_t i = 0; i < image.pixels_.size(); ++i) {
    const DWORD bgr = source[i];  // 0x00RRGGBB in memory order B, G, R
    image.pixels_[i] = RGB((bgr >> 16) & 0xff, (bgr >> 8) & 0xff, bgr & 0xff);
  }
  return image;
}

int ColourDistance(COLORREF a, COLORREF b) {
  const int dr = abs(GetRValue(a) - GetRValue(b));
  const int dg = abs(GetGValue(a) - GetGValue(b));
  const int db = abs(GetBValue(a) - GetBValue(b));
  return dr > dg ? (dr > db ? dr : db) : (dg > db ? dg : db);
}

int ScreenImage::CountNear(COLORREF colour, int tolerance) const {
  int n = 0;
  for (COLORREF p : pixels_) n += ColourDistance(p, colour) <= tolerance;
  return n;
}

ScreenImage::Span ScreenImage::InkColumns(COLORREF background, int tolerance) const {
  Span span;
  for (int x = 0; x < width_; ++x) {
    for (int y = 0; y < height_; ++y) {
      if (ColourDistance(At(x, y), background) > tolerance) {
        if (span.first < 0) span.first = x;
        span.last = x;
        break;
      }
    }
  }
  return span;
}

bool ScreenImage::operator==(const ScreenImage& other) const {
  return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

namespace {

void SendMouse(POINT point, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  input.mi.dx = static_cast<LONG>((point.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((point.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouseTo(POINT screen_point) {
  SendMouse(screen_point, 0);
  PumpFor(50);
}

void ClickAt(POINT screen_point) {
  MoveMouseTo(screen_point);
  SendMouse(screen_point, MOUSEEVENTF_LEFTDOWN);
  SendMouse(screen_point, MOUSEEVENTF_LEFTUP);
  PumpFor(50);
}

POINT CentreOf(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
