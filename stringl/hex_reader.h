// Internal to KYR_stringl: the hexadecimal number reader shared by ProcessHexChars and
// the regular-expression matcher. Not installed.
#pragma once

#include <cstdint>

#include "KYR_runtime_strings.h"

namespace KYR_stringl {

// Reads a hexadecimal number from S starting at the 1-based position Pos and leaves Pos on
// the first character not consumed (Length(S)+1 after the end). Blanks before the number
// are skipped, except one in the last position. A "$" in position 1 of S is skipped. The
// value wraps modulo 2^32; 0 when no digit is read. A Pos below 1 starts at 1.
uint32_t ReadHexValue(const KYR_runtime::String& S, int32_t& Pos);

}  // namespace KYR_stringl
