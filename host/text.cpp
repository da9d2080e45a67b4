// Text's byte-wise comparison and the decimal form of a number (text.h).
#include "host/text.h"

int CompareText(const Text& a, const Text& b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text NumberToText(int32_t value) {
  // Widen first so that the most negative number has a positive magnitude.
  int64_t magnitude = value;
  const bool negative = magnitude < 0;
  if (negative) magnitude = -magnitude;
  char digits[16];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  Text out;
  if (negative) out += '-';
  while (n > 0) out += digits[--n];
  return out;
}
