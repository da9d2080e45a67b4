// The program's one way to give up: an error box with no owner window, then
// the end of the process with exit code -1. Nothing on the way allocates, so
// it also serves when memory has run out. No Windows header here.
#pragma once

// message: the box's text; its title is "错误".
[[noreturn]] void FatalExit(const wchar_t* message);
