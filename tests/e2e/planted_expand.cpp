// Stands in for a malicious expand.exe planted beside the tool: it only
// leaves a mark in its own folder, which the tool must never cause.
#include <windows.h>

int main() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (slash) lstrcpyA(slash + 1, "planted-expand-ran.txt");
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return 0;
}
