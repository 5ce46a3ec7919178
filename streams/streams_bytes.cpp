#include "streams_bytes.h"

#include <bit>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace KYR_streams::detail {

const uint8_t* FindLineControl(const uint8_t* P, const uint8_t* End) {
#if defined(__SSE2__)
  const __m128i Space = _mm_set1_epi8(32);
  const __m128i Tab = _mm_set1_epi8(9);
  for (; End - P >= 16; P += 16) {
    __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    // Kept bytes: V >= 32 (unsigned) or V == 9.
    __m128i Kept = _mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(V, Space), V), _mm_cmpeq_epi8(V, Tab));
    unsigned Mask = ~static_cast<unsigned>(_mm_movemask_epi8(Kept)) & 0xFFFFu;
    if (Mask != 0) return P + std::countr_zero(Mask);
  }
#endif
  for (; P < End; ++P)
    if (*P < 32 && *P != 9) return P;
  return End;
}

size_t CountByte(const uint8_t* P, size_t N, uint8_t Value) {
  size_t Count = 0;
#if defined(__SSE2__)
  const __m128i Needle = _mm_set1_epi8(static_cast<char>(Value));
  const __m128i Zero = _mm_setzero_si128();
  while (N >= 16) {
    // Each lane of Acc counts down by one per match (cmpeq gives -1); 255 rounds at most.
    size_t Rounds = N / 16 < 255 ? N / 16 : 255;
    __m128i Acc = _mm_setzero_si128();
    for (size_t I = 0; I < Rounds; ++I, P += 16)
      Acc = _mm_sub_epi8(
          Acc, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P)), Needle));
    __m128i Sums = _mm_sad_epu8(Acc, Zero);
    Count += static_cast<size_t>(_mm_cvtsi128_si32(Sums)) +
             static_cast<size_t>(_mm_extract_epi16(Sums, 4));
    N -= Rounds * 16;
  }
#endif
  for (size_t I = 0; I < N; ++I) Count += P[I] == Value;
  return Count;
}

namespace {

void Widen(char16_t* D, const uint8_t* P, size_t N) {
#if defined(__SSE2__)
  const __m128i Zero = _mm_setzero_si128();
  for (; N >= 16; N -= 16, P += 16, D += 16) {
    __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(D), _mm_unpacklo_epi8(V, Zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(D + 8), _mm_unpackhi_epi8(V, Zero));
  }
#endif
  for (size_t I = 0; I < N; ++I) D[I] = P[I];
}

}  // namespace

void AppendBytes(KYR_runtime::String& S, const uint8_t* P, size_t N) {
  if (N == 0) return;
  if (S.empty() && S.capacity() < N && N <= 4096) {
    // A short text into a new string (a line): one allocation, one pass.
    S = KYR_runtime::String(P, P + N);
    return;
  }
  if (S.empty()) S.reserve(N);
  // Widen through a small block that stays in the cache, so that the string's memory is
  // written once (resize would clear it first).
  char16_t Block[2048];
  while (N > 0) {
    size_t K = N < std::size(Block) ? N : std::size(Block);
    Widen(Block, P, K);
    S.append(Block, K);
    P += K;
    N -= K;
  }
}

void AdviseLargeString(KYR_runtime::String& S) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t Huge = uintptr_t{2} << 20;
  const size_t Bytes = S.capacity() * sizeof(char16_t);
  if (Bytes < 4 * Huge) return;
  auto Begin = (reinterpret_cast<uintptr_t>(S.data()) + Huge - 1) & ~(Huge - 1);
  auto End = (reinterpret_cast<uintptr_t>(S.data()) + Bytes) & ~(Huge - 1);
  if (End > Begin) madvise(reinterpret_cast<void*>(Begin), End - Begin, MADV_HUGEPAGE);
#else
  (void)S;
#endif
}

KYR_runtime::String BytesToString(const uint8_t* P, size_t N) {
  KYR_runtime::String S;
  AppendBytes(S, P, N);
  return S;
}

}  // namespace KYR_streams::detail
