#include "KYR_runtime_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KYR_runtime_objects.h"

using namespace KYR_runtime;

namespace {

TEST(IntText, DecimalAndHex) {
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), u"12345");  // never cut
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 2), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(255, 20), u"000000000000000000FF");  // at least Digits, also past 16
  EXPECT_EQ(StrToInt(u" -17"), -17);
  EXPECT_EQ(StrToInt(u"$1F"), 31);
  EXPECT_THROW(StrToInt(u"12a"), EConvertError);
  EXPECT_EQ(StrToIntDef(u"99999999999", 5), 5);
}

TEST(Str, FixedLayout) {
  struct Case {
    Extended X;
    int32_t W, D;
    String Out;
  };
  const Case Cases[] = {
      {12.346L, 8, 2, u"   12.35"},
      {-12.346L, 3, 2, u"-12.35"},  // never cut
      {2.5L, 0, 0, u"2"},           // ties to even on exact halves
      {3.5L, 0, 0, u"4"},
      {0.125L, 6, 2, u"  0.12"},
      {1e20L, 0, 1, u"100000000000000000000.0"},
      {0, 5, 3, u"0.000"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Str(C.X, C.W, C.D), C.Out) << double(C.X);
}

TEST(Str, ScientificLayout) {
  struct Case {
    Extended X;
    int32_t W;
    String Out;
  };
  const Case Cases[] =
      {
          {250, 12, u" 2.500E+0002"},     {-250, 12, u"-2.500E+0002"},
          {0, 12, u" 0.000E+0000"},       {1.5e-300L, 13, u" 1.5000E-0300"},
          {9.9996L, 12, u" 1.000E+0001"},  // rounding carries into the exponent
          {1e4000L, 10, u" 1.0E+4000"},   {123, 1, u" 1.2E+0002"},  // at least one fraction digit
      };
  for (const Case& C : Cases) EXPECT_EQ(Str(C.X, C.W, -1), C.Out) << double(C.X);
  // Digits beyond the 18 an extended carries are zeros.
  EXPECT_EQ(Str(0.1L, 30, -1), u" 1.000000000000000000000E-0001");
}

TEST(Str, NonFiniteValues) {
  EXPECT_EQ(Str(std::numeric_limits<Extended>::infinity(), 6, 2), u"  +Inf");
  EXPECT_EQ(Str(-std::numeric_limits<Extended>::infinity(), 0, -1), u"-Inf");
  EXPECT_EQ(Str(std::nan(""), 0, 2), u"Nan");
}

TEST(FloatToStr, GeneralForm) {
  EXPECT_EQ(FloatToStr(1.5L), u"1.5");
  EXPECT_EQ(FloatToStr(1e20L), u"1E20");
  EXPECT_EQ(FloatToStr(-2.5e-7L), u"-2.5E-7");
  EXPECT_EQ(FloatToStr(100), u"100");
}

TEST(Val, AcceptsWholeNumbersOnly) {
  struct Case {
    String S;
    double Value;
    int32_t Code;
  };
  const Case Cases[] = {
      {u"1.5", 1.5, 0},
      {u"  -2e3", -2000, 0},
      {u"+.5", 0.5, 0},
      {u"5.", 5, 0},
      {u"1E-2", 0.01, 0},
      {u"", 0, 1},
      {u"   ", 0, 4},
      {u"12x", 0, 3},
      {u"1.5 ", 0, 4},
      {u"1e", 0, 3},
      {u"1e+", 0, 4},
      {u".", 0, 2},
      {u"--1", 0, 2},
      {u"\t1", 0, 1},
      {u"1e400", 0, 1},
      {u"1,5", 0, 2},
      {u"1.7976931348623158e308", std::numeric_limits<double>::max(), 0},  // rounds to the largest
      {u"1.798e308", 0, 1},
  };
  for (const Case& C : Cases) {
    double V = -1;
    int32_t Code = -1;
    Val(C.S, V, Code);
    EXPECT_EQ(Code, C.Code) << StringToUtf8(C.S);
    EXPECT_EQ(V, C.Value) << StringToUtf8(C.S);
  }
}

TEST(Val, Integers) {
  int32_t V = 0, Code = 0;
  Val(u"-2147483648", V, Code);
  EXPECT_EQ(Code, 0);
  EXPECT_EQ(V, INT32_MIN);
  Val(u"2147483648", V, Code);
  EXPECT_NE(Code, 0);
  int64_t W = 0;
  Val(u"99999999999999999999", W, Code);
  EXPECT_NE(Code, 0);
  Val(u"$ff", W, Code);
  EXPECT_EQ(Code, 0);
  EXPECT_EQ(W, 255);
  Val(u"-", W, Code);
  EXPECT_EQ(Code, 2);
}

TEST(Rounding, TiesToEvenAndTruncationTowardZero) {
  EXPECT_EQ(Round(0.5L), 0);
  EXPECT_EQ(Round(1.5L), 2);
  EXPECT_EQ(Round(2.5L), 2);
  EXPECT_EQ(Round(-2.5L), -2);
  EXPECT_EQ(Round(-2.6L), -3);
  EXPECT_EQ(Trunc(-2.9L), -2);
  EXPECT_EQ(Trunc(2.9L), 2);
  EXPECT_EQ(Floor(-2.1L), -3);
  // Out of range saturates instead of overflowing; NaN gives 0.
  EXPECT_EQ(Round(1e30L), INT64_MAX);
  EXPECT_EQ(Trunc(-1e30L), INT64_MIN);
  EXPECT_EQ(Round(std::nanl("")), 0);
}

TEST(Random, IsTheClassicLinearCongruentialGenerator) {
  RandSeed = 0;
  EXPECT_EQ(Random(100), 0);  // seed 1: high word of 1 * 100 is 0
  EXPECT_EQ(RandSeed, 1u);
  RandSeed = 12345;
  uint32_t Next = 12345u * 134775813u + 1u;
  EXPECT_EQ(Random(1000), static_cast<int32_t>((uint64_t{Next} * 1000) >> 32));
  double D = Random();
  EXPECT_GE(D, 0.0);
  EXPECT_LT(D, 1.0);
  // The same seed gives the same sequence.
  RandSeed = 7;
  int32_t A = Random(1 << 30), B = Random(1 << 30);
  RandSeed = 7;
  EXPECT_EQ(Random(1 << 30), A);
  EXPECT_EQ(Random(1 << 30), B);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
}

}  // namespace
