// The kinds whose one property of their own is the caption: label,
// transparent label and group box. They share their state and their window
// procedure, and differ only in how they paint and in how a new caption, or
// a new place, reaches the screen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/controls/control.h"
#include "host/text.h"

namespace control_base {

struct CaptionState;

struct CaptionKind {
  // Draws the control, its client rectangle and its window text given, for
  // WM_PAINT and WM_PRINTCLIENT alike.
  void (*paint_content)(HDC dc, const RECT& client, const std::wstring& caption);
  // Brings a new caption to the screen; null invalidates the control, to be
  // painted with the next WM_PAINT.
  void (*refresh)(HWND window, CaptionState& state);
  // Whether every move of the control is refreshed too.
  bool refresh_on_move;
};

struct CaptionState {
  const CaptionKind* kind;
  Text caption;  // the bytes written, kept exactly; the window text is their UTF-16 form
  RECT placed;   // in the parent's client area: the table's, then where a refresh left it
};

// Stores the caption, makes it the window text and refreshes.
void SetCaption(HWND window, CaptionState& state, const Text& caption);
BOOL OnWriteProperty(HWND window, CaptionState& state, int property, const PropertyValue& value);
BOOL OnReadProperty(const CaptionState& state, int property, PropertyValue& value);
void PaintContent(HWND window, const CaptionState& state, HDC dc);
// The messages the caption kinds do not share with the hyperlink box: a
// move (WM_WINDOWPOSCHANGED), and the default for the rest.
LRESULT AnswerCaptionMessage(HWND window, CaptionState& state, UINT message, WPARAM wparam,
                             LPARAM lparam);

template <const CaptionKind& Kind>
std::unique_ptr<CaptionState> MakeCaptionState(const ControlArgs& args) {
  return std::make_unique<CaptionState>(CaptionState{&Kind, args.text, args.rect});
}

// The window procedure of the caption kind Kind.
template <const CaptionKind& Kind>
LRESULT CALLBACK CaptionControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlProc<CaptionState, MakeCaptionState<Kind>, AnswerCaptionMessage>(window, message,
                                                                                 wparam, lparam);
}

}  // namespace control_base
