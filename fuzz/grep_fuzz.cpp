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
#include "grep_reference.h"

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
  grep_test::ReferenceMatcher Plain(G, Text);
  Plain.SetBudget(200000);
  int32_t PlainStart = 0;
  int32_t PlainEnd = 0;
  const bool PlainFound = Plain.Search(static_cast<int32_t>(Start), PlainStart, PlainEnd);
  if (Plain.Exhausted()) return;
  Check(Found == PlainFound);
  if (!Found) return;
  Check(G.MatchStartPos() == PlainStart && G.MatchEndPos() == PlainEnd);
  for (int32_t K = 1; K <= G.NrOfRegExpTokens(); ++K)
    Check(G.RegExpToken(K).ValidFrom == Plain.Valid()[static_cast<size_t>(K - 1)]);
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
