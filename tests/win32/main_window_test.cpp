// MainWindow and the window operations, on a real window under Wine.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "host/wide.h"
#include "tests/win32/main_window_fixture.h"

TEST_F(MainWindowTest, RaisesCreationCompletedOnceWithControlsBeforeShowing) {
  EXPECT_EQ(created_calls_, 1);
  EXPECT_TRUE(hidden_when_created_);
  EXPECT_EQ(status_when_created_, "正在获取版本信息...");
}

TEST_F(MainWindowTest, CreatesEveryControlOfTheTableInItsStackingOrder) {
  EXPECT_EQ(control_base::WindowText(window()), WideFromText(kMainWindowTitle));
  const LONG style = GetWindowLongW(window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);  // fixed frame: the user cannot resize it
  // The program's icon (this test program carries the same resource), large and small.
  const struct {
    WPARAM which;
    int metric;
  } icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& i : icons) {
    const HICON icon = reinterpret_cast<HICON>(SendMessageW(window(), WM_GETICON, i.which, 0));
    ICONINFO info = {};
    ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << i.which;
    UniqueGdiObject colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(i.metric)) << i.which;
  }

  std::vector<int> stacked;
  for (HWND c = GetWindow(window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    stacked.push_back(GetDlgCtrlID(c));
  }
  std::vector<int> table;
  for (const ControlRow& row : kControlTable) {
    const bool top_level = row.parent == Control::MainWindow;
    if (top_level) table.push_back(ControlId(row.control));
    const HWND c = Child(row.control);
    ASSERT_TRUE(c) << row.name;
    const HWND holder = top_level ? window() : Child(row.parent);
    EXPECT_EQ(GetParent(c), holder) << row.name;
    const RECT r = PlaceInHolder(c);
    EXPECT_EQ(r.left, row.left) << row.name;
    EXPECT_EQ(r.top, row.top) << row.name;
    EXPECT_EQ(r.right - r.left, row.width) << row.name;
    EXPECT_EQ(r.bottom - r.top, row.height) << row.name;
    EXPECT_TRUE(IsWindowVisible(c)) << row.name;
    EXPECT_TRUE(IsWindowEnabled(c)) << row.name;
    EXPECT_EQ(control_base::WindowText(c), WideFromText(row.text)) << row.name;
  }
  EXPECT_EQ(stacked, table);

  const HWND bar = Child(Control::进度条1);
  wchar_t class_name[64] = {};
  GetClassNameW(bar, class_name, 64);
  EXPECT_STREQ(class_name, L"msctls_progress32");
  EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & PBS_SMOOTH);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 10000);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindowTest, OpensCentredOnTheScreenAndGrowsDownwards) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  RECT r = ScreenRect(window());
  EXPECT_EQ(r.left, 262);
  EXPECT_EQ(r.top, 351);
  EXPECT_EQ(r.right - r.left, 499);
  EXPECT_EQ(r.bottom - r.top, 65);
  // Only the strip with the bar and the status text shows.
  RECT client;
  GetClientRect(window(), &client);
  EXPECT_GE(client.bottom, 32);
  EXPECT_LE(client.bottom, 40);

  Grow();
  r = ScreenRect(window());
  EXPECT_EQ(r.left, 262);
  EXPECT_EQ(r.top, 351);
  EXPECT_EQ(r.right - r.left, 499);
  EXPECT_EQ(r.bottom - r.top, 331);
  EXPECT_EQ(ReadProperty(Control::MainWindow, property::kHeight), "331");
  // Now everything shows, down to the group box's lower edge at row 298.
  GetClientRect(window(), &client);
  EXPECT_GE(client.bottom, 298);
  EXPECT_GE(client.right, 486);
}

TEST_F(MainWindowTest, ClampsHeightAndPosition) {
  const struct {
    int32_t written, height;
  } heights[] = {{40000, 32627}, {32627, 32627}, {32628, 32627}, {-5, 0}, {331, 331}};
  for (const auto& c : heights) {
    WriteProperty(Control::MainWindow, property::kHeight, c.written);
    const RECT r = ScreenRect(window());
    EXPECT_EQ(r.bottom - r.top, c.height) << c.written;
    EXPECT_EQ(r.left, 262) << c.written;
    EXPECT_EQ(r.top, 351) << c.written;
    EXPECT_EQ(r.right - r.left, 499) << c.written;
  }

  // Stored within 0..32767; the bar shows it within its range 0..10000.
  const struct {
    int32_t written;
    const char* stored;
    int shown;
  } positions[] = {{5000, "5000", 5000},
                   {20000, "20000", 10000},
                   {40000, "32767", 10000},
                   {10000, "10000", 10000},
                   {-5, "0", 0},
                   {1, "1", 1}};
  const HWND bar = Child(Control::进度条1);
  for (const auto& c : positions) {
    WriteProperty(Control::进度条1, property::progress::kPosition, c.written);
    EXPECT_EQ(ReadProperty(Control::进度条1, property::progress::kPosition), c.stored) << c.written;
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), c.shown) << c.written;
  }
}

TEST_F(MainWindowTest, PlaceWrittenWhileMinimisedIsTheOneRestored) {
  const struct {
    const char* name;
    std::function<void(HWND)> leave_normal;
    BOOL(WINAPI* in_state)(HWND);
    // Wine moves a maximised window whose frame overhangs the screen onto it
    // whenever its placement is set; the icon stays where it is.
    bool shown_rect_kept;
  } states[] = {
      // As the title bar's Minimize button asks for it.
      {"minimised", [](HWND w) { SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0); }, IsIconic, true},
      {"maximised", [](HWND w) { ShowWindow(w, SW_MAXIMIZE); }, IsZoomed, false},
  };
  for (const auto& s : states) {
    ShowWindow(window(), SW_RESTORE);
    WriteProperty(Control::MainWindow, property::kHeight, 65);
    WriteProperty(Control::MainWindow, property::kLeft, 262);
    WriteProperty(Control::MainWindow, property::kTop, 351);
    s.leave_normal(window());
    PumpFor(50);
    ASSERT_TRUE(s.in_state(window())) << s.name;
    const RECT shown = ScreenRect(window());
    const HWND foreground = GetForegroundWindow();

    RunOnWorker([] {
      WriteProperty(Control::MainWindow, property::kHeight, 331);
      WriteProperty(Control::MainWindow, property::kLeft, 100);
      WriteProperty(Control::MainWindow, property::kTop, 120);
    });
    EXPECT_TRUE(s.in_state(window())) << s.name;
    const RECT still_shown = ScreenRect(window());
    if (s.shown_rect_kept) {
      EXPECT_TRUE(EqualRect(&shown, &still_shown)) << s.name;
    }
    EXPECT_EQ(GetForegroundWindow(), foreground) << s.name;
    EXPECT_EQ(ReadProperty(Control::MainWindow, property::kHeight), "331") << s.name;
    EXPECT_EQ(ReadProperty(Control::MainWindow, property::kWidth), "499") << s.name;
    EXPECT_EQ(ReadProperty(Control::MainWindow, property::kLeft), "100") << s.name;
    EXPECT_EQ(ReadProperty(Control::MainWindow, property::kTop), "120") << s.name;

    SendMessageW(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpFor(50);
    const RECT restored = ScreenRect(window());
    EXPECT_EQ(restored.left, 100) << s.name;
    EXPECT_EQ(restored.top, 120) << s.name;
    EXPECT_EQ(restored.right - restored.left, 499) << s.name;
    EXPECT_EQ(restored.bottom - restored.top, 331) << s.name;
  }
}

// A row of the bar's pixels on the screen, above the status text.
ScreenImage BarRow(HWND bar) {
  RECT r;
  GetClientRect(bar, &r);
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ScreenImage::Capture(RECT{r.left, r.top + 3, r.right, r.top + 4});
}

TEST_F(MainWindowTest, BarShowsWrittenPositionAfterItsDelayedRepaint) {
  const HWND bar = Child(Control::进度条1);
  const ScreenImage empty = BarRow(bar);
  const struct {
    int32_t written;
    double low, high;  // part of the bar drawn filled
  } cases[] = {{5000, 0.47, 0.53}, {20000, 0.98, 1.0}, {-5, 0.0, 0.0}, {10000, 0.98, 1.0}};
  for (const auto& c : cases) {
    RunOnWorker([&] { WriteProperty(Control::进度条1, property::progress::kPosition, c.written); });
    Settle();
    const ScreenImage row = BarRow(bar);
    int filled = 0;
    for (int x = 0; x < row.width(); ++x)
      filled += ColourDistance(row.At(x, 0), empty.At(x, 0)) > 40;
    const double part = static_cast<double>(filled) / row.width();
    EXPECT_GE(part, c.low) << c.written;
    EXPECT_LE(part, c.high) << c.written;
  }
}

TEST_F(MainWindowTest, SetZOrderClampsItsLevel) {
  const HWND label = Child(Control::标签6);
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  // Levels on a control: 1 (and anything below 1) on top, 2 at the bottom.
  const struct {
    int level;
    bool use_default, on_top;
  } child_cases[] = {
      {1, false, true}, {0, false, true}, {-3, false, true}, {0, true, true}, {2, false, false}};
  for (const auto& c : child_cases) {
    SetWindowPos(label, c.on_top ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0, flags);
    if (c.use_default) {
      SetZOrder(Control::标签6);
    } else {
      SetZOrder(Control::标签6, c.level);
    }
    EXPECT_EQ(GetWindow(label, c.on_top ? GW_HWNDFIRST : GW_HWNDLAST), label) << c.level;
  }
  // On the window: 3 top-most, 4 (and anything above 4) not top-most.
  const struct {
    int level;
    bool topmost;
  } window_cases[] = {{3, true}, {7, false}, {3, true}, {4, false}};
  for (const auto& c : window_cases) {
    SetZOrder(Control::MainWindow, c.level);
    EXPECT_EQ((GetWindowLongW(window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.topmost) << c.level;
  }
}

TEST_F(MainWindowTest, CaptionsWrittenOnOneThreadAreReadOnAnother) {
  const struct {
    Control control;
    int property;
    Text text;
  } cases[] = {
      {Control::标签6, 8, "7.5.0.2001"},
      {Control::标签11, 8, "修复了若干问题"},
      {Control::标签12, 8, ""},              // empty reads back empty
      {Control::标签7, 8, Text("8.1\x81")},  // not valid code page 936: kept byte for byte
      {Control::透明标签1, 8, "获 取 完 毕..."},
      {Control::超级链接框2, 8, "镜像下载"},
      {Control::标签8, 11, "http://dl.tovra.example/最新版本.exe"},
      {Control::MainWindow, 8, "标题"},
  };
  RunOnWorker([&] {
    for (const auto& c : cases) WriteProperty(c.control, c.property, c.text);
  });
  std::vector<Text> read;
  RunOnWorker([&] {
    for (const auto& c : cases) read.push_back(ReadProperty(c.control, c.property));
  });
  for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], cases[i].text) << cases[i].text;

  // What the user, a screen reader and UI automation see is the same text.
  EXPECT_EQ(control_base::WindowText(Child(Control::标签11)), L"修复了若干问题");
  EXPECT_EQ(control_base::WindowText(Child(Control::标签12)), L"");
  EXPECT_EQ(control_base::WindowText(Child(Control::透明标签1)), L"获 取 完 毕...");
  // A hyperlink box without a caption shows its address.
  EXPECT_EQ(control_base::WindowText(Child(Control::标签8)),
            WideFromText("http://dl.tovra.example/最新版本.exe"));
  EXPECT_EQ(control_base::WindowText(window()), L"标题");
}

TEST_F(MainWindowTest, CallsAfterTheWindowIsGoneDoNothing) {
  window_.reset();
  const auto calls = [] {
    WriteProperty(Control::标签6, property::kCaption, "late");
    WriteProperty(Control::进度条1, property::progress::kPosition, 100);
    WriteProperty(Control::MainWindow, property::kHeight, 331);
    SetZOrder(Control::透明标签1, 1);
    EXPECT_EQ(ReadProperty(Control::标签6, property::kCaption), "");
  };
  RunOnWorker(calls);
  calls();
}

TEST_F(MainWindowTest, EscapeDoesNotCloseButAltF4Does) {
  SetForegroundWindow(window());
  PumpFor(50);
  const auto press = [](std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
      INPUT in = {};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = k;
      inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
      INPUT in = {};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = *--it;
      in.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(150);
  };
  press({VK_ESCAPE});
  press({VK_RETURN});
  EXPECT_TRUE(IsWindow(window()));
  EXPECT_EQ(close_queries_, 0);
  press({VK_MENU, VK_F4});
  EXPECT_EQ(close_queries_, 1);
  EXPECT_FALSE(IsWindow(window()));
  window_.release();
}

TEST_F(MainWindowTest, AmpersandOnLabelVersusHyperlinkBox) {
  Grow();
  const COLORREF face = ButtonFace();
  const auto ink_of = [&](Control control, const Text& caption) {
    WriteProperty(control, property::kCaption, caption);
    Settle();
    return Capture(control);
  };
  const ScreenImage plain = ink_of(Control::标签13, "AB");
  const ScreenImage mnemonic = ink_of(Control::标签13, "A&B");
  EXPECT_EQ(control_base::WindowText(Child(Control::标签13)), L"A&B");
  const ScreenImage doubled = ink_of(Control::标签13, "A&&B");
  const ScreenImage link = ink_of(Control::超级链接框1, "A&B");
  EXPECT_EQ(control_base::WindowText(Child(Control::超级链接框1)), L"A&B");

  const int plain_width = plain.InkColumns(face, 60).width();
  ASSERT_GT(plain_width, 5);
  // "A&B" on a label: AB, as wide as "AB", with B underlined (more ink).
  EXPECT_NEAR(mnemonic.InkColumns(face, 60).width(), plain_width, 1);
  EXPECT_GT(mnemonic.CountNear(RGB(0, 0, 0), 60), plain.CountNear(RGB(0, 0, 0), 60) + 2);
  // "A&&B" on a label and "A&B" on a hyperlink box both show the ampersand.
  const int with_ampersand = doubled.InkColumns(face, 60).width();
  EXPECT_GT(with_ampersand, plain_width + 3);
  EXPECT_NEAR(link.InkColumns(face, 60).width(), with_ampersand, 1);
}

TEST_F(MainWindowTest, TransparentLabelLeavesNoTraceOfItsOldText) {
  // The bar half full, so the label lies over both its filled and empty parts.
  WriteProperty(Control::进度条1, property::progress::kPosition, 5000);
  WriteProperty(Control::透明标签1, property::kCaption, "");
  Settle();
  const ScreenImage nothing = Capture(Control::透明标签1);

  WriteProperty(Control::透明标签1, property::kCaption, "正在获取版本信息...");
  Settle();
  EXPECT_NE(Capture(Control::透明标签1), nothing);

  WriteProperty(Control::透明标签1, property::kCaption, "");
  Settle();
  EXPECT_EQ(Capture(Control::透明标签1), nothing);

  // A shorter text: nothing of the longer one remains beside it.
  WriteProperty(Control::透明标签1, property::kCaption, "正在获取版本信息...");
  Settle();
  RunOnWorker([] { WriteProperty(Control::透明标签1, property::kCaption, "A"); });
  Settle();
  const ScreenImage shorter = Capture(Control::透明标签1);
  int differing = 0;
  for (int y = 0; y < shorter.height(); ++y) {
    for (int x = 20; x < shorter.width(); ++x) differing += shorter.At(x, y) != nothing.At(x, y);
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(MainWindowTest, StatusTextStaysReadableWhileTheBarMoves) {
  WriteProperty(Control::进度条1, property::progress::kPosition, 7000);
  WriteProperty(Control::透明标签1, property::kCaption, "");
  Settle();
  const ScreenImage no_text = Capture(Control::透明标签1);
  WriteProperty(Control::进度条1, property::progress::kPosition, 0);
  WriteProperty(Control::透明标签1, property::kCaption, "正在获取版本信息...");
  // Small steps across the text, each drawn on its own as a slow download's
  // are: every repaint of the bar covers only a strip of the letters.
  RunOnWorker([] {
    for (int32_t p = 3500; p <= 6500; p += 250) {
      WriteProperty(Control::进度条1, property::progress::kPosition, p);
      Sleep(60);
    }
  });
  // Windows' own bar repaints only the strip between the old and the new
  // position (Wine's repaints all of it): strips across the letters.
  const HWND bar = Child(Control::进度条1);
  for (int left = 190; left < 300; left += 12) {
    const RECT strip = {left, 0, left + 12, 24};
    InvalidateRect(bar, &strip, FALSE);
    UpdateWindow(bar);
  }
  Settle();
  const ScreenImage after_moves = Capture(Control::透明标签1);
  // The same state painted from scratch: the text neither lost nor drawn
  // over itself (which would thicken its anti-aliased edges).
  RedrawWindow(window(), nullptr, nullptr,
               RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle();
  const ScreenImage fresh = Capture(Control::透明标签1);
  EXPECT_EQ(after_moves, fresh);
  EXPECT_NE(fresh, no_text);  // and the text is there
}
