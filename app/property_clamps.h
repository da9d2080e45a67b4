// The ranges WriteProperty and SetZOrder bring their values into. Out-of-range
// values are clamped, never refused.
#pragma once

#include <algorithm>
#include <cstdint>

// The window's outer height: 0..32627 (32627, not 32767).
constexpr int32_t kMaxWindowHeight = 32627;
constexpr int32_t ClampWindowHeight(int32_t h) {
  return std::min<int32_t>(std::max<int32_t>(h, 0), kMaxWindowHeight);
}

// A progress position as stored; the bar then shows it within its own range.
constexpr int32_t ClampStoredPosition(int32_t v) {
  return std::min<int32_t>(std::max<int32_t>(v, 0), 32767);
}

// SetZOrder: 1 above all siblings, 2 below them, 3 top-most, 4 not top-most.
constexpr int ClampZOrderLevel(int level) { return std::min(std::max(level, 1), 4); }
