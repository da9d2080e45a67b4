// Hyperlink boxes: colours on the screen, the click, and which targets reach
// the shell.
#include <windows.h>

#include "host/host.h"
#include "host/wide.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/main_window_fixture.h"

namespace {

constexpr COLORREF kNormal = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 0);
constexpr COLORREF kHover = RGB(197, 231, 246);

const POINT kAway = {1000, 20};  // a point on no window of ours

// How many of the box's pixels are in each of the three link colours.
struct LinkPixels {
  int normal, visited, hover;
};

LinkPixels CountLinkPixels(const ScreenImage& image) {
  // The hover colour is close to the button face, so it gets a tighter tolerance.
  return {image.CountNear(kNormal, 60), image.CountNear(kVisited, 60), image.CountNear(kHover, 16)};
}

}  // namespace

using HyperlinkTest = MainWindowTest;

TEST_F(HyperlinkTest, DrawsNormalHoverAndVisitedColours) {
  Grow();
  MoveMouseTo(kAway);
  WriteProperty(Control::超级链接框1, property::hyperlink::kWebAddress,
                "http://mirror1.example/wap.zip");
  const HWND box = Child(Control::超级链接框1);
  const POINT centre = CentreOf(ScreenRect(box));
  const auto pixels = [&] {
    Settle();
    return CountLinkPixels(Capture(Control::超级链接框1));
  };
  const int enough = 10;  // strokes of six Chinese characters

  LinkPixels p = pixels();
  EXPECT_GT(p.normal, enough);
  EXPECT_EQ(p.visited, 0);

  MoveMouseTo(centre);
  p = pixels();
  EXPECT_GT(p.hover, enough);
  EXPECT_EQ(p.normal, 0);
  EXPECT_EQ(GetCapture(), box);  // so that it sees the mouse leave
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

  MoveMouseTo(kAway);
  p = pixels();
  EXPECT_GT(p.normal, enough);
  EXPECT_EQ(p.hover, 0);
  EXPECT_EQ(GetCapture(), nullptr);

  ClickAt(centre);
  ASSERT_EQ(opened_, std::vector<Text>{"http://mirror1.example/wap.zip"});
  EXPECT_GT(pixels().hover, enough);  // still under the mouse
  MoveMouseTo(kAway);
  p = pixels();
  EXPECT_GT(p.visited, enough);
  EXPECT_EQ(p.normal, 0);

  // A failed open clears the visited mark.
  open_succeeds_ = false;
  ClickAt(centre);
  MoveMouseTo(kAway);
  p = pixels();
  EXPECT_GT(p.normal, enough);
  EXPECT_EQ(p.visited, 0);
}

TEST_F(HyperlinkTest, OpensOnlyAllowedTargets) {
  Grow();
  const HWND box = Child(Control::标签8);
  const auto click = [&] {
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  const auto shows_visited = [&] {
    InvalidateRect(box, nullptr, FALSE);
    Settle();
    return Capture(Control::标签8).CountNear(kVisited, 40) > 10;
  };
  const Text allowed = "http://dl.tovra.example/TovraSafe_8.1.exe";
  const struct {
    Text target;
    bool opens;
  } cases[] = {
      {allowed, true},
      {"thunder://QUFodHRwOi8vZGwuZXhhbXBsZS93YXAuemlwWlo=", true},
      {"mailto:support@tovra.example", true},
      {"", false},
      {"C:\\Windows\\system32\\calc.exe", false},
      {"file:///C:/Windows/system32/calc.exe", false},
      {"\\\\evil.example\\share\\setup.exe", false},
      {"ms-settings:", false},
  };
  for (const auto& c : cases) {
    // Visited from an earlier successful click, then the case's click.
    WriteProperty(Control::标签8, property::hyperlink::kWebAddress, allowed);
    click();
    ASSERT_TRUE(shows_visited());
    opened_.clear();
    WriteProperty(Control::标签8, property::hyperlink::kWebAddress, c.target);
    click();
    EXPECT_EQ(opened_, c.opens ? std::vector<Text>{c.target} : std::vector<Text>{}) << c.target;
    EXPECT_EQ(shows_visited(), c.opens) << c.target;
  }

  // An e-mail link opens "mailto:" and its e-mail address.
  opened_.clear();
  WriteProperty(Control::标签8, 9, 0);
  WriteProperty(Control::标签8, 10, "support@tovra.example");
  click();
  EXPECT_EQ(opened_, std::vector<Text>{"mailto:support@tovra.example"});
}

TEST(ShellLinkTest, AllowedTargetReachesTheRegisteredHandlerAndRefusedOneNothing) {
  TempFolder dir("links");
  const Text marker = dir / "opened.txt";
  const Text trap_marker = dir / "trap.txt";
  const Text trap = dir / "trap.bat";  // would leave trap.txt if it were ever run
  WriteWholeFile(trap, "echo ran> \"" + trap_marker + "\"\r\n");
  ThunderHandler handler(marker);

  MainWindowArgs args;  // the real opener: the shell
  UniqueWindow window(CreateMainWindow(args));
  ASSERT_TRUE(window);
  const HWND box = GetDlgItem(window.get(), ControlId(Control::标签8));
  const auto click = [&](const Text& target) {
    WriteProperty(Control::标签8, property::hyperlink::kWebAddress, target);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  };
  click(trap);
  click("file:///" + trap);
  const Text link = "thunder://QUFodHRwOi8vZGwuZXhhbXBsZS93YXAuemlwWlo=";
  click(link);

  // The handler runs after the refused clicks; by the time it has written
  // its file, a trap started by them would have had its turn.
  const DWORD start = GetTickCount();
  while (ReadWholeFile(marker).empty() && GetTickCount() - start < 10000) PumpFor(50);
  EXPECT_EQ(ReadWholeFile(marker).substr(0, link.size()), link);
  PumpFor(300);
  EXPECT_FALSE(FileExists(trap_marker));
}
