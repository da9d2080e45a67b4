// Registry keys made and removed by the tests.
#include "tests/support/registry_support.h"

const char* const kSuiteKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tovrasafe.exe";

TempRegistryKey::TempRegistryKey(HKEY root, const Text& path, REGSAM view)
    : root_(root), path_(path), view_(view) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    key_.reset(key);
  }
}

TempRegistryKey::~TempRegistryKey() {
  if (!key_) return;
  RegDeleteTreeA(key_.get(), nullptr);  // its subkeys and values
  key_.reset();
  RegDeleteKeyExA(root_, path_.c_str(), view_, 0);
}

void TempRegistryKey::Set(const char* name, DWORD type, const void* data, DWORD size) {
  RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void TempRegistryKey::SetText(const char* name, const Text& value, const char* subkey) {
  RegSetKeyValueA(key_.get(), subkey, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>(value.size() + 1));
}

SuiteRegistration::SuiteRegistration(const Text& folder)
    : key_(HKEY_LOCAL_MACHINE, kSuiteKey, kProductView) {
  key_.SetText("Path", folder);
}

DisabledDll::DisabledDll(const Text& program, const char* dll)
    : key_(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + program) {
  key_.SetText(dll, "", "DllOverrides");
}

ThunderHandler::ThunderHandler(const Text& marker) : key_(HKEY_CLASSES_ROOT, "thunder") {
  key_.SetText("URL Protocol", "");
  key_.SetText(nullptr, "cmd.exe /c echo %1> \"" + marker + "\"", "shell\\open\\command");
}
