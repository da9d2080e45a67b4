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

ResponseAction ActionForStatus(bool has_status, uint32_t status, bool resume) {
  if (!has_status) return ResponseAction::kWrite;
  if (resume && status == 416) return ResponseAction::kAlreadyWhole;
  if (status < 200 || status > 299) return ResponseAction::kFail;
  // Only 206 continues a range; any other success carries the whole file.
  if (resume && status != 206) return ResponseAction::kStartAfresh;
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
