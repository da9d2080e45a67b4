// Text and Bytes: the two value types every layer passes around.
//
// Text is a byte string in code page 936 (GBK). An absent text and an empty
// text are the same value, so std::string's empty state stands for both.
// Bytes is a counted byte array; it carries the downloaded chunks.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using Text = std::string;
using Bytes = std::vector<unsigned char>;

inline size_t TextLength(const Text& t) { return t.size(); }
inline size_t TextLength(const char* t) { return t ? std::strlen(t) : 0; }
inline void AppendText(Text& out, const Text& t) { out += t; }
inline void AppendText(Text& out, const char* t) {
  if (t) out += t;
}

// The given texts one after another, in one allocation; an absent (null or
// empty) text adds nothing. Always returns storage, even for empty parts.
template <typename... Parts>
Text JoinText(const Parts&... parts) {
  static_assert(sizeof...(Parts) > 0, "JoinText needs at least one text");
  Text joined;
  joined.reserve((size_t{0} + ... + TextLength(parts)));
  (AppendText(joined, parts), ...);
  return joined;
}

// Byte-wise comparison of two texts, each byte taken unsigned: -1, 0 or 1.
// A text that is the beginning of another is the smaller one.
int CompareText(const Text& a, const Text& b);

// The "%d" form of a 32-bit signed number: an optional minus sign and digits.
Text NumberToText(int32_t value);
