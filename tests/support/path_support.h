// Paths across the sandbox: the Linux paths the build compiles in and the
// scripts put in the environment, as Wine's Z: drive shows them; and the
// folders of the files a test starts or places.
#pragma once

#include "host/text.h"

// "Z:\path" for a Linux path ("/path"); a Windows path as it is.
Text WindowsPath(const char* path);

// The Windows path of the Linux path in this environment variable; empty
// when the variable is not set.
Text WindowsPathFromEnv(const char* name);

// Everything before the path's last backslash ("C:\tools\a.exe" -> "C:\tools"),
// which is never the second byte of a double-byte character.
Text FolderOf(const Text& path);

// A file in this test program's own folder: a helper program built beside it.
Text BesideThisProgram(const Text& name);
