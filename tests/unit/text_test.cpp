// Text: joining, byte-wise comparison, number formatting, and the source's
// Chinese literals compiled as code page 936.
#include <gtest/gtest.h>

#include "host/text.h"

TEST(JoinText, EmptyAndAbsentPartsAddNothing) {
  const char* absent = nullptr;
  EXPECT_EQ(JoinText(absent, Text("abc")), "abc");
  EXPECT_EQ(JoinText(Text(), Text(), absent), "");
  EXPECT_EQ(JoinText("expand \"", Text("D:\\apps"), "\\file"), "expand \"D:\\apps\\file");
}

TEST(CompareText, OrdersBytesUnsigned) {
  struct Case {
    Text a, b;
    int expected;
  } cases[] = {
      {"", "", 0},           {"1.0", "1.0", 0},
      {"1.0", "1.0 ", -1},   // a prefix is the smaller
      {"a", "A", 1},         // lower case after capitals
      {"\xb0\xa1", "z", 1},  // a byte of 128+ after every ASCII byte
      {"z", "\xb0\xa1", -1}, {Text("a\0b", 3), Text("a\0c", 3), -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
  }
}

TEST(NumberToText, MatchesPercentD) {
  struct Case {
    int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"}, {-5, "-5"}, {700, "700"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.value), c.text);
}

TEST(SourceCharset, ChineseLiteralsAreCodePage936) {
  // The build compiles UTF-8 sources to GBK bytes; the window relies on it.
  EXPECT_EQ(Text("最新版本简介"), "\xd7\xee\xd0\xc2\xb0\xe6\xb1\xbe\xbc\xf2\xbd\xe9");
  EXPECT_EQ(Text("信息："), "\xd0\xc5\xcf\xa2\xa3\xba");
}
