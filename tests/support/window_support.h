// Windows as the tests drive them: message pumping while another thread
// works, MainWindow's controls found through the control table, screen
// captures with colour checks, and real mouse input.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "check/window_ops.h"

// Runs the window's messages on this thread for ms milliseconds.
void PumpFor(DWORD ms);

// Runs work on a thread of its own while this thread keeps pumping messages,
// as the main thread does while the worker uses the window operations.
void RunOnWorker(const std::function<void()>& work);

// A control's window in MainWindow, inside the control that holds it if the
// table names one (window ids are Control values); nullptr when missing.
// Works on another process's window too.
HWND ControlWindow(HWND main_window, Control control);

// A control's or window's rectangle on the screen.
RECT ScreenRect(HWND window);
// A control's rectangle in the client area of the window that holds it, as
// the control table gives it.
RECT PlaceInHolder(HWND control);

// Pixels copied from the screen (what the user sees), row by row.
class ScreenImage {
 public:
  static ScreenImage Capture(const RECT& screen_rect);
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // Pixels within tolerance (largest channel difference) of colour.
  int CountNear(COLORREF colour, int tolerance) const;
  // Columns holding at least one pixel that differs from background by more
  // than tolerance: the horizontal extent of what is drawn there.
  struct Span {
    int first = -1, last = -1;
    int width() const { return first < 0 ? 0 : last - first + 1; }
  };
  Span InkColumns(COLORREF background, int tolerance) const;
  bool operator==(const ScreenImage& other) const;
  bool operator!=(const ScreenImage& other) const { return !(*this == other); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

int ColourDistance(COLORREF a, COLORREF b);

// Real mouse input through the system (SendInput), in screen pixels.
void MoveMouseTo(POINT screen_point);
void ClickAt(POINT screen_point);
POINT CentreOf(const RECT& rect);
