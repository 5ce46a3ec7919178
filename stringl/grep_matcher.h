// Internal to KYR_stringl: the search engine behind TGrep::MatchString. Not installed.
//
// The engine is the token list's backtracking search, compiled into compact steps: set
// tokens become 256-byte membership tables over raw text codes (case folding already
// applied), literal tokens point at their characters in the token array, and every
// token has a candidate scan that jumps to the next position where it can match (SSE2
// on the first and last character of literals, a table for sets), so the search never tries
// positions that must fail.
//
// The result of a try of token k at position p depends on k and p alone, which allows
// two safe shortcuts that keep pathological patterns from exploding:
//  - a repetition of any character tries the rest at every position up to the end of
//    the text; once that fails from q on, it fails from every later start as well;
//  - when a search uses many more tries than the text is long, failed tries (k, p) are
//    remembered in a bit table, so no try is repeated.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "KYR_stringl_grep.h"

namespace KYR_stringl {

class TGrep::TMatcher {
 public:
  // Rebuilds the steps from the first Count tokens. NegatedSets has bit k set when token
  // k + 1 is a negated set (or a repetition of one); such sets also hold every character
  // above code 255. With IgnoreCase the text is folded to lower case while matching.
  void Build(const TRegExp& Tokens, int32_t Count, bool IgnoreCase, uint64_t NegatedSets);

  // Searches T[1..L] from Start (at least 1), writing the ValidFrom of every token whose
  // entry test passes. On success returns true with the position of the last character of
  // the match in EndPos.
  bool Search(TRegExp& Tokens, const Char* T, int64_t L, int64_t Start, int64_t& EndPos);

 private:
  enum class TUnit : uint8_t { Any, Set, Str };
  static constexpr int32_t MaxRanges = 4;

  struct TStep {
    TGrepTokenAct Act = taNormal;
    TUnit Unit = TUnit::Str;
    bool HighMember = false;  // characters above 255 belong to the set
    bool Never = false;       // the literal can never match (upper case under IgnoreCase)
    Char First1 = 0;          // a text character that can start the literal
    Char First2 = 0;          // its other case under IgnoreCase, else First1
    Char Last1 = 0;           // the same for the literal's last character
    Char Last2 = 0;
    int32_t Len = 0;            // characters of a literal or string unit; 1 for any/set
    const Char* Str = nullptr;  // the literal's characters (folded with the pattern)
    std::array<uint8_t, 256> Member{};
    // The set as up to MaxRanges ranges of text codes, for the vector scan; NRanges is 0
    // when the set needs more.
    int32_t NRanges = 0;
    std::array<Char, MaxRanges> RangeLo{};
    std::array<Char, MaxRanges> RangeHi{};
  };

  Char Fold(Char C) const { return FFold && C >= u'A' && C <= u'Z' ? Char(C + 32) : C; }
  bool IsMember(const TStep& S, Char C) const { return C < 256 ? S.Member[C] != 0 : S.HighMember; }
  static void SetRanges(TStep& S);
  bool StrAt(const TStep& S, int64_t Q) const;
  bool UnitAt(const TStep& S, int64_t Q) const;
  bool Entry(int32_t K, int64_t P) const;
  int64_t FinalEnd(const TStep& S, int64_t P) const;
  // The first position in [From, To] at which token K passes its entry test; To + 1 when
  // there is none.
  int64_t Candidate(int32_t K, int64_t From, int64_t To) const;
  int64_t FindLiteral(const TStep& S, int64_t From, int64_t To) const;
  int64_t FindMember(const TStep& S, int64_t From, int64_t To) const;

  bool Try(int32_t K, int64_t P);
  bool TryChain(int32_t K, int64_t P);
  bool Repeat(int32_t K, int64_t Q);
  void StartMemo();

  std::array<TStep, 64> FSteps{};
  int32_t FCount = 0;
  bool FFold = false;
  bool FHasAnyLoop = false;

  // State of the running search.
  TRegExp* FTokens = nullptr;
  const Char* FT = nullptr;
  int64_t FL = 0;
  int64_t FEnd = 0;
  std::array<int64_t, 64> FAnyTailFail{};
  uint64_t FTries = 0;
  uint64_t FTryBudget = 0;
  bool FMemoOn = false;
  bool FMemoTried = false;
  std::vector<uint64_t> FMemo;  // reused between searches; grows only for hard cases
};

}  // namespace KYR_stringl
