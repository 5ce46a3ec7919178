#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KYR_kyrcolors.h"
#include "TempDir.h"

using namespace KYR_kyrcolors;

namespace {

// A colour array of Size elements numbered 1..Size, with a notification counter.
struct Watched {
  TColorArray A;
  int Notifications = 0;

  explicit Watched(int32_t Size) {
    A.Resize(Size);
    for (int32_t i = 1; i <= Size; ++i) A.SetColorElem(i, static_cast<TColor>(i));
    A.SetOnChange([this](TObject*) { ++Notifications; });
  }
  std::vector<TColor> Colors() const {
    std::vector<TColor> V;
    for (int32_t i = 1; i <= A.Size(); ++i) V.push_back(A.GetColorElem(i));
    return V;
  }
};

// No error code may be left pending, and the caller's checking mode is kept.
void ExpectCleanIOState() {
  EXPECT_TRUE(IOChecking());
  EXPECT_EQ(IOResult(), 0);
}

TEST(ColorFile, StoreAndLoadRoundTrip) {
  kyr_test::TempDir Dir;
  Watched Src(4);
  Src.A.SetColorElem(1, 0xFF000008);
  Src.A.SetColorElem(4, 0xABCDEF);
  ASSERT_TRUE(Src.A.StoreOnFile(1, 4, Dir.FileS("scale.txt")));
  EXPECT_EQ(Dir.Read("scale.txt"), "1 4\r\nFF000008\r\n00000002\r\n00000003\r\n00ABCDEF\r\n");

  Watched Dst(2);
  ASSERT_TRUE(Dst.A.LoadFromFile(Dir.FileS("scale.txt"), true));
  EXPECT_TRUE(Dst.A.IsEqual(Src.A));
  EXPECT_EQ(Dst.Notifications, 1 + 4 + 1);  // resize, every element, the end
  ExpectCleanIOState();
}

TEST(ColorFile, WrittenRangeIsOrderedAndClamped) {
  kyr_test::TempDir Dir;
  struct Case {
    int32_t Size, First, Last;
    std::string Expected;
  } Cases[] = {
      {4, 3, 5, "3 4\r\n00000003\r\n00000004\r\n"},
      {10, 9, 2,
       "2 9\r\n00000002\r\n00000003\r\n00000004\r\n00000005\r\n00000006\r\n"
       "00000007\r\n00000008\r\n00000009\r\n"},
      {3, 5, 7, "5 3\r\n"},
      {3, -4, 1, "1 1\r\n00000001\r\n"},
  };
  for (const Case& C : Cases) {
    Watched W(C.Size);
    ASSERT_TRUE(W.A.StoreOnFile(C.First, C.Last, Dir.FileS("range.txt")));
    EXPECT_EQ(Dir.Read("range.txt"), C.Expected) << C.First << ".." << C.Last;
  }
}

TEST(ColorFile, OpenFilesStayOpenForTheCaller) {
  kyr_test::TempDir Dir;
  Watched W(2);
  {
    TextFile F;
    AssignFile(F, Dir.FileS("two.txt"));
    Rewrite(F);
    WriteLn(F, u"before");
    EXPECT_TRUE(W.A.WriteToOpenTextFile(F, 1, 2));
    WriteLn(F, u"after");
    CloseFile(F);
  }
  EXPECT_EQ(Dir.Read("two.txt"), "before\r\n1 2\r\n00000001\r\n00000002\r\nafter\r\n");

  Watched R(2);
  R.A.Fill(0);
  TextFile F;
  AssignFile(F, Dir.FileS("two.txt"));
  Reset(F);
  EXPECT_EQ(ReadLn(F), u"before");
  EXPECT_TRUE(R.A.ReadFromOpenTextFile(F, false));
  EXPECT_EQ(ReadLn(F), u"after");
  CloseFile(F);
  EXPECT_TRUE(R.A.IsEqual(W.A));
}

TEST(ColorFile, FileErrorsGiveFalseWithoutRaising) {
  kyr_test::TempDir Dir;
  Watched W(3);
  EXPECT_FALSE(W.A.StoreOnFile(1, 3, Dir.FileS("no/such/dir/x.txt")));
  ExpectCleanIOState();
  EXPECT_FALSE(W.A.LoadFromFile(Dir.FileS("missing.txt"), true));
  ExpectCleanIOState();

  TextFile NotOpen;
  AssignFile(NotOpen, Dir.FileS("closed.txt"));
  EXPECT_FALSE(W.A.WriteToOpenTextFile(NotOpen, 1, 3));
  ExpectCleanIOState();
  EXPECT_FALSE(W.A.ReadFromOpenTextFile(NotOpen, true));
  ExpectCleanIOState();
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3}));
  EXPECT_EQ(W.Notifications, 0);
}

TEST(ColorFile, WriteErrorIsReported) {
  // /dev/full accepts the open but refuses every write; the data lost on closing must
  // not be reported as success.
  Watched W(3);
  if (!FileExists(u"/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(W.A.StoreOnFile(1, 3, u"/dev/full"));
  ExpectCleanIOState();
}

TEST(ColorFile, ElementLinesAreScannedAsHexadecimal) {
  kyr_test::TempDir Dir;
  Dir.Write("lines.txt",
            "1 9\r\n$FF garbage\r\n00ff0000 xyz\r\n\r\nzz\r\n $12\r\n$ 12\r\nabcdef\r\n"
            "123456789\r\n  7\r\n");
  Watched W(9);
  ASSERT_TRUE(W.A.LoadFromFile(Dir.FileS("lines.txt"), false));
  EXPECT_EQ(W.Colors(),
            (std::vector<TColor>{0xFF, 0xFF0000, 0, 0, 0, 0x12, 0xABCDEF, 0x23456789, 7}));
}

TEST(ColorFile, ReadingIntoASmallerArray) {
  kyr_test::TempDir Dir;
  const std::string Five = "1 5\n00000010\n00000020\n00000030\n00000040\n00000050\n";
  Dir.Write("five.txt", Five);

  Watched Fixed(3);
  EXPECT_FALSE(Fixed.A.LoadFromFile(Dir.FileS("five.txt"), false));
  EXPECT_EQ(Fixed.Colors(), (std::vector<TColor>{1, 2, 3}));
  EXPECT_EQ(Fixed.Notifications, 1);

  Watched Adjusted(3);
  EXPECT_TRUE(Adjusted.A.LoadFromFile(Dir.FileS("five.txt"), true));
  EXPECT_EQ(Adjusted.Colors(), (std::vector<TColor>{0x10, 0x20, 0x30, 0x40, 0x50}));

  // Element numbers outside the array are read and dropped.
  Dir.Write("shifted.txt", "0 2\r\n000000AA\r\n000000BB\r\n000000CC\r\n");
  Watched Shifted(3);
  EXPECT_TRUE(Shifted.A.LoadFromFile(Dir.FileS("shifted.txt"), false));
  EXPECT_EQ(Shifted.Colors(), (std::vector<TColor>{0xBB, 0xCC, 3}));
  EXPECT_EQ(Shifted.Notifications, 2 + 1);

  // A last number below 1 keeps the size even with adjustment.
  Dir.Write("empty_range.txt", "5 0\r\n");
  Watched Kept(3);
  EXPECT_TRUE(Kept.A.LoadFromFile(Dir.FileS("empty_range.txt"), true));
  EXPECT_EQ(Kept.Colors(), (std::vector<TColor>{1, 2, 3}));

  // A file may hold only the end of a scale; the largest size it can set.
  static_assert(TColorArray::MaxFileColors == 16777216);
  Dir.Write("tail.txt", "16777216 16777216\r\n000000AA\r\n");
  Watched Largest(3);
  EXPECT_TRUE(Largest.A.LoadFromFile(Dir.FileS("tail.txt"), true));
  EXPECT_EQ(Largest.A.Size(), TColorArray::MaxFileColors);
  EXPECT_EQ(Largest.A.GetColorElem(2), 2u);
  EXPECT_EQ(Largest.A.GetColorElem(TColorArray::MaxFileColors), 0xAAu);
}

TEST(ColorFile, DamagedFilesChangeNothing) {
  kyr_test::TempDir Dir;
  const char* Damaged[] = {
      "",                                 // no header
      "\r\n\r\n",                         // no header
      "abc 5\r\n00000001\r\n",            // text instead of numbers
      "1\r\n",                            // one number only
      "1 x5\r\n00000001\r\n",             // second number damaged
      "1 4\r\n00000011\r\n00000022\r\n",  // fewer lines than announced
      "1 2000000000\r\n00000011\r\n",     // absurd count, short file
      "-2000000000 2\r\n00000011\r\n",
      "2147483647 2147483647\r\n00000011\r\n",  // one line, but a size of gigabytes
      "90000000 80000000\r\n",                  // no lines, the same
      "16777217 16777217\r\n00000011\r\n",      // just above MaxFileColors
  };
  for (const char* Text : Damaged) {
    for (bool Adjust : {false, true}) {
      Dir.Write("damaged.txt", Text);
      Watched W(4);
      const bool Ok = W.A.LoadFromFile(Dir.FileS("damaged.txt"), Adjust);
      EXPECT_FALSE(Ok) << "\"" << Text << "\" adjust=" << Adjust;
      EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3, 4})) << "\"" << Text << "\"";
      ExpectCleanIOState();
      // Only the announced-too-long case without adjustment notifies.
      if (Adjust) {
        EXPECT_EQ(W.Notifications, 0) << "\"" << Text << "\"";
      }
    }
  }
}

TEST(ColorFile, CheckingOffCallersKeepTheirMode) {
  kyr_test::TempDir Dir;
  Watched W(2);
  IOCheckingOff Off;
  EXPECT_FALSE(W.A.LoadFromFile(Dir.FileS("missing.txt"), true));
  EXPECT_FALSE(IOChecking());
  EXPECT_EQ(IOResult(), 0);
  EXPECT_TRUE(W.A.StoreOnFile(1, 2, Dir.FileS("ok.txt")));
  EXPECT_EQ(IOResult(), 0);
}

}  // namespace
