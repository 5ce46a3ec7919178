// Mathematical constants in 80-bit extended precision, and the log-factorial table.
//
// Each constant is written as its exact 80-bit value (hexadecimal significand and binary
// exponent), so that every build gets the same bits; the comment gives the quantity and
// its value to 20 digits. The Min/Max bounds
// are the nominal limits of the number formats as the library has always used them:
// uc_MaxDouble is 1.7e308, below the largest double, and serves as the clamp of the
// floating-point text scanners.
#pragma once

#include <array>

#include "KYR_runtime.h"

namespace KYR_univconst {

using KYR_runtime::Extended;

// e: 2.7182818284590452352
inline constexpr Extended uc_e = 0xadf85458a2bb4a9ap-62L;
// 1/e: 0.36787944117144232161
inline constexpr Extended uc_etom1 = 0xbc5ab1b16779be36p-65L;
// log10 2: 0.30102999566398119520
inline constexpr Extended uc_lg2 = 0x9a209a84fbcff798p-65L;
// log10 5: 0.69897000433601880480
inline constexpr Extended uc_lg5 = 0xb2efb2bd82180434p-64L;
// log10 e: 0.43429448190325182765
inline constexpr Extended uc_lge = 0xde5bd8a937287195p-65L;
// log10 pi: 0.49714987269413385437
inline constexpr Extended uc_lgPi = 0xfe8a6d98dd1dd807p-65L;
// ln 10: 2.3025850929940456840
inline constexpr Extended uc_ln10 = 0x935d8dddaaa8ac17p-62L;
// ln 2: 0.69314718055994530937
inline constexpr Extended uc_ln2 = 0xb17217f7d1cf79abp-64L;
// ln pi: 1.1447298858494001741
inline constexpr Extended uc_lnPi = 0x928682473d0de85ep-63L;
// pi/2: 1.5707963267948966193
inline constexpr Extended uc_PiH = 0xc90fdaa22168c235p-63L;
// pi squared: 9.8696044010893586185
inline constexpr Extended uc_PiSqr = 0x9de9e64df22ef2d2p-60L;
// 1/pi: 0.31830988618379067151
inline constexpr Extended uc_Pitom1 = 0xa2f9836e4e441529p-65L;
// square root of 2: 1.4142135623730950489
inline constexpr Extended uc_sqrt2 = 0xb504f333f9de6485p-63L;
// square root of 2 pi: 2.5066282746310005023
inline constexpr Extended uc_sqrt2pi = 0xa06c98ffb1382cb2p-62L;
// 1 / square root of 2 pi: 0.39894228040143267793
inline constexpr Extended uc_sqrt2pitom1 = 0xcc42299ea1b28468p-65L;
// golden ratio: 1.6180339887498948481
inline constexpr Extended uc_GoldenR = 0xcf1bbcdcbfa53e0ap-63L;
// 2.9e-39: 2.9000000000000000000e-39
inline constexpr Extended uc_MinReal = 0xfca0293c42765b07p-192L;
// 1.7e38: 1.7000000000000000000e+38
inline constexpr Extended uc_MaxReal = 0xffc99e3c66fd68d2p63L;
// 1.5e-45: 1.5000000000000000000e-45
inline constexpr Extended uc_MinSingle = 0x89040a0f4c80569dp-212L;
// 3.4e38: 3.4000000000000000000e+38
inline constexpr Extended uc_MaxSingle = 0xffc99e3c66fd68d2p64L;
// 5.0e-324: 5.0000000000000000000e-324
inline constexpr Extended uc_MinDouble = 0x818995ce7aa0e1b2p-1137L;
// 1.7e308: 1.7000000000000000000e+308
inline constexpr Extended uc_MaxDouble = 0xf2168983b9dbb273p960L;
// smallest positive extended value (2 to the power -16445): 3.6451995318824746025e-4951
inline constexpr Extended uc_MinExtended = 0x1p-16445L;
// 1.1e4932: 1.1000000000000000000e+4932
inline constexpr Extended uc_MaxExtended = 0xecb12aed7f5875e1p16320L;
// ln 5.0e-324: -744.42813221763670128
inline constexpr Extended uc_lnMinDouble = -0xba1b6684ac474500p-54L;
// ln 1.7e308: 709.72683689322824108
inline constexpr Extended uc_lnMaxDouble = 0xb16e847ee37c422ep-54L;
// ln 1.1e4932: 11356.444988826437639
inline constexpr Extended uc_lnMaxExtended = 0xb171c7ab26a28a52p-50L;
// ln 3.6e-4951 (the nominal bound, not uc_MinExtended): -11398.817861568058117
inline constexpr Extended uc_lnMinExtended = -0xb21b457d80bddc0cp-50L;
// ln 2.9e-39: -88.736107889775353332
inline constexpr Extended uc_lnMinReal = -0xb178e32221d34f6dp-57L;
// ln 1.7e38: 88.028861784835906394
inline constexpr Extended uc_lnMaxReal = 0xb00ec6f8cbf2e56fp-57L;
// ln 1.5e-45: -103.21086407662389140
inline constexpr Extended uc_lnMinSingle = -0xce6bf66052006fa1p-57L;
// ln 3.4e38: 88.722008965395851701
inline constexpr Extended uc_lnMaxSingle = 0xb171ab28bb968462p-57L;

// ln(n!) for n = 0..1000, each rounded to 15 significant digits.
extern const std::array<double, 1001> uc_LnFactorial;

}  // namespace KYR_univconst
