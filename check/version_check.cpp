#include "check/version_check.h"

void RunVersionCheck() {
  // The workflow comes with the package download; until then the check does
  // nothing and the window stays narrow.
}
