// The downloader's pure rules (download_logic.h): header block, agent text,
// access type, Content-Range, what an answer means, elapsed ticks, position.
#include "check/download_logic.h"

namespace download_logic {

Text AgentText(int32_t tick) { return JoinText("Agent", NumberToText(tick)); }

Text HeaderBlock(bool resume, int32_t offset) {
  Text block = JoinText(
      "Accept: */*\r\n", "Accept-Language: zh-cn\r\n", "Accept-Encoding: gzip, deflate\r\n",
      "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)");
  if (resume) block = JoinText(block, "\r\nRange:bytes=", NumberToText(offset), "-");
  return block;
}

uint32_t AccessTypeFor(uint32_t connection_flags) {
  return (connection_flags & kConnectionProxy) ? kOpenPreconfig : kOpenPreconfigNoAutoProxy;
}

namespace {

constexpr uint64_t kLargestNumber = 0x7FFFFFFFFFFFFFFFull;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one or more digits at `at` into *number; false when there are none
// or the number exceeds 63 bits.
bool ReadNumber(const Text& text, size_t& at, uint64_t* number) {
  const size_t start = at;
  uint64_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    const uint64_t digit = static_cast<uint64_t>(text[at] - '0');
    if (value > (kLargestNumber - digit) / 10) return false;
    value = value * 10 + digit;
  }
  *number = value;
  return at > start;
}

bool ReadChar(const Text& text, size_t& at, char expected) {
  if (at >= text.size() || text[at] != expected) return false;
  ++at;
  return true;
}

// The range unit, case-insensitive, and the blank after it.
bool ReadBytesUnit(const Text& text, size_t& at) {
  static const char kUnit[] = "bytes";
  for (const char* u = kUnit; *u; ++u, ++at) {
    if (at >= text.size() || (text[at] | 0x20) != *u) return false;
  }
  if (at >= text.size() || !IsBlank(text[at])) return false;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return true;
}

ContentRange ParseTrimmed(const Text& text) {
  ContentRange range;
  range.form = ContentRange::Form::kInvalid;
  size_t at = 0;
  if (!ReadBytesUnit(text, at)) return range;
  if (ReadChar(text, at, '*')) {
    if (!ReadChar(text, at, '/') || !ReadNumber(text, at, &range.size) || at != text.size()) {
      return range;
    }
    range.size_known = true;
    range.form = ContentRange::Form::kUnsatisfied;
    return range;
  }
  uint64_t first = 0, last = 0;
  if (!ReadNumber(text, at, &first) || !ReadChar(text, at, '-') || !ReadNumber(text, at, &last) ||
      !ReadChar(text, at, '/') || last < first) {
    return range;
  }
  if (ReadChar(text, at, '*')) {
    range.size_known = false;
  } else if (ReadNumber(text, at, &range.size) && range.size > last) {
    range.size_known = true;
  } else {
    return range;
  }
  if (at != text.size()) return range;
  range.first = first;
  range.last = last;
  range.form = ContentRange::Form::kRange;
  return range;
}

ResponseAction ActionForRangedAnswer(uint32_t status, int32_t offset, const ContentRange& range) {
  using Form = ContentRange::Form;
  // The parser keeps every number within 63 bits, so it compares as signed.
  const auto is_copy_size = [offset](uint64_t n) { return static_cast<int64_t>(n) == offset; };
  if (status == 416) {
    if (range.form == Form::kMissing) return ResponseAction::kAlreadyWhole;
    if (range.form == Form::kUnsatisfied && is_copy_size(range.size)) {
      return ResponseAction::kAlreadyWhole;
    }
    return ResponseAction::kFetchAfresh;
  }
  if (range.form != Form::kRange) return ResponseAction::kFail;
  if (is_copy_size(range.first)) return ResponseAction::kWrite;
  if (range.first == 0) return ResponseAction::kStartAfresh;
  return ResponseAction::kFail;
}

}  // namespace

ContentRange ParseContentRange(const Text& value) {
  size_t begin = 0, end = value.size();
  while (begin < end && IsBlank(value[begin])) ++begin;
  while (end > begin && IsBlank(value[end - 1])) --end;
  if (begin == end) return ContentRange();
  return ParseTrimmed(value.substr(begin, end - begin));
}

ResponseAction ActionForResponse(bool has_status, uint32_t status, bool resume, int32_t offset,
                                 const ContentRange& range) {
  if (!has_status) return ResponseAction::kWrite;
  if (resume && (status == 416 || status == 206)) {
    return ActionForRangedAnswer(status, offset, range);
  }
  if (status < 200 || status > 299) return ResponseAction::kFail;
  // Only 206 continues a range; any other success carries the whole file.
  if (resume) return ResponseAction::kStartAfresh;
  return ResponseAction::kWrite;
}

int32_t ElapsedMs(int32_t start_tick, int32_t now_tick) {
  const uint32_t elapsed = static_cast<uint32_t>(now_tick) - static_cast<uint32_t>(start_tick);
  return elapsed == 0 ? 10 : static_cast<int32_t>(elapsed);
}

int32_t ProgressPosition(int32_t content_length, int32_t running_total) {
  if (content_length == 0) return 0;
  const int64_t quotient = static_cast<int64_t>(running_total) * kProgressScale / content_length;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(quotient)));
}

}  // namespace download_logic
