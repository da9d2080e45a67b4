// The downloader's pure pieces: the request header block, the agent text,
// the access type, what a response means for the target, elapsed ticks and
// the bar position. No Windows header.
#pragma once

#include <cstdint>

#include "host/text.h"

namespace download_logic {

constexpr uint32_t kConnectionProxy = 4;              // INTERNET_CONNECTION_PROXY
constexpr uint32_t kOpenPreconfig = 0;                // INTERNET_OPEN_TYPE_PRECONFIG
constexpr uint32_t kOpenPreconfigNoAutoProxy = 4;     // ..._WITH_NO_AUTOPROXY
constexpr uint32_t kOpenUrlFlags = 0x84000100;        // RELOAD | NO_CACHE_WRITE | PRAGMA_NOCACHE
constexpr uint32_t kQueryContentLength = 0x20000005;  // CONTENT_LENGTH | FLAG_NUMBER
constexpr uint32_t kQueryStatusCode = 0x20000013;     // STATUS_CODE | FLAG_NUMBER
constexpr uint32_t kQueryContentRange = 53;           // CONTENT_RANGE, as text
constexpr uint32_t kChunkSize = 10240;
constexpr int32_t kProgressScale = 10000;

// "Agent" + the tick as a signed decimal ("Agent-5" past 2^31 ms of uptime).
Text AgentText(int32_t tick);

// The four fixed header lines joined by CR LF (none at the end), and with
// resume a fifth line "Range:bytes=N-".
Text HeaderBlock(bool resume, int32_t offset);

uint32_t AccessTypeFor(uint32_t connection_flags);

// A Content-Range value: "bytes FIRST-LAST/SIZE" (SIZE may be "*") for the
// part a 206 carries, "bytes */SIZE" for the size a 416 states. Anything
// else, an inverted range or a number too large for 63 bits is kInvalid; an
// empty value (the header is missing) is kMissing.
struct ContentRange {
  enum class Form { kMissing, kInvalid, kRange, kUnsatisfied };
  Form form = Form::kMissing;
  uint64_t first = 0, last = 0;  // kRange only
  bool size_known = false;
  uint64_t size = 0;
};
ContentRange ParseContentRange(const Text& value);

// What a response means for the target file. WinInet opens the URL for any
// status, so an error page would otherwise be stored as the package; and a
// resumed copy is only continued where the server's answer fits it, so that
// it never becomes the first bytes of one file followed by another.
enum class ResponseAction {
  kWrite,         // write the body as asked (append when resuming)
  kStartAfresh,   // resuming, but the body is the whole file: empty the target first
  kAlreadyWhole,  // 416 stating the copy's own size: the local copy is complete
  kFetchAfresh,   // 416 stating another size: ask again without a Range line
  kFail,          // an error status or an answer that does not fit the copy:
                  // treat like a URL that cannot be opened
};
// has_status false (the query failed, not HTTP): the body is written as asked.
// The range matters only when resuming from `offset`: a 206 must start at the
// offset (continued) or at 0 (the whole file); a 416 without a Content-Range
// is taken as complete, one stating another size, or none that can be read,
// means the copy is not the server's file.
ResponseAction ActionForResponse(bool has_status, uint32_t status, bool resume, int32_t offset,
                                 const ContentRange& range);

// Milliseconds from start to now modulo 2^32; 10 stands for 0.
int32_t ElapsedMs(int32_t start_tick, int32_t now_tick);

// running total x 10000 / content length on 64 bits, truncated, low 32 bits
// read as signed; 0 when the content length is 0.
int32_t ProgressPosition(int32_t content_length, int32_t running_total);

}  // namespace download_logic
