// The recommended-software panel's fixed addresses: three download mirrors
// of the recommended program's archive, the download manager's link to a
// fourth, and the page the browser box loads. Pure text, no Windows header,
// so the download-manager link's encoding is unit-tested natively.
#pragma once

#include "check/window_ops.h"
#include "host/text.h"

namespace panel {

// The address a panel control starts with: the web address of 超级链接框1
// to 超级链接框4, the page of 超文本浏览框1; empty for every other control.
Text AddressOf(Control control);

// "thunder://" + Base64("AA" + address + "ZZ"), the download manager's form.
Text ThunderLink(const Text& address);
Text Base64(const Text& bytes);

}  // namespace panel
