// Number formatting on the runtime's Str(X, W, D).
#include <algorithm>
#include <cmath>
#include <limits>

#include "KYR_stringl_format.h"
#include "KYR_stringl_utils.h"
#include "KYR_univconst.h"

namespace KYR_stringl {
namespace {

int32_t SaturateWidth(int64_t W) {
  return static_cast<int32_t>(std::clamp<int64_t>(W, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// floor(log10 |X|) for a finite X other than 0. The quotient of the logarithms can land
// just below an exact power of ten (log 1000 / ln 10 = 2.999...), so the result is
// checked against the powers on both sides.
int32_t DecimalExponent(double X) {
  const Extended A = std::fabs(static_cast<Extended>(X));
  auto K = static_cast<int32_t>(std::floor(std::log(A) / KYR_univconst::uc_ln10));
  if (std::pow(10.0L, K + 1) <= A) {
    ++K;
  } else if (std::pow(10.0L, K) > A) {
    --K;
  }
  return K;
}

// Turns the four exponent digits of Str's scientific layout into two; an exponent that
// needs more than two digits makes the whole text a row of "*".
void ShortenExponent(String& S) {
  const size_t E = S.find(u'E');
  if (E == String::npos || S.size() != E + 6) return;
  const bool Fits = S[E + 2] == u'0' && S[E + 3] == u'0';
  S.erase(E + 2, 2);
  if (!Fits) S.assign(S.size(), u'*');
}

// Leading blanks become "0"; a minus sign after them moves to the front.
void ZeroFill(String& S) {
  size_t N = 0;
  while (N < S.size() && S[N] == u' ') S[N++] = u'0';
  if (N < S.size() && S[N] == u'-') {
    S[N] = u'0';
    S[0] = u'-';
  }
}

bool ShowsMinus(const String& S) {
  const size_t First = S.find_first_not_of(u' ');
  return First != String::npos && S[First] == u'-';
}

}  // namespace

String strff(Extended X, int32_t W, int32_t D) {
  const int64_t Width = W < 0 ? -static_cast<int64_t>(W) : W;
  String S;
  if (D == -2) {
    S = Str(X, SaturateWidth(Width + 2), -2);
    ShortenExponent(S);
  } else {
    S = Str(X, SaturateWidth(Width), D);
  }
  if (W < 0 && std::isfinite(X)) ZeroFill(S);
  return S;
}

String strffForcePlus(Extended X, int32_t W, int32_t D) {
  String S = strff(X, W, D);
  if (!(X >= 0) || !std::isfinite(X) || ShowsMinus(S)) return S;
  size_t Blanks = 0;
  while (Blanks + 1 < S.size() && S[Blanks] == u' ') ++Blanks;
  if (Blanks > 0) {
    S[Blanks - 1] = u'+';
  } else if (S.size() >= 2 && S[0] == u'0' && S[1] != u'.') {
    // Zero-filled: the first fill digit gives way. A lone "0" is a value, not a fill.
    S[0] = u'+';
  } else {
    S.insert(S.begin(), u'+');
  }
  return S;
}

String FormatData(double X, int32_t W, int32_t D) {
  // Per decimal count: the largest value with nine digits, D of them decimals, and 10^-D.
  static constexpr double Largest[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                        999.99999, 99.999999, 9.9999999, 0.99999999};
  static constexpr double Smallest[9] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
  if (D >= 0 && D <= 8) {
    const double A = std::fabs(X);
    if (A <= Largest[D] && (A >= Smallest[D] || X == 0)) return Str(X, W, D);
  }
  return strff(X, SaturateWidth(static_cast<int64_t>(W) + 6), -2);
}

String SigDigStr(double X, int32_t W, int32_t N) {
  N = std::max(N, 1);
  if (X == 0) return Str(X, W, N - 1);
  if (!std::isfinite(X)) return Str(X, W, 0);
  const int64_t E = static_cast<int64_t>(DecimalExponent(X)) + 1;  // digits before the point
  const int32_t SciWidth = SaturateWidth(std::max<int64_t>(W, static_cast<int64_t>(N) + 6));
  if (N < E) {
    if (static_cast<int64_t>(W) - 1 < E) return strff(X, SciWidth, -2);
    return Str(X, W, 0);
  }
  if (E < static_cast<int64_t>(N) - W + 3) return strff(X, SciWidth, -2);
  return Str(X, W, static_cast<int32_t>(N - E));
}

String SigDigStr(double X, int32_t W, int32_t N, bool Trim) {
  String S = SigDigStr(X, W, N);
  return Trim ? StripLTBlanks(S) : S;
}

String AutoFormatData(double X, int32_t N) {
  N = std::clamp(N, 2, 16);
  if (X == 0) return strff(X, 1, N - 1);
  if (!std::isfinite(X)) return strff(X, 1, 0);
  // K is the decimal logarithm rounded down: the fixed layout serves 0.1 < |X| < 10^(N-1).
  const int32_t K = DecimalExponent(X);
  if (K >= -1 && K < N - 1) return strff(X, 1, N - std::max(K, 0) - 1);
  return strff(X, N + 6, -2);
}

}  // namespace KYR_stringl
