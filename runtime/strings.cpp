// UTF-8 and Windows-1252 conversion, ShortString, searching and case folding.
#include <locale.h>
#include <algorithm>
#include <array>
#include <clocale>
#include <cwctype>

#include "KYR_runtime_strings.h"

namespace KYR_runtime {

// --- UTF-8 -------------------------------------------------------------------------

namespace {

constexpr Char ReplacementChar = 0xFFFD;

void AppendCodePoint(String& Out, char32_t C) {
  if (C < 0x10000) {
    Out.push_back(static_cast<Char>(C));
    return;
  }
  C -= 0x10000;
  Out.push_back(static_cast<Char>(0xD800 + (C >> 10)));
  Out.push_back(static_cast<Char>(0xDC00 + (C & 0x3FF)));
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out.push_back(static_cast<char>(C));
  } else if (C < 0x800) {
    Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else if (C < 0x10000) {
    Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else {
    Out.push_back(static_cast<char>(0xF0 | (C >> 18)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 12) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  }
}

}  // namespace

String Utf8ToString(std::string_view In) {
  String Out;
  Out.reserve(In.size());
  size_t I = 0;
  while (I < In.size()) {
    auto B = static_cast<uint8_t>(In[I]);
    if (B < 0x80) {
      Out.push_back(B);
      ++I;
      continue;
    }
    // Lead byte: number of continuation bytes and the smallest code point it may encode
    // (longer forms are overlong and invalid).
    int Extra = 0;
    char32_t C = 0;
    char32_t Min = 0;
    if (B >= 0xC2 && B <= 0xDF) {
      Extra = 1, C = B & 0x1F, Min = 0x80;
    } else if (B >= 0xE0 && B <= 0xEF) {
      Extra = 2, C = B & 0x0F, Min = 0x800;
    } else if (B >= 0xF0 && B <= 0xF4) {
      Extra = 3, C = B & 0x07, Min = 0x10000;
    } else {
      Out.push_back(ReplacementChar);
      ++I;
      continue;
    }
    size_t J = I + 1;
    int Got = 0;
    while (Got < Extra && J < In.size() && (static_cast<uint8_t>(In[J]) & 0xC0) == 0x80) {
      C = (C << 6) | (static_cast<uint8_t>(In[J]) & 0x3F);
      ++J, ++Got;
    }
    bool Valid = Got == Extra && C >= Min && C <= 0x10FFFF && !(C >= 0xD800 && C <= 0xDFFF);
    if (Valid) {
      AppendCodePoint(Out, C);
    } else {
      Out.push_back(ReplacementChar);
    }
    I = J;
  }
  return Out;
}

std::string StringToUtf8(const String& S) {
  std::string Out;
  Out.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    char32_t C = S[I];
    if (C >= 0xD800 && C <= 0xDBFF && I + 1 < S.size() && S[I + 1] >= 0xDC00 &&
        S[I + 1] <= 0xDFFF) {
      C = 0x10000 + ((C - 0xD800) << 10) + (S[I + 1] - 0xDC00);
      ++I;
    } else if (C >= 0xD800 && C <= 0xDFFF) {
      C = ReplacementChar;
    }
    AppendUtf8(Out, C);
  }
  return Out;
}

// --- Windows-1252 ---------------------------------------------------------------------

namespace {

// Characters of bytes 0x80..0x9F; the five undefined bytes map to their own code.
constexpr std::array<Char, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

Char AnsiCharToChar(uint8_t B) {
  return (B >= 0x80 && B <= 0x9F) ? Cp1252High[B - 0x80] : B;
}

uint8_t CharToAnsiChar(Char C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<uint8_t>(C);
  for (size_t I = 0; I < Cp1252High.size(); ++I)
    if (Cp1252High[I] == C) return static_cast<uint8_t>(0x80 + I);
  return '?';
}

String AnsiToString(std::string_view Bytes) {
  String Out(Bytes.size(), u'\0');
  for (size_t I = 0; I < Bytes.size(); ++I) Out[I] = AnsiCharToChar(static_cast<uint8_t>(Bytes[I]));
  return Out;
}

std::string StringToAnsi(const String& S) {
  std::string Out(S.size(), '\0');
  for (size_t I = 0; I < S.size(); ++I) Out[I] = static_cast<char>(CharToAnsiChar(S[I]));
  return Out;
}

ShortString::ShortString(const String& S) {
  FLength = static_cast<uint8_t>(std::min<size_t>(S.size(), 255));
  for (size_t I = 0; I < FLength; ++I) FData[I] = static_cast<char>(CharToAnsiChar(S[I]));
}

ShortString ShortString::FromBytes(std::string_view Bytes) {
  ShortString R;
  R.FLength = static_cast<uint8_t>(std::min<size_t>(Bytes.size(), 255));
  std::copy_n(Bytes.data(), R.FLength, R.FData);
  return R;
}

// --- Searching and editing -------------------------------------------------------------

int32_t Pos(const String& SubStr, const String& S) {
  return PosEx(SubStr, S, 1);
}

int32_t PosEx(const String& SubStr, const String& S, int32_t Offset) {
  if (SubStr.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
  size_t P = S.find(SubStr, static_cast<size_t>(Offset - 1));
  return P == String::npos ? 0 : static_cast<int32_t>(P + 1);
}

int32_t StrPos(const String& S, const String& SubStr) {
  auto UpToNul = [](const String& T) { return T.substr(0, T.find(u'\0')); };
  return Pos(UpToNul(SubStr), UpToNul(S));
}

String Copy(const String& S, int32_t Index, int32_t Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return String();
  return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Delete(String& S, int32_t Index, int32_t Count) {
  if (Index < 1 || Count <= 0 || static_cast<size_t>(Index) > S.size()) return;
  S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Insert(const String& Source, String& S, int32_t Index) {
  size_t At = static_cast<size_t>(std::clamp<int64_t>(Index, 1, int64_t(S.size()) + 1) - 1);
  S.insert(At, Source);
}

String StringOfChar(Char C, int32_t Count) {
  return Count <= 0 ? String() : String(static_cast<size_t>(Count), C);
}

// --- ASCII folding -------------------------------------------------------------------

Char UpCase(Char C) {
  return (C >= u'a' && C <= u'z') ? static_cast<Char>(C - 32) : C;
}
Char LoCase(Char C) {
  return (C >= u'A' && C <= u'Z') ? static_cast<Char>(C + 32) : C;
}

String UpperCase(const String& S) {
  String R(S);
  for (Char& C : R) C = UpCase(C);
  return R;
}

String LowerCase(const String& S) {
  String R(S);
  for (Char& C : R) C = LoCase(C);
  return R;
}

int32_t CompareText(const String& S1, const String& S2) {
  size_t N = std::min(S1.size(), S2.size());
  for (size_t I = 0; I < N; ++I) {
    int D = int(UpCase(S1[I])) - int(UpCase(S2[I]));
    if (D != 0) return D;
  }
  return static_cast<int32_t>(S1.size()) - static_cast<int32_t>(S2.size());
}

bool SameText(const String& S1, const String& S2) {
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int32_t CompareStr(const String& S1, const String& S2) {
  int C = S1.compare(S2);
  return C < 0 ? -1 : (C > 0 ? 1 : 0);
}

// --- Locale-aware folding ------------------------------------------------------------

namespace {

// The C.UTF-8 locale, created once; wide-character case mapping of glibc.
locale_t Utf8Locale() {
  static const locale_t L = [] {
    locale_t Loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return Loc != nullptr ? Loc : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return L;
}

// Surrogates and characters whose mapping leaves the 16-bit range stay as they are.
Char MapChar(Char C, bool Upper) {
  if (C < 0x80) return Upper ? UpCase(C) : LoCase(C);
  if (C >= 0xD800 && C <= 0xDFFF) return C;
  wint_t M = Upper ? towupper_l(C, Utf8Locale()) : towlower_l(C, Utf8Locale());
  return M > 0xFFFF ? C : static_cast<Char>(M);
}

size_t NulLength(const String& S) {
  return std::min(S.size(), S.find(u'\0'));
}

}  // namespace

Char AnsiUpCase(Char C) {
  return MapChar(C, true);
}
Char AnsiLoCase(Char C) {
  return MapChar(C, false);
}

String AnsiUpperCase(const String& S) {
  String R(S);
  for (Char& C : R) C = AnsiUpCase(C);
  return R;
}

String AnsiLowerCase(const String& S) {
  String R(S);
  for (Char& C : R) C = AnsiLoCase(C);
  return R;
}

int32_t AnsiStrLIComp(const String& S1, const String& S2, int32_t MaxLen) {
  size_t N1 = std::min<size_t>(NulLength(S1), std::max(MaxLen, 0));
  size_t N2 = std::min<size_t>(NulLength(S2), std::max(MaxLen, 0));
  size_t N = std::min(N1, N2);
  for (size_t I = 0; I < N; ++I) {
    int D = int(AnsiLoCase(S1[I])) - int(AnsiLoCase(S2[I]));
    if (D != 0) return D < 0 ? -1 : 1;
  }
  return N1 == N2 ? 0 : (N1 < N2 ? -1 : 1);
}

int32_t AnsiStrIComp(const String& S1, const String& S2) {
  return AnsiStrLIComp(S1, S2, INT32_MAX);
}

int32_t AnsiCompareText(const String& S1, const String& S2) {
  size_t N = std::min(S1.size(), S2.size());
  for (size_t I = 0; I < N; ++I) {
    int D = int(AnsiLoCase(S1[I])) - int(AnsiLoCase(S2[I]));
    if (D != 0) return D < 0 ? -1 : 1;
  }
  return S1.size() == S2.size() ? 0 : (S1.size() < S2.size() ? -1 : 1);
}

bool AnsiSameText(const String& S1, const String& S2) {
  return AnsiCompareText(S1, S2) == 0;
}

}  // namespace KYR_runtime
