// One check per program folder: copies started from the same folder share
// its work folder, so only the first runs; a later one brings the first's
// window to the front and ends. Copies in other folders run side by side.
#pragma once

#include <windows.h>

#include <string>

#include "host/handles.h"

// The lock's name for a program file: "Local\" (this session) and a hash of
// its folder as the file system compares it (long names, upper case), so
// that the name holds no backslash and stays short.
std::wstring InstanceLockName(const std::wstring& exe_path);

// The named mutex of the running program's folder, taken for as long as
// this object lives; the program keeps it to its exit.
class InstanceLock {
 public:
  explicit InstanceLock(const std::wstring& exe_path);
  // Another process already holds the lock of this folder.
  bool held_elsewhere() const { return held_elsewhere_; }

 private:
  UniqueKernelHandle mutex_;
  bool held_elsewhere_ = false;
};

// The running program's own file ("C:\Tools\TovraUpdateCheck.exe").
std::wstring OwnExePath();

// Brings the window of another process running from exe_path's folder to
// the front, restoring it when it is minimised. Nothing happens when there
// is none (yet).
void ShowRunningInstance(const std::wstring& exe_path);
