// The check's pure rules: the request's headers, agent and access type,
// what each answer to a request means for the copy, Content-Range, elapsed
// time, the bar's position, the verdict and the expand command line.
#include <gtest/gtest.h>

#include "check/download_logic.h"
#include "check/verdict.h"

using namespace download_logic;

TEST(HeaderBlock, FourLinesAndAnOptionalRange) {
  const Text plain = HeaderBlock(false, 700);
  EXPECT_EQ(plain,
            "Accept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\n"
            "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR "
            "1.1.4322)");
  EXPECT_EQ(HeaderBlock(true, 700), plain + "\r\nRange:bytes=700-");
  EXPECT_EQ(HeaderBlock(true, 0), plain + "\r\nRange:bytes=0-");
}

TEST(AgentText, SignedTick) {
  EXPECT_EQ(AgentText(12345), "Agent12345");
  EXPECT_EQ(AgentText(static_cast<int32_t>(0x80000005u)), "Agent-2147483643");
}

TEST(AccessType, OnlyTheProxyBitCounts) {
  EXPECT_EQ(AccessTypeFor(0), 4u);
  EXPECT_EQ(AccessTypeFor(0x12), 4u);
  EXPECT_EQ(AccessTypeFor(0x04), 0u);
  EXPECT_EQ(AccessTypeFor(0x3F), 0u);
}

TEST(ActionForResponse, ErrorsFailAndOnlyPartialContentAppends) {
  struct Case {
    bool has_status;
    uint32_t status;
    bool resume;
    ResponseAction action;
  } cases[] = {
      {true, 200, false, ResponseAction::kWrite},
      {true, 206, true, ResponseAction::kWrite},
      {true, 200, true, ResponseAction::kStartAfresh},  // the server ignored the Range line
      {true, 203, true, ResponseAction::kStartAfresh},
      {true, 416, true, ResponseAction::kAlreadyWhole},
      {true, 416, false, ResponseAction::kFail},
      {true, 404, false, ResponseAction::kFail},
      {true, 404, true, ResponseAction::kFail},
      {true, 500, false, ResponseAction::kFail},
      {true, 199, false, ResponseAction::kFail},
      {true, 300, false, ResponseAction::kFail},
      {true, 299, false, ResponseAction::kWrite},
      {false, 0, true, ResponseAction::kWrite},  // no HTTP status to go by
  };
  // What a server that honours the Range line states: the rest of the file
  // for 206, the copy's own size for 416.
  const ContentRange rest = ParseContentRange("bytes 700-999/1000");
  const ContentRange whole = ParseContentRange("bytes */700");
  for (const Case& c : cases) {
    const ContentRange& range = c.status == 416 ? whole : rest;
    EXPECT_EQ(ActionForResponse(c.has_status, c.status, c.resume, 700, range), c.action)
        << c.status << (c.resume ? " resuming" : "");
  }
}

TEST(ActionForResponse, ResumedAnswersMustFitTheCopy) {
  struct Case {
    uint32_t status;
    const char* content_range;  // "" when the header is missing
    ResponseAction action;
  } cases[] = {
      {206, "bytes 700-999/1000", ResponseAction::kWrite},
      {206, "bytes 700-999/*", ResponseAction::kWrite},
      {206, "bytes 0-999/1000", ResponseAction::kStartAfresh},  // the whole file after all
      {206, "bytes 512-999/1000", ResponseAction::kFail},       // rounded down to a block
      {206, "bytes 701-999/1000", ResponseAction::kFail},
      {206, "", ResponseAction::kFail},
      {206, "bytes */1000", ResponseAction::kFail},
      {206, "bytes 700-999", ResponseAction::kFail},  // unreadable counts as another start
      {416, "bytes */700", ResponseAction::kAlreadyWhole},
      {416, "", ResponseAction::kAlreadyWhole},
      {416, "bytes */500", ResponseAction::kFetchAfresh},  // replaced by a smaller file
      {416, "bytes */900", ResponseAction::kFetchAfresh},
      {416, "bytes */*", ResponseAction::kFetchAfresh},  // present but names no size
      {416, "bytes 0-699/700", ResponseAction::kFetchAfresh},
      {200, "bytes 700-999/1000", ResponseAction::kStartAfresh},  // only 206 and 416 look at it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ActionForResponse(true, c.status, true, 700, ParseContentRange(c.content_range)),
              c.action)
        << c.status << " " << c.content_range;
  }
  // Without a Range line sent, the range is never looked at.
  EXPECT_EQ(ActionForResponse(true, 206, false, 700, ContentRange()), ResponseAction::kWrite);
  EXPECT_EQ(ActionForResponse(true, 416, false, 700, ParseContentRange("bytes */700")),
            ResponseAction::kFail);
  // Resuming from 0: a range from 0 continues the (empty) copy.
  EXPECT_EQ(ActionForResponse(true, 206, true, 0, ParseContentRange("bytes 0-9/10")),
            ResponseAction::kWrite);
  EXPECT_EQ(ActionForResponse(true, 416, true, 0, ParseContentRange("bytes */0")),
            ResponseAction::kAlreadyWhole);
}

TEST(ParseContentRange, StrictOnEveryPiece) {
  using Form = ContentRange::Form;
  struct Case {
    const char* value;
    Form form;
    uint64_t first, last;
    bool size_known;
    uint64_t size;
  } cases[] = {
      {"bytes 700-999/1000", Form::kRange, 700, 999, true, 1000},
      {"bytes 0-0/1", Form::kRange, 0, 0, true, 1},
      {"bytes 5-9/*", Form::kRange, 5, 9, false, 0},
      {"bytes */300007", Form::kUnsatisfied, 0, 0, true, 300007},
      {"bytes */0", Form::kUnsatisfied, 0, 0, true, 0},
      {"  Bytes  700-999/1000 ", Form::kRange, 700, 999, true, 1000},  // unit in any case
      {"BYTES\t*/12", Form::kUnsatisfied, 0, 0, true, 12},
      {"bytes 9223372036854775806-9223372036854775806/9223372036854775807", Form::kRange,
       9223372036854775806ull, 9223372036854775806ull, true, 9223372036854775807ull},
      {"", Form::kMissing, 0, 0, false, 0},
      {"   ", Form::kMissing, 0, 0, false, 0},
  };
  for (const Case& c : cases) {
    const ContentRange r = ParseContentRange(c.value);
    EXPECT_EQ(r.form, c.form) << c.value;
    EXPECT_EQ(r.first, c.first) << c.value;
    EXPECT_EQ(r.last, c.last) << c.value;
    EXPECT_EQ(r.size_known, c.size_known) << c.value;
    EXPECT_EQ(r.size, c.size) << c.value;
  }

  const char* const invalid[] = {
      "bytes",
      "bytes ",
      "bytes700-999/1000",  // no blank after the unit
      "byte 700-999/1000",
      "bits 700-999/1000",
      "bytes 700-999",
      "bytes 700-/1000",
      "bytes -999/1000",
      "bytes 700-999/",
      "bytes 999-700/1000",  // inverted
      "bytes 0-1000/1000",   // ends past the size
      "bytes 0-999/999",
      "bytes */",
      "bytes */*",
      "bytes */-5",
      "bytes */12x",
      "bytes 1-2/3 4",
      "bytes +1-2/3",
      "bytes 1 -2/3",
      "bytes 0x10-0x20/0x30",
      "bytes 1-2/3,4-5/6",
      "bytes 0-1/9223372036854775808",  // past 63 bits
      "bytes 0-99999999999999999999999/1",
      "bytes */99999999999999999999",
      "bytes 1-2/3\r\n",
      "\xb2\xbb 1-2/3",
  };
  for (const char* value : invalid) {
    EXPECT_EQ(ParseContentRange(value).form, Form::kInvalid) << value;
  }
}

TEST(Elapsed, WrapsAndNeverZero) {
  EXPECT_EQ(ElapsedMs(1000, 1000), 10);
  EXPECT_EQ(ElapsedMs(1000, 1250), 250);
  EXPECT_EQ(ElapsedMs(static_cast<int32_t>(0xFFFFFFF0u), 0x10), 0x20);  // tick wrapped
  EXPECT_EQ(ElapsedMs(INT32_MAX, INT32_MIN), 1);
}

TEST(ProgressPosition, TruncatedTenThousandths) {
  struct Case {
    int32_t length, total, position;
  } cases[] = {
      {10240, 5120, 5000},
      {3, 1, 3333},
      {3, 2, 6666},
      {300, 300, 10000},
      {300, 1000, 33333},        // resumed: above 10000, a full bar
      {0, 5000, 0},              // no Content-Length
      {1, 300000, -1294967296},  // 3e9: only the low 32 bits are kept
      {-100, 50, -5000},         // lengths of 2^31 or more read negative
      {100, -50, -5000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressPosition(c.length, c.total), c.position) << c.total << "/" << c.length;
  }
}

TEST(Verdict, ExactBytesAndAFailedCheck) {
  struct Case {
    Text installed, newest;
    const char* verdict;
  } cases[] = {
      {"8.1.0.1001", "8.1.0.1001", verdict::kUpToDate},
      {"8.1.0.1001", "8.1.0.1002", verdict::kUpdateAvailable},
      {"8.1.0.1002", "8.1.0.1001", verdict::kUpdateAvailable},  // no ordering of versions
      {"8.1.0.1001 ", "8.1.0.1001", verdict::kUpdateAvailable},
      {"v1", "V1", verdict::kUpdateAvailable},
      {"", "8.1.0.1001", verdict::kUpdateAvailable},
      {"", "", verdict::kCheckFailed},
      {"8.1.0.1001", "", verdict::kCheckFailed},
  };
  for (const Case& c : cases) EXPECT_EQ(verdict::VerdictFor(c.installed, c.newest), c.verdict);
}

TEST(ExpandCommandLine, FivePiecesQuoted) {
  EXPECT_EQ(verdict::ExpandCommandLine("C:\\新 工具"),
            "expand \"C:\\新 工具\\file\\set.cab\" -f:setup.ini \"C:\\新 工具\\file\"");
  EXPECT_EQ(verdict::ExpandCommandLine("D:"),
            "expand \"D:\\file\\set.cab\" -f:setup.ini \"D:\\file\"");
}
