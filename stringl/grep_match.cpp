// TGrep's search: MatchString and the engine behind it.
#include <algorithm>
#include <climits>
#include <new>

#include "grep_matcher.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace KYR_stringl {
namespace {

// Texts longer than this are searched in their first MaxText characters only, so that
// every position fits the 32-bit position properties.
constexpr int64_t MaxText = INT32_MAX - 1;

// The memo table of failed tries is not used beyond this many bits (32 MiB).
constexpr uint64_t MaxMemoBits = uint64_t{1} << 28;

// The first position in [From, To] (1-based) holding A or B; To + 1 when none does.
int64_t FindChar(const Char* T, int64_t From, int64_t To, Char A, Char B) {
  const Char* P = T + (From - 1);
  const Char* const E = T + To;
#if defined(__SSE2__)
  const __m128i VA = _mm_set1_epi16(static_cast<short>(A));
  const __m128i VB = _mm_set1_epi16(static_cast<short>(B));
  while (E - P >= 8) {
    const __m128i X = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    const int Mask =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(X, VA), _mm_cmpeq_epi16(X, VB)));
    if (Mask != 0) return (P - T) + __builtin_ctz(static_cast<unsigned>(Mask)) / 2 + 1;
    P += 8;
  }
#endif
  for (; P < E; ++P)
    if (*P == A || *P == B) return (P - T) + 1;
  return To + 1;
}

// The first position P in [From, To] where T[P] is A1 or B1 and T[P + Gap] is A2 or B2;
// To + 1 when there is none. T[To + Gap] must lie within the text.
int64_t FindPair(const Char* T, int64_t From, int64_t To, Char A1, Char B1, Char A2, Char B2,
                 int64_t Gap) {
  const Char* P = T + (From - 1);
  const Char* const E = T + To;
#if defined(__SSE2__)
  const __m128i VA1 = _mm_set1_epi16(static_cast<short>(A1));
  const __m128i VB1 = _mm_set1_epi16(static_cast<short>(B1));
  const __m128i VA2 = _mm_set1_epi16(static_cast<short>(A2));
  const __m128i VB2 = _mm_set1_epi16(static_cast<short>(B2));
  while (E - P >= 8) {
    const __m128i X = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    const __m128i Y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + Gap));
    const __m128i M1 = _mm_or_si128(_mm_cmpeq_epi16(X, VA1), _mm_cmpeq_epi16(X, VB1));
    const __m128i M2 = _mm_or_si128(_mm_cmpeq_epi16(Y, VA2), _mm_cmpeq_epi16(Y, VB2));
    const int Mask = _mm_movemask_epi8(_mm_and_si128(M1, M2));
    if (Mask != 0) return (P - T) + __builtin_ctz(static_cast<unsigned>(Mask)) / 2 + 1;
    P += 8;
  }
#endif
  for (; P < E; ++P)
    if ((*P == A1 || *P == B1) && (P[Gap] == A2 || P[Gap] == B2)) return (P - T) + 1;
  return To + 1;
}

// The first position in [From, To] whose character lies in one of the N ranges
// Lo[i]..Hi[i]; To + 1 when there is none.
int64_t FindInRanges(const Char* T, int64_t From, int64_t To, int32_t N, const Char* Lo,
                     const Char* Hi) {
  const Char* P = T + (From - 1);
  const Char* const E = T + To;
#if defined(__SSE2__)
  // C lies in Lo..Hi exactly when C - Lo (wrapping) minus Hi - Lo (saturating) is 0.
  __m128i VLo[4], VWidth[4];
  for (int32_t I = 0; I < N; ++I) {
    VLo[I] = _mm_set1_epi16(static_cast<short>(Lo[I]));
    VWidth[I] = _mm_set1_epi16(static_cast<short>(Hi[I] - Lo[I]));
  }
  const __m128i Zero = _mm_setzero_si128();
  while (E - P >= 8) {
    const __m128i X = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    __m128i In = Zero;
    for (int32_t I = 0; I < N; ++I)
      In = _mm_or_si128(In,
                        _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(X, VLo[I]), VWidth[I]), Zero));
    const int Mask = _mm_movemask_epi8(In);
    if (Mask != 0) return (P - T) + __builtin_ctz(static_cast<unsigned>(Mask)) / 2 + 1;
    P += 8;
  }
#endif
  for (; P < E; ++P)
    for (int32_t I = 0; I < N; ++I)
      if (*P >= Lo[I] && *P <= Hi[I]) return (P - T) + 1;
  return To + 1;
}

// The other case of an ASCII lower-case letter when folding, else C itself.
Char OtherCase(Char C, bool Fold) {
  return Fold && C >= u'a' && C <= u'z' ? Char(C - 32) : C;
}

}  // namespace

// --- Building ----------------------------------------------------------------------

void TGrep::TMatcher::Build(const TRegExp& Tokens, int32_t Count, bool IgnoreCase,
                            uint64_t NegatedSets) {
  FCount = Count;
  FFold = IgnoreCase;
  FHasAnyLoop = false;
  for (int32_t K = 0; K < Count; ++K) {
    const TGrepToken& Tok = Tokens[K];
    TStep& S = FSteps[K];
    S = TStep{};
    S.Act = Tok.Action;
    S.Len = 1;
    switch (Tok.Action) {
      case taNormal:
        S.Unit = TUnit::Str;
        S.Len = Tok.NumChars;
        break;
      case taAnyByte:
        S.Unit = TUnit::Any;
        break;
      case taSet:
        S.Unit = TUnit::Set;
        break;
      case taEol:
      case taBol:
        S.Len = 0;
        break;
      case taMult0:
      case taMult1:
      case taOpti:
        if (Tok.NumChars < 0) {
          S.Unit = TUnit::Set;
        } else if (Tok.NumChars == 0) {
          S.Unit = TUnit::Any;
          FHasAnyLoop |= Tok.Action != taOpti;
        } else {
          S.Unit = TUnit::Str;
          S.Len = Tok.NumChars;
        }
        break;
    }
    if (Tok.Action == taEol || Tok.Action == taBol) continue;
    if (S.Unit == TUnit::Set) {
      // Indexed by the raw text code: the text is folded before the map is consulted.
      for (int C = 0; C < 256; ++C) S.Member[C] = Tok.Params[Fold(Char(C))] == u'*';
      S.HighMember = (NegatedSets >> K) & 1;
      SetRanges(S);
    } else if (S.Unit == TUnit::Str && S.Len > 0) {
      S.Str = &Tok.Params[1];
      S.First1 = S.Str[0];
      S.First2 = OtherCase(S.First1, FFold);
      S.Last1 = S.Str[S.Len - 1];
      S.Last2 = OtherCase(S.Last1, FFold);
      // Folded text holds no upper-case letter, so a literal with one never matches.
      for (int32_t I = 0; I < S.Len && FFold; ++I) S.Never |= S.Str[I] >= u'A' && S.Str[I] <= u'Z';
    }
  }
}

// The members of S as at most MaxRanges ranges; none when it takes more.
void TGrep::TMatcher::SetRanges(TStep& S) {
  S.NRanges = 0;
  for (int C = 0; C < 256; ++C) {
    if (!S.Member[C] || (C > 0 && S.Member[C - 1])) continue;
    int Hi = C;
    while (Hi < 255 && S.Member[Hi + 1]) ++Hi;
    if (S.NRanges == MaxRanges) {
      S.NRanges = 0;
      return;
    }
    S.RangeLo[S.NRanges] = Char(C);
    S.RangeHi[S.NRanges++] = Char(Hi);
  }
  if (!S.HighMember) return;
  if (S.NRanges > 0 && S.RangeHi[S.NRanges - 1] == 255) {
    S.RangeHi[S.NRanges - 1] = 0xFFFF;
  } else if (S.NRanges < MaxRanges) {
    S.RangeLo[S.NRanges] = 256;
    S.RangeHi[S.NRanges++] = 0xFFFF;
  } else {
    S.NRanges = 0;
  }
}

// --- Primitive tests ------------------------------------------------------------------

bool TGrep::TMatcher::StrAt(const TStep& S, int64_t Q) const {
  if (Q < 1 || Q + S.Len - 1 > FL) return false;
  const Char* P = FT + (Q - 1);
  // Literals are short: a plain loop beats a library call.
  if (!FFold) {
    for (int32_t I = 0; I < S.Len; ++I)
      if (P[I] != S.Str[I]) return false;
    return true;
  }
  for (int32_t I = 0; I < S.Len; ++I)
    if (Fold(P[I]) != S.Str[I]) return false;
  return true;
}

bool TGrep::TMatcher::UnitAt(const TStep& S, int64_t Q) const {
  switch (S.Unit) {
    case TUnit::Any:
      return Q >= 1 && Q <= FL;
    case TUnit::Set:
      return Q >= 1 && Q <= FL && IsMember(S, FT[Q - 1]);
    case TUnit::Str:
      return StrAt(S, Q);
  }
  return false;
}

bool TGrep::TMatcher::Entry(int32_t K, int64_t P) const {
  const TStep& S = FSteps[K];
  switch (S.Act) {
    case taNormal:
      return S.Len == 0 || StrAt(S, P);
    case taAnyByte:
    case taSet:
    case taMult1:
      return UnitAt(S, P);
    case taBol:
      return P == 1;
    case taEol:
      return P > FL && K == FCount - 1;
    case taMult0:
    case taOpti:
      return P <= FL + 1;
  }
  return false;
}

// The position of the last character of the match when token S, the last one, matched
// at P. A repetition at the end takes all it can.
int64_t TGrep::TMatcher::FinalEnd(const TStep& S, int64_t P) const {
  switch (S.Act) {
    case taNormal:
      return P + S.Len - 1;
    case taAnyByte:
    case taSet:
      return P;
    case taBol:
      return 1;
    case taEol:
      return FL;
    case taMult0:
    case taMult1: {
      if (S.Unit == TUnit::Any) return FL;
      int64_t Q = P;
      while (UnitAt(S, Q)) Q += S.Len;
      return Q - 1;
    }
    case taOpti:
      return UnitAt(S, P) ? P + S.Len - 1 : P - 1;
  }
  return P;
}

// --- Candidate scans ------------------------------------------------------------------

int64_t TGrep::TMatcher::FindLiteral(const TStep& S, int64_t From, int64_t To) const {
  const int64_t Last = std::min(To, FL - S.Len + 1);
  if (S.Never) return To + 1;
  while (From <= Last) {
    // Candidates hold the literal's first and last character.
    const int64_t P =
        S.Len == 1 ? FindChar(FT, From, Last, S.First1, S.First2)
                   : FindPair(FT, From, Last, S.First1, S.First2, S.Last1, S.Last2, S.Len - 1);
    if (P > Last) break;
    if (StrAt(S, P)) return P;
    From = P + 1;
  }
  return To + 1;
}

int64_t TGrep::TMatcher::FindMember(const TStep& S, int64_t From, int64_t To) const {
  const int64_t Last = std::min(To, FL);
  if (S.NRanges > 0) {
    const int64_t P =
        From <= Last ? FindInRanges(FT, From, Last, S.NRanges, S.RangeLo.data(), S.RangeHi.data())
                     : Last + 1;
    return P <= Last ? P : To + 1;
  }
  const Char* const T = FT;
  for (int64_t P = From; P <= Last; ++P)
    if (IsMember(S, T[P - 1])) return P;
  return To + 1;
}

int64_t TGrep::TMatcher::Candidate(int32_t K, int64_t From, int64_t To) const {
  const TStep& S = FSteps[K];
  if (From > To) return To + 1;
  switch (S.Act) {
    case taNormal:
      return S.Len == 0 ? From : FindLiteral(S, From, To);
    case taAnyByte:
    case taSet:
    case taMult1:
      switch (S.Unit) {
        case TUnit::Any:
          return From <= FL ? From : To + 1;
        case TUnit::Set:
          return FindMember(S, From, To);
        case TUnit::Str:
          return FindLiteral(S, From, To);
      }
      break;
    case taBol:
      return From <= 1 && 1 <= To ? 1 : To + 1;
    case taEol: {
      if (K != FCount - 1) return To + 1;
      const int64_t P = std::max(From, FL + 1);
      return P <= To ? P : To + 1;
    }
    case taMult0:
    case taOpti:
      return From <= FL + 1 ? From : To + 1;
  }
  return To + 1;
}

// --- Backtracking -----------------------------------------------------------------------

void TGrep::TMatcher::StartMemo() {
  FMemoTried = true;
  const uint64_t Bits = static_cast<uint64_t>(FCount) * static_cast<uint64_t>(FL + 2);
  if (Bits > MaxMemoBits) return;
  try {
    FMemo.assign((Bits + 63) / 64, 0);
    FMemoOn = true;
  } catch (const std::bad_alloc&) {
    // Without the table the search is only slower.
  }
}

bool TGrep::TMatcher::Try(int32_t K, int64_t P) {
  const bool InTable = P <= FL + 1;
  const uint64_t Bit =
      static_cast<uint64_t>(K) * static_cast<uint64_t>(FL + 2) + static_cast<uint64_t>(P);
  if (FMemoOn && InTable && ((FMemo[Bit / 64] >> (Bit % 64)) & 1)) return false;
  if (++FTries > FTryBudget && !FMemoTried) StartMemo();
  const bool Ok = TryChain(K, P);
  if (!Ok && FMemoOn && InTable) FMemo[Bit / 64] |= uint64_t{1} << (Bit % 64);
  return Ok;
}

// A try of token K at P; tokens without a choice continue in the loop.
bool TGrep::TMatcher::TryChain(int32_t K, int64_t P) {
  for (;;) {
    if (!Entry(K, P)) return false;
    const TStep& S = FSteps[K];
    (*FTokens)[K].ValidFrom = static_cast<int32_t>(P);
    if (K == FCount - 1) {
      FEnd = FinalEnd(S, P);
      return true;
    }
    switch (S.Act) {
      case taNormal:
        P += S.Len;
        break;
      case taAnyByte:
      case taSet:
        P += 1;
        break;
      case taBol:
        P = 1;
        break;
      case taEol:
        return false;  // not the last token: its entry test has failed already
      case taMult0:
        return Repeat(K, P);
      case taMult1:
        return Repeat(K, P + S.Len);
      case taOpti:
        return Try(K + 1, P) || (UnitAt(S, P) && Try(K + 1, P + S.Len));
    }
    ++K;
  }
}

// The lazy repetition of token K from Q: the rest is tried at Q, then after one more
// unit, and so on while units follow.
bool TGrep::TMatcher::Repeat(int32_t K, int64_t Q) {
  const TStep& S = FSteps[K];
  if (S.Unit == TUnit::Any) {
    // Any character repeats up to the end of the text: the rest is tried at every
    // position from Q to L + 1, skipping those where it cannot start.
    if (Q >= FAnyTailFail[K]) return false;
    const int64_t Start = Q;
    for (;;) {
      Q = Candidate(K + 1, Q, FL + 1);
      if (Q > FL + 1) break;
      if (Try(K + 1, Q)) return true;
      ++Q;
    }
    FAnyTailFail[K] = Start;
    return false;
  }
  for (;;) {
    if (Try(K + 1, Q)) return true;
    if (!UnitAt(S, Q)) return false;
    Q += S.Len;
  }
}

bool TGrep::TMatcher::Search(TRegExp& Tokens, const Char* T, int64_t L, int64_t Start,
                             int64_t& EndPos) {
  if (FCount == 0) return false;
  FTokens = &Tokens;
  FT = T;
  FL = L;
  FTries = 0;
  FTryBudget = 1024 + 16 * static_cast<uint64_t>(L + 2);
  FMemoOn = false;
  FMemoTried = false;
  if (FHasAnyLoop) std::fill_n(FAnyTailFail.begin(), FCount, INT64_MAX);

  bool Found = false;
  if (FSteps[0].Act == taBol) {
    Found = Try(0, Start);
  } else {
    // Every start from Start on is tried, the last one at L (or at Start beyond it).
    const int64_t Last = std::max(Start, L);
    for (int64_t P = Start;; ++P) {
      P = Candidate(0, P, Last);
      if (P > Last) break;
      if (Try(0, P)) {
        Found = true;
        break;
      }
    }
  }
  if (Found) EndPos = FEnd;
  return Found;
}

// --- TGrep ---------------------------------------------------------------------------

bool TGrep::MatchString(const String& Instring, int32_t& MatchPos) {
  const int64_t L = std::min(static_cast<int64_t>(Instring.size()), MaxText);
  bool Found = false;
  if (FLengRegExp == 1 && FregExp[0].Action == taMult0) {
    // A lone repetition matches everything without looking at the text.
    Found = L == 0 || L >= FSrcStartPos;
    if (Found) {
      FregExp[0].ValidFrom = 1;
      FMatchEndPos = static_cast<int32_t>(L);
    }
  } else {
    int64_t End = 0;
    Found = FMatcher->Search(FregExp, Instring.data(), L, std::max(FSrcStartPos, 1), End);
    if (Found) FMatchEndPos = static_cast<int32_t>(End);
  }
  FMatchStartPos = FregExp[0].ValidFrom;
  MatchPos = FMatchStartPos;
  return Found;
}

}  // namespace KYR_stringl
