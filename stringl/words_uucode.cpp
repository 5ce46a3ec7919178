// Classic uuencoding of 8-bit text.
#include <algorithm>
#include <string_view>

#include "KYR_stringl_words.h"

namespace KYR_stringl {
namespace {

constexpr size_t BytesPerLine = 45;

// Six bits as a character: 32 + value, with "`" instead of the blank for 0.
Char Encode6(unsigned V) {
  return V == 0 ? u'`' : static_cast<Char>(32 + V);
}
// The six bits a character stands for; "`" and the blank both give 0.
unsigned Decode6(Char C) {
  return (static_cast<unsigned>(C) - 32) & 63;
}

uint8_t ByteOf(Char C) {
  return C <= 255 ? static_cast<uint8_t>(C) : CharToAnsiChar(C);
}

void DecodeLine(std::u16string_view Line, String& Out) {
  const unsigned Count = Decode6(Line[0]);
  auto At = [&Line](size_t I) { return I < Line.size() ? Decode6(Line[I]) : 0u; };
  unsigned Done = 0;
  for (size_t I = 1; Done < Count; I += 4) {
    const unsigned C0 = At(I), C1 = At(I + 1), C2 = At(I + 2), C3 = At(I + 3);
    const unsigned Bytes[3] = {(C0 << 2 | C1 >> 4) & 255, (C1 << 4 | C2 >> 2) & 255,
                               (C2 << 6 | C3) & 255};
    for (unsigned B : Bytes) {
      if (Done == Count) break;
      Out.push_back(static_cast<Char>(B));
      ++Done;
    }
  }
}

}  // namespace

String UUEncodeStr(const String& S) {
  String Out;
  Out.reserve(S.size() / 3 * 4 + S.size() / BytesPerLine * 3 + 8);
  for (size_t Start = 0; Start < S.size(); Start += BytesPerLine) {
    const size_t Len = std::min(BytesPerLine, S.size() - Start);
    Out.push_back(Encode6(static_cast<unsigned>(Len)));
    for (size_t J = 0; J < Len; J += 3) {
      const unsigned B0 = ByteOf(S[Start + J]);
      const unsigned B1 = J + 1 < Len ? ByteOf(S[Start + J + 1]) : 0;
      const unsigned B2 = J + 2 < Len ? ByteOf(S[Start + J + 2]) : 0;
      Out.push_back(Encode6(B0 >> 2));
      Out.push_back(Encode6((B0 & 3) << 4 | B1 >> 4));
      Out.push_back(Encode6((B1 & 15) << 2 | B2 >> 6));
      Out.push_back(Encode6(B2 & 63));
    }
    Out += u"\r\n";
  }
  Out += u"`\r\n";
  return Out;
}

String UUDecodeStr(const String& S) {
  String Out;
  const std::u16string_view Text(S);
  bool First = true;
  size_t I = 0;
  while (I < Text.size()) {
    size_t E = I;
    while (E < Text.size() && Text[E] != u'\r' && Text[E] != u'\n') ++E;
    const std::u16string_view Line = Text.substr(I, E - I);
    I = E;
    if (I < Text.size() && Text[I] == u'\r') ++I;
    if (I < Text.size() && Text[I] == u'\n') ++I;
    if (Line.empty()) continue;
    if (First && (Line.starts_with(u"begin ") || Line == u"begin")) {
      First = false;
      continue;
    }
    First = false;
    if (Line == u"end" || Decode6(Line[0]) == 0) break;
    DecodeLine(Line, Out);
  }
  return Out;
}

}  // namespace KYR_stringl
