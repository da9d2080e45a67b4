// INI files, the registry, processes, threads and message boxes under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "host/host.h"
#include "tests/support/box_support.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"

TEST(ReadIniText, TrimsArgumentsAndUsesDefaults) {
  TempFolder dir("ini");
  const Text ini = dir / "setup.ini";
  WriteWholeFile(ini,
                 "[TovraSafe]\r\nVersion = 8.1.0.1001 \r\nFID=\"quoted.exe\"\r\n"
                 "Introduction=修复了若干问题\r\n"
                 "[config\\config.xml]\r\nver=7.5.0.2001\r\n");
  struct Case {
    Text file, section, key, fallback, expected;
  } cases[] = {
      {ini, "TovraSafe", "Version", "", "8.1.0.1001"},
      {ini, "  \tTovraSafe", " Version", "", "8.1.0.1001"},
      {" " + ini, "tovrasafe", "VERSION", "", "8.1.0.1001"},
      {ini, "TovraSafe", "FID", "", "quoted.exe"},
      {ini, "TovraSafe", "Introduction", "", "修复了若干问题"},
      {ini, "config\\config.xml", "ver", "", "7.5.0.2001"},
      {ini, "TovraSafe", "Missing", "dflt", "dflt"},
      {ini, "TovraSafe", "", "dflt", ""},
      {ini, "TovraSafe", "   ", "dflt", ""},
      {dir / "absent.ini", "TovraSafe", "Version", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadIniText(c.file, c.section, c.key, c.fallback), c.expected)
        << c.section << "/" << c.key;
  }
}

TEST(ReadIniText, LongValueCutToBuffer) {
  TempFolder dir("inilong");
  const Text ini = dir / "long.ini";
  WriteWholeFile(ini, "[s]\r\nk=" + std::string(20000, 'v') + "\r\n");
  EXPECT_EQ(ReadIniText(ini, "s", "k"), std::string(10239, 'v'));
}

TEST(ReadRegistryText, TextTypesOnlyWithExpansion) {
  TempRegistryKey key(HKEY_CURRENT_USER, "Software\\TovraHostTest");
  const char path[] = "C:\\Program Files\\Tovra安全卫士";
  key.Set("Path", REG_SZ, path, sizeof path);
  const char expand[] = "%SystemRoot%\\tovra";
  key.Set("Expand", REG_EXPAND_SZ, expand, sizeof expand);
  const DWORD number = 7;
  key.Set("Number", REG_DWORD, &number, sizeof number);
  key.Set("Empty", REG_SZ, "", 0);
  key.Set("", REG_SZ, "default value", 14);

  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  struct Case {
    int root;
    Text path, fallback, expected;
  } cases[] = {
      {3, "Software\\TovraHostTest\\Path", "", path},
      {0, "Software\\TovraHostTest\\Path", "", path},  // unknown roots mean HKCU
      {3, "Software\\TovraHostTest\\Expand", "", Text(windows) + "\\tovra"},
      {3, "Software\\TovraHostTest\\Number", "d", "d"},
      {3, "Software\\TovraHostTest\\Empty", "d", "d"},
      {3, "Software\\TovraHostTest\\", "", "default value"},
      {3, "Software\\TovraHostTest\\Missing", "", ""},
      {3, "Software\\NoSuchKey\\Path", "", ""},
      {4, "Software\\TovraHostTest\\Path", "", ""},  // HKLM has no such key
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadRegistryText(c.root, c.path, c.fallback), c.expected) << c.path;
}

namespace {

// A value under HKLM\SOFTWARE, which 64-bit Windows keeps in two views,
// written to one of them only.
struct MachineKeyInView {
  MachineKeyInView(REGSAM view, const char* value)
      : key(HKEY_LOCAL_MACHINE, "SOFTWARE\\TovraViewTest", view) {
    key.SetText("Path", value);
  }
  TempRegistryKey key;
};

bool SystemHasTwoRegistryViews() {
  BOOL wow64 = FALSE;
  return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

}  // namespace

// Both builds read what the 32-bit product reads on 64-bit Windows.
TEST(ReadRegistryText, ReadsTheMachineKeysThrough32BitView) {
  const char* const value = "SOFTWARE\\TovraViewTest\\Path";
  {
    MachineKeyInView key(KEY_WOW64_32KEY, "32-bit view");
    EXPECT_EQ(ReadRegistryText(4, value), "32-bit view");
  }
  if (!SystemHasTwoRegistryViews()) return;  // a 32-bit system has one view only
  MachineKeyInView key(KEY_WOW64_64KEY, "64-bit view");
  EXPECT_EQ(ReadRegistryText(4, value), "");
}

TEST(RunProgram, StartsWaitsAndReportsMissingPrograms) {
  TempFolder dir("run");
  const Text marker = dir / "marker.txt";
  EXPECT_TRUE(RunProgram("cmd.exe /c echo ran> \"" + marker + "\"", true, 1));
  EXPECT_EQ(ReadWholeFile(marker).substr(0, 3), "ran");
  EXPECT_FALSE(RunProgram("no-such-program-here.exe", true, 1));
  EXPECT_FALSE(RunProgram("", true, 1));
}

TEST(RunProgram, ExplicitProgramPathWinsOverAPlantedNamesake) {
  // A cmd.exe planted in the current folder would be found first by name.
  TempFolder dir("planted");
  const Text marker = dir / "marker.txt";
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(dir.path().c_str());
  WriteWholeFile(dir / "cmd.exe", "not a program");
  const bool started = RunProgram("cmd.exe /c echo system> \"" + marker + "\"", true, 1,
                                  SystemProgramPath("cmd.exe"));
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(started);
  EXPECT_EQ(ReadWholeFile(marker).substr(0, 6), "system");
}

TEST(RunDirectory, IsTheCurrentDirectoryWithoutTrailingBackslash) {
  InitRunDirectory();
  const Text dir = GetRunDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '\\');
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(Text(current), dir);
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  EXPECT_EQ(Text(module).rfind('\\'), dir.size());
}

namespace {
std::atomic<intptr_t> g_thread_saw{-1};
unsigned long HOST_STDCALL RecordParameter(void* parameter) {
  g_thread_saw = reinterpret_cast<intptr_t>(parameter);
  return 0;
}
}  // namespace

TEST(StartThread, PassesParameterAndKeepsHandleOnlyWhenAsked) {
  void* handle = nullptr;
  ASSERT_TRUE(StartThread(RecordParameter, 42, &handle));
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(g_thread_saw, 42);
  CloseHandle(handle);

  g_thread_saw = -1;
  ASSERT_TRUE(StartThread(RecordParameter));
  for (int i = 0; i < 250 && g_thread_saw == -1; ++i) Sleep(20);
  EXPECT_EQ(g_thread_saw, 0);
}

TEST(ShowMessage, AnswersYesNoAndOk) {
  struct Case {
    uint32_t flags;
    int button;
    int answer;
  } cases[] = {{36, IDYES, 5}, {36, IDNO, 6}, {0, IDOK, 0}};
  for (const Case& c : cases) {
    const Text title = "提示：" + std::to_string(c.button);
    BoxAnswerer answerer(title, c.button);
    EXPECT_EQ(ShowMessage("文件已存在，是否断点续传？", c.flags, title), c.answer);
  }
  BoxAnswerer answerer("信息：", IDOK);
  EXPECT_EQ(ShowMessage("默认标题"), 0);
}
