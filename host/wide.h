// Code page 936 <-> UTF-16 at the edge of the screen: texts live as GBK
// bytes and become UTF-16 only where a window or box shows them, so the
// window reads right on a Windows of any locale.
#pragma once

#include <string>

#include "host/text.h"

std::wstring WideFromText(const Text& text);
Text TextFromWide(const std::wstring& wide);
