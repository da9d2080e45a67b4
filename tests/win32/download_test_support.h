// Support for the downloader's tests under Wine: a record of the calls of the
// progress routine, a recording stand-in for the window operations, and
// whether the downloader still holds its target open.
#pragma once

#include <windows.h>

#include <iosfwd>
#include <vector>

#include "check/download.h"
#include "check/window_ops.h"

struct ProgressCall {
  int32_t content_length, running_total, elapsed_ms, received;
  bool operator==(const ProgressCall& o) const {
    return content_length == o.content_length && running_total == o.running_total &&
           elapsed_ms == o.elapsed_ms && received == o.received;
  }
};
std::ostream& operator<<(std::ostream& out, const ProgressCall& c);

// RecordProgress appends its four values to ProgressCalls().
std::vector<ProgressCall>& ProgressCalls();
int32_t HOST_STDCALL RecordProgress(int32_t content_length, int32_t running_total,
                                    int32_t elapsed_ms, int32_t received);

// Every number written through WriteProperty, in order.
struct PropertyWrite {
  Control control;
  int property;
  int32_t value;
  bool operator==(const PropertyWrite& o) const {
    return control == o.control && property == o.property && value == o.value;
  }
};
std::ostream& operator<<(std::ostream& out, const PropertyWrite& w);
std::vector<PropertyWrite>& PropertyWrites();

// True while some handle holds the file without sharing it for reading, as
// the downloader's open target does.
bool IsHeldOpen(const Text& path);
