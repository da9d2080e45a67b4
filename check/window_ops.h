// The window operations the check layer needs of MainWindow, declared here
// and carried out by app/ (which owns the window). Callable from any thread:
// off the main thread a call is handed to the main thread and returns once
// it has taken effect; after the window is gone a call does nothing.
#pragma once

#include <cstdint>

#include "host/text.h"

// The window and its controls, in the window's stacking order (top first).
enum class Control {
  MainWindow,
  超级链接框4,
  超级链接框3,
  超级链接框2,
  超级链接框1,
  标签14,
  分组框1,
  标签8,
  标签13,
  透明标签1,
  标签12,
  标签10,
  标签11,
  标签9,
  标签7,
  标签6,
  标签5,
  标签4,
  标签3,
  标签2,
  标签1,
  进度条1,
  超文本浏览框1,  // inside 分组框1
};

// Property numbers, the one place they are named.
namespace property {

// 0..7 mean the same for every kind, the window included. The program uses
// none of 4..7 (tag, visible, disabled, mouse pointer), so the window
// operations pass them over.
constexpr int kLeft = 0;
constexpr int kTop = 1;
constexpr int kWidth = 2;
constexpr int kHeight = 3;  // the outer height, for the window
constexpr int kTag = 4;
constexpr int kVisible = 5;
constexpr int kDisabled = 6;
constexpr int kMousePointer = 7;

// 8 is the caption wherever a kind has one: the window's title, the text of a
// label, a transparent label, a group box or a hyperlink box.
constexpr int kCaption = 8;

// From 9 up each kind numbers its own, so one number means different things
// on different kinds (11 is a hyperlink box's web address and a progress
// bar's minimum).
namespace hyperlink {
constexpr int kLinkKind = 9;  // kEmailLink or kWebLink
constexpr int kEmailAddress = 10;
constexpr int kWebAddress = 11;
constexpr int kEmailLink = 0;
constexpr int kWebLink = 1;
}  // namespace hyperlink

namespace progress {
constexpr int kMinimum = 11;  // read only: the range is fixed
constexpr int kMaximum = 12;  // read only
constexpr int kPosition = 13;
}  // namespace progress

}  // namespace property

void WriteProperty(Control control, int property, int32_t value);
void WriteProperty(Control control, int property, const Text& value);
inline void WriteProperty(Control control, int property, const char* value) {
  WriteProperty(control, property, Text(value ? value : ""));
}
// Text properties as text; number properties as their decimal text.
Text ReadProperty(Control control, int property);
// 1 above all siblings, 2 below them, 3 top-most, 4 not top-most; levels
// below 1 act as 1, above 4 as 4.
void SetZOrder(Control control, int level = 1);
