// Files and folders: existence, size, rename, deletion, and the table of
// files opened by number. Everything rests on the ANSI (code page 936) calls.
#include <windows.h>

#include <map>
#include <vector>

#include "host/handles.h"
#include "host/host.h"
#include "host/host_logic.h"

namespace {

bool FindFirst(const Text& path, WIN32_FIND_DATAA* data) {
  if (path.empty()) return false;
  UniqueFindHandle find(FindFirstFileA(path.c_str(), data));
  return static_cast<bool>(find);
}

bool IsDotName(const char* name) { return name[0] == '.'; }

// Empties `folder`: lists first, then deletes, so the walk never sees its own
// changes. A reparse point (link or junction) is removed as an entry and
// never followed, so nothing outside the folder is touched.
void EmptyFolder(const Text& folder) {
  struct Entry {
    Text path;
    DWORD attributes;
  };
  std::vector<Entry> entries;
  WIN32_FIND_DATAA data;
  {
    UniqueFindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &data));
    if (!find) return;
    do {
      if (!IsDotName(data.cFileName)) {
        entries.push_back({folder + "\\" + data.cFileName, data.dwFileAttributes});
      }
    } while (FindNextFileA(find.get(), &data));
  }
  for (const Entry& e : entries) {
    const bool is_folder = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool is_link = (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (is_folder) {
      if (!is_link) EmptyFolder(e.path);
      RemoveDirectoryA(e.path.c_str());
    } else {
      DeleteFileA(e.path.c_str());
    }
  }
}

// The files OpenFile handed out; only the worker thread uses it.
std::map<int32_t, HANDLE>& OpenFileTable() {
  static std::map<int32_t, HANDLE> table;
  return table;
}
int32_t g_last_file_number = 0;

HANDLE LookUp(int32_t file) {
  auto& table = OpenFileTable();
  const auto it = table.find(file);
  return it == table.end() ? INVALID_HANDLE_VALUE : it->second;
}

}  // namespace

bool FileExists(const Text& path) {
  WIN32_FIND_DATAA data;
  return FindFirst(path, &data);
}

int32_t GetFileSize(const Text& path) {
  WIN32_FIND_DATAA data;
  if (!FindFirst(path, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return static_cast<int32_t>(data.nFileSizeLow);
}

bool MoveFile(const Text& source, const Text& target) {
  if (MoveFileA(source.c_str(), target.c_str())) return true;
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) return false;
  DeleteFileA(source.c_str());
  return true;
}

bool DeleteFile(const Text& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool CreateDirectory(const Text& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool DeleteDirectory(const Text& path) {
  if (host_logic::IsRefusedFolderPath(path)) return false;
  const Text folder = host_logic::SkipLeadingSpaces(path);
  EmptyFolder(folder);
  return RemoveDirectoryA(folder.c_str()) != FALSE;
}

int32_t OpenFile(const Text& path, int mode, int share) {
  const host_logic::OpenFlags flags = host_logic::OpenFlagsFor(mode, share);
  if (path.empty() || !flags.valid) return 0;
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE h = CreateFileA(path.c_str(), flags.access, flags.share, &inheritable, flags.disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  auto& table = OpenFileTable();
  do {
    ++g_last_file_number;
  } while (g_last_file_number == 0 || table.count(g_last_file_number) != 0);
  table[g_last_file_number] = h;
  return g_last_file_number;
}

bool SeekToEnd(int32_t file) {
  const HANDLE h = LookUp(file);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER zero = {};
  return SetFilePointerEx(h, zero, nullptr, FILE_END) != FALSE;
}

namespace {

bool WriteAll(int32_t file, std::initializer_list<const Bytes*> parts) {
  const HANDLE h = LookUp(file);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER zero = {}, start = {};
  if (!SetFilePointerEx(h, zero, &start, FILE_CURRENT)) return false;
  for (const Bytes* part : parts) {
    if (part->empty()) continue;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, part->data(), static_cast<DWORD>(part->size()), &written, nullptr);
    if (!ok || written != part->size()) {
      SetFilePointerEx(h, start, nullptr, FILE_BEGIN);
      return false;
    }
  }
  return true;
}

}  // namespace

bool WriteBytes(int32_t file, const Bytes& bytes) { return WriteAll(file, {&bytes}); }

bool WriteBytes(int32_t file, const Bytes& first, const Bytes& second) {
  return WriteAll(file, {&first, &second});
}

void CloseFile(int32_t file) {
  auto& table = OpenFileTable();
  const auto it = table.find(file);
  if (it == table.end()) return;
  const HANDLE h = it->second;
  table.erase(it);
  CloseHandle(h);
}
