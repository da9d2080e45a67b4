// INI values and registry text values, read afresh at every call.
#include <windows.h>

#include <vector>

#include "host/handles.h"
#include "host/host.h"
#include "host/host_logic.h"

namespace {

constexpr DWORD kIniBufferSize = 10240;

// In the order of registry_root's numbers.
HKEY RootKey(int root) {
  static const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER,
                                HKEY_LOCAL_MACHINE, HKEY_USERS};
  return kRoots[host_logic::RegistryRoot(root) - registry_root::kClassesRoot];
}

// The text of a REG_SZ / REG_EXPAND_SZ value, or nothing.
bool QueryTextValue(HKEY root, const host_logic::RegistryPath& where, Text* out) {
  // The registry's 32-bit view, where a 32-bit program's reads under
  // HKLM\SOFTWARE land on 64-bit Windows: the x86-64 build must see what
  // the product sees. (A 32-bit process reads that view anyway.)
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, where.key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  UniqueRegKey key(opened);
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), where.value.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
    return false;
  }
  std::vector<char> data(size);
  if (RegQueryValueExA(key.get(), where.value.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  key.reset();
  Text value(data.data(), size);
  const size_t nul = value.find('\0');
  if (nul != Text::npos) value.resize(nul);
  if (type == REG_SZ) {
    *out = value;
    return true;
  }
  const DWORD needed = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
  if (needed == 0) return false;
  std::vector<char> expanded(needed);
  if (ExpandEnvironmentStringsA(value.c_str(), expanded.data(), needed) == 0) return false;
  *out = expanded.data();
  return !out->empty();
}

}  // namespace

Text ReadIniText(const Text& file, const Text& section, const Text& key, const Text& fallback) {
  const Text f = host_logic::DropLeadingControls(file);
  const Text s = host_logic::DropLeadingControls(section);
  const Text k = host_logic::DropLeadingControls(key);
  if (f.empty() || s.empty() || k.empty()) return Text();
  std::vector<char> buffer(kIniBufferSize, '\0');
  GetPrivateProfileStringA(s.c_str(), k.c_str(), fallback.empty() ? nullptr : fallback.c_str(),
                           buffer.data(), kIniBufferSize, f.c_str());
  buffer.back() = '\0';
  return Text(buffer.data());
}

Text ReadRegistryText(int root, const Text& path, const Text& fallback) {
  Text value;
  if (QueryTextValue(RootKey(root), host_logic::SplitRegistryPath(path), &value)) return value;
  return fallback;
}
