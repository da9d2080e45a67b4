// The system's embedded web browser (the WebBrowser control), hosted in a
// window of ours. All COM plumbing stays in embedded_browser.cpp; the browser
// box control sees only this.
#pragma once

#include <windows.h>

#include <memory>

#include "host/text.h"

class EmbeddedBrowser {
 public:
  // Creates the control in place inside host, filling its client area.
  // nullptr when it cannot be created or activated (no OLE apartment on this
  // thread, the component missing or refusing). The thread must be an OLE
  // apartment for as long as the browser lives.
  static std::unique_ptr<EmbeddedBrowser> Create(HWND host);
  // Takes the control down; host must still exist, so that the control's own
  // windows do too.
  ~EmbeddedBrowser();
  EmbeddedBrowser(const EmbeddedBrowser&) = delete;
  EmbeddedBrowser& operator=(const EmbeddedBrowser&) = delete;

  // true: pages come only from the browser's cache.
  bool SetOffline(bool offline);
  // true: the browser shows none of its own dialogs.
  bool SetSilent(bool silent);
  // 0 (smallest) .. 4 (largest), through the zoom command without asking
  // the user.
  bool SetTextSize(int size);
  // No flags, no target frame, no post data, no extra headers.
  bool Navigate(const Text& address);

 private:
  class Site;
  explicit EmbeddedBrowser(Site* site) : site_(site) {}

  Site* site_;  // one reference of the reference-counted site
};
