// The place a minimised (or maximised) top-level window gets back when it is
// restored. Its current rectangle is then the icon's, so a size or position
// meant for the user must go to the restored one instead.
#pragma once

#include <windows.h>

// True while the window is minimised or maximised, with the rectangle it
// will be restored to, in screen coordinates.
bool ReadRestoredPlace(HWND window, RECT* screen_rect);

// While the window is minimised or maximised: makes `screen_rect` the
// rectangle it will be restored to and keeps it as it is, neither shown
// otherwise nor activated, and answers true. Otherwise changes nothing and
// answers false.
bool WriteRestoredPlace(HWND window, const RECT& screen_rect);
