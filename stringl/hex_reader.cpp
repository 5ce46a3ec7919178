// The hexadecimal number reader behind ProcessHexChars and TGrep.
#include "hex_reader.h"

namespace KYR_stringl {

using KYR_runtime::Char;
using KYR_runtime::String;

namespace {

// Value of a hex digit after ASCII upper-casing, or -1.
int HexDigitValue(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  return -1;
}

}  // namespace

uint32_t ReadHexValue(const String& S, int32_t& Pos) {
  const int64_t Len = static_cast<int64_t>(S.size());
  if (Pos < 1) Pos = 1;
  // Blanks are skipped only while another character follows.
  while (Pos < Len && S[Pos - 1] == u' ') ++Pos;
  uint32_t Value = 0;
  while (Pos <= Len) {
    const Char C = KYR_runtime::UpCase(S[Pos - 1]);
    ++Pos;
    if (C == u'$' && Pos == 2) continue;
    const int Digit = HexDigitValue(C);
    if (Digit < 0) {
      --Pos;
      break;
    }
    Value = Value * 16u + static_cast<uint32_t>(Digit);
  }
  return Value;
}

}  // namespace KYR_stringl
