// libFuzzer target for TGrep: compiles an arbitrary pattern and searches an arbitrary
// text, with and without case folding and from varying start positions. Checks that the
// match lies within the text and, while a plain backtracking search over the compiled
// tokens finishes within a budget, that the fast search finds the same match.
//
// Input: one mode byte, then the pattern up to the first zero byte, then the text. Mode
// bits: 0 ignore case, 1 raise errors (StopOnError), 2 text as 16-bit units (codes
// above 255), 3..7 the search start position minus 1 (0..31).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "KYR_stringl_grep.h"
#include "fuzz_support.h"

using namespace KYR_runtime;
using namespace KYR_stringl;

namespace {

using kyr_fuzz::Check;

String Latin1(std::string_view Bytes) {
  String S;
  for (unsigned char C : Bytes) S.push_back(C);
  return S;
}

String Wide(std::string_view Bytes) {
  String S;
  for (size_t I = 0; I + 1 < Bytes.size(); I += 2)
    S.push_back(static_cast<Char>(static_cast<unsigned char>(Bytes[I]) |
                                  static_cast<unsigned char>(Bytes[I + 1]) << 8));
  return S;
}

// The matching rules applied literally to the compiled tokens, with no shortcuts; gives
// up (Exhausted) after a fixed number of tries. Texts must hold codes below 256 only.
class PlainSearch {
 public:
  PlainSearch(const TGrep& G, const String& Text) : FT(Text), FFold(G.IgnoreCase()) {
    FL = static_cast<int64_t>(Text.size());
    for (int32_t K = 1; K <= G.NrOfRegExpTokens(); ++K) FTok.push_back(G.RegExpToken(K));
  }

  bool Exhausted() const { return FTries > Budget; }

  bool Search(int64_t Start, int64_t& MatchStart, int64_t& MatchEnd) {
    const int64_t N = static_cast<int64_t>(FTok.size());
    if (N == 0) return false;
    if (N == 1 && FTok[0].Action == taMult0) {
      MatchStart = 1;
      MatchEnd = FL;
      return FL == 0 || FL >= Start;
    }
    const int64_t Last = std::max(Start, FL);
    for (int64_t P = Start; P <= Last && !Exhausted(); ++P) {
      if (Try(0, P)) {
        MatchStart = P;
        MatchEnd = FEnd;
        return true;
      }
      if (FTok[0].Action == taBol) break;
    }
    return false;
  }

 private:
  static constexpr uint64_t Budget = 200000;

  Char At(int64_t Q) const {
    const Char C = FT[static_cast<size_t>(Q - 1)];
    return FFold && C >= u'A' && C <= u'Z' ? Char(C + 32) : C;
  }
  static int32_t UnitLen(const TGrepToken& T) { return T.NumChars > 0 ? T.NumChars : 1; }
  bool StrAt(const TGrepToken& T, int64_t Q, int32_t N) const {
    if (Q < 1 || Q + N - 1 > FL) return false;
    for (int32_t I = 0; I < N; ++I)
      if (At(Q + I) != T.Params[static_cast<size_t>(1 + I)]) return false;
    return true;
  }
  bool Member(const TGrepToken& T, int64_t Q) const {
    return Q >= 1 && Q <= FL && T.Params[At(Q)] == u'*';
  }
  bool UnitAt(const TGrepToken& T, int64_t Q) const {
    if (T.NumChars < 0) return Member(T, Q);
    if (T.NumChars == 0) return Q >= 1 && Q <= FL;
    return StrAt(T, Q, T.NumChars);
  }
  int64_t FinalEnd(const TGrepToken& T, int64_t P) const {
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
        int64_t Q = P;
        while (UnitAt(T, Q)) Q += UnitLen(T);
        return Q - 1;
      }
      case taOpti:
        return UnitAt(T, P) ? P + UnitLen(T) - 1 : P - 1;
    }
    return 0;
  }
  bool Try(size_t K, int64_t P) {
    if (++FTries > Budget) return false;
    const TGrepToken& T = FTok[K];
    bool Pass = false;
    switch (T.Action) {
      case taNormal:
        Pass = T.NumChars == 0 || StrAt(T, P, T.NumChars);
        break;
      case taAnyByte:
        Pass = P >= 1 && P <= FL;
        break;
      case taSet:
        Pass = Member(T, P);
        break;
      case taBol:
        Pass = P == 1;
        break;
      case taEol:
        Pass = P > FL && K == FTok.size() - 1;
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
    if (K == FTok.size() - 1) {
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
        int64_t Q = T.Action == taMult0 ? P : P + UnitLen(T);
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

  const String& FT;
  const bool FFold;
  int64_t FL = 0;
  int64_t FEnd = 0;
  uint64_t FTries = 0;
  std::vector<TGrepToken> FTok;
};

void CheckSearch(TGrep& G, const String& Text, bool Narrow) {
  const int64_t L = static_cast<int64_t>(Text.size());
  const int64_t Start = std::max(G.SearchStartPos(), 1);
  int32_t Pos = -7;
  const bool Found = G.MatchString(Text, Pos);
  if (Found) {
    const int64_t S = G.MatchStartPos();
    const int64_t E = G.MatchEndPos();
    Check(Pos == S && S >= 1 && S <= std::max(Start, L) + 1);
    Check(E <= std::max(Start, L));
    // A start beyond the text (SearchStartPos past its end) may still match tokens that
    // take no character, such as "$": the end is then that of the text, before the start.
    if (S <= L + 1) Check(E >= S - 1);
    if (E >= S && G.RegExpToken(G.NrOfRegExpTokens()).Action != taBol) Check(E <= L);
  }
  for (int32_t K = 1; K <= G.NrOfRegExpTokens(); ++K) {
    const int32_t V = G.RegExpToken(K).ValidFrom;
    Check(V >= 0 && V <= std::max(Start, L) + 1);
  }
  if (!Narrow) return;
  PlainSearch Plain(G, Text);
  int64_t PlainStart = 0;
  int64_t PlainEnd = 0;
  const bool PlainFound = Plain.Search(Start, PlainStart, PlainEnd);
  if (Plain.Exhausted()) return;
  Check(Found == PlainFound);
  if (Found) Check(G.MatchStartPos() == PlainStart && G.MatchEndPos() == PlainEnd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1 || Size > 8192) return 0;
  const uint8_t Mode = Data[0];
  const std::string_view Rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const size_t Split = std::min(Rest.find('\0'), Rest.size());
  const String Pattern = Latin1(Rest.substr(0, Split));
  const std::string_view TextBytes = Rest.substr(std::min(Split + 1, Rest.size()));
  const bool Narrow = (Mode & 4) == 0;
  const String Text = Narrow ? Latin1(TextBytes) : Wide(TextBytes);

  TGrep G;
  G.SetSearchStartPos((Mode >> 3) + 1);
  G.SetStopOnError((Mode & 2) != 0);
  G.SetIgnoreCase((Mode & 1) != 0);
  try {
    G.SetRegExp(Pattern);
    Check(G.LastError() == greNoError || !G.StopOnError());
  } catch (const EKYRStringlError&) {
    Check(G.LastError() != greNoError);
  }
  Check(G.RegExp() == Pattern);
  Check(G.NrOfRegExpTokens() >= 0 && G.NrOfRegExpTokens() <= 64);
  Check(!TGrep::ErrorMessage(G.LastError()).empty());
  CheckSearch(G, Text, Narrow);

  // Recompiling with the other case setting never raises; then search again.
  G.SetIgnoreCase(!G.IgnoreCase());
  CheckSearch(G, Text, Narrow);

  // CompileRegExp reports the same code as the setter did.
  const int32_t Error = G.LastError();
  Check(G.CompileRegExp(Pattern) == Error);
  return 0;
}
