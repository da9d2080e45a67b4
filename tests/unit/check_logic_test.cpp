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

TEST(ActionForStatus, ErrorsFailAndOnlyPartialContentAppends) {
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
  for (const Case& c : cases) {
    EXPECT_EQ(ActionForStatus(c.has_status, c.status, c.resume), c.action)
        << c.status << (c.resume ? " resuming" : "");
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
