// Number, time and bit-string formatting.
#include <gtest/gtest.h>

#include "KYR_stringl_format.h"

namespace {

using namespace KYR_stringl;

struct NumCase {
  Extended X;
  int32_t W;
  int32_t D;
  const char16_t* Expected;
};

void CheckTable(const char* What, String (*Fn)(Extended, int32_t, int32_t),
                std::initializer_list<NumCase> Cases) {
  for (const NumCase& C : Cases) {
    EXPECT_EQ(StringToUtf8(Fn(C.X, C.W, C.D)), StringToUtf8(C.Expected))
        << What << "(" << static_cast<double>(C.X) << ", " << C.W << ", " << C.D << ")";
  }
}

TEST(Strff, LayoutsShortExponentAndZeroFill) {
  CheckTable("strff", strff,
             {
                 {12.346L, 8, 2, u"   12.35"},
                 {12.5L, 2, 1, u"12.5"},  // never cut
                 {1234.6L, 0, 0, u"1235"},
                 {250, 10, -2, u" 2.500E+02"},
                 {1.5e15L, 10, -2, u" 1.500E+15"},
                 {-1.5e15L, 10, -2, u"-1.500E+15"},
                 {1.5e-7L, 10, -2, u" 1.500E-07"},
                 {0, 10, -2, u" 0.000E+00"},
                 {9.99e99L, 10, -2, u" 9.990E+99"},
                 {1, 1, -2, u" 1.0E+00"},  // field too small: one fraction digit
                 // Exponents of three digits cannot be shown: a row of "*".
                 {1.5e150L, 10, -2, u"**********"},
                 {-1.5e150L, 10, -2, u"**********"},
                 {1.5e-100L, 10, -2, u"**********"},
                 {9.9996e99L, 10, -2, u"**********"},  // rounds up to 1.000E+100
                 {1.5e150L, -10, -2, u"**********"},
                 // Other negative decimal counts keep four exponent digits.
                 {250, 12, -1, u" 2.500E+0002"},
                 {250, 12, -3, u" 2.500E+0002"},
                 // Zero fill.
                 {-12.5L, -8, 1, u"-00012.5"},
                 {5, -6, 2, u"005.00"},
                 {-5, -6, 2, u"-05.00"},
                 {-12.5L, -4, 1, u"-12.5"},  // no room for fill
                 {1.5e15L, -10, -2, u"01.500E+15"},
                 {-1.5e15L, -10, -2, u"-1.500E+15"},
             });
}

TEST(Strff, ForcePlus) {
  CheckTable("strffForcePlus", strffForcePlus,
             {
                 {5, 6, 2, u" +5.00"},
                 {5, -6, 2, u"+05.00"},
                 {0.5L, 1, 2, u"+0.50"},
                 {0, 6, 2, u" +0.00"},
                 {12, 2, 0, u"+12"},
                 {1.5e15L, 10, -2, u"+1.500E+15"},
                 {1.5e15L, -10, -2, u"+1.500E+15"},
                 {-1, 6, 2, u" -1.00"},
                 {-1, -6, 2, u"-01.00"},
                 // A lone zero is the value, not a fill digit: the sign goes in front.
                 {0, 1, 0, u"+0"},
                 {0, -1, 0, u"+0"},
                 {0, -3, 0, u"+00"},
             });
  // Negative zero prints its minus sign; no plus is put before it.
  EXPECT_EQ(strffForcePlus(-0.0L, 6, 2), strff(-0.0L, 6, 2));
}

TEST(FormatData, Examples) {
  struct Case {
    double X;
    int32_t W;
    int32_t D;
    const char16_t* Expected;
  };
  const Case Cases[] = {
      {999.5, 10, 2, u"    999.50"},
      {0, 10, 2, u"      0.00"},
      {-999999999, 12, 0, u"  -999999999"},
      {1e7, 10, 2, u" 1.000000000E+07"},  // too large: 10 significant digits
      {0.001, 10, 2, u" 1.000000000E-03"},
      {5, 4, 9, u" 5.000E+00"},
      {5, 4, -1, u" 5.000E+00"},
      {5, 4, -7, u" 5.000E+00"},
      {1e150, 4, 2, u"**********"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StringToUtf8(FormatData(C.X, C.W, C.D)), StringToUtf8(C.Expected))
        << C.X << " " << C.W << " " << C.D;
}

TEST(FormatData, ThresholdsOfEveryRow) {
  // Per decimal count: the largest value shown fixed and the smallest non-zero one.
  const double Largest[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                             999.99999, 99.999999, 9.9999999, 0.99999999};
  const double Smallest[9] = {1,       0.1,      0.01,      0.001,     0.0001,
                              0.00001, 0.000001, 0.0000001, 0.00000001};
  auto IsFixed = [](const String& S) { return S.find(u'E') == String::npos; };
  for (int32_t D = 0; D <= 8; ++D) {
    SCOPED_TRACE(D);
    const double Above = Largest[D] * (1 + 1e-12);
    const double Below = Smallest[D] * (1 - 1e-12);
    EXPECT_EQ(FormatData(Largest[D], 12, D), Str(Largest[D], 12, D));
    EXPECT_EQ(FormatData(-Largest[D], 12, D), Str(-Largest[D], 12, D));
    EXPECT_EQ(FormatData(Smallest[D], 12, D), Str(Smallest[D], 12, D));
    EXPECT_TRUE(IsFixed(FormatData(Smallest[D], 12, D)));
    EXPECT_EQ(FormatData(Above, 12, D), strff(Above, 18, -2));
    EXPECT_EQ(FormatData(Below, 12, D), strff(Below, 18, -2));
    EXPECT_EQ(FormatData(-Below, 12, D), strff(-Below, 18, -2));
    EXPECT_FALSE(IsFixed(FormatData(Above, 12, D)));
  }
}

TEST(SigDigStr, FixedWhenItFitsElseShortScientific) {
  struct Case {
    double X;
    int32_t W;
    int32_t N;
    const char16_t* Expected;
  };
  const Case Cases[] = {
      {123.456, 8, 4, u"   123.5"},
      {-0.5, 6, 2, u" -0.50"},
      {0, 8, 3, u"    0.00"},
      {1000, 8, 4, u"    1000"},  // an exact power of ten has four integer digits
      {0.001, 8, 2, u"  0.0010"},
      {123456, 8, 3, u"  123456"},           // more digits than asked, but they fit
      {123456789, 8, 3, u" 1.23E+08"},       // they do not fit
      {0.00056789, 8, 3, u" 5.68E-04"},      // too many leading zeros
      {0.00056789, 12, 3, u"    0.000568"},  // room enough
      {1.5e200, 8, 3, u"*********"},         // beyond the short form
      {123.456, 8, 0, u"     123"},          // fewer than one digit counts as one
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StringToUtf8(SigDigStr(C.X, C.W, C.N)), StringToUtf8(C.Expected))
        << C.X << " " << C.W << " " << C.N;
  EXPECT_EQ(SigDigStr(123.456, 8, 4, true), u"123.5");
  EXPECT_EQ(SigDigStr(123.456, 8, 4, false), u"   123.5");
  EXPECT_EQ(SigDigStr(0.00056789, 8, 3, true), u"5.68E-04");
}

TEST(AutoFormatData, SignificantDigitsWithoutPadding) {
  struct Case {
    double X;
    int32_t N;
    const char16_t* Expected;
  };
  const Case Cases[] = {
      {123.456, 4, u"123.5"},     {-123.456, 4, u"-123.5"},
      {0.5, 4, u"0.500"},         {0.1, 4, u"0.100"},
      {0, 4, u"0.000"},           {999, 4, u"999.0"},
      {1000, 4, u" 1.000E+03"},  // 10^(N-1) is no longer fixed
      {12000, 4, u" 1.200E+04"},  {0.05, 4, u" 5.000E-02"},
      {123.456, 1, u" 1.2E+02"},                                        // clamped to 2
      {123.456, -5, u" 1.2E+02"}, {123.456, 20, u"123.4560000000000"},  // clamped to 16
      {1e120, 4, u"**********"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StringToUtf8(AutoFormatData(C.X, C.N)), StringToUtf8(C.Expected))
        << C.X << " " << C.N;
}

TEST(TimeString, Formats) {
  const double OneHourTwoMinutes = 3600 + 120 + 5.5;
  struct Case {
    double Secs;
    uint8_t Format;
    const char16_t* Expected;
  };
  const Case Cases[] = {
      {OneHourTwoMinutes, 0, u"01:02:05.50"},
      {OneHourTwoMinutes, 1, u"01:02:05"},
      {OneHourTwoMinutes, 2, u" 1h02"},
      {OneHourTwoMinutes, 3, u" 1h02'05\""},
      {OneHourTwoMinutes, 4, u"01:02"},
      {OneHourTwoMinutes, 5, u" 1:02a"},
      {OneHourTwoMinutes, 6, u""},
      {OneHourTwoMinutes, 255, u""},
      {-5, 1, u"00:00:00"},
      {1.999, 0, u"00:00:01.99"},  // hundredths truncated
      {59.999, 1, u"00:00:59"},
      {43200, 5, u"12:00p"},
      {0, 5, u"12:00a"},
      {46800 + 59 * 60, 5, u" 1:59p"},
      {11 * 3600 + 59 * 60, 5, u"11:59a"},
      {100 * 3600 + 61, 1, u"100:01:01"},
      {70000.0 * 3600, 4, u"70000:00"},  // the hour count is not wrapped
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StringToUtf8(TimeString(C.Secs, C.Format)), StringToUtf8(C.Expected))
        << C.Secs << " format " << int(C.Format);
}

TEST(BinString, ChoosesByFlag) {
  EXPECT_EQ(BinString(true, u"on", u"off"), u"on");
  EXPECT_EQ(BinString(false, u"on", u"off"), u"off");
}

}  // namespace
