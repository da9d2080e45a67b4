// Running out of memory is fatal: every Text and Bytes value allocates
// through operator new, so one replacement covers them all. The box names
// the byte count; the process then ends with exit code -1.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "host/fatal_exit.h"

namespace {

[[noreturn]] void FailAllocation(std::size_t size) {
  // The count in decimal, built by hand: nothing here may allocate, and
  // wsprintf has no conversion for a 64-bit size.
  wchar_t digits[24];
  wchar_t* first = digits + 23;
  *first = L'\0';
  do {
    *--first = static_cast<wchar_t>(L'0' + size % 10);
    size /= 10;
  } while (size != 0);
  wchar_t message[128];
  wsprintfW(message, L"内存不足，无法分配 %s 字节。", first);
  FatalExit(message);
}

void* Allocate(std::size_t size) {
  void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!p) FailAllocation(size);
  return p;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p, std::size_t) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
