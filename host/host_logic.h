// The pure rules behind the host operations: path splitting, refusals,
// clamps and the mode tables. No Windows header here, so all of it is
// unit-tested natively as well as used by the Win32 layer.
#pragma once

#include <cstdint>

#include "host/text.h"

namespace host_logic {

// Position of the last backslash in text, or npos. Walks forward so that the
// trail byte of a double-byte character is never taken for a backslash;
// is_lead tells which bytes open a double-byte character.
using LeadByteTest = bool (*)(unsigned char);
bool IsHighByte(unsigned char b);  // any byte of 128 or more
size_t FindLastBackslash(const Text& text, LeadByteTest is_lead);

// Everything before the executable's last backslash ("D:\tool.exe" -> "D:").
Text RunDirectoryOf(const Text& module_path, LeadByteTest is_lead);

// DeleteDirectory's refusal: after skipping leading spaces, an empty path, a
// bare drive ("D:") or a drive root ("D:\").
bool IsRefusedFolderPath(const Text& path);
Text SkipLeadingSpaces(const Text& path);

// ReadIniText drops leading bytes 1..32 of the path, section and key.
Text DropLeadingControls(const Text& text);

// "key\path\value" -> key "key\path", value "value"; no backslash: the root
// key itself and a value named by the whole text.
struct RegistryPath {
  Text key;
  Text value;
};
RegistryPath SplitRegistryPath(const Text& path);

// Registry root number (1..5) -> index into the fixed root list; any other
// number means HKEY_CURRENT_USER (3).
int RegistryRoot(int root);

// RunProgram's show modes 1..6 (clamped) to the ShowWindow values.
int ShowValueForMode(int mode);

// OpenFile's tables. Valid() is false for modes outside 1..6 or shares
// outside 1..4; the numbers are the CreateFile flag values.
struct OpenFlags {
  bool valid;
  uint32_t access;
  uint32_t disposition;
  uint32_t share;
};
OpenFlags OpenFlagsFor(int mode, int share);

// ShowMessage: style = flags + MB_TASKMODAL unless MB_SYSTEMMODAL is set;
// the box's result (IDOK..IDNO) mapped to the answer numbers 0..6.
uint32_t MessageStyle(uint32_t flags);
int AnswerForBoxResult(int box_result);

}  // namespace host_logic
