// Process entry and exit. The run directory is fixed first and the folder's
// one-check lock taken, then MainWindow is created with all its controls
// (creation completed starts the worker), shown, and its messages are run
// until it has been destroyed.
#include <windows.h>

#include <ole2.h>

#include "app/lifecycle.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "host/fatal_exit.h"
#include "host/host.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  InitRunDirectory();
  // Before any window or file: a second start in this folder would share
  // the work folder with the first. The lock is never given back; the
  // system releases it when the process ends.
  const std::wstring exe = OwnExePath();
  const InstanceLock lock(exe);
  if (lock.held_elsewhere()) {
    ShowRunningInstance(exe);
    ExitProcess(0);
  }
  // The shell's open and the panel's embedded browser want an OLE apartment.
  OleInitialize(nullptr);

  MainWindowArgs args;
  args.on_created = OnMainWindowCreated;
  args.on_close_query = OnMainWindowCloseQuery;
  args.on_destroyed = [] { PostQuitMessage(0); };
  const HWND window = CreateMainWindow(args);
  if (!window) FatalExit(L"无法创建程序的窗口，程序将退出。");
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The worker is neither told nor joined: ending the process here stops it
  // wherever it is (in WinInet, in a message box, waiting for expand), and
  // no static state is torn down under its feet as returning would do.
  ExitProcess(0);
}
