// Internal: byte loops of the stream readers, vectorised with SSE2 where available.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KYR_runtime.h"

namespace KYR_streams::detail {

// The first byte in [P, End) below 32 other than the tab; End when none.
const uint8_t* FindLineControl(const uint8_t* P, const uint8_t* End);
// The number of bytes in [P, P + N) equal to Value.
size_t CountByte(const uint8_t* P, size_t N, uint8_t Value);
// Appends the N bytes at P to S, each as the character with the same code.
void AppendBytes(KYR_runtime::String& S, const uint8_t* P, size_t N);
// The N bytes at P as characters with the same codes.
KYR_runtime::String BytesToString(const uint8_t* P, size_t N);

// Asks the system to back the untouched memory of a large new string with huge pages:
// first-touch page faults otherwise dominate building a result of many megabytes. A hint
// only; ignored where unsupported and for small sizes.
void AdviseLargeString(KYR_runtime::String& S);

// ASCII lower case of a byte.
constexpr uint8_t FoldByte(uint8_t B) {
  return B >= 'A' && B <= 'Z' ? B + 32 : B;
}

}  // namespace KYR_streams::detail
