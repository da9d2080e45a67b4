// A stand-in for the system's cabinet extraction command, for Wine prefixes
// only (Wine's own expand.exe ignores -f:). It honours exactly
//
//   expand <cabinet> -f:<member> <folder>
//
// and writes the member <member> of <cabinet> to <folder>\<member> through
// the cabinet API (FDI in cabinet.dll). Exit code 0 when the member was
// written, 1 otherwise. Not part of what ships for Windows.
#include <fcntl.h>
#include <fdi.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// What one extraction asks for, and whether it was done. FDICopy hands it
// to Notify with every notification (pfdin->pv).
struct Extraction {
  std::string member;
  std::string folder;
  bool written = false;
};

FNALLOC(Alloc) { return HeapAlloc(GetProcessHeap(), 0, cb); }
FNFREE(Free) { HeapFree(GetProcessHeap(), 0, pv); }

FNOPEN(Open) {
  const bool write = (oflag & (_O_WRONLY | _O_RDWR)) != 0;
  HANDLE h = CreateFileA(pszFile, write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                         (oflag & _O_CREAT) ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  (void)pmode;
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
}
FNREAD(Read) {
  DWORD n = 0;
  return ReadFile(reinterpret_cast<HANDLE>(hf), pv, cb, &n, nullptr) ? n : static_cast<UINT>(-1);
}
FNWRITE(Write) {
  DWORD n = 0;
  return WriteFile(reinterpret_cast<HANDLE>(hf), pv, cb, &n, nullptr) ? n : static_cast<UINT>(-1);
}
FNCLOSE(Close) { return CloseHandle(reinterpret_cast<HANDLE>(hf)) ? 0 : -1; }
FNSEEK(Seek) {
  return static_cast<LONG>(SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, seektype));
}

FNFDINOTIFY(Notify) {
  Extraction& extraction = *static_cast<Extraction*>(pfdin->pv);
  switch (fdint) {
    case fdintCOPY_FILE: {
      if (lstrcmpiA(pfdin->psz1, extraction.member.c_str()) != 0) return 0;  // skip other members
      const std::string target = extraction.folder + "\\" + extraction.member;
      HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
    }
    case fdintCLOSE_FILE_INFO:
      CloseHandle(reinterpret_cast<HANDLE>(pfdin->hf));
      extraction.written = true;
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || _strnicmp(argv[2], "-f:", 3) != 0) {
    std::fprintf(stderr, "usage: expand <cabinet> -f:<member> <folder>\n");
    return 1;
  }
  const std::string cabinet = argv[1];
  Extraction extraction;
  extraction.member = argv[2] + 3;
  extraction.folder = argv[3];
  while (!extraction.folder.empty() && extraction.folder.back() == '\\') {
    extraction.folder.pop_back();
  }

  const size_t slash = cabinet.find_last_of("\\/");
  const std::string cab_folder = slash == std::string::npos ? "" : cabinet.substr(0, slash + 1);
  const std::string cab_name = slash == std::string::npos ? cabinet : cabinet.substr(slash + 1);

  ERF error = {};
  HFDI fdi = FDICreate(Alloc, Free, Open, Read, Write, Close, Seek, cpuUNKNOWN, &error);
  if (!fdi) return 1;
  const BOOL ok = FDICopy(fdi, const_cast<char*>(cab_name.c_str()),
                          const_cast<char*>(cab_folder.c_str()), 0, Notify, nullptr, &extraction);
  FDIDestroy(fdi);
  return ok && extraction.written ? 0 : 1;
}
