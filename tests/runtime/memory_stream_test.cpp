#include <gtest/gtest.h>

#include <limits>

#include "KYR_runtime.h"
#include "TempDir.h"

using namespace KYR_runtime;

namespace {

TEST(MemoryStream, GrowsOnWriteAndReadsBack) {
  TMemoryStream M;
  M.WriteBuffer("hello", 5);
  EXPECT_EQ(M.Size(), 5);
  EXPECT_EQ(M.Position(), 5);
  M.SetPosition(1);
  char Buf[8] = {};
  EXPECT_EQ(M.Read(Buf, 8), 4);
  EXPECT_STREQ(Buf, "ello");
  EXPECT_EQ(M.Read(Buf, 8), 0);  // at the end
  // Writing past the end fills the gap with zeros.
  M.SetPosition(7);
  M.WriteBuffer("!", 1);
  EXPECT_EQ(M.Size(), 8);
  EXPECT_EQ(M.Memory()[6], 0);
}

TEST(MemoryStream, ShortReadBufferRaises) {
  TMemoryStream M;
  M.WriteBuffer("abc", 3);
  M.SetPosition(0);
  char Buf[4];
  EXPECT_THROW(M.ReadBuffer(Buf, 4), EReadError);
  M.SetPosition(0);
  EXPECT_NO_THROW(M.ReadBuffer(Buf, 3));
}

TEST(MemoryStream, SeekClampsAndSetSizeTruncates) {
  TMemoryStream M;
  M.WriteBuffer("abcdef", 6);
  EXPECT_EQ(M.Seek(-2, soEnd), 4);
  EXPECT_EQ(M.Seek(-100, soCurrent), 0);
  M.SetPosition(5);
  M.SetSize(3);
  EXPECT_EQ(M.Position(), 3);
  // Offsets at the ends of the range saturate instead of overflowing; no write lands there.
  const int64_t Max = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(M.Seek(Max, soCurrent), Max);
  EXPECT_EQ(M.Write("x", 1), 0);
  EXPECT_EQ(M.Seek(std::numeric_limits<int64_t>::min(), soCurrent), 0);
  M.Clear();
  EXPECT_EQ(M.Size(), 0);
}

TEST(StringStream, HoldsWindows1252Bytes) {
  TStringStream S(u"\u20ac\u00e9x");
  EXPECT_EQ(S.Size(), 3);
  EXPECT_EQ(S.Bytes(), "\x80\xe9x");
  EXPECT_EQ(S.DataString(), u"\u20ac\u00e9x");
  auto Raw = TStringStream::FromBytes(std::string("\0\xff", 2));
  EXPECT_EQ(Raw->DataString(), String(u"\0\u00ff", 2));
}

TEST(MemoryStream, CopyFromAndFiles) {
  kyr_test::TempDir Dir;
  TStringStream Src(u"0123456789");
  TMemoryStream M;
  Src.SetPosition(8);
  EXPECT_EQ(M.CopyFrom(Src, 0), 10);  // 0 copies everything from the start
  Src.SetPosition(2);
  M.CopyFrom(Src, 3);
  M.SaveToFile(Dir.FileS("m.bin"));
  EXPECT_EQ(Dir.Read("m.bin"), "0123456789234");
  TMemoryStream Back;
  Back.LoadFromFile(Dir.FileS("m.bin"));
  EXPECT_EQ(Back.Size(), 13);
  EXPECT_THROW(Back.LoadFromFile(Dir.FileS("missing")), EFOpenError);
}

}  // namespace
