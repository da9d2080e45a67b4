// The host operations' pure rules (host_logic.h): the run directory, folder
// refusal, INI and registry paths, and the tables of modes, styles and answers.
#include "host/host_logic.h"

#include "host/host.h"

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

int RegistryRoot(int root) {
  using namespace registry_root;
  return root >= kClassesRoot && root <= kUsers ? root : kCurrentUser;
}

int ShowValueForMode(int mode) {
  using namespace show_mode;
  static const int kShow[] = {0, 1, 2, 3, 4, 6};  // SW_HIDE .. SW_MINIMIZE
  if (mode < kHidden) mode = kHidden;
  if (mode > kMinimizedNotActivated) mode = kMinimizedNotActivated;
  return kShow[mode - kHidden];
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
  if (mode < open_mode::kRead || mode > open_mode::kReadWriteKeepingContent ||
      share < share_mode::kReadWrite || share > share_mode::kNone) {
    return {false, 0, 0, 0};
  }
  const ModeRow& row = kModes[mode - open_mode::kRead];
  return {true, row.access, row.disposition, kShares[share - share_mode::kReadWrite]};
}

uint32_t MessageStyle(uint32_t flags) {
  constexpr uint32_t kSystemModal = 0x1000, kTaskModal = 0x2000;
  return (flags & kSystemModal) ? flags : flags | kTaskModal;
}

int AnswerForBoxResult(int box_result) {
  // IDOK=1 .. IDNO=7 are one more than kOk .. kNo; anything else, a failed
  // box included, is kOk.
  return box_result >= 1 && box_result <= 7 ? box_result - 1 : box_answer::kOk;
}

}  // namespace host_logic
