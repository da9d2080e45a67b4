// A tiny program that binds the system's Internet services and asks for the
// connection state: exit code 0 when the binding works, and otherwise the
// fatal box and -1. The tests run it with WinInet taken away.
#include <cstdint>

#include "host/internet.h"

int main() {
  uint32_t flags = 0;
  SystemInternet().ConnectedState(&flags);
  return 0;
}
