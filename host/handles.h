// Owning, move-only wrappers for the Win32 handles the host layer, its tests
// and tools open, so that no early return leaks one.
#pragma once

#include <windows.h>

#include <wininet.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;
  UniqueHandle() = default;
  explicit UniqueHandle(Value v) : value_(v) {}
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Value get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  Value release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(Value v = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = v;
  }

 private:
  Value value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // CreateProcess, CreateThread, CreateEvent
  using Value = HANDLE;
  static Value Invalid() { return nullptr; }
  static void Close(Value h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE on failure
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value h) { FindClose(h); }
};
struct RegKeyTraits {
  using Value = HKEY;
  static Value Invalid() { return nullptr; }
  static void Close(Value k) { RegCloseKey(k); }
};
// For tests and tools that link WinInet. The program itself binds WinInet by
// name (host/wininet.cpp) and closes its handles through that binding, so
// that a machine without the library gets a box instead of a failed start.
struct InternetHandleTraits {
  using Value = HINTERNET;
  static Value Invalid() { return nullptr; }
  static void Close(Value h) { InternetCloseHandle(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;
