// Numbers of the runtime: number text, rounding, and the process-wide random generator.
#pragma once

#include <cstdint>

#include "KYR_runtime_strings.h"

namespace KYR_runtime {

using Extended = long double;

// Decimal text with "-" for negatives.
String IntToStr(int64_t Value);
// Upper-case hexadecimal, at least Digits digits. A negative 32-bit value shows its
// 8-digit two's complement, a negative 64-bit value its 16-digit one.
String IntToHex(int32_t Value, int32_t Digits);
String IntToHex(int64_t Value, int32_t Digits);
String IntToHex(uint32_t Value, int32_t Digits);
// Decimal (or "$"-prefixed hexadecimal) integer text; raises EConvertError when invalid.
int32_t StrToInt(const String& S);
int32_t StrToIntDef(const String& S, int32_t Default);
bool TryStrToInt(const String& S, int32_t& Value);

// The formatted float output Str(X:Width:Decimals), right-aligned in at least Width
// characters and never cut. Decimals >= 0: fixed notation rounded to Decimals places.
// Decimals < 0: scientific, " d.dddE+dddd" with Width - 9 fraction digits (at least 1).
// Infinities and NaN give "+Inf", "-Inf" and "Nan".
String Str(Extended X, int32_t Width, int32_t Decimals);
// Shortest general text with 15 significant digits ("1.5", "1E20", "-2.5E-7").
String FloatToStr(Extended Value);

// Val: skips leading blanks, then reads an optional sign, digits with an optional
// decimal point and an optional exponent (E or e). Code is 0 when the whole text was
// used, else the 1-based position of the first character not used (Value is then 0).
void Val(const String& S, double& Value, int32_t& Code);
void Val(const String& S, Extended& Value, int32_t& Code);
// Integer form: optional sign, decimal digits or "$" and hex digits; out of range fails.
void Val(const String& S, int32_t& Value, int32_t& Code);
void Val(const String& S, int64_t& Value, int32_t& Code);

// Nearest integer, ties to even. Values outside int64 saturate.
int64_t Round(Extended X);
// Drops the fraction toward zero. Values outside int64 saturate.
int64_t Trunc(Extended X);
Extended Frac(Extended X);
int64_t Floor(Extended X);
int64_t Ceil(Extended X);

// The process-wide generator: RandSeed = RandSeed * 134775813 + 1 (mod 2^32).
extern uint32_t RandSeed;
// Steps the generator and returns an integer in 0..Range-1 (0 when Range <= 0).
int32_t Random(int32_t Range);
// Steps the generator and returns a double in [0, 1).
double Random();
// Seeds the generator from the clock.
void Randomize();

}  // namespace KYR_runtime
