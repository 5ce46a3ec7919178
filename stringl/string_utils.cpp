// Character classes, repetition, abbreviation, reduction, reversal, hex escapes and the
// Boolean texts.
#include <algorithm>
#include <array>

#include "KYR_stringl_utils.h"
#include "hex_reader.h"

namespace KYR_stringl {

bool IsDigit(Char C) {
  return C >= u'0' && C <= u'9';
}

bool IsLetter(Char C) {
  return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z');
}

bool IsDigitLetter(Char C) {
  return IsDigit(C) || IsLetter(C);
}

bool IsHexChar(Char C) {
  return IsDigit(C) || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
}

bool IsUmlaut(Char C) {
  switch (C) {
    case u'\u00E4':
    case u'\u00F6':
    case u'\u00FC':
    case u'\u00C4':
    case u'\u00D6':
    case u'\u00DC':
    case u'\u00DF':
      return true;
    default:
      return false;
  }
}

String MultiChar(Char C, int32_t Count) {
  return String(static_cast<size_t>(std::clamp(Count, 1, 255)), C);
}

String AbbrevString(const String& S, int32_t MaxLength) {
  if (MaxLength >= 0 && S.size() <= static_cast<size_t>(MaxLength)) return S;
  if (MaxLength <= 2) return u"..";
  return S.substr(0, static_cast<size_t>(MaxLength) - 2) + u"..";
}

String ReduceStringToAZ09(const String& S) {
  String R = S;
  for (Char& C : R) {
    if (!IsDigitLetter(C)) C = u'_';
  }
  return R;
}

String ReduceStringToFN83CompliantChars(const String& S) {
  constexpr std::u16string_view Punctuation = u"!#$%&'()-.^_{}~@`";
  String R = S;
  for (Char& C : R) {
    if (!IsDigitLetter(C) && Punctuation.find(C) == std::u16string_view::npos) C = u'_';
  }
  return R;
}

String ReverseString(const String& S) {
  return String(S.rbegin(), S.rend());
}

String ProcessHexChars(const String& S) {
  String R;
  R.reserve(S.size());
  size_t I = 0;
  while (I < S.size()) {
    const Char C = S[I];
    if (C != u'\\' || I + 1 == S.size()) {
      R += C;
      ++I;
      continue;
    }
    const Char Next = S[I + 1];
    if (Next == u'#') {
      // Up to two characters after "\#" are read on their own, so the value stays
      // below 256; all four characters become the one character read.
      const String Digits = S.substr(I + 2, 2);
      int32_t Pos = 1;
      R += static_cast<Char>(ReadHexValue(Digits, Pos));
      I += 2 + Digits.size();
    } else if (Next == u'\\') {
      R += u'\\';
      I += 2;
    } else {
      R += C;
      ++I;
    }
  }
  return R;
}

String BoolToStr(bool Value, int32_t Mode) {
  struct Texts {
    const char16_t* True;
    const char16_t* False;
  };
  static constexpr std::array<Texts, 8> Table{{
      {u"TRUE", u"FALSE"},
      {u"T", u"F"},
      {u".T.", u".F."},
      {u"1", u"0"},
      {u"-1", u"0"},
      {u"FF", u"00"},
      {u"YES", u"NO"},
      {u"GOOD", u"BAD"},
  }};
  const Texts& T = Mode >= 0 && Mode < static_cast<int32_t>(Table.size()) ? Table[Mode] : Table[0];
  return Value ? T.True : T.False;
}

}  // namespace KYR_stringl
