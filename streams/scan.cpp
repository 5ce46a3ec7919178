// The number scanners.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "KYR_streams_scan.h"
#include "KYR_univconst.h"
#include "streams_bytesource.h"

namespace KYR_streams {

using detail::TByteSource;

namespace {
bool IsDigitByte(uint8_t B) {
  return B >= '0' && B <= '9';
}
}  // namespace

int32_t ScanStreamDecimal(TStream& Stream) {
  TByteSource In(Stream);
  uint8_t B = 0;
  bool Have = In.Next(B);
  while (Have && (B == ' ' || B == 10 || B == 13)) Have = In.Next(B);
  bool Negative = false;
  if (Have && (B == '-' || B == '+')) {
    Negative = B == '-';
    Have = In.Next(B);
  }
  uint32_t Value = 0;  // wraps modulo 2^32
  while (Have && IsDigitByte(B)) {
    Value = Value * 10u + static_cast<uint32_t>(B - '0');
    Have = In.Next(B);
  }
  In.Finish();
  if (Negative) Value = 0u - Value;
  return static_cast<int32_t>(Value);
}

namespace {

// The nearest double to a number text of the scanner: [+-] digits [. digits]
// [E [+-] digits], any digit run possibly empty. Works in time linear in the text
// however many digits it has: the digits beyond the precision a double can need are
// reduced to one sticky digit, which keeps the rounding exact.
double NumberTextToDouble(std::string_view T) {
  constexpr size_t MaxSignificant = 800;  // > 767, the most a halfway case needs
  size_t I = 0;
  bool Negative = false;
  if (I < T.size() && (T[I] == '+' || T[I] == '-')) Negative = T[I++] == '-';
  std::string Digits;  // significant digits, no leading zeros
  bool Sticky = false;
  int64_t DecExp = 0;  // value = 0.Digits * 10^DecExp
  auto Take = [&](char D) {
    if (Digits.size() < MaxSignificant)
      Digits.push_back(D);
    else if (D != '0')
      Sticky = true;
  };
  for (; I < T.size() && T[I] >= '0' && T[I] <= '9'; ++I) {
    if (Digits.empty() && T[I] == '0') continue;
    Take(T[I]);
    ++DecExp;
  }
  if (I < T.size() && T[I] == '.') {
    for (++I; I < T.size() && T[I] >= '0' && T[I] <= '9'; ++I) {
      if (Digits.empty() && T[I] == '0') {
        --DecExp;
        continue;
      }
      Take(T[I]);
    }
  }
  int64_t Exp = 0;
  if (I < T.size() && T[I] == 'E') {
    ++I;
    bool ExpNegative = false;
    if (I < T.size() && (T[I] == '+' || T[I] == '-')) ExpNegative = T[I++] == '-';
    for (; I < T.size() && T[I] >= '0' && T[I] <= '9'; ++I)
      Exp = std::min<int64_t>(Exp * 10 + (T[I] - '0'), 1'000'000'000);
    if (ExpNegative) Exp = -Exp;
  }
  const double Zero = Negative ? -0.0 : 0.0;
  const double Huge =
      Negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  if (Digits.empty()) return Zero;
  DecExp += Exp;
  if (DecExp > 310) return Huge;
  if (DecExp < -330) return Zero;
  std::string Normal = "0." + Digits + (Sticky ? "1" : "") + "e" + std::to_string(DecExp);
  double Value = 0;
  auto [End, Ec] = std::from_chars(Normal.data(), Normal.data() + Normal.size(), Value);
  if (Ec == std::errc::result_out_of_range) return DecExp > 0 ? Huge : Zero;
  return Negative ? -Value : Value;
}

enum TClass { clSeparator, clDigit, clSign, clWhite, clE, clOther };

// States 1 to 8 as in the grammar; End and Error stop the scan.
enum TState : int8_t {
  stEnd = -2,
  stError = -1,
  stStart = 1,
  stSign = 2,
  stInteger = 3,
  stSeparator = 4,
  stFraction = 5,
  stE = 6,
  stExpSign = 7,
  stExpDigits = 8
};

TState Transition(TState S, TClass C, bool ExpAllowed) {
  const TState AfterE = ExpAllowed ? stE : stEnd;
  switch (S) {
    case stStart:
      switch (C) {
        case clSeparator:
          return stSeparator;
        case clDigit:
          return stInteger;
        case clSign:
          return stSign;
        case clWhite:
          return stStart;
        default:
          return stError;
      }
    case stSign:
      if (C == clSeparator) return stSeparator;
      return C == clDigit ? stInteger : stError;
    case stInteger:
      switch (C) {
        case clSeparator:
          return stSeparator;
        case clDigit:
          return stInteger;
        case clE:
          return AfterE;
        default:
          return stEnd;
      }
    case stSeparator:
    case stFraction:
      switch (C) {
        case clSeparator:
          return stError;
        case clDigit:
          return stFraction;
        case clE:
          return AfterE;
        default:
          return stEnd;
      }
    case stE:
      if (C == clDigit) return stExpDigits;
      return C == clSign ? stExpSign : stError;
    case stExpSign:
      return C == clDigit ? stExpDigits : stError;
    case stExpDigits:
      return C == clDigit ? stExpDigits : stEnd;
    default:
      return stError;
  }
}

}  // namespace

double ScanStreamFPNum(TStream& Stream, bool ExpAllowed, int32_t DecSepMode) {
  const bool FullStop = DecSepMode == dsFullStop || DecSepMode == dsEither;
  const bool Comma = DecSepMode == dsComma || DecSepMode == dsEither;
  auto Classify = [&](uint8_t B) {
    if ((B == '.' && FullStop) || (B == ',' && Comma)) return clSeparator;
    if (IsDigitByte(B)) return clDigit;
    if (B == '+' || B == '-') return clSign;
    if (B == 9 || B == 10 || B == 13 || B == 32) return clWhite;
    if (B == 'E' || B == 'e') return clE;
    return clOther;
  };

  TByteSource In(Stream);
  std::string Text;      // the number text: separators as ".", white space left out
  int64_t ExpValue = 0;  // the exponent digits read as an integer, saturating
  TState State = stStart;
  while (State > 0) {
    uint8_t B = 0;
    TClass C = In.Next(B) ? Classify(B) : clOther;
    TState Next = Transition(State, C, ExpAllowed);
    if (Next < 0) {
      State = Next;
      break;
    }
    State = Next;
    bool Keep = B > 32;
    if (C == clDigit && (State == stExpDigits)) {
      ExpValue = std::min<int64_t>(ExpValue * 10 + (B - '0'), 1'000'000);
      if (ExpValue > 4200) Keep = false;  // caps the exponent
    }
    if (!Keep) continue;
    if (C == clSeparator) B = '.';
    if (C == clE) B = 'E';
    Text.push_back(static_cast<char>(B));
  }
  In.Finish();
  if (State == stError) return 0;
  if (!Text.empty() && Text.back() == '.') Text.push_back('0');
  const double Max = static_cast<double>(KYR_univconst::uc_MaxDouble);
  return std::clamp(NumberTextToDouble(Text), -Max, Max);
}

}  // namespace KYR_streams
