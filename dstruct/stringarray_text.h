// Internal helpers of TStringArray: the Windows-1252 byte tables used to compare and
// search stored texts without converting them to strings first.
#pragma once

#include <array>
#include <string_view>

#include "KYR_runtime.h"

namespace KYR_dstruct::stringarray_detail {

using KYR_runtime::Char;
using KYR_runtime::String;

// The character each byte stands for.
const std::array<Char, 256>& AnsiChars();
// The same, ASCII-folded to lower case (LowerCase of the character).
const std::array<Char, 256>& FoldedAnsiChars();

// Ordinal comparison of two stored texts through a byte table: negative, 0 or positive.
// Equals comparing the converted (and, with the folded table, lower-cased) strings.
inline int CompareThrough(std::string_view A, std::string_view B,
                          const std::array<Char, 256>& Table) {
  const auto* X = reinterpret_cast<const uint8_t*>(A.data());
  const auto* Y = reinterpret_cast<const uint8_t*>(B.data());
  const size_t N = A.size() < B.size() ? A.size() : B.size();
  for (size_t I = 0; I < N; ++I) {
    const int Diff = static_cast<int>(Table[X[I]]) - static_cast<int>(Table[Y[I]]);
    if (Diff != 0) return Diff;
  }
  return static_cast<int>(A.size()) - static_cast<int>(B.size());
}

// Replaces Out with the stored text converted through a byte table (no allocation once
// Out has room for 255 characters).
inline void ConvertThrough(std::string_view Bytes, const std::array<Char, 256>& Table,
                           String& Out) {
  Out.resize(Bytes.size());
  for (size_t I = 0; I < Bytes.size(); ++I) Out[I] = Table[static_cast<uint8_t>(Bytes[I])];
}

}  // namespace KYR_dstruct::stringarray_detail
