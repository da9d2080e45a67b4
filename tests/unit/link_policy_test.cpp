// Which link targets the hyperlink boxes hand to the shell.
#include <gtest/gtest.h>

#include "app/link_policy.h"

TEST(IsOpenableLink, OpensOnlyWebFtpMailAndDownloadManagerLinks) {
  struct Case {
    Text target;
    bool openable;
  } cases[] = {
      {"http://update.tovra.example/safe.exe", true},
      {"HTTPS://Mirror.Example/dl/wap.zip", true},
      {"ftp://files.example/pub/wap.zip", true},
      {"mailto:support@tovra.example", true},
      {"thunder://QUFodHRwOi8vZGwuZXhhbXBsZS93YXAuemlwWlo=", true},
      {"http://dl.example/最新版本.exe", true},  // code page 936 bytes in the path
      {"http://dl.example/a b.exe", true},       // a space is harmless inside the quotes
      // Local programs and files, however they are written.
      {"", false},
      {"C:\\Windows\\system32\\calc.exe", false},
      {"calc.exe", false},
      {"file:///C:/Windows/system32/calc.exe", false},
      {"\\\\evil.example\\share\\run.exe", false},
      {"//evil.example/share/run.exe", false},
      // Other protocol handlers.
      {"javascript:alert(1)", false},
      {"ms-settings:", false},
      {"shell:startup", false},
      {"search-ms:query=x", false},
      {"httpx://a.example", false},
      {"ftps://a.example", false},
      {"http", false},
      {":http://a.example", false},
      // A known scheme that is not at the very start.
      {" http://a.example", false},
      {"\thttp://a.example", false},
      {"x http://a.example", false},
      // Breaking out of the handler's quoted argument, or control characters.
      {"http://a.example/\" --user-data-dir=C:\\x", false},
      {"http://a.example/\r\nrun.exe", false},
      {Text("http://a.example/\0.exe", 22), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsOpenableLink(c.target), c.openable) << c.target;
}
