#include "tests/win32/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "host/wide.h"

namespace {

void RemoveTree(const Text& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
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
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
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

Text DosPathFromEnv(const char* name) {
  const char* unix_path = std::getenv(name);
  if (!unix_path) return Text();
  Text dos = Text("Z:") + unix_path;
  for (char& c : dos) {
    if (c == '/') c = '\\';
  }
  return dos;
}

std::string ReadWholeFile(const Text& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HWND WaitForBox(const Text& title, DWORD timeout_ms) {
  const std::wstring wide = WideFromText(title);
  const DWORD start = GetTickCount();
  do {
    HWND box = FindWindowW(L"#32770", wide.c_str());
    if (box && IsWindowVisible(box)) return box;
    Sleep(20);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

Text BoxMessage(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);  // a message box's static text
  if (!text) return Text();
  wchar_t buffer[1024] = {};
  GetWindowTextW(text, buffer, 1024);
  return TextFromWide(buffer);
}

BoxAnswerer::BoxAnswerer(const Text& title, int button)
    : thread_([this, title, button] {
        HWND box = WaitForBox(title);
        if (!box) return;
        message_ = BoxMessage(box);
        answered_ = PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0) != FALSE;
      }) {}

BoxAnswerer::~BoxAnswerer() { thread_.join(); }
