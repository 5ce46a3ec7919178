#include "KYR_univconst.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

using namespace KYR_univconst;

namespace {

// The 80-bit pattern of an extended value: 4 hex digits of sign and exponent, a blank,
// 16 hex digits of significand.
std::string Pattern(Extended X) {
  static_assert(sizeof(Extended) >= 10, "extended must be the x87 80-bit format");
  uint64_t Significand = 0;
  uint16_t SignExponent = 0;
  std::memcpy(&Significand, &X, 8);
  std::memcpy(&SignExponent, reinterpret_cast<const char*>(&X) + 8, 2);
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%04x %016llx", SignExponent,
                static_cast<unsigned long long>(Significand));
  return Buf;
}

TEST(UnivConst, ConstantsHaveTheirExact80BitPatterns) {
  struct Case {
    const char* Name;
    Extended Value;
    const char* Bits;
  };
  const Case Cases[] = {
      {"uc_e", uc_e, "4000 adf85458a2bb4a9a"},
      {"uc_etom1", uc_etom1, "3ffd bc5ab1b16779be36"},
      {"uc_lg2", uc_lg2, "3ffd 9a209a84fbcff798"},
      {"uc_lg5", uc_lg5, "3ffe b2efb2bd82180434"},
      {"uc_lge", uc_lge, "3ffd de5bd8a937287195"},
      {"uc_lgPi", uc_lgPi, "3ffd fe8a6d98dd1dd807"},
      {"uc_ln10", uc_ln10, "4000 935d8dddaaa8ac17"},
      {"uc_ln2", uc_ln2, "3ffe b17217f7d1cf79ab"},
      {"uc_lnPi", uc_lnPi, "3fff 928682473d0de85e"},
      {"uc_PiH", uc_PiH, "3fff c90fdaa22168c235"},
      {"uc_PiSqr", uc_PiSqr, "4002 9de9e64df22ef2d2"},
      {"uc_Pitom1", uc_Pitom1, "3ffd a2f9836e4e441529"},
      {"uc_sqrt2", uc_sqrt2, "3fff b504f333f9de6485"},
      {"uc_sqrt2pi", uc_sqrt2pi, "4000 a06c98ffb1382cb2"},
      {"uc_sqrt2pitom1", uc_sqrt2pitom1, "3ffd cc42299ea1b28468"},
      {"uc_GoldenR", uc_GoldenR, "3fff cf1bbcdcbfa53e0a"},
      {"uc_MinReal", uc_MinReal, "3f7e fca0293c42765b07"},
      {"uc_MaxReal", uc_MaxReal, "407d ffc99e3c66fd68d2"},
      {"uc_MinSingle", uc_MinSingle, "3f6a 89040a0f4c80569d"},
      {"uc_MaxSingle", uc_MaxSingle, "407e ffc99e3c66fd68d2"},
      {"uc_MinDouble", uc_MinDouble, "3bcd 818995ce7aa0e1b2"},
      {"uc_MaxDouble", uc_MaxDouble, "43fe f2168983b9dbb273"},
      {"uc_MinExtended", uc_MinExtended, "0000 0000000000000001"},
      {"uc_MaxExtended", uc_MaxExtended, "7ffe ecb12aed7f5875e1"},
      {"uc_lnMinDouble", uc_lnMinDouble, "c008 ba1b6684ac474500"},
      {"uc_lnMaxDouble", uc_lnMaxDouble, "4008 b16e847ee37c422e"},
      {"uc_lnMaxExtended", uc_lnMaxExtended, "400c b171c7ab26a28a52"},
      {"uc_lnMinExtended", uc_lnMinExtended, "c00c b21b457d80bddc0c"},
      {"uc_lnMinReal", uc_lnMinReal, "c005 b178e32221d34f6d"},
      {"uc_lnMaxReal", uc_lnMaxReal, "4005 b00ec6f8cbf2e56f"},
      {"uc_lnMinSingle", uc_lnMinSingle, "c005 ce6bf66052006fa1"},
      {"uc_lnMaxSingle", uc_lnMaxSingle, "4005 b171ab28bb968462"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Pattern(C.Value), C.Bits) << C.Name;
}

TEST(UnivConst, MaxDoubleIsTheNominalBoundNotTheLargestDouble) {
  EXPECT_EQ(static_cast<double>(uc_MaxDouble), 1.7e308);
  EXPECT_LT(uc_MaxDouble, static_cast<Extended>(1.7976931348623157e308));
}

TEST(UnivConst, LnFactorialTable) {
  EXPECT_EQ(uc_LnFactorial[0], 0.0);
  EXPECT_EQ(uc_LnFactorial[1], 0.0);
  EXPECT_EQ(uc_LnFactorial[2], 0.693147180559945);
  EXPECT_EQ(uc_LnFactorial[3], 1.79175946922806);
  EXPECT_EQ(uc_LnFactorial[10], 15.1044125730755);
  EXPECT_EQ(uc_LnFactorial[170], 706.573062245787);
  EXPECT_EQ(uc_LnFactorial[1000], 5912.12817848816);
  // Every entry is ln(n!) to 15 significant digits.
  double Sum = 0;
  for (int N = 2; N <= 1000; ++N) {
    Sum += std::log(static_cast<double>(N));
    EXPECT_NEAR(uc_LnFactorial[N], Sum, Sum * 1e-13) << N;
  }
}

}  // namespace
