// The downloader through the system's WinInet against servers on loopback:
// nginx for the paths a real server takes, tests/servers/fault_server.py for
// the faults it cannot produce. tests/servers/with-servers.sh starts both
// and names them in the environment.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "check/download.h"
#include "tests/support/box_support.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/download_test_support.h"

namespace {

Text Environment(const char* name) {
  char value[1024] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? Text(value, n) : Text();
}

std::vector<Text> Lines(const std::string& text) {
  std::vector<Text> lines;
  size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool IsPrefixOf(const std::string& part, const std::string& whole) {
  return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

class Servers : public ::testing::Test {
 protected:
  void SetUp() override {
    nginx_ = Environment("TOVRA_NGINX_URL");
    fault_ = Environment("TOVRA_FAULT_URL");
    ASSERT_FALSE(nginx_.empty() || fault_.empty()) << "run through tests/servers/with-servers.sh";
    package_ = ReadWholeFile(Environment("TOVRA_PACKAGE"));
    ASSERT_EQ(package_.size(), 300007u);
    ProgressCalls().clear();
  }

  int32_t Download(const Text& url, int32_t offset, bool resume) {
    return DownloadPackage(url, target_, RecordProgress, offset, resume);
  }

  // nginx's log line for the request with this URI: "uri|status|range|body bytes",
  // with "-" for a header the request did not carry.
  // It is written when the response has been sent, which may be a moment
  // after the client has read the last byte.
  static Text NginxLogLine(const Text& uri) {
    const std::vector<Text> lines = NginxLogLines(uri, 1);
    return lines.empty() ? Text() : lines.front();
  }
  // Every log line for the URI once there are at least `count` of them (or
  // what there is after five seconds).
  static std::vector<Text> NginxLogLines(const Text& uri, size_t count) {
    std::vector<Text> lines;
    for (int i = 0; i < 250 && lines.size() < count; ++i) {
      if (i > 0) Sleep(20);
      lines.clear();
      std::istringstream log(ReadWholeFile(Environment("TOVRA_NGINX_LOG")));
      for (std::string line; std::getline(log, line);) {
        if (line.compare(0, uri.size() + 1, uri + "|") == 0) lines.push_back(line);
      }
    }
    return lines;
  }
  static Text WithoutByteCount(const Text& line) { return line.substr(0, line.rfind('|')); }

  Text nginx_, fault_;
  std::string package_;
  TempFolder dir_{"server"};
  Text target_ = dir_ / "set.tmp";
};

}  // namespace

TEST_F(Servers, FreshDownloadFromNginxIsThePackage) {
  WriteWholeFile(target_, std::string(400000, 'x'));
  MessageBoxes boxes;
  EXPECT_EQ(Download(nginx_ + "/package.bin?fresh", 0, false), 0);
  EXPECT_TRUE(boxes.Stop().empty());
  EXPECT_TRUE(ReadWholeFile(target_) == package_);
  ASSERT_FALSE(ProgressCalls().empty());
  int32_t previous = 0;
  for (const ProgressCall& call : ProgressCalls()) {
    EXPECT_EQ(call.content_length, 300007);
    EXPECT_GT(call.running_total, previous);
    EXPECT_LE(call.running_total - previous, 10240);
    EXPECT_EQ(call.received, call.running_total);
    EXPECT_GT(call.elapsed_ms, 0);
    previous = call.running_total;
  }
  EXPECT_EQ(previous, 300007);
  EXPECT_EQ(NginxLogLine("/package.bin?fresh"), "/package.bin?fresh|200|-|300007");
}

TEST_F(Servers, ResumeAt700AsksNginxForTheRest) {
  WriteWholeFile(target_, package_.substr(0, 700));
  MessageBoxes boxes;
  EXPECT_EQ(Download(nginx_ + "/package.bin?resume", 700, true), 0);
  EXPECT_TRUE(boxes.Stop().empty());
  EXPECT_TRUE(ReadWholeFile(target_) == package_);
  ASSERT_FALSE(ProgressCalls().empty());
  EXPECT_GT(ProgressCalls().front().running_total, 700);
  for (const ProgressCall& call : ProgressCalls()) {
    EXPECT_EQ(call.content_length, 300007 - 700);  // the length of the partial body
    EXPECT_EQ(call.received, call.running_total - 700);
  }
  EXPECT_EQ(ProgressCalls().back().running_total, 300007);
  EXPECT_EQ(NginxLogLine("/package.bin?resume"), "/package.bin?resume|206|bytes=700-|299307");
}

TEST_F(Servers, CompleteCopyGets416AndStaysAsItIs) {
  WriteWholeFile(target_, package_);
  MessageBoxes boxes;
  EXPECT_EQ(Download(nginx_ + "/package.bin?whole", 300007, true), 0);
  EXPECT_TRUE(boxes.Stop().empty());
  EXPECT_TRUE(ReadWholeFile(target_) == package_);
  EXPECT_TRUE(ProgressCalls().empty());
  EXPECT_EQ(WithoutByteCount(NginxLogLine("/package.bin?whole")),
            "/package.bin?whole|416|bytes=300007-");
}

TEST_F(Servers, CopyLargerThanThePackageIsReplacedByAFreshOne) {
  // An older, larger package's copy: nginx's 416 states the current size.
  WriteWholeFile(target_, std::string(400000, 'o'));
  MessageBoxes boxes;
  EXPECT_EQ(Download(nginx_ + "/package.bin?smaller", 400000, true), 0);
  EXPECT_TRUE(boxes.Stop().empty());
  EXPECT_TRUE(ReadWholeFile(target_) == package_);
  ASSERT_FALSE(ProgressCalls().empty());
  EXPECT_LE(ProgressCalls().front().running_total, 10240);  // counted from 0
  EXPECT_EQ(ProgressCalls().back().running_total, 300007);
  EXPECT_EQ(ProgressCalls().back().content_length, 300007);
  const std::vector<Text> lines = NginxLogLines("/package.bin?smaller", 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(WithoutByteCount(lines[0]), "/package.bin?smaller|416|bytes=400000-");
  EXPECT_EQ(lines[1], "/package.bin?smaller|200|-|300007");
}

TEST_F(Servers, ResumedAnswerMustFitTheCopy) {
  const std::string held(700, 'z');  // not the package's first bytes
  struct Case {
    const char* path;
    int32_t result;
    bool fresh_copy;  // the file ends up the package; otherwise it stays as held
    std::vector<Text> messages;
  } cases[] = {
      {"/range?first=0", 0, true, {}},  // the whole file after all
      {"/range?first=512", -1, false, {"不能打开该URL!"}},
      {"/empty?status=206", -1, false, {"不能打开该URL!"}},  // no Content-Range
      {"/416?size=700", 0, false, {}},                       // the copy is complete
      {"/416", 0, false, {}},
      {"/416?size=300007", 0, true, {}},  // another file: asked again, without Range
  };
  for (const Case& c : cases) {
    WriteWholeFile(target_, held);
    ProgressCalls().clear();
    MessageBoxes boxes;
    EXPECT_EQ(Download(fault_ + c.path, 700, true), c.result) << c.path;
    EXPECT_EQ(boxes.Stop(), c.messages) << c.path;
    EXPECT_TRUE(ReadWholeFile(target_) == (c.fresh_copy ? package_ : held)) << c.path;
    if (c.fresh_copy) {
      ASSERT_FALSE(ProgressCalls().empty()) << c.path;
      EXPECT_EQ(ProgressCalls().back().running_total, 300007) << c.path;
    } else {
      EXPECT_TRUE(ProgressCalls().empty()) << c.path;
    }
  }
}

TEST_F(Servers, FullDiskStopsTheDownload) {
  const Text full = Environment("TOVRA_FULL_DISK");
  if (full.empty()) GTEST_SKIP() << "no small file system mounted (only inside the sandbox)";
  const Text target = full + "\\set.tmp";
  MessageBoxes boxes;
  EXPECT_EQ(DownloadPackage(nginx_ + "/package.bin?full", target, RecordProgress, 0, false), -1);
  EXPECT_EQ(boxes.Stop(), std::vector<Text>{"不能打开本地的文件!"});
  const std::string kept = ReadWholeFile(target);
  EXPECT_LT(kept.size(), package_.size());
  EXPECT_TRUE(IsPrefixOf(kept, package_));
  EXPECT_FALSE(IsHeldOpen(target));
  // Nothing is reported for the chunk that could not be stored.
  ASSERT_FALSE(ProgressCalls().empty());
  EXPECT_LE(ProgressCalls().back().running_total, static_cast<int32_t>(kept.size()));
  DeleteFileA(target.c_str());
}

TEST_F(Servers, HeaderLinesAsTheServerReceivesThem) {
  for (const bool resume : {false, true}) {
    DeleteFileA(target_.c_str());
    EXPECT_EQ(Download(fault_ + "/echo", 700, resume), 0);
    // The echo answers 200 even to a Range request, so the file holds
    // exactly the request head.
    const std::vector<Text> lines = Lines(ReadWholeFile(target_));
    auto has = [&lines](const Text& line) {
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "GET /echo HTTP/1.1");
    EXPECT_TRUE(has("Accept: */*"));
    EXPECT_TRUE(has("Accept-Language: zh-cn"));
    EXPECT_TRUE(has("Accept-Encoding: gzip, deflate"));
    // The block's User-Agent line wins over the handle's agent text.
    EXPECT_TRUE(
        has("User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET "
            "CLR 1.1.4322)"));
    int user_agents = 0, ranges = 0;
    for (const Text& line : lines) {
      user_agents += line.compare(0, 11, "User-Agent:") == 0;
      ranges += line.compare(0, 6, "Range:") == 0;
    }
    EXPECT_EQ(user_agents, 1);
    EXPECT_EQ(ranges, resume ? 1 : 0);
    // WinInet puts a blank after the colon of the block's "Range:bytes=700-".
    if (resume) {
      EXPECT_TRUE(has("Range: bytes=700-") || has("Range:bytes=700-"));
    }
  }
}

TEST_F(Servers, ServerIgnoringRangeGivesAFreshCopy) {
  WriteWholeFile(target_, std::string(700, 'z'));
  MessageBoxes boxes;
  EXPECT_EQ(Download(fault_ + "/ignore-range", 700, true), 0);
  EXPECT_TRUE(boxes.Stop().empty());
  EXPECT_TRUE(ReadWholeFile(target_) == package_);  // never the old bytes and a whole copy
  ASSERT_FALSE(ProgressCalls().empty());
  EXPECT_LE(ProgressCalls().front().running_total, 10240);  // counted from 0, not 700
  EXPECT_EQ(ProgressCalls().back().running_total, 300007);
  EXPECT_EQ(ProgressCalls().back().content_length, 300007);
}

TEST_F(Servers, ErrorStatusLeavesTheTargetAlone) {
  const std::string held = package_.substr(0, 700);
  for (const int code : {404, 500}) {
    for (const bool resume : {false, true}) {
      WriteWholeFile(target_, held);
      MessageBoxes boxes;
      EXPECT_EQ(Download(fault_ + "/status?code=" + std::to_string(code), 700, resume), -1);
      EXPECT_EQ(boxes.Stop(), std::vector<Text>{"不能打开该URL!"}) << code;
      EXPECT_EQ(ReadWholeFile(target_), held) << code << " resume " << resume;
    }
  }
  EXPECT_TRUE(ProgressCalls().empty());
}

TEST_F(Servers, BodyCutShortIsAReadError) {
  struct Case {
    const char* path;
    bool exact;  // a reset may lose what was still in flight
  } cases[] = {{"/close-early", true}, {"/reset", false}};
  for (const Case& c : cases) {
    MessageBoxes boxes;
    EXPECT_EQ(Download(fault_ + c.path, 0, false), -1) << c.path;
    EXPECT_EQ(boxes.Stop(), std::vector<Text>{"读文件出错!"}) << c.path;
    const std::string kept = ReadWholeFile(target_);
    EXPECT_TRUE(IsPrefixOf(kept, package_)) << c.path;
    if (c.exact) {
      EXPECT_EQ(kept.size(), 25000u);
    } else {
      EXPECT_LE(kept.size(), 25000u);
    }
    EXPECT_FALSE(IsHeldOpen(target_)) << c.path;
  }
}

TEST_F(Servers, ChunkedAnswerReportsNoLength) {
  EXPECT_EQ(Download(fault_ + "/chunked", 0, false), 0);
  EXPECT_TRUE(ReadWholeFile(target_) == package_);
  ASSERT_FALSE(ProgressCalls().empty());
  for (const ProgressCall& call : ProgressCalls()) EXPECT_EQ(call.content_length, 0);
  EXPECT_EQ(ProgressCalls().back().running_total, 300007);
}

TEST_F(Servers, EmptyBodyWritesNothing) {
  const std::string held = package_.substr(0, 700);
  struct Case {
    const char* path;
    bool resume;
    std::string expected;
  } cases[] = {
      {"/empty", false, ""},                                      // a fresh start empties the file
      {"/empty?status=206&range=bytes+700-700/701", true, held},  // nothing more to append
      {"/empty", true, ""},  // Range ignored: the whole package is empty
  };
  for (const Case& c : cases) {
    WriteWholeFile(target_, held);
    MessageBoxes boxes;
    EXPECT_EQ(Download(fault_ + c.path, 700, c.resume), 0) << c.path;
    EXPECT_TRUE(boxes.Stop().empty()) << c.path;
    EXPECT_EQ(ReadWholeFile(target_), c.expected) << c.path << " resume " << c.resume;
  }
  EXPECT_TRUE(ProgressCalls().empty());
}
