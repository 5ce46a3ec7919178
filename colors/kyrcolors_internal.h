// Helpers shared by the colour sources; not part of the public interface.
#pragma once

#include <cstdint>

#include "KYR_kyrcolors_models.h"

namespace KYR_kyrcolors::internal {

// A colour from three channel values, each reduced to its low 8 bits.
constexpr TColor ComposeColor(int64_t R, int64_t G, int64_t B) {
  return (static_cast<uint32_t>(R) & 0xFFu) | ((static_cast<uint32_t>(G) & 0xFFu) << 8) |
         ((static_cast<uint32_t>(B) & 0xFFu) << 16);
}
constexpr int32_t RedOf(TColor C) {
  return static_cast<int32_t>(C & 0xFFu);
}
constexpr int32_t GreenOf(TColor C) {
  return static_cast<int32_t>((C >> 8) & 0xFFu);
}
constexpr int32_t BlueOf(TColor C) {
  return static_cast<int32_t>((C >> 16) & 0xFFu);
}

// InterpolateColor with the fraction kept in extended precision, so that a fraction
// computed in extended precision (the colour array's filling) is not rounded to double
// first.
TColor InterpolateColorExt(TColor A, TColor B, Extended t);

// Hexadecimal colour text: a "$" as first character is skipped, then blanks, then
// hexadecimal digits of either case are accumulated up to the first other character
// (wrapping in 32 bits). No leading digit gives 0.
TColor ScanHexColor(const String& S);

}  // namespace KYR_kyrcolors::internal
