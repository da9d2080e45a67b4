// The system's Internet services: the six WinInet functions the downloader
// calls, bound by name from "Wininet.dll" the first time the downloader asks
// for them, so that a machine without them fails with a clear box instead of
// refusing to load the program at all.
#include <windows.h>

#include <wininet.h>

#include <string>

#include "host/fatal_exit.h"
#include "host/internet.h"

namespace {

[[noreturn]] void FailBinding(const char* library, const char* function) {
  wchar_t message[256];
  if (*function) {
    wsprintfW(message, L"无法载入系统组件 %hs 中的 %hs，程序将退出。", library, function);
  } else {
    wsprintfW(message, L"无法载入系统组件 %hs，程序将退出。", library);
  }
  FatalExit(message);
}

class WinInet final : public Internet {
 public:
  explicit WinInet(const char* library) {
    // Never freed: the worker thread may still be inside a WinInet call
    // while the process shuts down, and unloading the library under it
    // would crash the exit.
    HMODULE module = LoadLibraryA(library);
    if (!module) FailBinding(library, "");
    Bind(module, library, "InternetGetConnectedState", &get_connected_state_);
    Bind(module, library, "InternetOpenA", &open_);
    Bind(module, library, "InternetOpenUrlA", &open_url_);
    Bind(module, library, "HttpQueryInfoA", &query_info_);
    Bind(module, library, "InternetReadFile", &read_file_);
    Bind(module, library, "InternetCloseHandle", &close_handle_);
  }

  bool ConnectedState(uint32_t* flags) override {
    DWORD word = *flags;
    const BOOL ok = get_connected_state_(&word, 0);
    *flags = word;
    return ok != FALSE;
  }

  InternetHandle Open(const Text& agent, uint32_t access_type) override {
    return open_(agent.c_str(), access_type, nullptr, nullptr, 0);
  }

  InternetHandle OpenUrl(InternetHandle internet, const Text& url, const Text& headers,
                         uint32_t flags) override {
    return open_url_(static_cast<HINTERNET>(internet), url.c_str(), headers.c_str(),
                     static_cast<DWORD>(headers.size()), flags, 0);
  }

  bool QueryNumber(InternetHandle request, uint32_t query, uint32_t* number) override {
    DWORD value = 0, size = sizeof value, index = 0;
    if (!query_info_(static_cast<HINTERNET>(request), query, &value, &size, &index)) return false;
    *number = value;
    return true;
  }

  bool QueryText(InternetHandle request, uint32_t query, Text* text) override {
    // Header values are short; one retry with the size WinInet asks for
    // covers a longer one.
    std::string buffer(256, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      DWORD size = static_cast<DWORD>(buffer.size()), index = 0;
      if (query_info_(static_cast<HINTERNET>(request), query, &buffer[0], &size, &index)) {
        buffer.resize(size);
        *text = buffer;
        return true;
      }
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return false;
      buffer.assign(size, '\0');
    }
    return false;
  }

  bool Read(InternetHandle request, void* buffer, uint32_t size, uint32_t* read) override {
    DWORD count = 0;
    const BOOL ok = read_file_(static_cast<HINTERNET>(request), buffer, size, &count);
    *read = count;
    return ok != FALSE;
  }

  void Close(InternetHandle handle) override { close_handle_(static_cast<HINTERNET>(handle)); }

 private:
  template <typename Function>
  static void Bind(HMODULE module, const char* library, const char* name, Function* slot) {
    FARPROC address = GetProcAddress(module, name);
    if (!address) FailBinding(library, name);
    *slot = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  }

  decltype(&::InternetGetConnectedState) get_connected_state_ = nullptr;
  decltype(&::InternetOpenA) open_ = nullptr;
  decltype(&::InternetOpenUrlA) open_url_ = nullptr;
  decltype(&::HttpQueryInfoA) query_info_ = nullptr;
  decltype(&::InternetReadFile) read_file_ = nullptr;
  decltype(&::InternetCloseHandle) close_handle_ = nullptr;
};

}  // namespace

Internet& SystemInternet() {
  static WinInet internet("Wininet.dll");
  return internet;
}
