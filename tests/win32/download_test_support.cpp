// The downloader tests' records of progress calls and property writes, and
// the check for a file held open.
#include "tests/win32/download_test_support.h"

#include <ostream>

#include "host/handles.h"

std::ostream& operator<<(std::ostream& out, const ProgressCall& c) {
  return out << "{" << c.content_length << ", " << c.running_total << ", " << c.elapsed_ms << ", "
             << c.received << "}";
}

std::vector<ProgressCall>& ProgressCalls() {
  static std::vector<ProgressCall> calls;
  return calls;
}

int32_t HOST_STDCALL RecordProgress(int32_t content_length, int32_t running_total,
                                    int32_t elapsed_ms, int32_t received) {
  ProgressCalls().push_back({content_length, running_total, elapsed_ms, received});
  return 0;
}

std::ostream& operator<<(std::ostream& out, const PropertyWrite& w) {
  return out << "{control " << static_cast<int>(w.control) << ", property " << w.property << ", "
             << w.value << "}";
}

std::vector<PropertyWrite>& PropertyWrites() {
  static std::vector<PropertyWrite> writes;
  return writes;
}

// The window operations as the progress display sees them; the window
// itself is app/'s and not part of these tests.
void WriteProperty(Control control, int property, int32_t value) {
  PropertyWrites().push_back({control, property, value});
}
void WriteProperty(Control, int, const Text&) {}
Text ReadProperty(Control, int) { return Text(); }
void SetZOrder(Control, int) {}

bool IsHeldOpen(const Text& path) {
  UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}
