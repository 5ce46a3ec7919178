#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KYR_stringl_grep.h"
#include "TempDir.h"
#include "grep_reference.h"

namespace {

using namespace KYR_stringl;
using grep_test::ReferenceMatcher;
using KYR_runtime::String;

std::string U8(const String& S) {
  return KYR_runtime::StringToUtf8(S);
}

// A TGrep that records errors instead of raising them.
struct Grep : TGrep {
  explicit Grep(const String& Pattern, bool Fold = false) {
    SetStopOnError(false);
    SetIgnoreCase(Fold);
    SetRegExp(Pattern);
  }
};

String Repeat(const String& S, int N) {
  String R;
  for (int I = 0; I < N; ++I) R += S;
  return R;
}

TEST(GrepCompile, ReportsErrorCodes) {
  struct Case {
    String Pattern;
    int32_t Error;
  } const Cases[] = {
      {u"", 0},
      {u"abc", 0},
      {u"[^]", 0},
      {u"a\\", 0},  // a trailing backslash stands for itself
      {u"()*", 0},
      {u"*a", 1},
      {u"$", 1},
      {u"+", 1},
      {u"?a", 1},
      {u"a^", 2},
      {u"(a^)", 2},
      {u"[a]^", 2},
      {u"(a)^", 2},
      {u"a$b", 3},
      {u"a$$", 3},
      {u"[]", 4},
      {u"[a^]", 5},
      {u"a]", 6},
      {u"]", 6},
      {u"[a", 6},  // pattern ends inside a set
      {u"[", 6},
      {u"[^", 6},
      {u"[a-", 6},
      {u"[a-]", 6},  // "]" is the other end of the range; the set stays open
      {u"[-a]", 7},
      {u"[a]-", 7},
      {u"[^-a]", 7},
      {u"a)", 8},
      {u")", 8},
      {u"(ab", 8},  // pattern ends inside a group
      {u"(", 8},
      {u"^*", 9},
      {u"a**", 9},
      {u"[a]*+", 9},
      {u"(ab)*?", 9},
      {u".??", 9},
      {Repeat(u"[a]", 64), 0},
      {Repeat(u"[a]", 65), greTooManyTokens},
      {Repeat(u"a.", 33), greTooManyTokens},
      {Repeat(u"[a]", 63) + u"ab*", greTooManyTokens},  // the quantifier's split needs token 65
      {Repeat(u"x", 255), 0},
      {Repeat(u"x", 256), greStringTooLong},
      {u"(" + Repeat(u"x", 255) + u")", 0},
      {u"(" + Repeat(u"x", 256) + u")", greStringTooLong},
      {u"[\u00FF]", 0},
      {u"[\u20AC]", greSetMemberTooHigh},
      {u"[a\\\u0100]", greSetMemberTooHigh},
      {u"[a-\u0100]", greSetMemberTooHigh},
      {u"\u20AC+", 0},  // literals may hold any character
  };
  for (const Case& C : Cases) {
    Grep G(C.Pattern);
    EXPECT_EQ(G.LastError(), C.Error) << U8(C.Pattern);
    EXPECT_EQ(G.CompileRegExp(C.Pattern), C.Error) << U8(C.Pattern);
    EXPECT_LE(G.NrOfRegExpTokens(), 64);
  }
}

TEST(GrepCompile, OversizedPatternsKeepTheTokensBuiltSoFar) {
  Grep Many(Repeat(u"[a]", 70));
  EXPECT_EQ(Many.NrOfRegExpTokens(), 64);
  EXPECT_EQ(Many.RegExpToken(64).Action, taSet);

  Grep Long(u"a*" + Repeat(u"x", 300));
  EXPECT_EQ(Long.NrOfRegExpTokens(), 2);
  EXPECT_EQ(Long.RegExpToken(2).NumChars, 255);
}

// Action, NumChars and the string (or the members of a set) of every token.
std::string Describe(const TGrep& G) {
  std::string S;
  for (int32_t K = 1; K <= G.NrOfRegExpTokens(); ++K) {
    const TGrepToken T = G.RegExpToken(K);
    S += std::to_string(T.Action) + ":" + std::to_string(T.NumChars) + ":";
    String Data;
    if (T.NumChars < 0) {
      for (int C = 0; C < 256; ++C)
        if (T.Params[C] == u'*') Data.push_back(Char(C));
    } else {
      Data.assign(&T.Params[1], T.NumChars);
    }
    S += U8(Data) + " ";
  }
  return S;
}

TEST(GrepCompile, BuildsTokens) {
  struct Case {
    String Pattern;
    std::string Tokens;
  } const Cases[] = {
      {u"ab*", "0:1:a 5:1:b "},
      {u"abc+d", "0:2:ab 6:1:c 0:1:d "},
      {u"(ab)+", "6:2:ab "},
      {u"()*", "5:0: "},
      {u"x.?", "0:1:x 7:0: "},
      {u"[c-a]*", "5:-1:abc "},
      {u"[a-c-e]", "4:-1:abcde "},
      {u"[.*$]", "4:-1:$*. "},
      {u"^a$", "3:0: 0:1:a 2:0: "},
      {u"(ab)(cd)*", "0:2:ab 5:2:cd "},  // a second group is a token of its own
      {u"(ab)*(cd)", "5:2:ab 0:2:cd "},
      {u"(ab)-c", "0:2:ab 0:2:-c "},
      {u"[a]b", "4:-1:a 0:1:b "},
      {u"\\.\\*", "0:2:.* "},
      {u"a\\", "0:2:a\\ "},
      {u"\\#41\\#42", "0:2:AB "},
      {u"\\\\#41", "0:4:\\#41 "},  // an escaped backslash starts no hex escape
      {u"\\#5C#41", "0:1:A "},     // a produced backslash may start the next escape
      {u"[\\#41-\\#43]", "4:-1:ABC "},
      {u"(\\#41)", "0:1:A "},
  };
  for (const Case& C : Cases) EXPECT_EQ(Describe(Grep(C.Pattern)), C.Tokens) << U8(C.Pattern);

  // Hex escapes with fewer than two digits.
  const TGrepToken Zero = Grep(u"\\#zz").RegExpToken(1);
  EXPECT_EQ(Zero.NumChars, 1);
  EXPECT_EQ(Zero.Params[1], 0);
  EXPECT_EQ(Grep(u"a\\#").RegExpToken(1).Params[2], 0);
  EXPECT_EQ(Grep(u"a\\#7").RegExpToken(1).Params[2], 7);
}

TEST(GrepCompile, NegatedSetsFlipAllCodes) {
  const TGrepToken All = Grep(u"[^]").RegExpToken(1);
  EXPECT_EQ(All.Action, taSet);
  EXPECT_EQ(All.NumChars, -1);
  for (int C = 0; C < 256; ++C) EXPECT_EQ(All.Params[C], u'*') << C;

  const TGrepToken NotDigit = Grep(u"[^0-9]").RegExpToken(1);
  for (int C = 0; C < 256; ++C) EXPECT_EQ(NotDigit.Params[C] == u'*', C < '0' || C > '9') << C;
}

struct MatchCase {
  String Pattern;
  String Text;
  int32_t Start;  // SearchStartPos
  bool Found;
  int32_t MatchStart;
  int32_t MatchEnd;
};

void ExpectMatches(const std::vector<MatchCase>& Cases, bool Fold) {
  for (const MatchCase& C : Cases) {
    Grep G(C.Pattern, Fold);
    ASSERT_EQ(G.LastError(), 0) << U8(C.Pattern);
    G.SetSearchStartPos(C.Start);
    int32_t Pos = -1;
    const bool Found = G.MatchString(C.Text, Pos);
    const std::string Where = U8(C.Pattern) + " in " + U8(C.Text);
    EXPECT_EQ(Found, C.Found) << Where;
    if (!Found || !C.Found) continue;
    EXPECT_EQ(Pos, C.MatchStart) << Where;
    EXPECT_EQ(G.MatchStartPos(), C.MatchStart) << Where;
    EXPECT_EQ(G.MatchEndPos(), C.MatchEnd) << Where;
  }
}

TEST(GrepMatch, FindsFirstStartLazyInsideGreedyAtTheEnd) {
  ExpectMatches(
      {
          {u"abc", u"xxabcxx", 1, true, 3, 5},
          {u"abcd", u"abc", 1, false, 0, 0},
          {u"^abc", u"xabc", 1, false, 0, 0},
          {u"^abc", u"abcx", 1, true, 1, 3},
          {u"^abc", u"abcabc", 2, false, 0, 0},  // only the start position is tried
          {u"^", u"abc", 1, true, 1, 1},
          {u"abc$", u"xabc", 1, true, 2, 4},
          {u"abc$", u"abcx", 1, false, 0, 0},
          {u"^.*$", u"", 1, true, 1, 0},
          {u"ab*c", u"ac", 1, true, 1, 2},
          {u"ab+c", u"abbbc", 1, true, 1, 5},
          {u"ab+c", u"ac", 1, false, 0, 0},
          {u"colou?r", u"color", 1, true, 1, 5},
          {u"colou?r", u"my colour", 1, true, 4, 9},
          {u"[0-9]+", u"ab123cd", 1, true, 3, 5},
          {u"[^a-c]", u"abcd", 1, true, 4, 4},
          {u"(ab)*c", u"ababc", 1, true, 1, 5},
          {u"x(ab)*", u"xababz", 1, true, 1, 5},
          {u"x(ab)+y", u"xabay xaby", 1, true, 7, 10},
          {u"x.*", u"x", 1, true, 1, 1},
          {u"x.*", u"xyz", 1, true, 1, 3},      // greedy at the end
          {u"a.*b", u"xaxbxb", 1, true, 2, 4},  // lazy inside
          {u"a[0-9]*", u"a123b", 1, true, 1, 4},
          {u"a[0-9]*", u"ab", 1, true, 1, 1},
          {u"a[0-9]+b", u"a1a22b", 1, true, 3, 6},
          {u"ab?", u"abc", 1, true, 1, 2},
          {u"ab?", u"ac", 1, true, 1, 1},
          {u"a.?", u"a", 1, true, 1, 1},
          {u"a*b", u"xaab", 1, true, 2, 4},
          {u"a*$", u"xa", 1, true, 2, 2},
          {u"a*$", u"xyz", 1, false, 0, 0},  // no try after the last position
          {u"a*", u"xyz", 1, true, 1, 3},    // a lone repetition matches everything
          {u"a*", u"", 1, true, 1, 0},
          {u"a*", u"xyz", 4, false, 0, 0},
          {u".", u"", 1, false, 0, 0},
          {u"\\#41\\#42", u"xAB", 1, true, 2, 3},
          {u"abc", u"abcabc", 3, true, 4, 6},
          {u"abc", u"abcabc", 0, true, 1, 3},  // starts below 1 search from 1
          {u"abc", u"abcabc", -7, true, 1, 3},
          {u"abc", u"abc", 9, false, 0, 0},
          {u"\u20ACuro", u"x\u20ACuro", 1, true, 2, 5},
          {u"[^a]", u"a\u20AC", 1, true, 2, 2},  // high characters belong to negated sets
          {u"[^a]+", u"x\u20ACyab", 1, true, 1, 3},
          {u"[a-z]+", u"\u20ACab", 1, true, 2, 3},
          {u"[\u00E9]", u"caf\u00E9", 1, true, 4, 4},
      },
      false);
}

TEST(GrepMatch, IgnoreCaseFoldsPatternAndText) {
  ExpectMatches(
      {
          {u"ABC", u"xabc", 1, true, 2, 4},
          {u"abc", u"XABC", 1, true, 2, 4},
          {u"[A-C]+", u"xxBcA", 1, true, 3, 5},
          {u"x(AB)*", u"XaBab", 1, true, 1, 5},
          {u"\\#41", u"aA", 1, false, 0, 0},  // escapes are resolved after folding
          {u"\\#61", u"A", 1, true, 1, 1},
          {u"\u00C9", u"\u00E9", 1, false, 0, 0},  // only ASCII letters fold
      },
      true);

  Grep G(u"AbC");
  int32_t Pos = 0;
  EXPECT_FALSE(G.MatchString(u"abc", Pos));
  G.SetIgnoreCase(true);  // recompiles the stored pattern
  EXPECT_TRUE(G.MatchString(u"xABC", Pos));
  EXPECT_EQ(Pos, 2);
  EXPECT_EQ(G.RegExp(), u"AbC");
  G.SetIgnoreCase(false);
  EXPECT_FALSE(G.MatchString(u"abc", Pos));
}

TEST(GrepMatch, RecordsValidFromAndKeepsEndOnFailure) {
  Grep G(u"a.*b[0-9]");
  int32_t Pos = 0;
  ASSERT_TRUE(G.MatchString(u"xxaZZb7", Pos));
  // Tokens: a, .*, b, [0-9].
  const int32_t Expected[] = {3, 4, 6, 7};
  for (int K = 1; K <= 4; ++K) EXPECT_EQ(G.RegExpToken(K).ValidFrom, Expected[K - 1]) << K;
  EXPECT_EQ(G.MatchEndPos(), 7);

  EXPECT_FALSE(G.MatchString(u"nothing", Pos));
  EXPECT_EQ(G.MatchEndPos(), 7);

  G.SetRegExp(u"a.*b[0-9]");
  for (int K = 1; K <= 4; ++K) EXPECT_EQ(G.RegExpToken(K).ValidFrom, 0) << K;
}

TEST(GrepMatch, PatternWithoutTokensMatchesNothing) {
  Grep G(u"");
  int32_t Pos = 0;
  EXPECT_FALSE(G.MatchString(u"abc", Pos));
  EXPECT_FALSE(G.MatchString(u"", Pos));
}

TEST(GrepToken, IndexIsClamped) {
  Grep G(u"ab*");
  EXPECT_EQ(G.RegExpToken(0).Action, taNormal);
  EXPECT_EQ(G.RegExpToken(-3).Action, taNormal);
  EXPECT_EQ(G.RegExpToken(2).Action, taMult0);
  EXPECT_EQ(G.RegExpToken(99).Action, taMult0);

  // A new compilation leaves no trace of the old tokens.
  G.SetRegExp(u"");
  const TGrepToken T = G.RegExpToken(1);
  EXPECT_EQ(T.Action, taNormal);
  EXPECT_EQ(T.NumChars, 0);
  EXPECT_EQ(T.Params[1], 0);
}

TEST(GrepErrors, SetterRaisesWithComponentMessage) {
  TGrep G;
  EXPECT_TRUE(G.StopOnError());
  EXPECT_FALSE(G.IgnoreCase());
  EXPECT_EQ(G.SearchStartPos(), 1);
  G.SetName(u"Grep1");
  try {
    G.SetRegExp(u"[]");
    FAIL() << "no exception";
  } catch (const EKYRStringlError& E) {
    EXPECT_EQ(E.Message(), u"Component \"Grep1\": error in regular expression - empty set");
  }
  EXPECT_EQ(G.RegExp(), u"[]");
  EXPECT_EQ(G.LastError(), 4);
  EXPECT_EQ(G.NrOfRegExpTokens(), 1);

  EXPECT_THROW(G.SetRegExp(u"[\u20AC]"), KYR_kyrbase::EKYRError);
  EXPECT_EQ(G.LastError(), greSetMemberTooHigh);

  // Changing IgnoreCase recompiles without raising.
  G.SetRegExp(u"ok");
  G.CompileRegExp(u"a)");
  EXPECT_EQ(G.LastError(), 8);
  EXPECT_EQ(G.RegExp(), u"ok");
  G.SetStopOnError(false);
  G.SetRegExp(u"a)");
  G.SetStopOnError(true);
  EXPECT_NO_THROW(G.SetIgnoreCase(true));
  EXPECT_EQ(G.LastError(), 8);

  TGrep Unnamed;
  Unnamed.SetStopOnError(true);
  try {
    Unnamed.SetRegExp(u"a**");
    FAIL() << "no exception";
  } catch (const EKYRStringlError& E) {
    EXPECT_EQ(E.Message(),
              u"Component \"\": error in regular expression - *, ?, + have to be "
              u"applied to groups or sets only");
  }

  EXPECT_EQ(TGrep::ErrorMessage(0), u"no errors");
  EXPECT_EQ(TGrep::ErrorMessage(1), u"reg.exp. must not start with $, *, ?, or +");
  EXPECT_EQ(TGrep::ErrorMessage(13), u"");
  EXPECT_EQ(TGrep::ErrorMessage(-1), u"");
}

TEST(GrepPrint, WritesTokensAndErrorState) {
  kyr_test::TempDir Dir;
  struct Case {
    String Pattern;
    std::string File;
  } const Cases[] = {
      {u"^a[b-d]x*(yz)+.?$",
       "    taBol: \r\n taNormal: a\r\n    taSet: bcd\r\n  taMult0: (string) x\r\n"
       "  taMult1: (string) yz\r\n   taOpti: (anychar) \r\n    taEol: \r\nno errors\r\n"},
      {u"[0-2]*.", "  taMult0: (set) 012\r\ntaAnyByte: \r\nno errors\r\n"},
      {u"a$b", " taNormal: a\r\n    taEol: \r\nno character allowed after end of line\r\n"},
      {u"", "no errors\r\n"},
  };
  for (const Case& C : Cases) {
    Grep G(C.Pattern);
    G.PrintRegExp(Dir.FileS("tokens.txt"));
    EXPECT_EQ(Dir.Read("tokens.txt"), C.File) << U8(C.Pattern);
  }
  Grep G(u"abc");
  EXPECT_THROW(G.PrintRegExp(Dir.FileS("missing/tokens.txt")), KYR_runtime::EInOutError);
}

// --- Cross-check against a direct transcription of the matching rules ------------------

void ExpectSameAsReference(TGrep& G, const String& Text, int32_t Start) {
  G.SetSearchStartPos(Start);
  int32_t Pos = 0;
  const bool Found = G.MatchString(Text, Pos);
  ReferenceMatcher Ref(G, Text);
  int32_t RefStart = 0, RefEnd = 0;
  const bool RefFound = Ref.Search(Start, RefStart, RefEnd);
  const std::string Where = U8(G.RegExp()) + " in \"" + U8(Text) + "\" from " +
                            std::to_string(Start) + (G.IgnoreCase() ? " (ignore case)" : "");
  ASSERT_EQ(Found, RefFound) << Where;
  if (!Found) return;
  ASSERT_EQ(Pos, RefStart) << Where;
  ASSERT_EQ(G.MatchEndPos(), RefEnd) << Where;
  for (int32_t K = 1; K <= G.NrOfRegExpTokens(); ++K)
    ASSERT_EQ(G.RegExpToken(K).ValidFrom, Ref.Valid()[K - 1]) << Where << " token " << K;
}

TEST(GrepMatch, AgreesWithPlainBacktrackingOnRandomPatterns) {
  std::mt19937 Rng(20240607);
  auto Pick = [&](std::initializer_list<const char16_t*> L) {
    return String(L.begin()[Rng() % L.size()]);
  };
  for (int Round = 0; Round < 4000; ++Round) {
    String Pattern = Rng() % 6 == 0 ? u"^" : u"";
    const int Pieces = 1 + Rng() % 5;
    for (int I = 0; I < Pieces; ++I) {
      Pattern += Pick({u"a", u"b", u"ab", u"A", u".", u"[ab]", u"[^a]", u"[a-c]", u"(ab)", u"()",
                       u"(ba)", u"\\#61", u"x", u"[acegx]", u"[^ac]"});
      if (Rng() % 2) Pattern += Pick({u"*", u"+", u"?"});
    }
    if (Rng() % 6 == 0) Pattern += u"$";
    Grep G(Pattern, Rng() % 4 == 0);
    if (G.LastError() != 0) continue;
    for (int T = 0; T < 8; ++T) {
      String Text;
      const int Len = Rng() % 10 == 0 ? 30 + Rng() % 20 : Rng() % 12;
      for (int I = 0; I < Len; ++I) Text.push_back(u"aabbcxA\u00E9\u20AC"[Rng() % 9]);
      ExpectSameAsReference(G, Text, static_cast<int32_t>(Rng() % (Len + 3)) - 1);
      if (HasFatalFailure()) return;
    }
  }
}

// Nested lazy repetitions take exponentially many plain tries; the results must not
// change when the search switches to remembering failed tries.
TEST(GrepMatch, NestedRepetitionsStayCorrect) {
  const String As = Repeat(u"a", 24);
  struct Case {
    String Pattern;
    String Text;
  } const Cases[] = {
      {u"a*a*a*a*b", As},  {u"a*a*a*a*b", As + u"b"},       {u"[a]*(a)*a?a*c", As + u"c" + As},
      {u"(aa)*a*.*b", As}, {u"x.*y.*z", Repeat(u"xy", 20)},
  };
  for (const Case& C : Cases) {
    Grep G(C.Pattern);
    ExpectSameAsReference(G, C.Text, 1);
  }

  // Far beyond what plain backtracking finishes.
  Grep G(u"a*a*a*a*a*a*a*a*a*a*a*a*b");
  int32_t Pos = 0;
  EXPECT_FALSE(G.MatchString(Repeat(u"a", 400), Pos));
  ASSERT_TRUE(G.MatchString(Repeat(u"a", 400) + u"b", Pos));
  EXPECT_EQ(Pos, 1);
  EXPECT_EQ(G.MatchEndPos(), 401);
}

}  // namespace
