// The downloader against a scripted Internet and tick clock: what it asks of
// WinInet, what it writes and reports, and what it leaves behind on failure.
// Also the progress display, and the binding of the system's WinInet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "check/download.h"
#include "check/progress.h"
#include "tests/support/box_support.h"
#include "tests/support/path_support.h"
#include "tests/support/process_support.h"
#include "tests/support/registry_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/download_test_support.h"

namespace {

InternetHandle const kSession = reinterpret_cast<InternetHandle>(0x1000);
InternetHandle const kRequest = reinterpret_cast<InternetHandle>(0x2000);
InternetHandle const kSecondRequest = reinterpret_cast<InternetHandle>(0x3000);

// What the scripted Internet answers. A second request, if the downloader
// makes one, gets the second response of the list; the connection's own
// answers (flags, open) are the first one's.
struct Response {
  std::optional<uint32_t> connection_flags;  // left untouched when absent
  bool open_fails = false;
  bool url_fails = false;
  std::optional<uint32_t> status = 200;
  std::optional<uint32_t> content_length;
  std::optional<std::string> content_range;  // the header is missing when absent
  std::vector<std::string> chunks;           // one per read, then the end
  bool read_fails_after_chunks = false;
};

class FakeInternet final : public Internet {
 public:
  FakeInternet(Response response, Text target)
      : FakeInternet(std::vector<Response>{std::move(response)}, std::move(target)) {}
  FakeInternet(std::vector<Response> responses, Text target)
      : responses_(std::move(responses)), target_(std::move(target)) {}

  bool ConnectedState(uint32_t* flags) override {
    flags_at_query = *flags;
    if (responses_[0].connection_flags) *flags = *responses_[0].connection_flags;
    return true;
  }
  InternetHandle Open(const Text& agent_text, uint32_t access) override {
    agent = agent_text;
    access_type = access;
    return responses_[0].open_fails ? nullptr : kSession;
  }
  InternetHandle OpenUrl(InternetHandle internet, const Text& address, const Text& header_block,
                         uint32_t flags) override {
    EXPECT_EQ(internet, kSession);
    EXPECT_LT(requests.size(), responses_.size()) << "a request nobody scripted";
    url = address;
    headers = header_block;
    requests.push_back(header_block);
    url_flags = flags;
    if (requests.size() > responses_.size() || Current().url_fails) return nullptr;
    return CurrentHandle();
  }
  bool QueryNumber(InternetHandle request, uint32_t query, uint32_t* number) override {
    EXPECT_EQ(request, CurrentHandle());
    const std::optional<uint32_t>& answer =
        query == 0x20000013 ? Current().status : Current().content_length;
    EXPECT_TRUE(query == 0x20000013 || query == 0x20000005) << std::hex << query;
    if (!answer) return false;
    *number = *answer;
    return true;
  }
  bool QueryText(InternetHandle request, uint32_t query, Text* text) override {
    EXPECT_EQ(request, CurrentHandle());
    EXPECT_EQ(query, 53u);  // HTTP_QUERY_CONTENT_RANGE
    if (!Current().content_range) return false;
    *text = *Current().content_range;
    return true;
  }
  bool Read(InternetHandle request, void* buffer, uint32_t size, uint32_t* read) override {
    EXPECT_EQ(request, CurrentHandle());
    EXPECT_EQ(size, 10240u);
    *read = 0;
    if (reads < Current().chunks.size()) {
      const std::string& chunk = Current().chunks[reads++];
      memcpy(buffer, chunk.data(), chunk.size());
      *read = static_cast<uint32_t>(chunk.size());
      return true;
    }
    return !Current().read_fails_after_chunks;
  }
  void Close(InternetHandle handle) override {
    closed.push_back(handle);
    if (handle == kSession) target_open_at_close = IsHeldOpen(target_);
  }

  uint32_t flags_at_query = 0xDEAD;
  Text agent, url, headers;    // of the last request
  std::vector<Text> requests;  // the header block of each request, in order
  uint32_t access_type = 0xDEAD, url_flags = 0;
  size_t reads = 0;
  std::vector<InternetHandle> closed;
  bool target_open_at_close = false;

 private:
  const Response& Current() const {
    return responses_[std::max<size_t>(std::min(requests.size(), responses_.size()), 1) - 1];
  }
  InternetHandle CurrentHandle() const { return requests.size() > 1 ? kSecondRequest : kRequest; }

  std::vector<Response> responses_;
  Text target_;
};

// The tick clock reads the given values in turn, then keeps the last one.
TickSource Ticks(std::vector<uint32_t> values) {
  auto next = std::make_shared<size_t>(0);
  return [values, next] {
    const uint32_t v = values[*next < values.size() ? (*next)++ : values.size() - 1];
    return static_cast<int32_t>(v);
  };
}

std::string Filler(size_t size, char seed) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(seed + i * 7 + i / 251);
  return s;
}

const char kUrl[] = "http://update.tovra.example/Tovrasafebeta/safebeta_home.cab";
const char kUserAgentLine[] =
    "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";

class DownloadFake : public ::testing::Test {
 protected:
  DownloadFake() : dir_("download"), target_(dir_ / "set.tmp") { ProgressCalls().clear(); }

  int32_t Download(FakeInternet& internet, int32_t offset, bool resume,
                   std::vector<uint32_t> ticks = {1000}) {
    return DownloadPackage(kUrl, target_, RecordProgress, offset, resume, internet,
                           Ticks(std::move(ticks)));
  }

  TempFolder dir_;
  Text target_;
};

}  // namespace

TEST_F(DownloadFake, AsksWithTheAgentAccessTypeHeadersAndFlags) {
  struct Case {
    std::optional<uint32_t> connection_flags;
    uint32_t tick;
    bool resume;
    uint32_t access_type;
    const char* agent;
    const char* header_tail;
  } cases[] = {
      {std::nullopt, 12345, false, 4, "Agent12345", "1.1.4322)"},
      {0x12, 0, false, 4, "Agent0", "1.1.4322)"},
      {0x04, 0x80000005u, true, 0, "Agent-2147483643", "1.1.4322)\r\nRange:bytes=700-"},
      {0x35, 0xFFFFFFFFu, true, 0, "Agent-1", "1.1.4322)\r\nRange:bytes=700-"},
  };
  for (const Case& c : cases) {
    Response response;
    response.connection_flags = c.connection_flags;
    response.status = 206;
    response.content_range = "bytes 700-999/1000";
    FakeInternet internet(response, target_);
    EXPECT_EQ(Download(internet, 700, c.resume, {c.tick, 50}), 0);
    EXPECT_EQ(internet.flags_at_query, 0u);
    EXPECT_EQ(internet.access_type, c.access_type) << c.agent;
    EXPECT_EQ(internet.agent, c.agent);
    EXPECT_EQ(internet.url, kUrl);
    EXPECT_EQ(internet.url_flags, 0x84000100u);
    const Text tail = c.header_tail;
    ASSERT_GE(internet.headers.size(), tail.size());
    EXPECT_EQ(internet.headers.substr(internet.headers.size() - tail.size()), tail);
    EXPECT_NE(internet.headers.find(kUserAgentLine), Text::npos);
  }
}

TEST_F(DownloadFake, WritesEveryChunkAndReportsEachOnce) {
  const std::vector<std::string> chunks = {Filler(10240, 'a'), Filler(3, 'b'), Filler(10240, 'c'),
                                           Filler(7000, 'd')};
  Response response;
  response.content_length = 10240 + 3 + 10240 + 7000;
  response.chunks = chunks;
  FakeInternet internet(response, target_);
  WriteWholeFile(target_, Filler(50000, 'x'));  // a fresh start empties it

  // Ticks: agent, start, then one per chunk.
  EXPECT_EQ(Download(internet, 0, false, {7, 1000, 1000, 1001, 1500, 1500}), 0);

  EXPECT_EQ(ReadWholeFile(target_), chunks[0] + chunks[1] + chunks[2] + chunks[3]);
  const std::vector<ProgressCall> expected = {
      {27483, 10240, 10, 10240},
      {27483, 10243, 1, 10243},
      {27483, 20483, 500, 20483},
      {27483, 27483, 500, 27483},
  };
  EXPECT_EQ(ProgressCalls(), expected);
  EXPECT_EQ(internet.reads, chunks.size());
  // The file is closed first, then the Internet handle; the URL handle is
  // never closed by itself.
  EXPECT_EQ(internet.closed, std::vector<InternetHandle>{kSession});
  EXPECT_FALSE(internet.target_open_at_close);
  EXPECT_NE(DownloadFileNumber, 0);
  EXPECT_FALSE(IsHeldOpen(target_));
}

TEST_F(DownloadFake, ElapsedIsTakenModulo32BitsAcrossATickWrap) {
  Response response;
  response.chunks = {Filler(100, 'a'), Filler(100, 'b'), Filler(100, 'c')};
  FakeInternet internet(response, target_);
  EXPECT_EQ(Download(internet, 0, false, {1, 0xFFFFFFF0u, 0xFFFFFFF0u, 0x10, 0x1000}), 0);
  ASSERT_EQ(ProgressCalls().size(), 3u);
  EXPECT_EQ(ProgressCalls()[0].elapsed_ms, 10);  // same millisecond as the start
  EXPECT_EQ(ProgressCalls()[1].elapsed_ms, 0x20);
  EXPECT_EQ(ProgressCalls()[2].elapsed_ms, 0x1010);
  EXPECT_EQ(ProgressCalls()[2].content_length, 0);  // no Content-Length
}

TEST_F(DownloadFake, OffsetSetsTheFileAndTheCounts) {
  struct Case {
    const char* name;
    bool target_exists, resume;
    uint32_t status;
    Text expected_file;
    ProgressCall call;
  } cases[] = {
      // 700 bytes held, the remaining 300 arrive: appended, counted from 700.
      {"resume", true, true, 206, Filler(700, 'o') + Filler(300, 'n'), {300, 1000, 10, 300}},
      // Nothing held although asked to resume: created, still counted from the offset.
      {"resume without file", false, true, 206, Filler(300, 'n'), {300, 1000, 10, 300}},
      // A fresh start with an offset all the same: the offset is still subtracted.
      {"fresh with offset", true, false, 200, Filler(300, 'n'), {300, 300, 10, -400}},
  };
  for (const Case& c : cases) {
    DeleteFileA(target_.c_str());
    if (c.target_exists) WriteWholeFile(target_, Filler(700, 'o'));
    ProgressCalls().clear();
    Response response;
    response.status = c.status;
    response.content_length = 300;
    response.content_range = "bytes 700-999/1000";
    response.chunks = {Filler(300, 'n')};
    FakeInternet internet(response, target_);
    EXPECT_EQ(Download(internet, 700, c.resume), 0) << c.name;
    EXPECT_EQ(ReadWholeFile(target_), c.expected_file) << c.name;
    EXPECT_EQ(ProgressCalls(), std::vector<ProgressCall>{c.call}) << c.name;
  }
}

TEST_F(DownloadFake, FailuresBeforeTheBodyLeaveTheTargetAsItWas) {
  struct Case {
    const char* name;
    bool open_fails, url_fails;
    uint32_t status;
    bool resume, target_exists;
    int32_t result;
    std::vector<Text> messages;
  } cases[] = {
      {"no Internet handle", true, false, 200, false, true, -1, {"Internet连接错误!"}},
      {"URL not opened", false, true, 200, false, true, -1, {"不能打开该URL!"}},
      {"URL not opened, no file", false, true, 200, false, false, -1, {"不能打开该URL!"}},
      {"404", false, false, 404, true, true, -1, {"不能打开该URL!"}},
      {"500", false, false, 500, false, true, -1, {"不能打开该URL!"}},
      {"416 afresh", false, false, 416, false, true, -1, {"不能打开该URL!"}},
      // Resuming a copy that is already whole: nothing to fetch, nothing to say.
      {"416 resuming", false, false, 416, true, true, 0, {}},
  };
  const std::string held = Filler(700, 'h');
  for (const Case& c : cases) {
    DeleteFileA(target_.c_str());
    if (c.target_exists) WriteWholeFile(target_, held);
    Response response;
    response.open_fails = c.open_fails;
    response.url_fails = c.url_fails;
    response.status = c.status;
    response.content_length = 10;
    response.chunks = {"0123456789"};
    FakeInternet internet(response, target_);
    DownloadFileNumber = 4711;
    MessageBoxes boxes;
    EXPECT_EQ(Download(internet, 700, c.resume), c.result) << c.name;
    EXPECT_EQ(boxes.Stop(), c.messages) << c.name;
    EXPECT_EQ(internet.reads, 0u) << c.name;
    EXPECT_EQ(DownloadFileNumber, 4711) << c.name;
    if (c.target_exists) {
      EXPECT_EQ(ReadWholeFile(target_), held) << c.name;
    } else {
      EXPECT_EQ(GetFileAttributesA(target_.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
  }
  EXPECT_TRUE(ProgressCalls().empty());
}

TEST_F(DownloadFake, ResumedAnswerMustFitTheCopy) {
  const std::string held = Filler(700, 'h'), rest = Filler(300, 'r'), whole = Filler(1000, 'w');
  Response partial;  // what a server that honours the range sends
  partial.status = 206;
  partial.content_range = "bytes 700-999/1000";
  partial.content_length = 300;
  partial.chunks = {rest};
  Response full;  // the whole current file
  full.content_length = 1000;
  full.chunks = {whole};
  const auto answer = [](Response r, uint32_t status, std::optional<std::string> range) {
    r.status = status;
    r.content_range = std::move(range);
    return r;
  };
  Response not_found = answer(full, 404, std::nullopt);
  not_found.chunks = {"<html>404</html>"};
  Response unopened;
  unopened.url_fails = true;
  const Text kRangeLine = "\r\nRange:bytes=700-";

  struct Case {
    const char* name;
    std::vector<Response> responses;
    int32_t result;
    std::string file;
    size_t requests;
    std::vector<Text> messages;
    int32_t first_total;  // the running total of the first progress call; 0: none
  } cases[] = {
      {"206 from the offset", {partial}, 0, held + rest, 1, {}, 1000},
      {"206 from 0", {answer(full, 206, "bytes 0-999/1000")}, 0, whole, 1, {}, 1000},
      {"206 elsewhere",
       {answer(partial, 206, "bytes 512-999/1000")},
       -1,
       held,
       1,
       {"不能打开该URL!"},
       0},
      {"206 without a range",
       {answer(partial, 206, std::nullopt)},
       -1,
       held,
       1,
       {"不能打开该URL!"},
       0},
      {"206 with an unreadable range",
       {answer(partial, 206, "bytes 700-999")},
       -1,
       held,
       1,
       {"不能打开该URL!"},
       0},
      {"416 with the copy's size", {answer(partial, 416, "bytes */700")}, 0, held, 1, {}, 0},
      {"416 without a range", {answer(partial, 416, std::nullopt)}, 0, held, 1, {}, 0},
      {"416 with a smaller size",
       {answer(partial, 416, "bytes */500"), full},
       0,
       whole,
       2,
       {},
       1000},
      {"416 with a larger size",
       {answer(partial, 416, "bytes */900"), full},
       0,
       whole,
       2,
       {},
       1000},
      {"416 naming no size", {answer(partial, 416, "bytes */*"), full}, 0, whole, 2, {}, 1000},
      {"416, then an error page",
       {answer(partial, 416, "bytes */500"), not_found},
       -1,
       held,
       2,
       {"不能打开该URL!"},
       0},
      {"416, then no answer",
       {answer(partial, 416, "bytes */500"), unopened},
       -1,
       held,
       2,
       {"不能打开该URL!"},
       0},
  };
  for (const Case& c : cases) {
    WriteWholeFile(target_, held);
    ProgressCalls().clear();
    FakeInternet internet(c.responses, target_);
    MessageBoxes boxes;
    EXPECT_EQ(Download(internet, 700, true), c.result) << c.name;
    EXPECT_EQ(boxes.Stop(), c.messages) << c.name;
    EXPECT_TRUE(ReadWholeFile(target_) == c.file) << c.name;
    EXPECT_FALSE(IsHeldOpen(target_)) << c.name;
    ASSERT_EQ(internet.requests.size(), c.requests) << c.name;
    EXPECT_EQ(internet.requests[0].substr(internet.requests[0].size() - kRangeLine.size()),
              kRangeLine)
        << c.name;
    if (c.requests == 2) {
      // Asked again as for a fresh start: no Range line, and the first
      // answer let go before the second is read.
      EXPECT_EQ(internet.requests[1],
                internet.requests[0].substr(0, internet.requests[0].size() - kRangeLine.size()))
          << c.name;
      ASSERT_FALSE(internet.closed.empty()) << c.name;
      EXPECT_EQ(internet.closed[0], kRequest) << c.name;
    }
    if (c.first_total == 0) {
      EXPECT_TRUE(ProgressCalls().empty()) << c.name;
    } else {
      ASSERT_EQ(ProgressCalls().size(), 1u) << c.name;
      EXPECT_EQ(ProgressCalls()[0].running_total, c.first_total) << c.name;
    }
  }
}

TEST_F(DownloadFake, TargetThatCannotBeOpened) {
  Response response;
  response.chunks = {"0123456789"};
  FakeInternet internet(response, target_);
  MessageBoxes boxes;
  EXPECT_EQ(DownloadPackage(kUrl, dir_ / "missing\\set.tmp", RecordProgress, 0, false, internet,
                            Ticks({1})),
            -1);
  EXPECT_EQ(boxes.Stop(), std::vector<Text>{"不能打开本地的文件!"});
  EXPECT_EQ(DownloadFileNumber, 0);
  EXPECT_EQ(internet.reads, 0u);
}

TEST_F(DownloadFake, BodyThatStopsEarlyKeepsWhatArrived) {
  struct Case {
    const char* name;
    std::optional<uint32_t> content_length;
    bool read_fails;
    int32_t result;
    std::vector<Text> messages;
  } cases[] = {
      {"read error", 30720, true, -1, {"读文件出错!"}},
      // WinInet reports a connection closed early as a plain end.
      {"shorter than stated", 30721, false, -1, {"读文件出错!"}},
      {"as stated", 30720, false, 0, {}},
      {"no length stated", std::nullopt, false, 0, {}},
  };
  const std::vector<std::string> chunks = {Filler(10240, 'a'), Filler(10240, 'b'),
                                           Filler(10240, 'c')};
  for (const Case& c : cases) {
    ProgressCalls().clear();
    Response response;
    response.content_length = c.content_length;
    response.chunks = chunks;
    response.read_fails_after_chunks = c.read_fails;
    FakeInternet internet(response, target_);
    MessageBoxes boxes;
    EXPECT_EQ(Download(internet, 0, false), c.result) << c.name;
    EXPECT_EQ(boxes.Stop(), c.messages) << c.name;
    EXPECT_EQ(ReadWholeFile(target_), chunks[0] + chunks[1] + chunks[2]) << c.name;
    EXPECT_FALSE(IsHeldOpen(target_)) << c.name;
    EXPECT_EQ(ProgressCalls().size(), 3u) << c.name;
  }
}

TEST(ProgressDisplay, WritesTheBarPositionOnEveryCall) {
  PropertyWrites().clear();
  struct Call {
    int32_t content_length, running_total, elapsed_ms, received, position;
  } calls[] = {
      {10240, 5120, 10, 5120, 5000}, {10240, 5120, 999, -7, 5000},  // unchanged, written again
      {3, 2, 10, 2, 6666},           {300, 1000, 10, 300, 33333},   // resumed: more than a full bar
      {0, 4096, 10, 4096, 0},                                       // no length stated
  };
  std::vector<PropertyWrite> expected;
  for (const Call& c : calls) {
    ProgressCallback(c.content_length, c.running_total, c.elapsed_ms, c.received);
    expected.push_back({Control::进度条1, property::progress::kPosition, c.position});
  }
  EXPECT_EQ(PropertyWrites(), expected);
}

TEST_F(DownloadFake, DrivesTheBarOncePerChunk) {
  PropertyWrites().clear();
  Response response;
  response.content_length = 20480;
  response.chunks = {Filler(10240, 'a'), Filler(5120, 'b'), Filler(5120, 'c')};
  FakeInternet internet(response, target_);
  EXPECT_EQ(DownloadPackage(kUrl, target_, ProgressCallback, 0, false, internet, Ticks({1})), 0);
  const std::vector<PropertyWrite> expected = {
      {Control::进度条1, property::progress::kPosition, 5000},
      {Control::进度条1, property::progress::kPosition, 7500},
      {Control::进度条1, property::progress::kPosition, 10000}};
  EXPECT_EQ(PropertyWrites(), expected);
}

TEST(SystemInternet, MissingWinInetEndsWithABoxAndMinusOne) {
  DisabledDll no_wininet("download_probe.exe", "wininet");
  const ChildProcess probe(BesideThisProgram("download_probe.exe"));
  ASSERT_TRUE(probe.started());
  HWND box = WaitForBox("错误");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxMessage(box).find("Wininet.dll"), Text::npos) << BoxMessage(box);
  PressBoxButton(box, IDOK);
  EXPECT_EQ(probe.WaitForExit(20000), 0xFFFFFFFFu);  // STILL_ACTIVE when it hangs
}
