// Clock texts for durations and the choice between two texts.
#include <algorithm>

#include "KYR_stringl_format.h"

namespace KYR_stringl {
namespace {

// A number right-aligned in two characters, padded with Pad.
String Field(int64_t N, Char Pad) {
  String S = IntToStr(N);
  if (S.size() < 2) S.insert(S.begin(), Pad);
  return S;
}

String TwoDigits(int64_t N) {
  return Field(N, u'0');
}
String Blanked(int64_t N) {
  return Field(N, u' ');
}

}  // namespace

String TimeString(double Secs, uint8_t Format) {
  const Extended T = Secs >= 0 ? Secs : 0;  // NaN counts as 0 too
  const int64_t H = Trunc(T / 3600);
  // Only durations beyond the int64 hour count can push these out of range.
  const int64_t M = std::clamp<int64_t>(Trunc((T - H * 3600.0L) / 60), 0, 59);
  const int64_t S = std::clamp<int64_t>(Trunc(T - H * 3600.0L - M * 60.0L), 0, 59);
  const int64_t C = std::clamp<int64_t>(Trunc(Frac(T) * 100), 0, 99);
  switch (Format) {
    case 0:
      return TwoDigits(H) + u":" + TwoDigits(M) + u":" + TwoDigits(S) + u"." + TwoDigits(C);
    case 1:
      return TwoDigits(H) + u":" + TwoDigits(M) + u":" + TwoDigits(S);
    case 2:
      return Blanked(H) + u"h" + TwoDigits(M);
    case 3:
      return Blanked(H) + u"h" + TwoDigits(M) + u"'" + TwoDigits(S) + u"\"";
    case 4:
      return TwoDigits(H) + u":" + TwoDigits(M);
    case 5: {
      const int64_t H12 = H == 0 ? 12 : (H > 12 ? H - 12 : H);
      return Blanked(H12) + u":" + TwoDigits(M) + (H < 12 ? u"a" : u"p");
    }
    default:
      return String();
  }
}

String BinString(bool Flag, const String& TrueText, const String& FalseText) {
  return Flag ? TrueText : FalseText;
}

}  // namespace KYR_stringl
