// Windows paths of the Linux side, and folders of files, for the tests.
#include "tests/support/path_support.h"

#include <windows.h>

#include <cstdlib>

#include "host/host_logic.h"

namespace {
bool IsAnsiLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }
}  // namespace

Text WindowsPath(const char* path) {
  Text windows = path[0] == '/' ? JoinText("Z:", path) : Text(path);
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

Text WindowsPathFromEnv(const char* name) {
  const char* linux_path = std::getenv(name);
  return linux_path ? WindowsPath(linux_path) : Text();
}

Text FolderOf(const Text& path) { return host_logic::RunDirectoryOf(path, IsAnsiLeadByte); }

Text BesideThisProgram(const Text& name) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  return FolderOf(module) + "\\" + name;
}
