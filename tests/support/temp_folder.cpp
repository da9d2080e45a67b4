// Temporary folders and whole files for the Windows tests.
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "host/handles.h"

namespace {

void RemoveTree(const Text& path) {
  WIN32_FIND_DATAA data;
  UniqueFindHandle find(FindFirstFileA((path + "\\*").c_str(), &data));
  if (find) {
    do {
      const Text name = data.cFileName;
      if (name == "." || name == "..") continue;
      const Text child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find.get(), &data));
  }
  find.reset();  // a folder is removed only once nothing holds it open
  RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const char* tag) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = Text(temp) + "tovra-test-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteWholeFile(const Text& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string ReadWholeFile(const Text& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
