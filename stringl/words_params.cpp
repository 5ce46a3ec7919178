// Quoted names, parameters and line coordinates.
#include "KYR_stringl_words.h"

namespace KYR_stringl {

bool ParseQuotedName(Char Ch, Char Quote, String& Name, TQuotedStrState& State) {
  const auto End = [&State] {
    State = vsEnd;
    return false;
  };
  switch (State) {
    case vsStart:
      if (Ch == u' ') return true;
      if (Ch < 32) return End();
      if (Ch == Quote) {
        State = vs1stQuote;
      } else {
        Name.push_back(Ch);
        State = vsNormal;
      }
      return true;
    case vs1stQuote:  // inside the quotes
      if (Ch == 0) return End();
      if (Ch == Quote) {
        State = vsQuote;
      } else {
        Name.push_back(Ch);
      }
      return true;
    case vsQuote:  // a quote inside the quotes: doubled, or the closing one
      if (Ch != Quote || Ch == 0) return End();
      Name.push_back(Quote);
      State = vs1stQuote;
      return true;
    case vsNormal:
      if (Ch <= u' ') return End();
      Name.push_back(Ch);
      return true;
    case vsEnd:
      break;
  }
  return false;
}

String ExtractParam(const String& S, int32_t Index, Char Sep, Char Quote, const String& Default) {
  if (Index < 0) return Default;
  const bool BlankSep = Sep == u' ';
  size_t I = 0;
  const auto SkipBlanks = [&] {
    while (I < S.size() && S[I] == u' ') ++I;
  };
  if (BlankSep) SkipBlanks();
  if (I >= S.size()) return Default;  // no parameter at all
  for (int32_t N = 0;; ++N) {
    String Param;
    size_t Keep = 0;  // length without trailing blanks outside quotes
    bool InQuote = false;
    bool Started = false;
    bool SawSep = false;
    while (I < S.size()) {
      const Char C = S[I++];
      if (InQuote) {
        if (C != Quote) {
          Param.push_back(C);
        } else if (I < S.size() && S[I] == Quote) {
          Param.push_back(Quote);
          ++I;
        } else {
          InQuote = false;
        }
        Keep = Param.size();
      } else if (C == Sep) {
        SawSep = true;
        break;
      } else if (C == Quote) {
        InQuote = Started = true;
      } else if (C != u' ' || Started) {
        Started = true;
        Param.push_back(C);
        if (C != u' ') Keep = Param.size();
      }
    }
    if (N == Index) return Param.substr(0, Keep);
    if (!SawSep) return Default;
    if (BlankSep) {
      SkipBlanks();
      if (I >= S.size()) return Default;
    }
  }
}

bool TextLineCoords(const String& S, int32_t Pos, int32_t& Line, int32_t& Col) {
  Line = Col = 0;
  if (Pos < 1 || static_cast<size_t>(Pos) > S.size() + 1) return false;
  int32_t L = 1;
  size_t LineStart = 0;
  for (size_t I = 0; I + 1 < static_cast<size_t>(Pos); ++I) {
    const Char C = S[I];
    const bool Break = C == u'\n' || (C == u'\r' && (I + 1 >= S.size() || S[I + 1] != u'\n'));
    if (Break) {
      ++L;
      LineStart = I + 1;
    }
  }
  Line = L;
  Col = static_cast<int32_t>(static_cast<size_t>(Pos) - LineStart);
  return true;
}

}  // namespace KYR_stringl
