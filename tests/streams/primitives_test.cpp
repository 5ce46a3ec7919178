#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "KYR_streams.h"
#include "TempDir.h"
#include "stream_kinds.h"

namespace {

using namespace KYR_streams;
using streams_test::AllKinds;
using streams_test::BytesOf;
using streams_test::KindName;
using streams_test::Latin1;
using streams_test::MakeStream;

TEST(WriteStringStream, StoresLowEightBitsAndCrLf) {
  String Long(10000, u'\u0141');  // every character cut to 0x41
  struct Case {
    String Text;
    bool Line;
    std::string Bytes;
  } Cases[] = {
      {u"\u0141", false, "A"},
      {u"", false, ""},
      {u"", true, "\r\n"},
      {u"a\u00e9\u20ac", true, "a\xe9\xac\r\n"},
      {Long, true, std::string(10000, 'A') + "\r\n"},
  };
  for (const Case& C : Cases) {
    TMemoryStream M;
    if (C.Line)
      WriteLnStream(M, C.Text);
    else
      WriteStringStream(M, C.Text);
    EXPECT_EQ(BytesOf(M), C.Bytes);
  }
}

TEST(WriteStringStream, ToAFileAndFailures) {
  kyr_test::TempDir Dir;
  {
    TFileStream F(Dir.FileS("out.txt"), fmCreate);
    WriteLnStream(F, u"one");
    WriteStringStream(F, String(5000, u'x'));
  }
  EXPECT_EQ(Dir.Read("out.txt"), "one\r\n" + std::string(5000, 'x'));

  // A stream that takes nothing: the write error reaches the caller, but an empty
  // string writes nothing and so cannot fail.
  streams_test::TTrickleStream ReadOnly("");
  EXPECT_THROW(WriteStringStream(ReadOnly, u"x"), EWriteError);
  EXPECT_NO_THROW(WriteStringStream(ReadOnly, u""));
}

TEST(ReadLnStream, LineBreakModes) {
  struct Line {
    std::string Text;
    bool End;
    int64_t Position;
  };
  struct Case {
    std::string Bytes;
    int32_t Mode;
    std::vector<Line> Lines;
  } Cases[] = {
      {"ab\r\ncd", 4, {{"ab", false, 4}, {"cd", true, 6}, {"", true, 6}}},
      {"a\r\nb", 2, {{"a", false, 2}, {"", false, 3}, {"b", true, 4}}},
      // Tab kept, BEL dropped, CR dropped in mode 0.
      {"a\tb\x07"
       "c\r\nd",
       0,
       {{"a\tbc", false, 7}, {"d", true, 8}}},
      {"x\ny\rz", 1, {{"xy", false, 4}, {"z", true, 5}}},
      {"a\n\rb\rc", 3, {{"a", false, 3}, {"bc", true, 6}}},
      // Mode 4 needs the CR right before the LF.
      {"a\rx\nb\r\r\nc", 4, {{"axb", false, 8}, {"c", true, 9}}},
      {"a\r\nb\nc", 9, {{"abc", true, 6}}},
      // NUL dropped, bytes above 127 kept with their codes.
      {std::string("\xe9\0\xff\n", 4), 0, {{"\xe9\xff", false, 4}}},
      {"", 0, {{"", true, 0}}},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " mode " << C.Mode << " "
                                        << ::testing::PrintToString(C.Bytes));
      auto S = MakeStream(Kind, C.Bytes, Dir);
      for (const Line& L : C.Lines) {
        bool End = !L.End;
        EXPECT_EQ(ReadLnStream(*S, End, C.Mode), Latin1(L.Text));
        EXPECT_EQ(End, L.End);
        EXPECT_EQ(S->Position(), L.Position);
      }
    }
  }
}

TEST(ReadLnStream, LongLinesAcrossChunks) {
  std::string Bytes = std::string(100000, 'x') + "\n" + std::string(300, 'y') + "\r\n" + "z";
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Bytes, Dir);
    bool End = true;
    EXPECT_EQ(ReadLnStream(*S, End, 0), String(100000, u'x'));
    EXPECT_FALSE(End);
    EXPECT_EQ(S->Position(), 100001);
    EXPECT_EQ(ReadLnStream(*S, End, 0), String(300, u'y'));
    EXPECT_EQ(S->Position(), 100303);
    EXPECT_EQ(ReadLnStream(*S, End, 0), u"z");
    EXPECT_TRUE(End);

    // Reading into one reused buffer gives the same lines; the buffer is cleared first.
    S->SetPosition(0);
    String Line = u"stale";
    ReadLnStream(*S, Line, End, 0);
    EXPECT_EQ(Line, String(100000, u'x'));
    ReadLnStream(*S, Line, End, 0);
    EXPECT_EQ(Line, String(300, u'y'));
    EXPECT_EQ(S->Position(), 100303);
    ReadLnStream(*S, Line, End, 0);
    EXPECT_EQ(Line, u"z");
    EXPECT_TRUE(End);
  }
}

TEST(ReadLnStream, UnknownStreamIsReadOneBytePerCall) {
  // A stream of a class the library does not know may not be able to seek back: it is
  // read one byte at a time and never past the line.
  streams_test::TTrickleStream S("ab\ncd");
  bool End;
  EXPECT_EQ(ReadLnStream(S, End, 0), u"ab");
  EXPECT_EQ(S.Reads(), 3);
  EXPECT_EQ(S.Position(), 3);
}

// --- Binary numbers ------------------------------------------------------------------

TEST(BinaryNumbers, LongintLayoutAndRoundTrip) {
  const int32_t Values[] = {0,
                            1,
                            -1,
                            0x12345678,
                            std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max()};
  TMemoryStream M;
  for (int32_t V : Values) WriteLongintToStream(M, V);
  EXPECT_EQ(BytesOf(M).substr(12, 4), "\x78\x56\x34\x12");
  M.SetPosition(0);
  for (int32_t V : Values) {
    bool Error = true;
    EXPECT_EQ(ReadLongintFromStream(M, Error), V);
    EXPECT_FALSE(Error);
  }
}

TEST(BinaryNumbers, ExtendedLayout) {
  using Bytes = std::vector<uint8_t>;
  struct Case {
    Extended Value;
    Bytes Expected;
  } Cases[] = {
      {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80}},
      {3.0L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}},
      {std::numeric_limits<Extended>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
      {-std::numeric_limits<Extended>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}},
  };
  for (const Case& C : Cases) {
    TMemoryStream M;
    WriteExtendedToStream(M, C.Value);
    ASSERT_EQ(M.Size(), 10);
    EXPECT_EQ(Bytes(M.Memory(), M.Memory() + 10), C.Expected) << static_cast<double>(C.Value);
  }
}

TEST(BinaryNumbers, ExtendedRoundTripMatchesTheMachineFormat) {
  std::vector<Extended> Values = {3.14159265358979323846L,
                                  -1e-300L,
                                  1e4000L,
                                  -1e-4940L,
                                  std::numeric_limits<Extended>::min(),
                                  std::numeric_limits<Extended>::denorm_min(),
                                  std::numeric_limits<Extended>::max(),
                                  0.1L,
                                  12345.678L};
  for (Extended V : Values) {
    TMemoryStream M;
    WriteExtendedToStream(M, V);
    if constexpr (LDBL_MANT_DIG == 64) {
      // On x87 the bytes are exactly the machine's own.
      uint8_t Native[sizeof(Extended)] = {};
      std::memcpy(Native, &V, sizeof V);
      EXPECT_EQ(std::memcmp(Native, M.Memory(), 10), 0) << static_cast<double>(V);
    }
    M.SetPosition(0);
    bool Error = true;
    EXPECT_EQ(ReadExtendedFromStream(M, Error), V);
    EXPECT_FALSE(Error);
  }
  TMemoryStream M;
  WriteExtendedToStream(M, std::numeric_limits<Extended>::quiet_NaN());
  M.SetPosition(0);
  bool Error = true;
  EXPECT_TRUE(std::isnan(ReadExtendedFromStream(M, Error)));
}

TEST(BinaryNumbers, DoubleAndShortStreams) {
  // 1.5 little-endian, then a stream that ends inside each kind of number.
  TMemoryStream M;
  const uint8_t OnePointFive[] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
  M.WriteBuffer(OnePointFive, 8);
  M.SetPosition(0);
  bool Error = true;
  EXPECT_EQ(ReadDoubleFromStream(M, Error), 1.5);
  EXPECT_FALSE(Error);

  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    // Two bytes left: the low bytes count, the missing ones are zero.
    auto S = MakeStream(Kind, "\x34\x12", Dir);
    Error = false;
    EXPECT_EQ(ReadLongintFromStream(*S, Error), 0x1234);
    EXPECT_TRUE(Error);
    // Nothing left: 0 and the error flag, never an exception.
    Error = false;
    EXPECT_EQ(ReadLongintFromStream(*S, Error), 0);
    EXPECT_TRUE(Error);
    Error = false;
    EXPECT_EQ(ReadDoubleFromStream(*S, Error), 0.0);
    EXPECT_TRUE(Error);
    Error = false;
    EXPECT_EQ(ReadExtendedFromStream(*S, Error), 0.0L);
    EXPECT_TRUE(Error);
  }
}

// --- Reading text ----------------------------------------------------------------------

TEST(StreamAsString, RestOfTheStream) {
  std::string Bytes = std::string("\0\x01\xff\xe9\n", 5);
  for (int I = 0; I < 70000; ++I) Bytes.push_back(static_cast<char>(I * 7));
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Bytes, Dir);
    S->SetPosition(1);
    EXPECT_EQ(StreamAsString(*S), Latin1(Bytes.substr(1)));
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.size()));
    EXPECT_EQ(StreamAsString(*S), u"");
  }
}

TEST(CountLinesInStream, CountsLineFeedsFromThePosition) {
  std::string Big;
  for (int I = 0; I < 200000; ++I) Big.push_back(I % 37 == 0 ? '\n' : static_cast<char>(I));
  const auto BigCount = static_cast<int32_t>(std::count(Big.begin(), Big.end(), '\n'));
  struct Case {
    std::string Bytes;
    int64_t From;
    int32_t Lines;
  } Cases[] = {
      {"a\nb", 0, 1},   {"a\rb", 0, 0},     {"", 0, 0},         {"\n\n\n", 0, 3},
      {"\n\n\n", 2, 1}, {"\r\n\r\n", 0, 2}, {Big, 0, BigCount}, {Big, 1, BigCount - 1},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " size " << C.Bytes.size());
      auto S = MakeStream(Kind, C.Bytes, Dir);
      S->SetPosition(C.From);
      EXPECT_EQ(CountLinesInStream(*S), C.Lines);
      EXPECT_EQ(S->Position(), static_cast<int64_t>(C.Bytes.size()));
    }
  }
}

TEST(FindInStream, StopsRightAfterTheByte) {
  std::string Bytes = std::string(1000, 'a') + "X" + std::string(70000, 'b') + "X" + "tail";
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Bytes, Dir);
    EXPECT_TRUE(FindInStream(*S, 'X'));
    EXPECT_EQ(S->Position(), 1001);
    EXPECT_TRUE(FindInStream(*S, 'X'));
    EXPECT_EQ(S->Position(), 71002);
    EXPECT_FALSE(FindInStream(*S, 'X'));
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.size()));
    S->SetPosition(0);
    EXPECT_FALSE(FindInStream(*S, 0));
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.size()));
  }
}

TEST(ReadStreamUntil, MatchFoundOrNot) {
  const std::string Long = std::string(254, 'a') + "MaRk" + std::string(1000, 'z');
  struct Case {
    std::string Bytes;
    String Search;
    int32_t Status;
    std::string Text;
    int64_t Position;
  } Cases[] = {
      {"abcEndxyz", u"END", 0, "abcEnd", 6},
      {"aaab", u"aab", 0, "aaab", 4},
      // A match across the first 256-byte block.
      {Long, u"mark", 0, Long.substr(0, 258), 258},
      // Letters fold, other bytes do not.
      {"x\xc9y\xe9z", u"\u00e9Z", 0, "x\xc9y\xe9z", 5},
      // Not found, empty search, a search character no byte can be: the rest is read.
      {"abc", u"x", -1, "abc", 3},
      {"abc", u"", -1, "abc", 3},
      {"a\x41"
       "b",
       u"\u0141", -1, "aAb", 3},
      {"", u"x", -1, "", 0},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " " << C.Text);
      auto S = MakeStream(Kind, C.Bytes, Dir);
      int32_t Status = 5;
      EXPECT_EQ(ReadStreamUntil(*S, C.Search, Status), Latin1(C.Text));
      EXPECT_EQ(Status, C.Status);
      EXPECT_EQ(S->Position(), C.Position);
    }
  }
}

TEST(ReadStreamUntil, RepeatedCallsWalkTheStream) {
  std::string Bytes;
  for (int I = 0; I < 2000; ++I) Bytes += "item" + std::to_string(I) + ";";
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Bytes, Dir);
    int32_t Status = 0;
    for (int I = 0; I < 2000; ++I)
      ASSERT_EQ(ReadStreamUntil(*S, u";", Status), Latin1("item" + std::to_string(I) + ";"));
    EXPECT_EQ(ReadStreamUntil(*S, u";", Status), u"");
    EXPECT_EQ(Status, -1);
  }
}

// A position past the end of the data reads nothing and stays where it is, whatever the
// kind of stream.
TEST(Readers, StartedPastTheEnd) {
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, "12\n", Dir);
    S->SetPosition(5);
    bool End = false;
    EXPECT_EQ(ReadLnStream(*S, End, 0), u"");
    EXPECT_TRUE(End);
    EXPECT_FALSE(FindInStream(*S, '\n'));
    EXPECT_EQ(StreamAsString(*S), u"");
    EXPECT_EQ(CountLinesInStream(*S), 0);
    int32_t Status = 0;
    EXPECT_EQ(ReadStreamUntil(*S, u"2", Status), u"");
    EXPECT_EQ(Status, -1);
    EXPECT_EQ(ScanStreamDecimal(*S), 0);
    EXPECT_EQ(ScanStreamFPNum(*S, true, dsFullStop), 0);
    String Attributes, Content;
    EXPECT_EQ(ReadNextTagInStream(*S, {u"", u"dummy"}, Attributes, Content), 0);
    EXPECT_EQ(S->Position(), 5);
  }
}

}  // namespace
