// Word separators, words and fields.
#include "KYR_stringl_words.h"

namespace KYR_stringl {

constinit TCharSet WordSeps = DefaultWordSeps;

namespace {

bool IsSep(Char C) {
  return WordSeps.Contains(C);
}

// S up to its first NUL character.
String UpToNul(const String& S) {
  return S.substr(0, S.find(u'\0'));
}

}  // namespace

int32_t CountWords(const String& S) {
  int32_t Count = 0;
  int32_t Run = 0;
  for (Char C : S) {
    if (IsSep(C)) {
      if (Run >= 2) ++Count;
      Run = 0;
    } else {
      ++Run;
    }
  }
  return Count;
}

String ExtractWordFromString(const String& S, int32_t Pos, int32_t& WordStart, int32_t& WordEnd) {
  const auto Len = static_cast<int32_t>(S.size());
  if (Pos < 1 || Pos > Len) {
    WordStart = WordEnd = 0;
    return String();
  }
  if (IsSep(S[Pos - 1])) {
    WordStart = WordEnd = Pos;
    return String(1, S[Pos - 1]);
  }
  int32_t First = Pos;
  while (First > 1 && !IsSep(S[First - 2])) --First;
  int32_t Last = Pos;
  while (Last < Len && !IsSep(S[Last])) ++Last;
  WordStart = First;
  WordEnd = Last;
  return S.substr(First - 1, Last - First + 1);
}

String ExtractWordFromString(const String& S, int32_t Pos) {
  int32_t WordStart = 0;
  int32_t WordEnd = 0;
  return ExtractWordFromString(S, Pos, WordStart, WordEnd);
}

String ExtractSubString(const String& Source, int32_t Index, const String& Delimiter) {
  const String S = UpToNul(Source);
  const String Delim = UpToNul(Delimiter);
  if (Index < 0 || S.empty()) return String();
  if (Delim.empty()) return Index == 0 ? S : String();
  if (Index == 0 && String(1, S[0]) == Delim) return String();
  size_t Begin = 0;  // 0-based start of the field
  for (int32_t I = 0; I < Index; ++I) {
    const size_t Found = S.find(Delim, Begin);
    if (Found == String::npos) return String();
    Begin = Found + Delim.size();
    if (Begin >= S.size()) return String();
  }
  const size_t Next = S.find(Delim, Begin + 1);
  const size_t End = Next == String::npos ? S.size() : Next;
  const auto DelimLen = static_cast<int32_t>(Delim.size());
  if (AnsiStrLIComp(S.substr(Begin, Delim.size()), Delim, DelimLen) == 0) return String();
  return S.substr(Begin, End - Begin);
}

}  // namespace KYR_stringl
