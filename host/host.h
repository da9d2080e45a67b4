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

// Open files are named by non-zero numbers kept in a process-wide table.
int32_t OpenFile(const Text& path, int mode = 3, int share = 1);
bool SeekToEnd(int32_t file);
bool WriteBytes(int32_t file, const Bytes& bytes);
bool WriteBytes(int32_t file, const Bytes& first, const Bytes& second);
void CloseFile(int32_t file);

Text ReadIniText(const Text& file, const Text& section, const Text& key,
                 const Text& fallback = Text());
Text ReadRegistryText(int root, const Text& path, const Text& fallback = Text());

// With program_path empty the system finds the program named by the command
// line's first word (the caller's folder first, then the current folder, then
// the system folders); with it given, exactly that file is run.
bool RunProgram(const Text& command_line, bool wait = false, int show = 2,
                const Text& program_path = Text());

using ThreadRoutine = unsigned long(HOST_STDCALL*)(void* parameter);
bool StartThread(ThreadRoutine routine, intptr_t parameter = 0, void** handle = nullptr);

extern const char* const kDefaultMessageTitle;  // "信息："
int ShowMessage(const Text& message, uint32_t flags = 0, const Text& title = kDefaultMessageTitle);

// The path of the system folder's program `name` ("C:\windows\system32\expand.exe");
// empty when the system folder cannot be found.
Text SystemProgramPath(const Text& name);
