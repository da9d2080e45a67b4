// The progress display (progress.h): each report moves the bar 进度条1.
#include "check/progress.h"

#include "check/download_logic.h"
#include "check/window_ops.h"

int32_t HOST_STDCALL ProgressCallback(int32_t content_length, int32_t running_total,
                                      int32_t elapsed_ms, int32_t received) {
  OnDownloadProgress(content_length, running_total, elapsed_ms, received);
  return 0;
}

void OnDownloadProgress(int32_t content_length, int32_t running_total, int32_t /*elapsed_ms*/,
                        int32_t /*received*/) {
  WriteProperty(Control::进度条1, property::progress::kPosition,
                download_logic::ProgressPosition(content_length, running_total));
}
