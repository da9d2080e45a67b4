// A minimised window's restored rectangle, read and written through its
// window placement (restored_place.h).
#include "app/restored_place.h"

namespace {

// The restored rectangle is kept in workspace coordinates, which start at
// the corner of the monitor's work area (beside a taskbar on the left or at
// the top) instead of the monitor's.
POINT WorkspaceOrigin(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    return POINT{0, 0};
  }
  return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

bool IsRestorable(HWND window) { return IsIconic(window) || IsZoomed(window); }

}  // namespace

bool ReadRestoredPlace(HWND window, RECT* screen_rect) {
  if (!IsRestorable(window)) return false;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return false;
  *screen_rect = placement.rcNormalPosition;
  const POINT origin = WorkspaceOrigin(window);
  OffsetRect(screen_rect, origin.x, origin.y);
  return true;
}

bool WriteRestoredPlace(HWND window, const RECT& screen_rect) {
  if (!IsRestorable(window)) return false;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return false;
  placement.rcNormalPosition = screen_rect;
  const POINT origin = WorkspaceOrigin(window);
  OffsetRect(&placement.rcNormalPosition, -origin.x, -origin.y);
  // The state it is in, without the activation SW_SHOWMINIMIZED and
  // SW_SHOWMAXIMIZED would bring.
  placement.showCmd = IsIconic(window) ? SW_SHOWMINNOACTIVE : SW_SHOWNA;
  placement.flags &= ~WPF_SETMINPOSITION;
  return SetWindowPlacement(window, &placement) != FALSE;
}
