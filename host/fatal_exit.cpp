// FatalExit (fatal_exit.h): the box and the exit, with nothing allocated.
#include "host/fatal_exit.h"

#include <windows.h>

void FatalExit(const wchar_t* message) {
  MessageBoxW(nullptr, message, L"错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}
