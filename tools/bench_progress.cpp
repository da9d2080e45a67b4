// The timing program of tools/bench-progress.sh (not shipped): how long the
// worker's progress writes take, the way the downloader makes them (one
// WriteProperty of the bar's position per chunk, from the worker thread,
// handed over to the main thread), with the bar's repaint on every write and
// with repaints coalesced, against the bare thread switch.
//
//   bench_progress [writes] [runs]      (defaults 5000 and 3)
//
// Prints one line per way: the median time of the writes in milliseconds
// and per write in microseconds.
#include <windows.h>

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/gdi_handles.h"
#include "app/main_window.h"
#include "check/window_ops.h"

namespace {

struct Run {
  HWND window;
  int writes;
  bool bare;  // only the thread switch: WM_NULL instead of the write
  double ms;
};

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

DWORD WINAPI Writer(void* parameter) {
  Run& run = *static_cast<Run*>(parameter);
  const double start = Now();
  for (int i = 0; i < run.writes; ++i) {
    if (run.bare) {
      SendMessageW(run.window, WM_NULL, 0, 0);
    } else {
      WriteProperty(Control::进度条1, property::progress::kPosition, (i * 10000) / run.writes);
    }
  }
  run.ms = Now() - start;
  return 0;
}

// One timed pass on a fresh window, the main thread pumping meanwhile.
double TimeWrites(int repaint_delay_ms, bool bare, int writes) {
  MainWindowArgs args;
  args.controls.progress_repaint_delay_ms = repaint_delay_ms;
  UniqueWindow window(CreateMainWindow(args));
  if (!window) return -1;
  ShowWindow(window.get(), SW_SHOWNORMAL);
  UpdateWindow(window.get());
  Run run = {window.get(), writes, bare, 0};
  UniqueKernelHandle thread(CreateThread(nullptr, 0, Writer, &run, 0, nullptr));
  const HANDLE handle = thread.get();
  MSG message;
  while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return run.ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int writes = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  // MainWindow's browser box needs an OLE apartment, as in the program.
  OleInitialize(nullptr);
  const struct {
    const char* name;
    int delay_ms;
    bool bare;
  } ways[] = {
      {"thread switch alone (SendMessage WM_NULL)", 40, true},
      {"WriteProperty, bar repainted on every write", 0, false},
      {"WriteProperty, repaints coalesced (40 ms)", 40, false},
  };
  std::vector<std::vector<double>> times(3);
  for (int r = 0; r < runs; ++r) {  // interleaved, so that drift hits every way alike
    for (size_t w = 0; w < 3; ++w)
      times[w].push_back(TimeWrites(ways[w].delay_ms, ways[w].bare, writes));
  }
  std::printf("%d cross-thread position writes, median of %d runs:\n", writes, runs);
  for (size_t w = 0; w < 3; ++w) {
    std::sort(times[w].begin(), times[w].end());
    const double ms = times[w][times[w].size() / 2];
    std::printf("  %-46s %8.1f ms  %6.1f us/write\n", ways[w].name, ms, 1000.0 * ms / writes);
  }
  return 0;
}
