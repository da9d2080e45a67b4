// What Explorer and the loader read from the shipped .exe: its version
// information (in Chinese), its icon and its manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "host/text.h"
#include "host/wide.h"

namespace {

Text VersionString(const std::vector<char>& info, const wchar_t* name) {
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return Text();
  return TextFromWide(static_cast<const wchar_t*>(value));
}

// This build's .exe, and the i686 product's when this is another build: the
// product's resources are read as data, so they are checked on any machine.
// RELEASE_EXE_COPIES names copies of this build's .exe made after the build
// (a signed one), separated by ';': they must carry the same resources.
struct ReleaseExe {
  std::string path;
  const char* processor;  // as the manifest names it
};
std::vector<ReleaseExe> ReleaseExes() {
  const char* own_processor = sizeof(void*) == 8 ? "amd64" : "x86";
  std::vector<ReleaseExe> exes = {{TOVRA_CHECK_EXE, own_processor}};
  if (*PRODUCT_EXE && std::string(PRODUCT_EXE) != TOVRA_CHECK_EXE)
    exes.push_back({PRODUCT_EXE, "x86"});
  const char* copies = std::getenv("RELEASE_EXE_COPIES");
  std::istringstream list(copies ? copies : "");
  for (std::string path; std::getline(list, path, ';');) {
    if (!path.empty()) exes.push_back({path, own_processor});
  }
  return exes;
}

}  // namespace

TEST(Release, VersionInformationIconAndManifest) {
  for (const ReleaseExe& release : ReleaseExes()) {
    SCOPED_TRACE(release.path);
    const char* exe = release.path.c_str();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe, 0, size, info.data()));
    EXPECT_EQ(VersionString(info, L"ProductName"), "Tovra安全卫士小助手");
    EXPECT_EQ(VersionString(info, L"FileDescription"), "Tovra安全卫士版本检查小助手");
    EXPECT_EQ(VersionString(info, L"FileVersion"), "1.0.0.0");

    HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr);  // icon
    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    const std::string xml(text, SizeofResource(module, manifest));
    EXPECT_NE(xml.find("asInvoker"), std::string::npos);
    EXPECT_NE(xml.find("<dpiAware"), std::string::npos);
    EXPECT_NE(xml.find(std::string("processorArchitecture=\"") + release.processor + "\""),
              std::string::npos);
    FreeLibrary(module);
  }
}
