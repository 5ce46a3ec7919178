#include "hex_reader.h"

#include <gtest/gtest.h>

namespace {

using KYR_runtime::String;
using KYR_stringl::ReadHexValue;

TEST(HexReader, ReadsValueAndLeavesPositionOnFirstUnusedCharacter) {
  struct Case {
    String S;
    int32_t Start;
    uint32_t Value;
    int32_t End;
  } const Cases[] = {
      {u"41", 1, 0x41, 3},
      {u"aBc", 1, 0xABC, 4},
      {u"1g", 1, 1, 2},
      {u"x7F", 2, 0x7F, 4},
      {u"$ff", 1, 0xFF, 4},
      {u"x$1", 2, 0, 2},   // "$" is skipped only in position 1 of the text
      {u" $ff", 1, 0, 2},  // ... even after skipped blanks
      {u"  7z", 1, 7, 4},  // leading blanks skipped
      {u"ab ", 3, 0, 3},   // a blank in the last position is not skipped
      {u"   ", 1, 0, 3},
      {u"", 1, 0, 1},
      {u"12", 5, 0, 5},                   // beyond the end: nothing read
      {u"12", 0, 0x12, 3},                // a position below 1 starts at 1
      {u"123456789", 1, 0x23456789, 10},  // wraps modulo 2^32
      {u"G1", 1, 0, 1},
  };
  for (const Case& C : Cases) {
    int32_t Pos = C.Start;
    EXPECT_EQ(ReadHexValue(C.S, Pos), C.Value) << KYR_runtime::StringToUtf8(C.S) << " @" << C.Start;
    EXPECT_EQ(Pos, C.End) << KYR_runtime::StringToUtf8(C.S) << " @" << C.Start;
  }
}

TEST(HexReader, CharactersAboveAsciiEndTheNumber) {
  // U+FF21 is the full-width "A"; its low byte is no hex digit either way, but U+0141
  // has low byte 0x41 ("A") and must not be read as one.
  for (const String& S : {String(u"1\u0141"), String(u"1\uFF21")}) {
    int32_t Pos = 1;
    EXPECT_EQ(ReadHexValue(S, Pos), 1u);
    EXPECT_EQ(Pos, 2);
  }
}

}  // namespace
