// The host operations: the one way the rest of the program reaches files,
// folders, INI files, the registry, processes, threads, the tick clock and
// message boxes. Failures come back as values (false, 0, -1, an empty text),
// never as exceptions. Declared without any Windows header so that the check
// layer stays free of it.
#pragma once

#include <cstdint>

#include "host/text.h"

// The Win32 headers make DeleteFile, MoveFile and CreateDirectory macros for
// their A/W forms. These operations carry the same names, so a file that
// needs both includes <windows.h> first and this header after it.
#undef DeleteFile
#undef MoveFile
#undef CreateDirectory

#if defined(_WIN32)
#define HOST_STDCALL __stdcall
#else
#define HOST_STDCALL
#endif

// Run directory: fixed once by InitRunDirectory at start-up, before any
// window exists, and made the current directory.
void InitRunDirectory();
Text GetRunDirectory();

int32_t GetTickMs();

bool FileExists(const Text& path);
int32_t GetFileSize(const Text& path);
bool MoveFile(const Text& source, const Text& target);
bool DeleteFile(const Text& path);
bool CreateDirectory(const Text& path);
bool DeleteDirectory(const Text& path);

// OpenFile's modes: the access asked for, and what an existing or a missing
// file comes to. The position starts at the beginning in every mode.
namespace open_mode {
enum OpenMode : int {
  kRead = 1,                     // the file must exist
  kWrite = 2,                    // the file must exist
  kReadWrite = 3,                // the file must exist
  kRewrite = 4,                  // write; created, or emptied when it exists
  kWriteKeepingContent = 5,      // write; created when missing, its content kept
  kReadWriteKeepingContent = 6,  // read and write; created when missing, content kept
};
}  // namespace open_mode

// OpenFile's share modes: what others may do with the file while it is open.
// None lets them delete or rename it.
namespace share_mode {
enum ShareMode : int {
  kReadWrite = 1,  // others may read and write
  kWriteOnly = 2,  // others may write, not read
  kReadOnly = 3,   // others may read, not write
  kNone = 4,       // others may do neither
};
}  // namespace share_mode

// Open files are named by non-zero numbers kept in a process-wide table.
// The parameters stay plain numbers: a mode or share outside the tables
// opens nothing (0).
int32_t OpenFile(const Text& path, int mode = open_mode::kReadWrite,
                 int share = share_mode::kReadWrite);
bool SeekToEnd(int32_t file);
bool WriteBytes(int32_t file, const Bytes& bytes);
bool WriteBytes(int32_t file, const Bytes& first, const Bytes& second);
void CloseFile(int32_t file);

Text ReadIniText(const Text& file, const Text& section, const Text& key,
                 const Text& fallback = Text());
// ReadRegistryText's roots; any other number reads HKEY_CURRENT_USER.
namespace registry_root {
enum RegistryRoot : int {
  kClassesRoot = 1,
  kCurrentConfig = 2,
  kCurrentUser = 3,
  kLocalMachine = 4,
  kUsers = 5,
};
}  // namespace registry_root

Text ReadRegistryText(int root, const Text& path, const Text& fallback = Text());

// RunProgram's show modes for the started program's window; a number below
// 1 counts as kHidden, one above 6 as kMinimizedNotActivated.
namespace show_mode {
enum ShowMode : int {
  kHidden = 1,
  kNormal = 2,
  kMinimized = 3,
  kMaximized = 4,
  kNormalNotActivated = 5,
  kMinimizedNotActivated = 6,
};
}  // namespace show_mode

// With program_path empty the system finds the program named by the command
// line's first word (the caller's folder first, then the current folder, then
// the system folders); with it given, exactly that file is run.
bool RunProgram(const Text& command_line, bool wait = false, int show = show_mode::kNormal,
                const Text& program_path = Text());

using ThreadRoutine = unsigned long(HOST_STDCALL*)(void* parameter);
bool StartThread(ThreadRoutine routine, intptr_t parameter = 0, void** handle = nullptr);

// ShowMessage's flags are the message box's style bits; these are the ones
// the program asks for.
namespace message_flags {
enum MessageFlags : uint32_t {
  kOk = 0,     // one OK button, no icon
  kYesNo = 4,  // Yes and No buttons
  kIconQuestion = 32,
  kYesNoQuestion = kYesNo | kIconQuestion,  // 36
};
}  // namespace message_flags

// ShowMessage's answers: the button that closed the box. A box that could
// not be shown answers kOk too.
namespace box_answer {
enum BoxAnswer : int {
  kOk = 0,
  kCancel = 1,
  kAbort = 2,
  kRetry = 3,
  kIgnore = 4,
  kYes = 5,
  kNo = 6,
};
}  // namespace box_answer

extern const char* const kDefaultMessageTitle;  // "信息："
int ShowMessage(const Text& message, uint32_t flags = message_flags::kOk,
                const Text& title = kDefaultMessageTitle);

// The path of the system folder's program `name` ("C:\windows\system32\expand.exe");
// empty when the system folder cannot be found.
Text SystemProgramPath(const Text& name);
