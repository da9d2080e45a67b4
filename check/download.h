// The package download: one HTTP GET through the Internet services into a
// local file, continuing a partial copy on request, with a progress report
// after every stored chunk. Synchronous; runs on the worker thread.
#pragma once

#include <cstdint>
#include <functional>

#include "host/host.h"
#include "host/internet.h"

// The progress routine has the shape of a window procedure (four 32-bit
// values, callee pops them), so it could also be carried by CallWindowProcA:
// content length (0 when the response states none), running total (with the
// bytes the file held before when resuming), elapsed milliseconds (never 0),
// and running total minus the resume offset.
using ProgressRoutine = int32_t(HOST_STDCALL*)(int32_t content_length, int32_t running_total,
                                               int32_t elapsed_ms, int32_t received);

using TickSource = std::function<int32_t()>;

// The number OpenFile gave for the target file of the last download; 0 when
// that open failed. Program-wide: two downloads must never run at once.
extern int32_t DownloadFileNumber;

// Fetches `url` into `target`: afresh (the file is emptied), or when `resume`
// is set after the `resume_offset` bytes the file already holds, asking the
// server for the rest with a Range line. The answer's Content-Range must fit
// the copy: the rest is appended, the whole file starts the target afresh,
// a 416 stating another size than the copy's is asked for once more without
// a Range line, and any other part is refused. Returns 0 when the body was
// read to its end (or the copy was complete) and -1 after a failure, which a
// message box has told the user of.
// The program uses the system's Internet and tick; tests pass their own.
int32_t DownloadPackage(const Text& url, const Text& target, ProgressRoutine progress,
                        int32_t resume_offset, bool resume, Internet& internet = SystemInternet(),
                        const TickSource& tick_ms = GetTickMs);
