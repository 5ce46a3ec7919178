#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "KYR_kyrcolors.h"

using namespace KYR_kyrcolors;

namespace {

// A colour array with a notification counter.
struct Watched {
  TColorArray A;
  int Notifications = 0;
  TObject* LastSender = nullptr;

  explicit Watched(int32_t Size) {
    A.Resize(Size);
    A.SetOnChange([this](TObject* Sender) {
      ++Notifications;
      LastSender = Sender;
    });
  }
  // Elements 1..Size() as a vector.
  std::vector<TColor> Colors() const {
    std::vector<TColor> V;
    for (int32_t i = 1; i <= A.Size(); ++i) V.push_back(A.GetColorElem(i));
    return V;
  }
  // Element i becomes i.
  void Number() {
    for (int32_t i = 1; i <= A.Size(); ++i) A.SetColorElem(i, static_cast<TColor>(i));
    Notifications = 0;
  }
};

TEST(ColorArray, NewArrayIsTheRainbowScaleOfAThousandColours) {
  TColorArray A;
  EXPECT_EQ(A.Size(), 1000);
  EXPECT_EQ(A.GetColorElem(1), 0x400020U);
  EXPECT_EQ(A.GetColorElem(500), 0x00FF18U);
  EXPECT_EQ(A.GetColorElem(1000), 0x000040U);
  EXPECT_FALSE(A.OnChange());
}

TEST(ColorArray, ResizeKeepsColoursAndNotifiesOnlyOnChange) {
  Watched W(4);
  W.A.Fill(0x123456);
  W.Notifications = 0;

  EXPECT_FALSE(W.A.Resize(0));
  EXPECT_FALSE(W.A.Resize(-7));
  EXPECT_TRUE(W.A.Resize(4));
  W.A.SetSize(0);
  W.A.SetSize(4);
  EXPECT_EQ(W.A.Size(), 4);
  EXPECT_EQ(W.Notifications, 0);

  EXPECT_TRUE(W.A.Resize(6));
  EXPECT_EQ(W.Notifications, 1);
  EXPECT_EQ(W.LastSender, &W.A);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{0x123456, 0x123456, 0x123456, 0x123456, 0, 0}));

  W.A.SetSize(2);
  EXPECT_EQ(W.Notifications, 2);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{0x123456, 0x123456}));
}

TEST(ColorArray, ElementAccessClampsReadsAndIgnoresBadWrites) {
  Watched W(5);
  W.Number();
  EXPECT_EQ(W.A.GetColorElem(0), 1U);
  EXPECT_EQ(W.A.GetColorElem(-100), 1U);
  EXPECT_EQ(W.A.GetColorElem(5 + 5), 5U);
  EXPECT_EQ(W.A.GetColorElem(INT32_MAX), 5U);
  EXPECT_EQ(W.A.GetColorElem(INT32_MIN), 1U);

  W.A.SetColorElem(0, 0xFF);
  W.A.SetColorElem(6, 0xFF);
  W.A.SetColorElem(INT32_MIN, 0xFF);
  EXPECT_EQ(W.Notifications, 0);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3, 4, 5}));

  W.A.SetColorElem(5, 0xFF000001);  // all 32 bits are kept
  EXPECT_EQ(W.Notifications, 1);
  EXPECT_EQ(W.A.GetColorElem(5), 0xFF000001U);
}

TEST(ColorArray, FillByInterpolation) {
  const TColor Black = 0x000000, White = 0xFFFFFF;
  struct Case {
    int32_t Size, Levels;
    std::vector<TColor> Keys, Expected;
  } Cases[] = {
      {3, 0, {Black, White}, {0x555555, 0xAAAAAA, 0xFFFFFF}},
      {10,
       2,
       {Black, White},
       {0, 0, 0x7F7F7F, 0x7F7F7F, 0x7F7F7F, 0x7F7F7F, 0x7F7F7F, White, White, White}},
      {4, -3, {Black, White}, {0x3F3F3F, 0x7F7F7F, 0xBFBFBF, 0xFFFFFF}},  // like 0
      {3, 0, {0xFF000005}, {0xFF000005, 0xFF000005, 0xFF000005}},         // one key colour
      // One element over three keys: position 2 of the keys, reached from key 0, so the
      // fraction clamps at key 1.
      {1, 0, {Black, 0x0000FF, White}, {0x0000FF}},
      // More key colours than elements: element 1 comes before the first key colour.
      {2, 1, {0x10, 0x20, 0x30, 0x40, 0x50}, {0x10, 0x40}},
      {5, 100, {Black, White}, {0x333333, 0x666666, 0x999999, 0xCCCCCC, 0xFFFFFF}},
  };
  for (const Case& C : Cases) {
    Watched W(C.Size);
    W.A.FillByInterpolation(C.Levels, C.Keys);
    EXPECT_EQ(W.Colors(), C.Expected) << "size " << C.Size << " levels " << C.Levels;
    EXPECT_EQ(W.Notifications, 1);
  }
}

TEST(ColorArray, FillByInterpolationWithoutKeysLeavesTheArrayAlone) {
  Watched W(3);
  W.Number();
  W.A.FillByInterpolation(0, std::vector<TColor>{});
  W.A.FillByInterpolation(4, {});
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3}));
  EXPECT_EQ(W.Notifications, 0);
}

TEST(ColorArray, ColorToIndexFindsTheFirstNearest) {
  Watched W(5);
  for (auto [Ix, C] :
       {std::pair{1, 0x000000u}, {2, 0x101010u}, {3, 0x202020u}, {4, 0x101010u}, {5, 0xFFFFFFu}}) {
    W.A.SetColorElem(Ix, C);
  }
  double D = -1;
  EXPECT_EQ(W.A.ColorToIndex(0x202020, D), 3);
  EXPECT_EQ(D, 0.0);
  EXPECT_EQ(W.A.ColorToIndex(0xFF101010, D), 2);  // ties keep the earlier element
  EXPECT_EQ(D, 0.0);
  EXPECT_EQ(W.A.ColorToIndex(0x181818, D), 2);  // 2 and 3 are equally close
  EXPECT_DOUBLE_EQ(D, RGBColorDistance(0x181818, 0x101010));

  W.A.Fill(0xFFFFFF);
  EXPECT_EQ(W.A.ColorToIndex(0x000000, D), 1);  // nothing nearer than 1.0
  EXPECT_EQ(D, 1.0);
}

TEST(ColorArray, CopyFromClampsTheRangeAndSkipsOutsidePositions) {
  Watched Src(10);
  Src.Number();
  struct Case {
    int32_t DestSize, Lo, Hi, Dest;
    std::vector<TColor> Expected;
  } Cases[] = {
      {10, 1, 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {4, 5, 2, 1, {2, 3, 4, 5}},        // exchanged
      {4, -5, 2, 3, {0, 0, 1, 2}},       // lo raised to 1; 3.. skipped past the end
      {3, 9, 99, 2, {0, 9, 10}},         // hi lowered to 10
      {3, 1, 3, -1, {3, 0, 0}},          // positions -1 and 0 skipped
      {3, 1, 10, INT32_MAX, {0, 0, 0}},  // no overflow of the position
      {3, 1, 10, INT32_MIN, {0, 0, 0}},
  };
  for (const Case& C : Cases) {
    Watched W(C.DestSize);
    W.A.Fill(0);
    W.Notifications = 0;
    W.A.CopyFrom(&Src.A, C.Lo, C.Hi, C.Dest);
    EXPECT_EQ(W.Colors(), C.Expected) << C.Lo << ".." << C.Hi << " -> " << C.Dest;
    EXPECT_EQ(W.Notifications, 1);
  }

  Watched W(3);
  W.Number();
  W.A.CopyFrom(nullptr, 1, 3, 1);
  EXPECT_EQ(W.Notifications, 0);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3}));
}

TEST(ColorArray, CopyFromItselfReadsTheRangeFirst) {
  Watched W(6);
  W.Number();
  W.A.CopyFrom(&W.A, 1, 4, 3);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 1, 2, 3, 4}));
  W.Number();
  W.A.CopyFrom(&W.A, 3, 6, 1);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{3, 4, 5, 6, 5, 6}));
}

TEST(ColorArray, MirrorAndInvertNotifyOnce) {
  Watched W(5);
  W.Number();
  W.A.MirrorColors();
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{5, 4, 3, 2, 1}));
  EXPECT_EQ(W.Notifications, 1);

  W.A.Resize(4);
  W.Number();
  W.A.MirrorColors();
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{4, 3, 2, 1}));

  W.A.SetColorElem(1, 0xFF000000);
  W.Notifications = 0;
  W.A.InvertColors();
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{0xFFFFFF, 0xFFFFFC, 0xFFFFFD, 0xFFFFFE}));
  EXPECT_EQ(W.Notifications, 1);
}

TEST(ColorArray, IsEqualComparesSizeAndAllBits) {
  Watched A(3), B(3);
  A.Number();
  B.Number();
  EXPECT_TRUE(A.A.IsEqual(B.A));
  B.A.SetColorElem(3, 0xFF000003);
  EXPECT_FALSE(A.A.IsEqual(B.A));
  B.A.SetColorElem(3, 3);
  B.A.Resize(4);
  EXPECT_FALSE(A.A.IsEqual(B.A));
  EXPECT_FALSE(B.A.IsEqual(A.A));
}

TEST(ColorArray, AssignCopiesSizeAndColoursButNotTheHandler) {
  Watched Src(4), Dst(9);
  Src.Number();
  int SourceHandlerCalls = 0;
  Src.A.SetOnChange([&](TObject*) { ++SourceHandlerCalls; });

  Dst.A.Assign(&Src.A);
  EXPECT_TRUE(Dst.A.IsEqual(Src.A));
  EXPECT_EQ(Dst.Notifications, 0);
  Dst.A.SetColorElem(1, 7);  // Dst keeps its own handler
  EXPECT_EQ(Dst.Notifications, 1);
  EXPECT_EQ(SourceHandlerCalls, 0);

  Watched Back(2);
  Src.A.AssignTo(&Back.A);
  EXPECT_TRUE(Back.A.IsEqual(Src.A));
  EXPECT_EQ(Back.Notifications, 0);
}

TEST(ColorArray, AssignFromOtherClassesRaisesAndChangesNothing) {
  Watched W(3);
  W.Number();
  TComponent Other;
  EXPECT_THROW(W.A.Assign(&Other), EConvertError);
  EXPECT_THROW(W.A.Assign(nullptr), EConvertError);
  EXPECT_THROW(W.A.AssignTo(&Other), EConvertError);
  EXPECT_EQ(W.Colors(), (std::vector<TColor>{1, 2, 3}));
  EXPECT_EQ(W.Notifications, 0);
}

TEST(ColorArray, OwnerDestroysTheArray) {
  auto Owner = std::make_unique<TComponent>();
  auto* A = new TColorArray(Owner.get());
  EXPECT_EQ(Owner->ComponentCount(), 1);
  EXPECT_EQ(A->Owner(), Owner.get());
  Owner.reset();  // leak checking sees it freed
}

}  // namespace
