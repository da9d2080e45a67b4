// The recommended-software panel's fixed addresses (panel_links.h) and the
// download manager's link form.
#include "app/panel_links.h"

#ifndef PANEL_HOST_SUFFIX
#define PANEL_HOST_SUFFIX "example"
#endif

namespace panel {

namespace {

// Every host lies under a reserved top-level domain: the panel can never
// send a user, or a test, to a stranger's server.
#define PANEL_MIRROR(host) "http://" host ".soft-mirror." PANEL_HOST_SUFFIX "/down/wapbrowser.zip"
const char* const kMirrorTelecom = PANEL_MIRROR("dx");
const char* const kMirrorNetcom = PANEL_MIRROR("wt");
const char* const kMirrorTietong = PANEL_MIRROR("tt");
const char* const kMirrorThunder = PANEL_MIRROR("xl");
#undef PANEL_MIRROR
const char* const kPageAddress = "http://www.soft-mirror." PANEL_HOST_SUFFIX "/303.html";

}  // namespace

Text AddressOf(Control control) {
  switch (control) {
    case Control::超级链接框1:
      return kMirrorTelecom;
    case Control::超级链接框2:
      return kMirrorNetcom;
    case Control::超级链接框4:
      return kMirrorTietong;
    case Control::超级链接框3:
      return ThunderLink(kMirrorThunder);
    case Control::超文本浏览框1:
      return kPageAddress;
    default:
      return Text();
  }
}

Text Base64(const Text& bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Text out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += kAlphabet[v >> 6 & 63];
    out += kAlphabet[v & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

Text ThunderLink(const Text& address) {
  return JoinText("thunder://", Base64(JoinText("AA", address, "ZZ")));
}

}  // namespace panel
