// A MainWindow of the test's own, created as the program creates it but
// with hooks that record instead of starting the check, shown on the
// sandbox's 1024 x 768 screen. Links open through a recording opener.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/control_table.h"
#include "app/gdi_handles.h"
#include "app/main_window.h"
#include "check/window_ops.h"
#include "tests/support/window_support.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    args_.on_created = [this] {
      ++created_calls_;
      const HWND w = FindWindowW(kMainWindowClass, nullptr);
      hidden_when_created_ = w && !IsWindowVisible(w);
      status_when_created_ = ReadProperty(Control::透明标签1, property::kCaption);
    };
    args_.on_close_query = [this] { ++close_queries_; };
    args_.controls.open_link = [this](const Text& target) {
      opened_.push_back(target);
      return open_succeeds_;
    };
    window_.reset(CreateMainWindow(args_));
    ASSERT_TRUE(window_);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
    PumpFor(50);
  }

  HWND window() const { return window_.get(); }
  HWND Child(Control control) const { return ControlWindow(window_.get(), control); }
  RECT ScreenRectOf(Control control) const { return ScreenRect(Child(control)); }

  // Grown as the check leaves it, so that every control is on the screen.
  void Grow() {
    WriteProperty(Control::MainWindow, property::kHeight, 331);
    Settle();
  }
  // Lets pending paints and the bar's delayed repaint reach the screen.
  static void Settle() { PumpFor(150); }
  ScreenImage Capture(Control control) const { return ScreenImage::Capture(ScreenRectOf(control)); }

  MainWindowArgs args_;
  UniqueWindow window_;
  int created_calls_ = 0;
  bool hidden_when_created_ = false;
  Text status_when_created_;
  int close_queries_ = 0;
  bool open_succeeds_ = true;
  std::vector<Text> opened_;
};

inline COLORREF ButtonFace() { return GetSysColor(COLOR_BTNFACE); }
