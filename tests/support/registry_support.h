// Registry keys the tests write and take away again: a key of a test's own,
// the suite's registration where the product reads it, Wine's per-program
// DLL settings, and a handler for the download manager's links.
#pragma once

#include <windows.h>

#include "host/handles.h"
#include "host/text.h"

// The installed suite's key under HKEY_LOCAL_MACHINE; its "Path" value
// names the suite's folder.
extern const char* const kSuiteKey;

// The view of HKEY_LOCAL_MACHINE\SOFTWARE the product reads, on 64-bit
// Windows one of two; a 32-bit Windows has only that one.
constexpr REGSAM kProductView = KEY_WOW64_32KEY;

// A key made for a test and deleted with its values and subkeys when this
// ends, in the same view: 0 for this process's own, or KEY_WOW64_32KEY or
// KEY_WOW64_64KEY for one of the two views of HKEY_LOCAL_MACHINE\SOFTWARE.
class TempRegistryKey {
 public:
  TempRegistryKey(HKEY root, const Text& path, REGSAM view = 0);
  ~TempRegistryKey();
  TempRegistryKey(const TempRegistryKey&) = delete;
  TempRegistryKey& operator=(const TempRegistryKey&) = delete;

  void Set(const char* name, DWORD type, const void* data, DWORD size);
  // A REG_SZ value, in the subkey when one is named (made when missing);
  // a null name is the key's default value.
  void SetText(const char* name, const Text& value, const char* subkey = nullptr);

 private:
  HKEY root_;
  Text path_;
  REGSAM view_;
  UniqueRegKey key_;
};

// The suite registered as its installer leaves it, its folder under
// kSuiteKey in the product's view; unregistered when this ends.
class SuiteRegistration {
 public:
  explicit SuiteRegistration(const Text& folder);

 private:
  TempRegistryKey key_;
};

// Switches a DLL off for every program of this file name while this lives,
// through Wine's per-program DLL overrides: an empty load order.
class DisabledDll {
 public:
  DisabledDll(const Text& program, const char* dll);

 private:
  TempRegistryKey key_;
};

// A handler for the download manager's thunder: links while this lives: the
// shell runs it for every thunder: target it opens, and it writes the target
// it was given into the marker file.
class ThunderHandler {
 public:
  explicit ThunderHandler(const Text& marker);

 private:
  TempRegistryKey key_;
};
