// The worker thread's whole job: resume question, download, extraction, the
// newest and installed versions, the verdict, and the grown window.
#pragma once

void RunVersionCheck();

// The one address the package is fetched from.
extern const char* const PackageUrl;
