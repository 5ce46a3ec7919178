// The character-permutation scrambler.
#include <array>

#include "KYR_stringl_words.h"

namespace KYR_stringl {
namespace {

// One pair of tables for the whole process; entry 0 of both is always 0.
constinit std::array<uint8_t, 256> EncodeTable{};
constinit std::array<uint8_t, 256> DecodeTable{};

String MapThrough(const String& S, const std::array<uint8_t, 256>& Table) {
  String R(S.size(), u'\0');
  for (size_t I = 0; I < S.size(); ++I) R[I] = Table[S[I] & 0xFF];
  return R;
}

}  // namespace

void InitScramble(int32_t Seed) {
  RandSeed = static_cast<uint32_t>(Seed);
  EncodeTable.fill(0);
  DecodeTable.fill(0);
  for (int I = 1; I <= 255; ++I) {
    int A = 0;
    do {
      A = Random(255) + 1;
    } while (DecodeTable[A] != 0);
    EncodeTable[I] = static_cast<uint8_t>(A);
    DecodeTable[A] = static_cast<uint8_t>(I);
  }
}

String Scramble(const String& S) {
  return MapThrough(S, EncodeTable);
}
String DeScramble(const String& S) {
  return MapThrough(S, DecodeTable);
}

void InitializeModule() {
  InitScramble(DefaultScrambleSeed);
}

}  // namespace KYR_stringl
