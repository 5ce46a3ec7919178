// Number, time and bit-string formatting: fixed-width numbers with a short scientific
// form, fixed decimals with a scientific fallback, significant digits, clock texts.
//
// Two layouts come from the runtime's Str(X, W, D): the fixed layout (D >= 0: sign,
// digits, "." and D decimals, right-aligned in W) and the scientific layout (D < 0:
// " d.dddE+dddd", W - 9 fraction digits). The short scientific form used here keeps two
// exponent digits: a field of W characters holds W - 7 fraction digits, so W = n + 6
// shows n significant digits. Values whose exponent needs three digits (1e100 and
// above, or below 1e-99) cannot be shown in it and come back as a row of "*".
#pragma once

#include <cstdint>

#include "KYR_kyrbase.h"

namespace KYR_stringl {

using namespace KYR_runtime;

// Formats X in |W| characters with D decimals. D = -2 gives the short scientific form
// (two exponent digits, a row of "*" when the exponent needs three), other negative D
// the runtime's scientific layout, D >= 0 the fixed layout. A negative W zero-fills:
// leading blanks become "0" and a minus sign moves to the front ("-0012.5" for -12.5,
// W -7, D 1). Never cuts a text longer than the field.
String strff(Extended X, int32_t W, int32_t D);

// strff with a "+" for values of 0 and above: the last leading blank becomes "+"; a
// zero-filled text gets "+" in place of its first "0"; a text without room gets "+" in
// front. Negative values and values that are not numbers come back as strff gives them.
String strffForcePlus(Extended X, int32_t W, int32_t D);

// Fixed layout with W and D when |X| fits nine digits of which D are decimals and is at
// least 10^-D (or exactly 0), for D in 0..8; otherwise the short scientific form with W
// significant digits (strff(X, W + 6, -2)).
String FormatData(double X, int32_t W, int32_t D);

// X with N significant digits: the fixed layout in W characters when that fits, the
// short scientific form with at least N significant digits (width max(W, N + 6))
// otherwise. N below 1 counts as 1.
String SigDigStr(double X, int32_t W, int32_t N);
// As above; with Trim set, blanks at both ends are removed.
String SigDigStr(double X, int32_t W, int32_t N, bool Trim);

// X with N significant digits (N clamped into 2..16) and no padding: the fixed layout
// for magnitudes from above 0.1 to below 10^(N-1), the short scientific form otherwise.
// 123.456 with N 4 gives "123.5", 0.5 gives "0.500", 12000 gives " 1.200E+04".
String AutoFormatData(double X, int32_t N);

// A duration in seconds (negative counts as 0) as clock text, by Format:
// 0 "01:02:05.50", 1 "01:02:05", 2 " 1h02", 3 " 1h02'05\"", 4 "01:02", 5 twelve-hour
// " 1:02a" (hour 0 shows as 12, "p" from hour 12 on, hours above 12 lose 12). Hundredths are
// truncated. Two-digit fields are zero-padded, the hours of formats 2, 3 and 5 blank-padded; the
// hour count is not wrapped. Any other format gives the empty string.
String TimeString(double Secs, uint8_t Format);

// TrueText when Flag is set, otherwise FalseText.
String BinString(bool Flag, const String& TrueText, const String& FalseText);

}  // namespace KYR_stringl
