// The worker thread's whole job: resume question, download, extraction, the
// newest and installed versions, the verdict, and the grown window.
#pragma once

void RunVersionCheck();
