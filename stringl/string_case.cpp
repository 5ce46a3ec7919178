// Case changes and letter rewriting.
#include <algorithm>

#include "KYR_stringl_utils.h"

namespace KYR_stringl {
namespace {

bool IsAsciiLower(Char C) {
  return C >= u'a' && C <= u'z';
}
bool IsAsciiUpper(Char C) {
  return C >= u'A' && C <= u'Z';
}

}  // namespace

String ChangeCase(const String& S) {
  String R = S;
  for (Char& C : R) {
    const Char Up = AnsiUpCase(C);
    C = Up == C ? AnsiLoCase(C) : Up;
  }
  return R;
}

String CapitalizeString(const String& S) {
  String R = S;
  bool WordStart = true;
  for (Char& C : R) {
    if (IsLetter(C) || C > 127) {
      if (WordStart) C = UpCase(C);
      WordStart = false;
    } else if (IsDigit(C)) {
      WordStart = false;
    } else {
      WordStart = true;
    }
  }
  return R;
}

String ExpandDiphthongs(const String& S) {
  String R;
  R.reserve(S.size() + S.size() / 4);
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    switch (C) {
      case u'\u00B5':
        R += u'u';
        break;
      case u'\u00C4':
      case u'\u00D6':
      case u'\u00DC': {
        R += C == u'\u00C4' ? u'A' : C == u'\u00D6' ? u'O' : u'U';
        const bool NextIsLower = I + 1 < S.size() && IsAsciiLower(S[I + 1]);
        R += NextIsLower ? u'e' : u'E';
        break;
      }
      case u'\u00DF':
        R += u"ss";
        break;
      case u'\u00E4':
        R += u"ae";
        break;
      case u'\u00F6':
        R += u"oe";
        break;
      case u'\u00FC':
        R += u"ue";
        break;
      default:
        R += C;
    }
  }
  return R;
}

bool IsAbbreviation(const String& S) {
  int32_t LongestRun = 0;
  int32_t Run = 0;
  int32_t LowerOrDigit = 0;
  for (Char C : S) {
    if (IsAsciiUpper(C)) {
      LongestRun = std::max(LongestRun, ++Run);
      continue;
    }
    Run = 0;
    if (IsAsciiLower(C) || IsDigit(C)) ++LowerOrDigit;
  }
  return LongestRun >= 2 && LongestRun > LowerOrDigit;
}

}  // namespace KYR_stringl
