// Code page 936 <-> UTF-16 conversion for what reaches the screen (wide.h).
#include "host/wide.h"

#include <windows.h>

namespace {
constexpr UINT kCodePage = 936;
}

std::wstring WideFromText(const Text& text) {
  if (text.empty()) return std::wstring();
  const int n =
      MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  }
  return wide;
}

Text TextFromWide(const std::wstring& wide) {
  if (wide.empty()) return Text();
  const int n = WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  Text text(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
  }
  return text;
}
