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

// Property numbers: 0..7 mean the same for every kind; 8 up belong to the kind.
namespace property {
constexpr int kLeft = 0;
constexpr int kTop = 1;
constexpr int kWidth = 2;
constexpr int kHeight = 3;
constexpr int kCaption = 8;      // the title, for the window
constexpr int kWebAddress = 11;  // hyperlink box
constexpr int kPosition = 13;    // progress bar
}  // namespace property

void WriteProperty(Control control, int property, int32_t value);
void WriteProperty(Control control, int property, const Text& value);
inline void WriteProperty(Control control, int property, const char* value) {
  WriteProperty(control, property, Text(value ? value : ""));
}
// Captions (8) as text; number properties as their decimal text.
Text ReadProperty(Control control, int property);
// 1 above all siblings, 2 below them, 3 top-most, 4 not top-most; levels
// below 1 act as 1, above 4 as 4.
void SetZOrder(Control control, int level = 1);
