#include "host/host_logic.h"

namespace host_logic {

bool IsHighByte(unsigned char b) { return b >= 0x80; }

size_t FindLastBackslash(const Text& text, LeadByteTest is_lead) {
  size_t found = Text::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == '\\') {
      found = i;
    } else if (is_lead(b)) {
      ++i;  // the trail byte may be 0x5C and is not a separator
    }
  }
  return found;
}

Text RunDirectoryOf(const Text& module_path, LeadByteTest is_lead) {
  const size_t slash = FindLastBackslash(module_path, is_lead);
  return slash == Text::npos ? Text() : module_path.substr(0, slash);
}

Text SkipLeadingSpaces(const Text& path) {
  const size_t first = path.find_first_not_of(' ');
  return first == Text::npos ? Text() : path.substr(first);
}

bool IsRefusedFolderPath(const Text& path) {
  const Text p = SkipLeadingSpaces(path);
  if (p.empty()) return true;
  if (p.size() >= 2 && p[1] == ':') {
    if (p.size() == 2) return true;
    if (p.size() == 3 && p[2] == '\\') return true;
  }
  return false;
}

Text DropLeadingControls(const Text& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 1 || b > 32) break;
    ++i;
  }
  return text.substr(i);
}

RegistryPath SplitRegistryPath(const Text& path) {
  const size_t slash = FindLastBackslash(path, IsHighByte);
  if (slash == Text::npos) return {Text(), path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

int RegistryRoot(int root) { return root >= 1 && root <= 5 ? root : 3; }

int ShowValueForMode(int mode) {
  static const int kShow[] = {0, 1, 2, 3, 4, 6};  // SW_HIDE .. SW_MINIMIZE
  if (mode < 1) mode = 1;
  if (mode > 6) mode = 6;
  return kShow[mode - 1];
}

OpenFlags OpenFlagsFor(int mode, int share) {
  constexpr uint32_t kRead = 0x80000000u, kWrite = 0x40000000u;
  constexpr uint32_t kOpenExisting = 3, kCreateAlways = 2, kOpenAlways = 4;
  struct ModeRow {
    uint32_t access, disposition;
  };
  static const ModeRow kModes[] = {
      {kRead, kOpenExisting},  {kWrite, kOpenExisting}, {kRead | kWrite, kOpenExisting},
      {kWrite, kCreateAlways}, {kWrite, kOpenAlways},   {kRead | kWrite, kOpenAlways},
  };
  constexpr uint32_t kShareRead = 1, kShareWrite = 2;
  static const uint32_t kShares[] = {kShareRead | kShareWrite, kShareWrite, kShareRead, 0};
  if (mode < 1 || mode > 6 || share < 1 || share > 4) return {false, 0, 0, 0};
  return {true, kModes[mode - 1].access, kModes[mode - 1].disposition, kShares[share - 1]};
}

uint32_t MessageStyle(uint32_t flags) {
  constexpr uint32_t kSystemModal = 0x1000, kTaskModal = 0x2000;
  return (flags & kSystemModal) ? flags : flags | kTaskModal;
}

int AnswerForBoxResult(int box_result) {
  // IDOK=1 .. IDNO=7 map to 0..6; anything else, a failed box included, is 0.
  return box_result >= 1 && box_result <= 7 ? box_result - 1 : 0;
}

}  // namespace host_logic
