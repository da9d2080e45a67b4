// IsOpenableLink (link_policy.h): the schemes a hyperlink box may hand to
// the shell, and the characters that refuse a target.
#include "app/link_policy.h"

namespace {

const char* const kOpenableSchemes[] = {"http", "https", "ftp", "mailto", "thunder"};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSchemeLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool IsOpenableLink(const Text& target) {
  const size_t colon = target.find(':');
  if (colon == Text::npos || colon == 0) return false;
  Text scheme;
  for (size_t i = 0; i < colon; ++i) {
    if (!IsSchemeLetter(target[i])) return false;
    scheme.push_back(Lower(target[i]));
  }
  bool known = false;
  for (const char* s : kOpenableSchemes) known = known || scheme == s;
  if (!known) return false;
  // Trail bytes of code page 936 characters are 0x40 and up, so a byte scan
  // cannot mistake part of a Chinese character for one of these.
  for (char c : target) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7f || b == '"') return false;
  }
  return true;
}
