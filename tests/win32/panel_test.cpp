// The recommended-software panel: the browser box in its group box, and the
// four links with their fixed targets.
#include <windows.h>

#include <array>
#include <cstring>

#include "app/panel_links.h"
#include "host/host.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/main_window_fixture.h"

namespace {

// Left, top, right and bottom of a window in the client area of `holder`.
std::array<LONG, 4> PlaceIn(HWND window, HWND holder) {
  RECT r = ScreenRect(window);
  MapWindowPoints(nullptr, holder, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

using PanelTest = MainWindowTest;

TEST_F(PanelTest, BrowserFillsTheWhiteBoxThatCoversTheGroupBox) {
  // The box's own place in 分组框1 is checked with the whole control table.
  const HWND box = Child(Control::超文本浏览框1);
  ASSERT_TRUE(box);
  const HWND browser = GetWindow(box, GW_CHILD);  // the embedded browser's own window
  ASSERT_TRUE(browser);
  EXPECT_EQ(PlaceIn(browser, box), (std::array<LONG, 4>{0, 0, 216, 136}));

  // The cut-out is all of the group box: white, none of its frame showing
  // (Wine's browser renders no page).
  Grow();
  const ScreenImage cut_out = Capture(Control::分组框1);
  EXPECT_EQ(cut_out.width(), 200);
  EXPECT_EQ(cut_out.height(), 64);
  EXPECT_EQ(cut_out.CountNear(RGB(255, 255, 255), 0), 200 * 64);
}

TEST_F(PanelTest, EachLinkOpensItsFixedTargetWhenClicked) {
  Grow();
  const struct {
    Control box;
    const char* scheme;
  } links[] = {{Control::超级链接框1, "http://"},
               {Control::超级链接框2, "http://"},
               {Control::超级链接框3, "thunder://"},
               {Control::超级链接框4, "http://"}};
  for (const auto& link : links) {
    const Text target = panel::AddressOf(link.box);
    ASSERT_EQ(target.compare(0, strlen(link.scheme), link.scheme), 0) << target;
    opened_.clear();
    ClickAt(CentreOf(ScreenRectOf(link.box)));
    PumpFor(50);
    EXPECT_EQ(opened_, std::vector<Text>{target}) << static_cast<int>(link.box);
  }
}

TEST(PanelShellTest, ThunderLinkGoesToTheSchemesRegisteredProgram) {
  TempFolder dir("panel");
  const Text marker = dir / "opened.txt";
  ThunderHandler handler(marker);
  MainWindowArgs args;  // the real opener: the shell
  UniqueWindow window(CreateMainWindow(args));
  ASSERT_TRUE(window);
  const HWND box = GetDlgItem(window.get(), ControlId(Control::超级链接框3));
  SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));

  const Text link = panel::AddressOf(Control::超级链接框3);
  const DWORD start = GetTickCount();
  while (ReadWholeFile(marker).empty() && GetTickCount() - start < 10000) PumpFor(50);
  EXPECT_EQ(ReadWholeFile(marker).substr(0, link.size()), link);
}
