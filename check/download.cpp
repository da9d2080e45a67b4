// DownloadPackage (download.h): the request, the target file and the body,
// with every failure told in one of the four boxes.
#include "check/download.h"

#include "check/download_logic.h"

int32_t DownloadFileNumber = 0;

namespace {

using namespace download_logic;

// The Internet handle of one call, closed when the call ends. The URL handle
// opened on it is not closed by itself: WinInet releases it with its parent.
class InternetSession {
 public:
  InternetSession(Internet& internet, InternetHandle handle)
      : internet_(internet), handle_(handle) {}
  ~InternetSession() {
    if (handle_) internet_.Close(handle_);
  }
  InternetSession(const InternetSession&) = delete;
  InternetSession& operator=(const InternetSession&) = delete;

  InternetHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Internet& internet_;
  InternetHandle handle_;
};

// The target file's number, closed when the download ends.
class TargetFile {
 public:
  explicit TargetFile(int32_t number) : number_(number) {}
  ~TargetFile() { CloseFile(number_); }
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;

 private:
  int32_t number_;
};

int32_t Fail(const char* message) {
  ShowMessage(message);
  return -1;
}

ResponseAction ActionFor(Internet& internet, InternetHandle request, bool resume, int32_t offset) {
  uint32_t status = 0;
  const bool has_status = internet.QueryNumber(request, kQueryStatusCode, &status);
  Text content_range;
  if (resume && !internet.QueryText(request, kQueryContentRange, &content_range)) {
    content_range.clear();
  }
  return ActionForResponse(has_status, status, resume, offset, ParseContentRange(content_range));
}

int32_t LowBits(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// The request for the package and what its answer means for the target.
struct Answer {
  InternetHandle request;  // null when the URL could not be opened
  bool ranged;             // the request carried a Range line
  ResponseAction action;
};

// Decided before the target is touched, so that an error page or an answer
// that does not fit the copy never replaces or extends it.
Answer RequestPackage(Internet& internet, InternetHandle session, const Text& url, bool resume,
                      int32_t resume_offset) {
  Answer answer = {nullptr, resume, ResponseAction::kFail};
  answer.request =
      internet.OpenUrl(session, url, HeaderBlock(resume, resume_offset), kOpenUrlFlags);
  if (!answer.request) return answer;
  answer.action = ActionFor(internet, answer.request, answer.ranged, resume_offset);
  if (answer.action == ResponseAction::kFetchAfresh) {
    // The server's file has another size than the copy, so the copy is no
    // part of it: fetch the current file whole, with this one more request.
    internet.Close(answer.request);
    answer.ranged = false;
    answer.request = internet.OpenUrl(session, url, HeaderBlock(answer.ranged, 0), kOpenUrlFlags);
    if (!answer.request) return answer;
    answer.action = ActionFor(internet, answer.request, answer.ranged, resume_offset);
  }
  return answer;
}

// Opens the target into DownloadFileNumber: kept and positioned at its end
// when the body continues it, else emptied or created. False when it cannot
// be opened.
bool OpenTarget(const Text& target, bool append) {
  if (append) {
    DownloadFileNumber = OpenFile(
        target, FileExists(target) ? open_mode::kWriteKeepingContent : open_mode::kRewrite);
    SeekToEnd(DownloadFileNumber);
  } else {
    DownloadFileNumber = OpenFile(target, open_mode::kRewrite);
  }
  return DownloadFileNumber != 0;
}

// Reads the body into DownloadFileNumber chunk by chunk and reports each
// stored chunk; running_total starts at what the target already holds. 0 at
// the end of the body, -1 after a failure, which a box has told of.
int32_t ReadBody(Internet& internet, InternetHandle request, ProgressRoutine progress,
                 const TickSource& tick_ms, int64_t running_total, int32_t resume_offset) {
  uint32_t content_length = 0;
  const bool has_length = internet.QueryNumber(request, kQueryContentLength, &content_length);
  if (!has_length) content_length = 0;
  const int32_t start_tick = tick_ms();
  Bytes chunk(kChunkSize);
  int64_t body_received = 0;
  for (;;) {
    uint32_t n = 0;
    if (!internet.Read(request, chunk.data(), kChunkSize, &n)) return Fail("读文件出错!");
    if (n == 0) {
      // WinInet reports a connection closed before the stated length exactly
      // like the end of the body; only the count tells them apart.
      if (has_length && body_received < static_cast<int64_t>(content_length)) {
        return Fail("读文件出错!");
      }
      return 0;
    }
    // Exactly the bytes received: shrinking and regrowing the buffer keeps
    // its storage, so no chunk is copied.
    chunk.resize(n);
    const bool written = WriteBytes(DownloadFileNumber, chunk);
    chunk.resize(kChunkSize);
    if (!written) return Fail("不能打开本地的文件!");
    running_total += n;
    body_received += n;
    progress(static_cast<int32_t>(content_length), LowBits(running_total),
             ElapsedMs(start_tick, tick_ms()), LowBits(running_total - resume_offset));
  }
}

}  // namespace

int32_t DownloadPackage(const Text& url, const Text& target, ProgressRoutine progress,
                        int32_t resume_offset, bool resume, Internet& internet,
                        const TickSource& tick_ms) {
  uint32_t connection = 0;
  internet.ConnectedState(&connection);
  const Text agent = AgentText(tick_ms());
  InternetSession session(internet, internet.Open(agent, AccessTypeFor(connection)));
  if (!session) return Fail("Internet连接错误!");

  const Answer answer = RequestPackage(internet, session.get(), url, resume, resume_offset);
  if (!answer.request || answer.action == ResponseAction::kFail) return Fail("不能打开该URL!");
  if (answer.action == ResponseAction::kAlreadyWhole) return 0;

  const bool append = answer.ranged && answer.action == ResponseAction::kWrite;
  if (!OpenTarget(target, append)) return Fail("不能打开本地的文件!");
  // Closed on every way out, before the session.
  const TargetFile file(DownloadFileNumber);
  return ReadBody(internet, answer.request, progress, tick_ms, append ? resume_offset : 0,
                  resume_offset);
}
