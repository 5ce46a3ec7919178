#include <gtest/gtest.h>

#include "KYR_kyrcolors.h"

using namespace KYR_kyrcolors;

namespace {

template <class T>
constexpr size_t Count(const T&) {
  return std::tuple_size_v<T>;
}
static_assert(Count(ColorArray_Rainbow) == 11 && Count(ColorArray_Geo1) == 11 &&
              Count(ColorArray_Geo2) == 11 && Count(ColorArray_Geo3) == 11 &&
              Count(ColorArray_Circle) == 7 && Count(ColorArray_MorgenStemning) == 7 &&
              Count(ColorArray_Contrast) == 16 && Count(PredefinedColors) == 47 &&
              Count(X11Colors) == 145);

// Positions are 1-based as in the tables' documentation.
struct Entry {
  const std::array<TColor, 11>* Table11;
  int Position;
  TColor Value;
};

TEST(Palettes, KeyColourSets) {
  const Entry Entries[] = {
      {&ColorArray_Rainbow, 1, 0x400020},  {&ColorArray_Rainbow, 6, 0x00FF18},
      {&ColorArray_Rainbow, 11, 0x000040}, {&ColorArray_Geo1, 1, 0xDED2BD},
      {&ColorArray_Geo1, 11, 0xF0FAFC},    {&ColorArray_Geo2, 6, 0x90BBAC},
      {&ColorArray_Geo2, 11, 0x96ACC8},    {&ColorArray_Geo3, 1, 0xFF8A2B},
      {&ColorArray_Geo3, 11, 0x5685C7},
  };
  for (const Entry& E : Entries) {
    EXPECT_EQ((*E.Table11)[E.Position - 1], E.Value) << "position " << E.Position;
  }
  EXPECT_EQ(ColorArray_Circle.front(), 0x0000FFU);
  EXPECT_EQ(ColorArray_Circle.back(), 0x0000FFU);
  EXPECT_EQ(ColorArray_Circle[3], 0xFFFF00U);
  EXPECT_EQ(ColorArray_MorgenStemning[0], 0x000000U);
  EXPECT_EQ(ColorArray_MorgenStemning[3], 0x711BC2U);
  EXPECT_EQ(ColorArray_MorgenStemning[6], 0xFFFFFFU);
  EXPECT_EQ(ColorArray_Contrast[10], 0xC5CD18U);
  EXPECT_EQ(ColorArray_Contrast[15], 0x8000FFU);
}

TEST(Palettes, PredefinedColors) {
  const struct {
    int Position;
    TColor Value;
  } Entries[] = {
      {1, 0x000000},    {2, 0x000080},    {10, 0x0000FF},   {16, 0xFFFFFF},
      {17, 0xC0DCC0},   {20, 0xA4A0A0},   {21, 0xFF00000A}, {24, 0xFF000001},
      {29, 0xFF000009}, {30, 0x20000000}, {31, 0xFF000011}, {37, 0xFF000018},
      {40, 0xFF000007}, {41, 0x1FFFFFFF}, {42, 0xFF000000}, {47, 0xFF000008},
  };
  for (const auto& E : Entries) {
    EXPECT_EQ(PredefinedColors[E.Position - 1], E.Value) << "position " << E.Position;
  }
}

TEST(Palettes, X11Colors) {
  const struct {
    int Position;
    TColor Value;
  } Entries[] = {
      {1, 0xFFF8F0},   {8, 0x000000},   {10, 0xFF0000},  {20, 0x3C14DC},  {67, 0x82DDEE},
      {100, 0x238E6B}, {116, 0x0000FF}, {126, 0xF0CAA6}, {137, 0x808080}, {138, 0x008000},
      {139, 0x000080}, {140, 0x800080}, {142, 0xFFFFFF}, {145, 0x32CD9A},
  };
  for (const auto& E : Entries) {
    EXPECT_EQ(X11Colors[E.Position - 1], E.Value) << "position " << E.Position;
  }
  for (TColor C : X11Colors) EXPECT_EQ(C >> 24, 0U);
}

}  // namespace
