// TGrep::PrintRegExp: the compiled token list as a text file, for inspection.
#include "KYR_stringl_grep.h"

namespace KYR_stringl {
namespace {

String StringOf(const TGrepToken& T) {
  return String(&T.Params[1], T.NumChars > 0 ? T.NumChars : 0);
}

String MembersOf(const TGrepToken& T) {
  String S;
  for (int C = 0; C < 256; ++C)
    if (T.Params[C] == u'*') S.push_back(static_cast<Char>(C));
  return S;
}

String UnitOf(const TGrepToken& T) {
  if (T.NumChars < 0) return u"(set) " + MembersOf(T);
  if (T.NumChars == 0) return u"(anychar) ";
  return u"(string) " + StringOf(T);
}

String TokenLine(const TGrepToken& T) {
  switch (T.Action) {
    case taNormal:
      return u" taNormal: " + StringOf(T);
    case taAnyByte:
      return u"taAnyByte: ";
    case taEol:
      return u"    taEol: ";
    case taBol:
      return u"    taBol: ";
    case taSet:
      return u"    taSet: " + MembersOf(T);
    case taMult0:
      return u"  taMult0: " + UnitOf(T);
    case taMult1:
      return u"  taMult1: " + UnitOf(T);
    case taOpti:
      return u"   taOpti: " + UnitOf(T);
  }
  return String();
}

}  // namespace

void TGrep::PrintRegExp(const String& FName) const {
  TextFile F;
  AssignFile(F, FName);
  Rewrite(F);
  for (int32_t K = 0; K < FLengRegExp; ++K) WriteLn(F, TokenLine(FregExp[K]));
  const String Message = ErrorMessage(FError);
  if (!Message.empty()) WriteLn(F, Message);
  CloseFile(F);
}

}  // namespace KYR_stringl
