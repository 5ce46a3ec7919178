// Number scanners: an integer or a floating-point number read from a stream, one byte
// after another, leaving the stream after the byte that ended the number.
#pragma once

#include <cstdint>

#include "KYR_kyrbase.h"

namespace KYR_streams {

using namespace KYR_runtime;

// Skips blanks, LFs and CRs (not tabs), then reads an optional "+" or "-" and a run of
// decimal digits; the byte after the digits is consumed. The value wraps modulo 2^32.
// No digits give 0.
int32_t ScanStreamDecimal(TStream& Stream);

// Decimal separators accepted by ScanStreamFPNum.
inline constexpr int32_t dsFullStop = 1;
inline constexpr int32_t dsComma = 2;
inline constexpr int32_t dsEither = 3;

// Reads a floating-point number: white space (tab, LF, CR, blank) is skipped first, then
// an optional sign directly followed by digits with an optional fraction behind the
// separator of DecSepMode (dsFullStop, dsComma, dsEither; any other value accepts none)
// and, with ExpAllowed, an exponent "E" or "e" with optional sign and digits. The byte
// that ends the number is consumed; a malformed number gives 0 (the bytes up to and
// including the offending one consumed). Exponent digits that take the exponent beyond
// 4200 are dropped, and the result is clamped into -uc_MaxDouble to +uc_MaxDouble.
double ScanStreamFPNum(TStream& Stream, bool ExpAllowed, int32_t DecSepMode);

}  // namespace KYR_streams
