#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "KYR_kyrcolors.h"

using namespace KYR_kyrcolors;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ColorModels, InterpolationTruncatesAndClampsTheFraction) {
  struct Case {
    TColor A, B;
    double t;
    TColor Expected;
  } Cases[] = {
      {0x000000, 0x0000FF, 0.5, 0x00007F},  // 127.5 truncated, not rounded
      {0x000000, 0x0000FF, 1.7, 0x0000FF},      {0x000000, 0x0000FF, -3, 0x000000},
      {0x000000, 0x0000FF, kNaN, 0x0000FF},  // NaN counts as 1
      {0x000000, 0x0000FF, kInf, 0x0000FF},     {0x000000, 0x0000FF, -kInf, 0x000000},
      {0xFF0000FF, 0x00000000, 0, 0x0000FF},     // top byte cleared
      {0x20406080, 0x60402000, 0.25, 0x405060},  // top bytes ignored
      {0x0000FF, 0x000000, 0.5, 0x00007F},       // descending: 255 - 127.5 truncated
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(InterpolateColor(C.A, C.B, C.t), C.Expected)
        << std::hex << C.A << " " << C.B << " t=" << C.t;
  }
  EXPECT_EQ(MeanColor(0x000000, 0xFFFFFF), 0x7F7F7FU);
}

TEST(ColorModels, Interpolate3ColorsFollowsTheTwoLegs) {
  const TColor A = 0x000000, B = 0xFF0000FF, C = 0x00FF00;
  struct Case {
    double t;
    TColor Expected;
  } Cases[] = {
      {0.0, 0x000000}, {0.25, 0x00007F}, {0.5, 0x0000FF},  {0.75, 0x007F7F},
      {1.0, 0x00FF00}, {7.0, 0x00FF00},  {-1.0, 0x000000}, {kNaN, 0x00FF00},
  };
  for (const Case& K : Cases) {
    EXPECT_EQ(Interpolate3Colors(A, B, C, K.t), K.Expected) << "t=" << K.t;
  }
}

TEST(ColorModels, ChannelOperationsClearTheTopByte) {
  EXPECT_EQ(ReverseRGBColor(0x112233), 0x332211U);
  EXPECT_EQ(ReverseRGBColor(0xFF112233), 0x332211U);
  EXPECT_EQ(InvertColor(0x000000), 0xFFFFFFU);
  EXPECT_EQ(InvertColor(0xFF10F080), 0xEF0F7FU);
}

TEST(ColorModels, HexTextRoundTripsAllThirtyTwoBits) {
  EXPECT_EQ(ColorToHexStr(0x0000FF), u"000000FF");
  EXPECT_EQ(ColorToHexStr(0xFF000008), u"FF000008");
  EXPECT_EQ(ColorToHexStr(0xABCDEF), u"00ABCDEF");
  for (TColor C : {0u, 0xFFu, 0xFF000008u, 0x1FFFFFFFu, 0xFFFFFFFFu, 0x12345678u}) {
    EXPECT_EQ(HexStrToColor(ColorToHexStr(C)), C);
  }
}

TEST(ColorModels, HexTextParsing) {
  struct Case {
    const char16_t* Text;
    TColor Expected;
  } Cases[] = {
      {u"$FF", 0xFF},
      {u"ff", 0xFF},
      {u"  $0000FF  ", 0xFF},
      {u"$  1a", 0x1A},  // blanks after the "$" are skipped
      {u"12G4", 0x12},
      {u"xyz", 0},
      {u"", 0},
      {u"   ", 0},
      {u"$", 0},
      {u"\tFF", 0},                // a tab is not a blank
      {u"F$F", 0xF},               // "$" only counts in front
      {u"123456789", 0x23456789},  // wraps in 32 bits
      {u"aBcDeF", 0xABCDEF},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(HexStrToColor(C.Text), C.Expected) << KYR_runtime::StringToUtf8(C.Text);
  }
}

TEST(ColorModels, HSItoRGBSectorsRoundingAndBadInput) {
  struct Case {
    double H, S, I;
    int32_t R, G, B;
  } Cases[] = {
      {0, 0, 0.5, 128, 128, 128},  // 127.5 rounds to even
      {360, 1, 1, 255, 0, 0},      // 360 counts as 0
      {60, 1, 1, 255, 255, 0},       {120, 1, 1, 0, 255, 0},
      {180, 1, 1, 0, 255, 255},      {240, 1, 1, 0, 0, 255},
      {300, 1, 1, 255, 0, 255},      {30, 1, 1, 255, 128, 0},  // f = 0.5: t = 0.5 -> 127.5 -> 128
      {359.999, 1, 1, 255, 0, 0},    {-10, 1, 1, 255, 0, 0},
      {kNaN, 1, 1, 255, 0, 0},       {120, 5, 7, 0, 255, 0},  // S and I clamped
      {120, kNaN, 1, 255, 255, 255},                          // NaN saturation counts as 0
      {120, 1, kNaN, 0, 0, 0},       {120, -kInf, kInf, 255, 255, 255},
  };
  for (const Case& C : Cases) {
    int32_t R = -1, G = -1, B = -1;
    HSItoRGB(C.H, C.S, C.I, R, G, B);
    EXPECT_EQ(R, C.R) << "H=" << C.H << " S=" << C.S << " I=" << C.I;
    EXPECT_EQ(G, C.G) << "H=" << C.H << " S=" << C.S << " I=" << C.I;
    EXPECT_EQ(B, C.B) << "H=" << C.H << " S=" << C.S << " I=" << C.I;
  }
}

TEST(ColorModels, RGBtoHSI) {
  struct Case {
    int32_t R, G, B;
    double H, S, I;
  } Cases[] = {
      {128, 128, 128, -1, 0, 128 / 255.0},
      {0, 0, 0, 0, 0, 0},
      {255, 0, 128, 360 - 128 / 255.0 * 60, 1, 1},
      {0, 255, 0, 120, 1, 1},
      {0, 0, 255, 240, 1, 1},
      {255, 255, 0, 60, 1, 1},   // tie: red is the maximum channel
      {0, 255, 255, 180, 1, 1},  // tie: green before blue
      {200, 100, 50, 20, 0.75, 200 / 255.0},
      {510, 0, 0, 0, 1, 2},  // not clamped
  };
  for (const Case& C : Cases) {
    double H = 99, S = 99, I = 99;
    RGBtoHSI(C.R, C.G, C.B, H, S, I);
    EXPECT_NEAR(H, C.H, 1e-12) << C.R << "," << C.G << "," << C.B;
    EXPECT_NEAR(S, C.S, 1e-15) << C.R << "," << C.G << "," << C.B;
    EXPECT_NEAR(I, C.I, 1e-15) << C.R << "," << C.G << "," << C.B;
  }
  // Extreme inputs stay finite.
  double H, S, I;
  RGBtoHSI(INT32_MAX, INT32_MIN, 0, H, S, I);
  EXPECT_TRUE(std::isfinite(H) && std::isfinite(S) && std::isfinite(I));
}

TEST(ColorModels, HSIRoundTripsEveryChannelCombinationSample) {
  for (int32_t R = 0; R < 256; R += 15) {
    for (int32_t G = 0; G < 256; G += 17) {
      for (int32_t B = 0; B < 256; B += 51) {
        double H, S, I;
        RGBtoHSI(R, G, B, H, S, I);
        int32_t R2, G2, B2;
        HSItoRGB(H, S, I, R2, G2, B2);
        ASSERT_EQ(R2, R) << R << "," << G << "," << B;
        ASSERT_EQ(G2, G) << R << "," << G << "," << B;
        ASSERT_EQ(B2, B) << R << "," << G << "," << B;
      }
    }
  }
}

TEST(ColorModels, CMYConversions) {
  uint8_t R, G, B;
  CMYtoRGB(0, 0.5, 1, R, G, B);
  EXPECT_EQ(R, 255);
  EXPECT_EQ(G, 128);  // 127.5 rounds to even
  EXPECT_EQ(B, 0);
  CMYtoRGB(-2, kInf, kNaN, R, G, B);
  EXPECT_EQ(R, 255);
  EXPECT_EQ(G, 0);
  EXPECT_EQ(B, 255);  // NaN counts as 0

  double C, M, Y;
  RGBtoCMY(255, 0, 51, C, M, Y);
  EXPECT_DOUBLE_EQ(C, 0);
  EXPECT_DOUBLE_EQ(M, 1);
  EXPECT_DOUBLE_EQ(Y, 0.8);
}

TEST(ColorModels, CMYKConversions) {
  double C = 0.2, M = 0.5, Y = 0.9, K = -1;
  CMYtoCMYK(C, M, Y, K);
  EXPECT_NEAR(K, 0.2, 1e-15);
  EXPECT_NEAR(C, 0.0, 1e-15);
  EXPECT_NEAR(M, 0.3, 1e-15);
  EXPECT_NEAR(Y, 0.7, 1e-15);

  C = 1.5, M = kNaN, Y = 0.4;
  CMYtoCMYK(C, M, Y, K);  // clamped first: 1, 0, 0.4
  EXPECT_EQ(K, 0);
  EXPECT_EQ(C, 1);
  EXPECT_EQ(M, 0);
  EXPECT_NEAR(Y, 0.4, 1e-15);

  C = 0.2, M = 0.5, Y = 0.9;
  CMYKtoCMY(C, M, Y, 0.2);
  EXPECT_NEAR(C, 0.4, 1e-15);
  EXPECT_NEAR(M, 0.7, 1e-15);
  EXPECT_EQ(Y, 1);  // 1.1 clamped
  CMYKtoCMY(C, M, Y, kNaN);
  EXPECT_EQ(C, 0);
  EXPECT_EQ(M, 0);
  EXPECT_EQ(Y, 0);
}

TEST(ColorModels, GreyValuesRoundTiesToEven) {
  struct Case {
    int32_t R, G, B, Gray;
  } Cases[] = {
      {255, 255, 255, 255}, {10, 0, 0, 3},   {15, 0, 0, 4},  // 4.5 -> 4
      {5, 0, 0, 2},                                          // 1.5 -> 2
      {0, 0, 150, 16},                                       // 16.5 -> 16
      {1000, 0, 0, 300},    {-10, 0, 0, -3}, {0, 100, 0, 59},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(RGBtoGray(C.R, C.G, C.B), C.Gray) << C.R << "," << C.G << "," << C.B;
  }
  EXPECT_EQ(RGBtoGrayColor(10, 0, 0), 0x030303U);
  EXPECT_EQ(RGBtoGrayColor(-10, 0, 0), 0xFDFDFDU);   // -3 taken modulo 256
  EXPECT_EQ(RGBtoGrayColor(1000, 0, 0), 0x2C2C2CU);  // 300 modulo 256
  EXPECT_EQ(ColorToGray(0xFF00000F), 4);
  EXPECT_EQ(ColorToGrayColor(0xFFFFFFFF), 0xFFFFFFU);
}

TEST(ColorModels, DistanceIsScaledToOne) {
  EXPECT_EQ(RGBColorDistance(0x000000, 0xFFFFFF), 1.0);
  EXPECT_EQ(RGBColorDistance(0x123456, 0xFF123456), 0.0);
  EXPECT_NEAR(RGBColorDistance(0x000000, 0x0000FF), std::sqrt(1.0 / 3), 1e-15);
  EXPECT_EQ(RGBColorDistance(0x0000FF, 0x000000), RGBColorDistance(0x000000, 0x0000FF));
}

TEST(ColorModels, WavelengthBandsAndGamma) {
  struct Case {
    int32_t W;
    double Gamma;
    TColor Expected;
  } Cases[] = {
      {379, 0.8, 0x000000},  {780, 0.8, 0x000000},  {-5, 1, 0x000000},
      {645, 1, 0x0000FF},    {510, 1, 0x00FF00},    {440, 1, 0xFF0000},
      {490, 1, 0xFFFF00},    {580, 1, 0x00FFFF},    {400, 0, 0xFF00FF},  // gamma 0: full
      {600, -1, 0x00FFFF},  // negative gamma saturates instead of wrapping
      {600, kNaN, 0x000000}, {700, kInf, 0x000000},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(WavelengthToColor(C.W, C.Gamma), C.Expected)
        << C.W << " nm, gamma " << C.Gamma << " got " << std::hex
        << WavelengthToColor(C.W, C.Gamma);
  }
  // 410 nm: r = 0.5, factor = 30 * 0.7 / 40 + 0.3 = 0.825.
  const TColor Violet = WavelengthToColor(410, 1);
  EXPECT_EQ(Violet & 0xFF, 105U);          // round(255 * 0.4125) = round(105.19)
  EXPECT_EQ((Violet >> 16) & 0xFF, 210U);  // round(255 * 0.825) = round(210.375)
  EXPECT_EQ((Violet >> 8) & 0xFF, 0U);
}

TEST(ColorModels, RandomColorsDrawBlueGreenRed) {
  KYR_runtime::RandSeed = 12345;
  const int32_t B = KYR_runtime::Random(256);
  const int32_t G = KYR_runtime::Random(256);
  const int32_t R = KYR_runtime::Random(256);
  const uint32_t After = KYR_runtime::RandSeed;
  KYR_runtime::RandSeed = 12345;
  EXPECT_EQ(RandomColor(), static_cast<TColor>(R | G << 8 | B << 16));
  EXPECT_EQ(KYR_runtime::RandSeed, After);

  KYR_runtime::RandSeed = 777;
  const int32_t B2 = 10 + KYR_runtime::Random(11);
  const int32_t G2 = 20 + KYR_runtime::Random(11);
  const int32_t R2 = 30 + KYR_runtime::Random(11);
  KYR_runtime::RandSeed = 777;
  EXPECT_EQ(RandomColor(30, 40, 20, 30, 10, 20), static_cast<TColor>(R2 | G2 << 8 | B2 << 16));
}

TEST(ColorModels, RandomColorStaysInRangeAndAnInvertedRangeGivesTheLowBound) {
  KYR_runtime::RandSeed = 1;
  for (int i = 0; i < 500; ++i) {
    const TColor C = RandomColor(0, 255, 100, 101, 7, 7);
    EXPECT_EQ(C >> 24, 0U);
    EXPECT_TRUE(((C >> 8) & 0xFF) == 100 || ((C >> 8) & 0xFF) == 101);
    EXPECT_EQ((C >> 16) & 0xFF, 7U);
  }
  // Low above high: the channel is its low bound, and all three draws still happen.
  KYR_runtime::RandSeed = 99;
  KYR_runtime::Random(1), KYR_runtime::Random(1), KYR_runtime::Random(1);
  const uint32_t After = KYR_runtime::RandSeed;
  KYR_runtime::RandSeed = 99;
  EXPECT_EQ(RandomColor(200, 100, 255, 0, 9, 3), 0x09FFC8U);
  EXPECT_EQ(KYR_runtime::RandSeed, After);
}

}  // namespace
