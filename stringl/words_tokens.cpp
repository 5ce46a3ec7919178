// Tokens and lines.
#include "KYR_stringl_utils.h"
#include "KYR_stringl_words.h"

namespace KYR_stringl {
namespace {

constexpr int32_t MaxTokens = 100;

// Splits S at the delimiters that FindDelim reports (the position of the next one at or
// after a 0-based start, npos when none); the last token takes the rest.
template <class FindFn>
int32_t Split(const String& S, const String& Delim, TOpenStringArray& Tokens, FindFn FindDelim) {
  Tokens.clear();
  size_t Start = 0;
  while (!Delim.empty() && Tokens.size() < MaxTokens - 1) {
    const size_t Found = FindDelim(Start);
    if (Found == String::npos) break;
    Tokens.push_back(S.substr(Start, Found - Start));
    Start = Found + Delim.size();
  }
  Tokens.push_back(S.substr(Start));
  return static_cast<int32_t>(Tokens.size());
}

}  // namespace

int32_t Tokenize(const String& S, const String& Delim, TOpenStringArray& Tokens) {
  return Split(S, Delim, Tokens, [&](size_t Start) { return S.find(Delim, Start); });
}

int32_t Tokenize(const String& S, const String& Delim, Char EscChar, TOpenStringArray& Tokens) {
  // A delimiter right after an escape character of the same token does not split.
  auto FindUnescaped = [&](size_t Start) {
    size_t At = S.find(Delim, Start);
    while (At != String::npos && At > Start && S[At - 1] == EscChar) At = S.find(Delim, At + 1);
    return At;
  };
  const int32_t Count = Split(S, Delim, Tokens, FindUnescaped);
  const String Esc(1, EscChar);
  for (String& Token : Tokens) {
    Token = ReplaceStringInString(Token, Esc + Esc, Esc, true);
    if (!Delim.empty()) Token = ReplaceStringInString(Token, Esc + Delim, Delim, true);
  }
  return Count;
}

String ReadLnString(const String& S, int32_t& Pos, bool& EndReached, int32_t Mode) {
  String Line;
  EndReached = false;
  if (Pos < 1) Pos = 1;
  Char Prev = 0;
  while (true) {
    if (static_cast<size_t>(Pos) > S.size()) {
      EndReached = true;
      return Line;
    }
    const Char C = S[Pos - 1];
    ++Pos;
    if (C >= 32) {
      Line.push_back(C);
    } else {
      const bool Ends =
          (Mode == 0 && C == 10) || (Mode == 1 && C == 13) || (Mode == 2 && (C == 10 || C == 13)) ||
          (Mode == 3 && C == 13 && Prev == 10) || (Mode == 4 && C == 10 && Prev == 13);
      if (Ends) return Line;
    }
    Prev = C;
  }
}

}  // namespace KYR_stringl
