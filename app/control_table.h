// MainWindow's controls as data: name, kind, rectangle and initial text,
// listed in stacking order among siblings (top first); a control inside
// another comes after its holder. The window creates every control from
// this table; the probe tool names the controls it finds from it. No
// Windows header, so tools and tests on any side can share it.
#pragma once

#include "check/window_ops.h"
#include "host/text.h"

enum class ControlKind { Label, TransparentLabel, HyperlinkBox, GroupBox, ProgressBar, BrowserBox };

struct ControlRow {
  Control control;
  const char* name;  // code page 936, as the control is called
  ControlKind kind;
  int left, top, width, height;  // in the parent's client area
  const char* text;              // initial caption
  // The window that holds the control: MainWindow, or a control created from
  // an earlier row (the panel's browser box sits inside 分组框1).
  Control parent = Control::MainWindow;
};

constexpr int kControlRowCount = 22;
extern const ControlRow kControlTable[kControlRowCount];

// The row of a control, or nullptr (MainWindow itself, or a control that is
// not created from the table).
const ControlRow* FindControlRow(Control control);

// Every child control's window id is its Control value, so anything that
// finds a child window can tell which control it is.
inline int ControlId(Control control) { return static_cast<int>(control); }

// MainWindow's window class, by which tools find it with its title.
extern const wchar_t kMainWindowClass[];

// The window, its title and its size when it opens (outer pixels, as under
// a 19-pixel caption and a 3-pixel fixed frame).
extern const char* const kMainWindowTitle;
constexpr int kMainWindowWidth = 499;
constexpr int kMainWindowHeight = 65;
