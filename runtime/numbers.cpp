// Number text (IntToStr, IntToHex, Str, FloatToStr, Val), rounding and the random generator.
#include <locale.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "KYR_runtime_numbers.h"
#include "KYR_runtime_objects.h"

namespace KYR_runtime {

namespace {

String Ascii(const std::string& S) {
  return String(S.begin(), S.end());
}

// The "C" locale for number conversions, whatever locale the application has set.
locale_t CLocale() {
  static const locale_t L = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return L;
}

std::string Printf(const char* Format, int Precision, Extended X) {
  int N = std::snprintf(nullptr, 0, Format, Precision, X);
  std::string Out(static_cast<size_t>(N), '\0');
  std::snprintf(Out.data(), Out.size() + 1, Format, Precision, X);
  return Out;
}

String PadLeft(std::string Text, int32_t Width) {
  if (Width > 0 && Text.size() < static_cast<size_t>(Width))
    Text.insert(0, static_cast<size_t>(Width) - Text.size(), ' ');
  return Ascii(Text);
}

}  // namespace

// --- Integers ------------------------------------------------------------------------

String IntToStr(int64_t Value) {
  return Ascii(std::to_string(Value));
}

namespace {

// Far beyond any real request; keeps an absurd Digits from allocating gigabytes.
constexpr int32_t MaxHexDigits = 4096;

String Hex(uint64_t Value, int32_t Digits) {
  char Buf[17];
  int N = std::snprintf(Buf, sizeof Buf, "%llX", static_cast<unsigned long long>(Value));
  std::string S(Buf, static_cast<size_t>(N));
  Digits = std::min(Digits, MaxHexDigits);
  if (Digits > N) S.insert(0, static_cast<size_t>(Digits - N), '0');
  return Ascii(S);
}

}  // namespace

String IntToHex(int32_t Value, int32_t Digits) {
  return Hex(static_cast<uint32_t>(Value), Digits);
}
String IntToHex(int64_t Value, int32_t Digits) {
  return Hex(static_cast<uint64_t>(Value), Digits);
}
String IntToHex(uint32_t Value, int32_t Digits) {
  return Hex(Value, Digits);
}

bool TryStrToInt(const String& S, int32_t& Value) {
  int32_t Code = 0;
  int32_t V = 0;
  Val(S, V, Code);
  if (Code != 0) return false;
  Value = V;
  return true;
}

int32_t StrToInt(const String& S) {
  int32_t V = 0;
  if (!TryStrToInt(S, V)) throw EConvertError(u"'" + S + u"' is not a valid integer value");
  return V;
}

int32_t StrToIntDef(const String& S, int32_t Default) {
  int32_t V = 0;
  return TryStrToInt(S, V) ? V : Default;
}

// --- Formatted float output ----------------------------------------------------------

namespace {

// Limits that keep absurd requests from allocating gigabytes; far beyond any layout the
// library produces.
constexpr int32_t MaxWidth = 4096;
constexpr int32_t MaxDecimals = 1024;
// An extended value carries 18 significant decimal digits; digits beyond are zeros.
constexpr int32_t MaxSignificantFraction = 17;

std::string NonFinite(Extended X) {
  if (std::isnan(X)) return "Nan";
  return X < 0 ? "-Inf" : "+Inf";
}

std::string Scientific(Extended X, int32_t Width) {
  int32_t Fraction = std::max(Width - 9, 1);
  int32_t Computed = std::min(Fraction, MaxSignificantFraction);
  std::string Digits = Printf("%.*Le", Computed, std::fabs(X));  // d.ddde+XX
  size_t E = Digits.find('e');
  std::string Mantissa = Digits.substr(0, E);
  Mantissa.append(static_cast<size_t>(Fraction - Computed), '0');
  int Exponent = std::atoi(Digits.c_str() + E + 1);
  char Exp[16];
  std::snprintf(Exp, sizeof Exp, "E%c%04d", Exponent < 0 ? '-' : '+', std::abs(Exponent));
  return (X < 0 ? "-" : " ") + Mantissa + Exp;
}

}  // namespace

String Str(Extended X, int32_t Width, int32_t Decimals) {
  Width = std::min(Width, MaxWidth);
  if (!std::isfinite(X)) return PadLeft(NonFinite(X), Width);
  if (Decimals < 0) return PadLeft(Scientific(X, Width), Width);
  return PadLeft(Printf("%.*Lf", std::min(Decimals, MaxDecimals), X), Width);
}

String FloatToStr(Extended Value) {
  if (!std::isfinite(Value)) return Ascii(NonFinite(Value));
  std::string S = Printf("%.*Lg", 15, Value);
  size_t E = S.find('e');
  if (E == std::string::npos) return Ascii(S);
  // "1.5e+20" -> "1.5E20", "1e-05" -> "1E-5".
  int Exponent = std::atoi(S.c_str() + E + 1);
  return Ascii(S.substr(0, E) + "E" + std::to_string(Exponent));
}

// --- Val -------------------------------------------------------------------------------

namespace {

bool IsDigitChar(Char C) {
  return C >= u'0' && C <= u'9';
}

// Scans a decimal number from S[I]; returns the index after it, or the index of the
// first character that spoils it (Ok false).
size_t ScanDecimal(const String& S, size_t I, bool& Ok) {
  Ok = false;
  if (I < S.size() && (S[I] == u'+' || S[I] == u'-')) ++I;
  bool Digits = false;
  while (I < S.size() && IsDigitChar(S[I])) ++I, Digits = true;
  if (I < S.size() && S[I] == u'.') {
    ++I;
    while (I < S.size() && IsDigitChar(S[I])) ++I, Digits = true;
  }
  if (!Digits) return I;
  if (I < S.size() && (S[I] == u'e' || S[I] == u'E')) {
    ++I;
    if (I < S.size() && (S[I] == u'+' || S[I] == u'-')) ++I;
    if (I >= S.size() || !IsDigitChar(S[I])) return I;
    while (I < S.size() && IsDigitChar(S[I])) ++I;
  }
  Ok = true;
  return I;
}

size_t SkipBlanks(const String& S) {
  size_t I = 0;
  while (I < S.size() && S[I] == u' ') ++I;
  return I;
}

}  // namespace

void Val(const String& S, Extended& Value, int32_t& Code) {
  Value = 0;
  size_t Start = SkipBlanks(S);
  bool Ok = false;
  size_t End = ScanDecimal(S, Start, Ok);
  if (!Ok || End != S.size()) {
    Code = static_cast<int32_t>(End + 1);
    return;
  }
  std::string Ascii8(S.begin() + static_cast<std::ptrdiff_t>(Start), S.end());
  Extended V = strtold_l(Ascii8.c_str(), nullptr, CLocale());
  if (!std::isfinite(V)) {  // beyond the extended range
    Code = static_cast<int32_t>(Start + 1);
    return;
  }
  Value = V;
  Code = 0;
}

void Val(const String& S, double& Value, int32_t& Code) {
  Extended V = 0;
  Val(S, V, Code);
  Value = 0;
  if (Code != 0) return;
  // Beyond the double range: what does not round to a finite double.
  if (std::isinf(static_cast<double>(V))) {
    Code = static_cast<int32_t>(SkipBlanks(S) + 1);
    return;
  }
  Value = static_cast<double>(V);
}

void Val(const String& S, int64_t& Value, int32_t& Code) {
  Value = 0;
  size_t I = SkipBlanks(S);
  bool Negative = false;
  if (I < S.size() && (S[I] == u'+' || S[I] == u'-')) Negative = S[I++] == u'-';
  unsigned Base = 10;
  if (I < S.size() && S[I] == u'$') Base = 16, ++I;
  // Accumulate the magnitude as unsigned; the limit allows INT64_MIN.
  const uint64_t Limit = Negative ? uint64_t{1} << 63 : uint64_t(INT64_MAX);
  uint64_t Magnitude = 0;
  size_t First = I;
  for (; I < S.size(); ++I) {
    Char C = S[I];
    unsigned D;
    if (IsDigitChar(C)) {
      D = C - u'0';
    } else if (Base == 16 && UpCase(C) >= u'A' && UpCase(C) <= u'F') {
      D = UpCase(C) - u'A' + 10;
    } else {
      break;
    }
    if (Magnitude > (Limit - D) / Base) {
      Code = static_cast<int32_t>(I + 1);
      return;
    }
    Magnitude = Magnitude * Base + D;
  }
  if (I == First || I != S.size()) {
    Code = static_cast<int32_t>(I + 1);
    return;
  }
  Value = Negative ? static_cast<int64_t>(0 - Magnitude) : static_cast<int64_t>(Magnitude);
  Code = 0;
}

void Val(const String& S, int32_t& Value, int32_t& Code) {
  int64_t V = 0;
  Val(S, V, Code);
  Value = 0;
  if (Code != 0) return;
  if (V < INT32_MIN || V > INT32_MAX) {
    Code = static_cast<int32_t>(S.size());
    return;
  }
  Value = static_cast<int32_t>(V);
}

// --- Rounding ----------------------------------------------------------------------------

namespace {

// Converts an integral-valued extended to int64, saturating; NaN gives 0.
int64_t ToInt64(Extended X) {
  if (std::isnan(X)) return 0;
  if (X >= 9223372036854775807.0L) return INT64_MAX;
  if (X <= -9223372036854775808.0L) return INT64_MIN;
  return static_cast<int64_t>(X);
}

}  // namespace

int64_t Round(Extended X) {
  return ToInt64(std::nearbyintl(X));
}  // ties to even
int64_t Trunc(Extended X) {
  return ToInt64(std::truncl(X));
}
Extended Frac(Extended X) {
  return X - std::truncl(X);
}
int64_t Floor(Extended X) {
  return ToInt64(std::floor(X));
}
int64_t Ceil(Extended X) {
  return ToInt64(std::ceil(X));
}

// --- Random generator ---------------------------------------------------------------------

uint32_t RandSeed = 0;

namespace {
void Step() {
  RandSeed = RandSeed * 134775813u + 1u;
}
}  // namespace

int32_t Random(int32_t Range) {
  Step();
  if (Range <= 0) return 0;
  return static_cast<int32_t>((uint64_t{RandSeed} * static_cast<uint32_t>(Range)) >> 32);
}

double Random() {
  Step();
  return RandSeed / 4294967296.0;
}

void Randomize() {
  timespec T{};
  clock_gettime(CLOCK_REALTIME, &T);
  RandSeed = static_cast<uint32_t>(T.tv_sec * 1000 + T.tv_nsec / 1000000);
}

}  // namespace KYR_runtime
