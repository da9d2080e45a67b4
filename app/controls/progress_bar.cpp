// Progress bar: the system's standard bar (msctls_progress32), continuous,
// range 0..10000, with a thin sunken edge, subclassed for two things.
//
// Cheap position writes. The downloader writes a position after every
// 10 KB chunk from the worker thread, and the standard bar repaints on every
// PBM_SETPOS. The subclass stores the position at once (PBM_GETPOS answers
// it as soon as the write returns) but hands it to the bar at most once per
// repaint delay, on a timer, so a write costs the thread switch and not a
// repaint.
//
// The status text above it. The transparent label over the bar is painted
// after the bar whenever both are repainted, but when the bar repaints on
// its own it covers the letters; so after each paint the bar has the
// transparent siblings above it redraw their text over just the pixels it
// has repainted (redrawing more would draw the anti-aliased letters over
// themselves and make them bolder each time).
#include <windows.h>

#include <commctrl.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"
#include "app/property_clamps.h"

namespace {

using namespace control_base;

constexpr int kRangeMaximum = 10000;
constexpr UINT_PTR kRepaintTimer = 1;

struct ProgressBarState {
  WNDPROC standard = nullptr;  // the bar's own window procedure
  int repaint_delay_ms = 0;
  int32_t stored = 0;        // the position as written (0..32767)
  bool has_pending = false;  // a position the bar has not been given yet
  int pending = 0;
  bool timer_armed = false;
};

LRESULT CallStandard(HWND bar, const ProgressBarState& state, UINT message, WPARAM wparam,
                     LPARAM lparam) {
  return CallWindowProcW(state.standard, bar, message, wparam, lparam);
}

// The position brought into the bar's range, as the bar itself would.
int InRange(HWND bar, const ProgressBarState& state, int position) {
  const int low = static_cast<int>(CallStandard(bar, state, PBM_GETRANGE, TRUE, 0));
  const int high = static_cast<int>(CallStandard(bar, state, PBM_GETRANGE, FALSE, 0));
  return position < low ? low : (position > high ? high : position);
}

void GivePending(HWND bar, ProgressBarState& state) {
  if (!state.has_pending) return;
  state.has_pending = false;
  CallStandard(bar, state, PBM_SETPOS, static_cast<WPARAM>(state.pending), 0);
}

LRESULT OnSetPosition(HWND bar, ProgressBarState& state, WPARAM position) {
  if (state.repaint_delay_ms <= 0) return CallStandard(bar, state, PBM_SETPOS, position, 0);
  const LRESULT previous =
      state.has_pending ? state.pending : CallStandard(bar, state, PBM_GETPOS, 0, 0);
  state.pending = InRange(bar, state, static_cast<int>(position));
  state.has_pending = true;
  if (!state.timer_armed) {
    state.timer_armed =
        SetTimer(bar, kRepaintTimer, static_cast<UINT>(state.repaint_delay_ms), nullptr) != 0;
    if (!state.timer_armed) GivePending(bar, state);  // no timer: draw now rather than never
  }
  return previous;
}

void OnRepaintTimer(HWND bar, ProgressBarState& state) {
  KillTimer(bar, kRepaintTimer);
  state.timer_armed = false;
  GivePending(bar, state);
}

// Has every transparent sibling above the bar redraw its text over the part
// of the bar it has just repainted (region, in the bar's client area).
void RestoreTextAbove(HWND bar, HRGN region) {
  RECT bar_rect;
  GetWindowRect(bar, &bar_rect);
  for (HWND above = GetWindow(bar, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (!(GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
    if (!IsWindowVisible(above)) continue;
    RECT above_rect, overlap;
    GetWindowRect(above, &above_rect);
    if (!IntersectRect(&overlap, &bar_rect, &above_rect)) continue;
    UniqueGdiObject part(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(static_cast<HRGN>(part.get()), region, nullptr, RGN_COPY);
    POINT origin = {0, 0};  // the bar's client origin in the sibling's client area
    MapWindowPoints(bar, above, &origin, 1);
    OffsetRgn(static_cast<HRGN>(part.get()), origin.x, origin.y);
    RedrawWindow(above, nullptr, static_cast<HRGN>(part.get()), RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

LRESULT OnPaint(HWND bar, ProgressBarState& state, WPARAM wparam, LPARAM lparam) {
  UniqueGdiObject repainted(CreateRectRgn(0, 0, 0, 0));
  const bool any = GetUpdateRgn(bar, static_cast<HRGN>(repainted.get()), FALSE) > NULLREGION;
  const LRESULT result = CallStandard(bar, state, WM_PAINT, wparam, lparam);
  if (any) RestoreTextAbove(bar, static_cast<HRGN>(repainted.get()));
  return result;
}

BOOL OnWriteProperty(HWND bar, ProgressBarState& state, int property, const PropertyValue& value) {
  if (property != property::progress::kPosition || value.is_text) return FALSE;
  state.stored = ClampStoredPosition(value.number);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(state.stored), 0);
  return TRUE;
}

BOOL OnReadProperty(HWND bar, ProgressBarState& state, int property, PropertyValue& value) {
  value.is_text = false;
  switch (property) {
    case property::progress::kMinimum:
      value.number = static_cast<int32_t>(CallStandard(bar, state, PBM_GETRANGE, TRUE, 0));
      return TRUE;
    case property::progress::kMaximum:
      value.number = static_cast<int32_t>(CallStandard(bar, state, PBM_GETRANGE, FALSE, 0));
      return TRUE;
    case property::progress::kPosition:
      value.number = state.stored;
      return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
  ProgressBarState* state = StateOf<ProgressBarState>(bar);
  switch (message) {
    case PBM_SETPOS:
      return OnSetPosition(bar, *state, wparam);
    case PBM_GETPOS:
      return state->has_pending ? state->pending : CallStandard(bar, *state, message, 0, 0);
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      GivePending(bar, *state);  // these work from the current position
      break;
    case WM_TIMER:
      if (wparam != kRepaintTimer) break;
      OnRepaintTimer(bar, *state);
      return 0;
    case WM_PAINT:
      return OnPaint(bar, *state, wparam, lparam);
    case kMsgWriteProperty:
      return OnWriteProperty(bar, *state, static_cast<int>(wparam),
                             *reinterpret_cast<const PropertyValue*>(lparam));
    case kMsgReadProperty:
      return OnReadProperty(bar, *state, static_cast<int>(wparam),
                            *reinterpret_cast<PropertyValue*>(lparam));
    case WM_NCDESTROY: {
      const WNDPROC standard = state->standard;
      SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standard));
      DestroyState<ProgressBarState>(bar);
      return CallWindowProcW(standard, bar, message, wparam, lparam);
    }
  }
  return CallStandard(bar, *state, message, wparam, lparam);
}

}  // namespace

HWND CreateProgressBar(const ControlArgs& args) {
  INITCOMMONCONTROLSEX init = {};
  init.dwSize = sizeof init;
  init.dwICC = ICC_PROGRESS_CLASS;
  if (!InitCommonControlsEx(&init)) return nullptr;
  const HWND bar = CreateControlWindow(PROGRESS_CLASSW, args, PBS_SMOOTH, WS_EX_STATICEDGE);
  if (!bar) return nullptr;
  auto state = std::make_unique<ProgressBarState>();
  state->standard = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(bar, GWLP_WNDPROC));
  state->repaint_delay_ms = args.options ? args.options->progress_repaint_delay_ms : 0;
  AttachState(bar, std::move(state));
  SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProgressBarProc));
  SendMessageW(bar, PBM_SETRANGE32, 0, kRangeMaximum);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  return bar;
}
