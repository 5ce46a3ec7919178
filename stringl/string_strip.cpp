// Stripping, ensuring and padding.
#include "KYR_stringl_utils.h"

namespace KYR_stringl {

String StripLTBlanks(const String& S) {
  const size_t First = S.find_first_not_of(u' ');
  if (First == String::npos) return String();
  const size_t Last = S.find_last_not_of(u' ');
  return S.substr(First, Last - First + 1);
}

String StripLeadingBlanks(const String& S) {
  size_t I = 0;
  while (I + 1 < S.size() && S[I] == u' ') ++I;
  return S.substr(I);
}

String StripTrailingBlanks(const String& S) {
  size_t End = S.size();
  while (End > 1 && S[End - 1] == u' ') --End;
  return S.substr(0, End);
}

String StripLeadingChars(Char C, const String& S) {
  const size_t First = S.find_first_not_of(C);
  return First == String::npos ? String() : S.substr(First);
}

String StripTrailingChars(Char C, const String& S) {
  size_t End = S.size();
  while (End > 1 && S[End - 1] == C) --End;
  return S.substr(0, End);
}

String EnsureTrailingBkSlash(const String& S) {
  return EnsureTrailingChar(u'\\', S);
}

String EnsureTrailingChar(Char C, const String& S) {
  if (S.empty() || S.back() == C) return S;
  return S + C;
}

String EnsureLeadingChar(Char C, const String& S) {
  if (S.empty() || S.front() == C) return S;
  String R;
  R.reserve(S.size() + 1);
  R += C;
  R += S;
  return R;
}

String CenterString(const String& S, uint8_t Width) {
  if (S.size() >= Width) return S.substr(0, Width);
  const size_t Missing = Width - S.size();
  const size_t Before = Missing / 2;
  String R(Before, u' ');
  R += S;
  R.append(Missing - Before, u' ');
  return R;
}

String LeftString(const String& S, uint8_t Width) {
  if (S.size() >= Width) return S.substr(0, Width);
  String R = S;
  R.append(Width - S.size(), u' ');
  return R;
}

String RightString(const String& S, uint8_t Width) {
  if (S.size() >= Width) return S.substr(0, Width);
  String R(Width - S.size(), u' ');
  R += S;
  return R;
}

}  // namespace KYR_stringl
