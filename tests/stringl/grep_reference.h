// Test helper: the matching rules of TGrep applied literally to its compiled tokens, as a
// reference for the tests and the fuzz target.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "KYR_stringl_grep.h"

namespace grep_test {

using namespace KYR_stringl;
using KYR_runtime::String;

// The token-by-token search, written as plainly as possible (the text folded up front,
// every start position tried, no shortcuts). A character above 255 belongs to a set when
// the set holds code 0, which among the sets of the random patterns below marks the
// negated ones.
class ReferenceMatcher {
 public:
  ReferenceMatcher(const TGrep& G, const String& Text)
      : FN(G.NrOfRegExpTokens()), FT(G.IgnoreCase() ? KYR_runtime::LowerCase(Text) : Text) {
    for (int32_t K = 1; K <= FN; ++K) FTok.push_back(G.RegExpToken(K));
    FL = static_cast<int32_t>(FT.size());
    FValid.assign(FN, 0);
  }

  // With a budget, the search gives up (Exhausted) after that many token tries.
  void SetBudget(uint64_t Tries) { FBudget = Tries; }
  bool Exhausted() const { return FTries > FBudget; }

  bool Search(int32_t Start, int32_t& MatchStart, int32_t& MatchEnd) {
    if (FN == 0) return false;
    if (FN == 1 && FTok[0].Action == taMult0) {
      if (FL != 0 && FL < Start) return false;
      MatchStart = 1;
      MatchEnd = FL;
      FValid[0] = 1;
      return true;
    }
    for (int32_t P = std::max(Start, 1);; ++P) {
      if (Try(0, P)) {
        MatchStart = FValid[0];
        MatchEnd = FEnd;
        return true;
      }
      if (FTok[0].Action == taBol || P >= FL || Exhausted()) return false;
    }
  }
  const std::vector<int32_t>& Valid() const { return FValid; }

 private:
  int32_t UnitLen(const TGrepToken& T) const { return T.NumChars > 0 ? T.NumChars : 1; }
  bool StrAt(const TGrepToken& T, int32_t Q, int32_t N) const {
    if (Q < 1 || Q + N - 1 > FL) return false;
    for (int32_t I = 0; I < N; ++I)
      if (FT[Q - 1 + I] != T.Params[1 + I]) return false;
    return true;
  }
  bool Member(const TGrepToken& T, int32_t Q) const {
    return Q >= 1 && Q <= FL && T.Params[FT[Q - 1] < 256 ? FT[Q - 1] : 0] == u'*';
  }
  bool UnitAt(const TGrepToken& T, int32_t Q) const {
    if (T.NumChars < 0) return Member(T, Q);
    if (T.NumChars == 0) return Q >= 1 && Q <= FL;
    return StrAt(T, Q, T.NumChars);
  }
  bool Try(int32_t K, int32_t P) {
    if (++FTries > FBudget) return false;
    const TGrepToken& T = FTok[K];
    bool Pass = false;
    switch (T.Action) {
      case taNormal:
        Pass = T.NumChars == 0 || StrAt(T, P, T.NumChars);
        break;
      case taAnyByte:
        Pass = P <= FL;
        break;
      case taSet:
        Pass = Member(T, P);
        break;
      case taBol:
        Pass = P == 1;
        break;
      case taEol:
        Pass = P > FL && K == FN - 1;
        break;
      case taMult0:
      case taOpti:
        Pass = P <= FL + 1;
        break;
      case taMult1:
        Pass = UnitAt(T, P);
        break;
    }
    if (!Pass) return false;
    FValid[K] = P;
    if (K == FN - 1) {
      FEnd = FinalEnd(T, P);
      return true;
    }
    switch (T.Action) {
      case taNormal:
        return Try(K + 1, P + T.NumChars);
      case taAnyByte:
      case taSet:
        return Try(K + 1, P + 1);
      case taBol:
        return Try(K + 1, 1);
      case taEol:
        return false;
      case taMult0:
      case taMult1: {
        int32_t Q = T.Action == taMult0 ? P : P + UnitLen(T);
        for (;;) {
          if (Try(K + 1, Q)) return true;
          if (Exhausted() || !UnitAt(T, Q)) return false;
          Q += UnitLen(T);
        }
      }
      case taOpti:
        return Try(K + 1, P) || (UnitAt(T, P) && Try(K + 1, P + UnitLen(T)));
    }
    return false;
  }
  int32_t FinalEnd(const TGrepToken& T, int32_t P) const {
    switch (T.Action) {
      case taNormal:
        return P + T.NumChars - 1;
      case taAnyByte:
      case taSet:
        return P;
      case taBol:
        return 1;
      case taEol:
        return FL;
      case taMult0:
      case taMult1: {
        if (T.NumChars == 0) return FL;
        int32_t Q = P;
        while (UnitAt(T, Q)) Q += UnitLen(T);
        return Q - 1;
      }
      case taOpti:
        return UnitAt(T, P) ? P + UnitLen(T) - 1 : P - 1;
    }
    return 0;
  }

  int32_t FN;
  String FT;
  int32_t FL = 0;
  int32_t FEnd = 0;
  std::vector<TGrepToken> FTok;
  std::vector<int32_t> FValid;
  uint64_t FTries = 0;
  uint64_t FBudget = UINT64_MAX;
};

}  // namespace grep_test
