// Timing program for tools/bench-download.sh (not shipped, not a test).
//
//   bench_download bare    URL OUT   a plain WinInet loop: 10240-byte reads,
//                                    each written to OUT
//   bench_download naive   URL OUT   the same loop on a worker thread, with one
//                                    synchronous PBM_SETPOS per chunk to a
//                                    standard progress bar of the main thread
//   bench_download window  URL OUT   DownloadPackage on a worker thread with
//                                    ProgressCallback and the real MainWindow,
//                                    as the program runs it (only when built
//                                    with the app library)
//   bench_download package URL OUT   DownloadPackage with a progress routine
//                                    that does nothing (no window)
//
// Exit code 2 for a mode this build does not have.
// Prints "<seconds> <bytes>" for the transfer alone, without process start.
#include <windows.h>

#include <commctrl.h>
#include <wininet.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "check/download.h"
#include "host/handles.h"

#if defined(BENCH_WITH_MAIN_WINDOW)
#include <ole2.h>

#include "app/main_window.h"
#include "check/progress.h"
#endif

namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The bare loop; `per_chunk` runs after each write with the bytes so far
// and the content length. Returns the bytes written, or -1.
template <typename PerChunk>
long long ReadLoop(const char* url, const char* out, PerChunk per_chunk) {
  UniqueInternetHandle internet(
      InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY, nullptr, nullptr, 0));
  if (!internet) return -1;
  UniqueInternetHandle request(InternetOpenUrlA(
      internet.get(), url, nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return -1;
  UniqueFileHandle file(
      CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return -1;
  DWORD length = 0, size = sizeof length, index = 0;
  HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size,
                 &index);
  static char buffer[10240];
  long long total = 0;
  for (;;) {
    DWORD n = 0;
    if (!InternetReadFile(request.get(), buffer, sizeof buffer, &n)) return -1;
    if (n == 0) return total;
    DWORD written = 0;
    if (!WriteFile(file.get(), buffer, n, &written, nullptr) || written != n) return -1;
    total += n;
    per_chunk(total, length);
  }
}

struct NaiveRun {
  const char* url;
  const char* out;
  HWND window;
  HWND bar;
  long long bytes;
};

// Starts the worker, runs this thread's messages until the worker's window
// is closed, then waits for the worker to end.
void RunWorkerWithMessages(LPTHREAD_START_ROUTINE routine, void* run) {
  UniqueKernelHandle worker(CreateThread(nullptr, 0, routine, run, 0, nullptr));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  WaitForSingleObject(worker.get(), INFINITE);
}

DWORD WINAPI NaiveWorker(void* parameter) {
  auto* run = static_cast<NaiveRun*>(parameter);
  run->bytes = ReadLoop(run->url, run->out, [run](long long total, DWORD length) {
    const long long position = length ? total * 10000 / length : 0;
    SendMessageW(run->bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  });
  PostMessageW(run->window, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

long long Naive(const char* url, const char* out) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  WNDCLASSW frame = {};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = GetModuleHandleW(nullptr);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = L"BenchFrame";
  RegisterClassW(&frame);
  NaiveRun run = {url, out, nullptr, nullptr, -1};
  run.window = CreateWindowExW(0, L"BenchFrame", L"bench", WS_OVERLAPPEDWINDOW, 100, 100, 499, 65,
                               nullptr, nullptr, frame.hInstance, nullptr);
  run.bar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 4, 4, 480, 20,
                            run.window, nullptr, frame.hInstance, nullptr);
  SendMessageW(run.bar, PBM_SETRANGE32, 0, 10000);
  ShowWindow(run.window, SW_SHOW);
  UpdateWindow(run.window);
  RunWorkerWithMessages(NaiveWorker, &run);
  return run.bytes;
}

#if defined(BENCH_WITH_MAIN_WINDOW)
struct WindowRun {
  const char* url;
  const char* out;
  HWND window;
  long long bytes;
};

DWORD WINAPI WindowWorker(void* parameter) {
  auto* run = static_cast<WindowRun*>(parameter);
  if (DownloadPackage(run->url, run->out, ProgressCallback, 0, false) == 0) {
    run->bytes = GetFileSize(run->out);
  }
  PostMessageW(run->window, WM_CLOSE, 0, 0);
  return 0;
}

// The window is made and shown before the clock starts; the worker is
// started afterwards, so that it knows the window it closes at the end.
long long WithMainWindow(const char* url, const char* out, double* start) {
  OleInitialize(nullptr);
  MainWindowArgs args;
  args.on_destroyed = [] { PostQuitMessage(0); };
  WindowRun run = {url, out, CreateMainWindow(args), -1};
  if (!run.window) return -1;
  ShowWindow(run.window, SW_SHOW);
  UpdateWindow(run.window);
  *start = Seconds();
  RunWorkerWithMessages(WindowWorker, &run);
  return run.bytes;
}
#endif

int32_t HOST_STDCALL IgnoreProgress(int32_t, int32_t, int32_t, int32_t) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const char* mode = argv[1];
  const char* url = argv[2];
  const char* out = argv[3];
  double start = Seconds();
  long long bytes = -1;
  if (std::strcmp(mode, "bare") == 0) {
    bytes = ReadLoop(url, out, [](long long, DWORD) {});
  } else if (std::strcmp(mode, "naive") == 0) {
    bytes = Naive(url, out);
#if defined(BENCH_WITH_MAIN_WINDOW)
  } else if (std::strcmp(mode, "window") == 0) {
    bytes = WithMainWindow(url, out, &start);
#endif
  } else if (std::strcmp(mode, "package") == 0) {
    if (DownloadPackage(url, out, IgnoreProgress, 0, false) == 0) bytes = GetFileSize(out);
  } else {
    return 2;
  }
  std::printf("%.3f %lld\n", Seconds() - start, bytes);
  return bytes < 0 ? 1 : 0;
}
