// The panel's fixed addresses: Base64 and the thunder: link built from it,
// and every address under the reserved .example domain.
#include <gtest/gtest.h>

#include <set>

#include "app/link_policy.h"
#include "app/panel_links.h"

namespace {

// The host of an "http://host/..." address.
Text HostOf(const Text& address) {
  if (address.compare(0, 7, "http://") != 0) return Text();
  return address.substr(7, address.find('/', 7) - 7);
}

bool EndsWith(const Text& text, const Text& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(Base64, StandardAlphabetAndPadding) {
  const char* cases[][2] = {{"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
                            {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe", "//4="}};
  for (const auto& c : cases) EXPECT_EQ(panel::Base64(c[0]), c[1]) << c[0];
}

TEST(ThunderLink, WrapsTheAddressBetweenAaAndZz) {
  EXPECT_EQ(panel::ThunderLink("http://a.example/x.zip"),
            "thunder://QUFodHRwOi8vYS5leGFtcGxlL3guemlwWlo=");
}

TEST(PanelAddresses, MirrorsThunderLinkAndPageUnderTheReservedDomain) {
  // Three distinct mirrors of the archive.
  std::set<Text> mirrors;
  for (Control c : {Control::超级链接框1, Control::超级链接框2, Control::超级链接框4}) {
    const Text address = panel::AddressOf(c);
    EXPECT_TRUE(EndsWith(HostOf(address), ".example")) << address;
    EXPECT_TRUE(EndsWith(address, ".zip")) << address;
    EXPECT_TRUE(IsOpenableLink(address)) << address;
    mirrors.insert(address);
  }
  EXPECT_EQ(mirrors.size(), 3u);

  // The download manager's link: Base64 of "AA" + a fourth mirror + "ZZ".
  const Text fourth = "http://xl.soft-mirror.example/down/wapbrowser.zip";
  const Text thunder = panel::AddressOf(Control::超级链接框3);
  EXPECT_EQ(thunder,
            "thunder://QUFodHRwOi8veGwuc29mdC1taXJyb3IuZXhhbXBsZS9kb3duL3dhcGJyb3dzZXIuemlwWlo=");
  EXPECT_TRUE(IsOpenableLink(thunder));
  EXPECT_EQ(mirrors.count(fourth), 0u);

  const Text page = panel::AddressOf(Control::超文本浏览框1);
  EXPECT_TRUE(EndsWith(HostOf(page), ".example")) << page;
  EXPECT_TRUE(EndsWith(page, "/303.html")) << page;

  // Nothing else starts with an address: 标签8's comes from the check.
  for (Control c : {Control::MainWindow, Control::标签8, Control::分组框1, Control::标签14}) {
    EXPECT_EQ(panel::AddressOf(c), "") << static_cast<int>(c);
  }
}
