#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "KYR_runtime.h"
#include "TempDir.h"

using namespace KYR_runtime;
using kyr_test::TempDir;

namespace {

std::string RandomBytes(size_t N, uint32_t Seed) {
  std::mt19937 Gen(Seed);
  std::string S(N, '\0');
  for (char& C : S) C = static_cast<char>(Gen() & 0xFF);
  return S;
}

}  // namespace

TEST(FileStream, ByteByByteReadEqualsTheFile) {
  TempDir T;
  const std::string Data = RandomBytes(200000, 1);  // several buffers' worth
  T.Write("data.bin", Data);
  TFileStream S(T.FileS("data.bin"), fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(S.Size(), static_cast<int64_t>(Data.size()));
  std::string Got;
  char C;
  while (S.Read(&C, 1) == 1) Got += C;
  EXPECT_EQ(Got, Data);
  EXPECT_EQ(S.Position(), static_cast<int64_t>(Data.size()));
  EXPECT_EQ(S.Read(&C, 1), 0);
  EXPECT_EQ(S.Write("x", 1), 0);  // opened for reading only
}

// Random reads, writes and seeks against a plain string as the model.
TEST(FileStream, MixedWriteSeekReadMatchesAModel) {
  TempDir T;
  std::string Model = RandomBytes(100000, 2);
  T.Write("mix.bin", Model);
  std::mt19937 Gen(3);
  {
    TFileStream S(T.FileS("mix.bin"), fmOpenReadWrite);
    int64_t Pos = 0;
    for (int Step = 0; Step < 3000; ++Step) {
      // Mostly small transfers, now and then one larger than the buffer.
      int32_t Len = Gen() % 20 == 0 ? static_cast<int32_t>(Gen() % 150000)
                                    : static_cast<int32_t>(Gen() % 300);
      switch (Gen() % 4) {
        case 0: {  // seek, sometimes past the end
          int64_t To = static_cast<int64_t>(Gen() % (Model.size() + 1000));
          EXPECT_EQ(S.Seek(To, soBeginning), To);
          Pos = To;
          break;
        }
        case 1: {
          std::string Chunk = RandomBytes(static_cast<size_t>(Len), Gen());
          ASSERT_EQ(S.Write(Chunk.data(), Len), Len);
          if (static_cast<size_t>(Pos) > Model.size()) Model.resize(static_cast<size_t>(Pos), '\0');
          Model.replace(static_cast<size_t>(Pos),
                        std::min<size_t>(Chunk.size(), Model.size() - Pos), Chunk);
          Pos += Len;
          break;
        }
        default: {
          std::string Buf(static_cast<size_t>(Len), '\0');
          int32_t N = S.Read(Buf.data(), Len);
          size_t Avail = static_cast<size_t>(Pos) < Model.size() ? Model.size() - Pos : 0;
          ASSERT_EQ(N, static_cast<int32_t>(std::min<size_t>(Avail, Len))) << "step " << Step;
          ASSERT_EQ(Buf.substr(0, N), Model.substr(std::min<size_t>(Pos, Model.size()), N))
              << "step " << Step;
          Pos += N;
          break;
        }
      }
      ASSERT_EQ(S.Position(), Pos) << "step " << Step;
      ASSERT_EQ(S.Size(), static_cast<int64_t>(Model.size())) << "step " << Step;
    }
  }
  EXPECT_EQ(T.Read("mix.bin"), Model);  // the destructor wrote out what was pending
}

TEST(FileStream, ShortReadBufferRaisesAtTheEnd) {
  TempDir T;
  T.Write("short.bin", "abc");
  TFileStream S(T.FileS("short.bin"), fmOpenRead);
  char Buf[4];
  S.ReadBuffer(Buf, 2);
  EXPECT_THROW(S.ReadBuffer(Buf, 2), EReadError);
}

TEST(FileStream, CreateTruncateAndResize) {
  TempDir T;
  T.Write("c.bin", "old contents");
  {
    TFileStream S(T.FileS("c.bin"), fmCreate);
    EXPECT_EQ(S.Size(), 0);
    S.WriteBuffer("0123456789", 10);
    EXPECT_EQ(S.Size(), 10);  // still in the buffer
    S.SetSize(4);
    EXPECT_EQ(S.Position(), 4);
    S.SetPosition(1);
    char C;
    S.ReadBuffer(&C, 1);
    EXPECT_EQ(C, '1');
    S.Seek(0, soEnd);
    S.WriteBuffer("!", 1);
  }
  EXPECT_EQ(T.Read("c.bin"), "0123!");
}

TEST(FileStream, OpenFailuresNameTheFileAndReason) {
  TempDir T;
  mkdir(T.File("dir").c_str(), 0755);
  struct Case {
    std::string Name;
    uint16_t Mode;
    const char16_t* Prefix;
    const char16_t* Reason;
  } Cases[] = {
      {T.File("missing"), fmOpenRead, u"Cannot open file \"", u"No such file or directory"},
      {T.File("dir"), fmOpenRead, u"Cannot open file \"", u"Is a directory"},
      {T.File("nodir/x"), fmCreate, u"Cannot create file \"", u"No such file or directory"},
      {T.File("dir"), fmCreate, u"Cannot create file \"", u"Is a directory"},
  };
  for (const Case& C : Cases) {
    String Name = Utf8ToString(C.Name);
    String Want = C.Prefix + Name + u"\". " + C.Reason;
    try {
      TFileStream S(Name, C.Mode);
      ADD_FAILURE() << C.Name << " opened";
    } catch (const EFCreateError& E) {
      EXPECT_EQ(C.Mode, fmCreate);
      EXPECT_EQ(E.Message(), Want);
    } catch (const EFOpenError& E) {
      EXPECT_NE(C.Mode, fmCreate);
      EXPECT_EQ(E.Message(), Want);
    }
  }
}

// A large read that bypasses the buffer must not leave the old read-ahead looking valid
// for a later seek back.
TEST(FileStream, SeekBackAfterALargeDirectReadReadsTheFile) {
  TempDir T;
  const std::string Data = RandomBytes(200000, 4);
  T.Write("big.bin", Data);
  TFileStream S(T.FileS("big.bin"), fmOpenRead);
  std::string Buf(70000, '\0');
  S.ReadBuffer(Buf.data(), 100);    // fills the read-ahead
  S.ReadBuffer(Buf.data(), 65436);  // uses it up exactly
  S.ReadBuffer(Buf.data(), 70000);  // goes straight to the caller
  EXPECT_EQ(S.Seek(-10, soCurrent), 135526);
  S.ReadBuffer(Buf.data(), 10);
  EXPECT_EQ(Buf.substr(0, 10), Data.substr(135526, 10));
  // An offset that overflows the position range is refused, the position stays.
  EXPECT_EQ(S.Seek(std::numeric_limits<int64_t>::max(), soCurrent), 135536);
}

TEST(FileStream, FailedSetSizeKeepsThePosition) {
  TempDir T;
  T.Write("ro.bin", "0123456789");
  TFileStream S(T.FileS("ro.bin"), fmOpenRead);  // no write access: truncation fails
  char C;
  S.ReadBuffer(&C, 1);
  EXPECT_THROW(S.SetSize(5), EStreamError);
  EXPECT_EQ(S.Position(), 1);
  S.ReadBuffer(&C, 1);
  EXPECT_EQ(C, '1');
}
