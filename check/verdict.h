// The version check's pure pieces: the expand command line and the verdict.
#pragma once

#include "host/text.h"

namespace verdict {

// expand "<dir>\file\set.cab" -f:setup.ini "<dir>\file"
Text ExpandCommandLine(const Text& run_directory);

// The verdict caption for the two version captions as the labels hold them.
// An empty newest version means the check itself failed.
Text VerdictFor(const Text& installed, const Text& newest);

extern const char* const kUpToDate;
extern const char* const kUpdateAvailable;
extern const char* const kCheckFailed;

}  // namespace verdict
