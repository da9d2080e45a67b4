// The download's progress display: the position of the bar 进度条1, in
// ten-thousandths of the content length received so far.
#pragma once

#include <cstdint>

#include "host/host.h"

// The routine handed to DownloadPackage: passes its four values on unchanged.
int32_t HOST_STDCALL ProgressCallback(int32_t content_length, int32_t running_total,
                                      int32_t elapsed_ms, int32_t received);

// Writes the bar's position on every call, also when it has not changed;
// the elapsed time and the bytes of this call do not show.
void OnDownloadProgress(int32_t content_length, int32_t running_total, int32_t elapsed_ms,
                        int32_t received);
