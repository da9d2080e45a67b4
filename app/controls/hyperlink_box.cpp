// Hyperlink box: one line of link text, centred, without ampersand
// processing or underline, on the window's colour. Blue normally, dark red
// once opened, light blue while the mouse is over it. A left button-down
// opens the target through the shell; only targets that IsOpenableLink
// allows are handed over, the others count as a failed click.
//
// Its window text is the text it shows: the caption, or the address when
// the caption is empty.
#include <windows.h>

#include <shellapi.h>
#include <windowsx.h>

#include "app/controls/control.h"
#include "app/gdi_handles.h"
#include "app/link_policy.h"
#include "host/wide.h"

namespace {

using namespace control_base;

const wchar_t kClassName[] = L"TovraHyperlinkBox";
constexpr COLORREF kNormalColour = RGB(0, 0, 255);
constexpr COLORREF kVisitedColour = RGB(128, 0, 0);
constexpr COLORREF kHoverColour = RGB(197, 231, 246);

using property::hyperlink::kEmailLink;
using property::hyperlink::kWebLink;

struct HyperlinkState {
  Text caption;
  int link_kind = kWebLink;
  Text email_address;
  Text web_address;
  bool visited = false;
  bool hover = false;  // the mouse is over the box and the box holds the capture
  LinkOpener open_link;
};

const Text& ShownText(const HyperlinkState& s) {
  if (!s.caption.empty()) return s.caption;
  return s.link_kind == kWebLink ? s.web_address : s.email_address;
}

COLORREF TextColour(const HyperlinkState& s) {
  if (s.hover) return kHoverColour;
  return s.visited ? kVisitedColour : kNormalColour;
}

void PaintContent(HWND window, const HyperlinkState& state, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, BackgroundBrush());
  DrawOneLine(dc, rect, WindowText(window), TextColour(state), DT_CENTER | DT_NOPREFIX);
}

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

// After any change of caption, kind or address: the shown text may be new.
void ShowChanges(HWND window, const HyperlinkState& state) {
  SetWindowTextRaw(window, ShownText(state));
  InvalidateRect(window, nullptr, FALSE);
}

void SetCaption(HWND window, HyperlinkState& state, const Text& caption) {
  state.caption = caption;
  ShowChanges(window, state);
}

void OnMouseMove(HWND window, HyperlinkState& state, POINT point) {
  RECT rect;
  GetClientRect(window, &rect);
  const bool inside = PtInRect(&rect, point) != FALSE;
  if (inside && !state.hover) {
    state.hover = true;
    SetCapture(window);  // so that leaving the box is seen
    Repaint(window);
  } else if (!inside && state.hover) {
    ReleaseCapture();  // WM_CAPTURECHANGED ends the hover
  }
}

void OnCaptureChanged(HWND window, HyperlinkState& state) {
  if (!state.hover) return;
  state.hover = false;
  Repaint(window);
}

void OnLeftButtonDown(HWND window, HyperlinkState& state) {
  const Text target =
      state.link_kind == kWebLink
          ? state.web_address
          : (state.email_address.empty() ? Text() : JoinText("mailto:", state.email_address));
  if (!target.empty() && IsOpenableLink(target) && state.open_link && state.open_link(target)) {
    state.visited = true;
    Repaint(window);
  } else {
    state.visited = false;  // seen at the next repaint
  }
}

BOOL OnWriteProperty(HWND window, HyperlinkState& state, int property, const PropertyValue& value) {
  switch (property) {
    case property::kCaption:
      state.caption = value.AsText();
      break;
    case property::hyperlink::kLinkKind:
      if (value.is_text) return FALSE;
      state.link_kind = value.number == kEmailLink ? kEmailLink : kWebLink;
      break;
    case property::hyperlink::kEmailAddress:
      state.email_address = value.AsText();
      break;
    case property::hyperlink::kWebAddress:
      state.web_address = value.AsText();
      break;
    default:
      return FALSE;
  }
  ShowChanges(window, state);
  return TRUE;
}

BOOL OnReadProperty(const HyperlinkState& state, int property, PropertyValue& value) {
  value.is_text = true;
  switch (property) {
    case property::kCaption:
      value.text = state.caption;
      return TRUE;
    case property::hyperlink::kLinkKind:
      value.is_text = false;
      value.number = state.link_kind;
      return TRUE;
    case property::hyperlink::kEmailAddress:
      value.text = state.email_address;
      return TRUE;
    case property::hyperlink::kWebAddress:
      value.text = state.web_address;
      return TRUE;
  }
  return FALSE;
}

std::unique_ptr<HyperlinkState> MakeState(const ControlArgs& args) {
  auto state = std::make_unique<HyperlinkState>();
  state->caption = args.text;
  state->web_address = args.address;
  state->open_link = args.options ? args.options->open_link : LinkOpener(OpenLinkWithShell);
  return state;
}

LRESULT AnswerOwnMessage(HWND window, HyperlinkState& state, UINT message, WPARAM wparam,
                         LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(window, state, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureChanged(window, state);
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(window, state);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool OpenLinkWithShell(const Text& target) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", WideFromText(target).c_str(), nullptr,
                                         nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

HWND CreateHyperlinkBox(const ControlArgs& args) {
  if (!RegisterControlClass(kClassName, ControlProc<HyperlinkState, MakeState, AnswerOwnMessage>,
                            LoadCursor(nullptr, IDC_HAND))) {
    return nullptr;
  }
  return CreateControlWindow(kClassName, args, 0);
}
