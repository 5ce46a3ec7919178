#include "KYR_stringl_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace KYR_stringl;
using namespace std::string_literals;

std::string U8(const String& S) {
  return StringToUtf8(S);
}

using UnaryFn = String (*)(const String&);

struct UnaryCase {
  const char* Name;
  UnaryFn Fn;
  String In;
  String Want;
};

void RunUnaryCases(const UnaryCase* Begin, const UnaryCase* End) {
  for (const UnaryCase* C = Begin; C != End; ++C) {
    EXPECT_EQ(C->Fn(C->In), C->Want) << C->Name << "(\"" << U8(C->In) << "\")";
  }
}

TEST(StringUtils, StrippingAndEnsuringEdges) {
  const UnaryCase Cases[] = {
      {"StripLTBlanks", StripLTBlanks, u"  a b  ", u"a b"},
      {"StripLTBlanks", StripLTBlanks, u"   ", u""},
      {"StripLTBlanks", StripLTBlanks, u" ", u""},
      {"StripLTBlanks", StripLTBlanks, u"x", u"x"},
      {"StripLTBlanks", StripLTBlanks, u" x", u"x"},
      {"StripLTBlanks", StripLTBlanks, u"x ", u"x"},
      {"StripLTBlanks", StripLTBlanks, u"\ta\t ", u"\ta\t"},
      {"StripLTBlanks", StripLTBlanks, u"", u""},
      {"StripLeadingBlanks", StripLeadingBlanks, u"  a ", u"a "},
      {"StripLeadingBlanks", StripLeadingBlanks, u"   ", u" "},
      {"StripLeadingBlanks", StripLeadingBlanks, u"", u""},
      {"StripTrailingBlanks", StripTrailingBlanks, u" a  ", u" a"},
      {"StripTrailingBlanks", StripTrailingBlanks, u"   ", u" "},
      {"StripTrailingBlanks", StripTrailingBlanks, u"", u""},
      {"StripLeadingChars(x)", [](const String& S) { return StripLeadingChars(u'x', S); }, u"xxaxx",
       u"axx"},
      {"StripLeadingChars(x)", [](const String& S) { return StripLeadingChars(u'x', S); }, u"xxx",
       u""},
      {"StripTrailingChars(x)", [](const String& S) { return StripTrailingChars(u'x', S); },
       u"xxaxx", u"xxa"},
      {"StripTrailingChars(x)", [](const String& S) { return StripTrailingChars(u'x', S); }, u"xxx",
       u"x"},
      {"StripTrailingChars(x)", [](const String& S) { return StripTrailingChars(u'x', S); }, u"",
       u""},
      {"EnsureTrailingBkSlash", EnsureTrailingBkSlash, u"", u""},
      {"EnsureTrailingBkSlash", EnsureTrailingBkSlash, u"a", u"a\\"},
      {"EnsureTrailingBkSlash", EnsureTrailingBkSlash, u"a\\", u"a\\"},
      {"EnsureTrailingChar(/)", [](const String& S) { return EnsureTrailingChar(u'/', S); }, u"",
       u""},
      {"EnsureTrailingChar(/)", [](const String& S) { return EnsureTrailingChar(u'/', S); }, u"a",
       u"a/"},
      {"EnsureTrailingChar(/)", [](const String& S) { return EnsureTrailingChar(u'/', S); }, u"a/",
       u"a/"},
      {"EnsureLeadingChar(/)", [](const String& S) { return EnsureLeadingChar(u'/', S); }, u"",
       u""},
      {"EnsureLeadingChar(/)", [](const String& S) { return EnsureLeadingChar(u'/', S); }, u"a",
       u"/a"},
      {"EnsureLeadingChar(/)", [](const String& S) { return EnsureLeadingChar(u'/', S); }, u"/a",
       u"/a"},
  };
  RunUnaryCases(std::begin(Cases), std::end(Cases));
}

TEST(StringUtils, CountingDoesNotOverlapAndFoldsOnlyAscii) {
  struct Case {
    String Sub, S;
    bool CaseSensitive;
    int32_t Want;
  } const Cases[] = {
      {u"aa", u"aaaaa", true, 2},   {u"AB", u"abAB", false, 2}, {u"AB", u"abAB", true, 1},
      {u"", u"abc", true, 0},       {u"abc", u"ab", true, 0},   {u"\u00c9", u"\u00e9", false, 0},
      {u"aba", u"ababa", false, 1},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(CountStringInString(C.Sub, C.S, C.CaseSensitive), C.Want)
        << U8(C.Sub) << " in " << U8(C.S);
  }
  EXPECT_EQ(CountCharInString(u'a', u"AaA", false), 3);
  EXPECT_EQ(CountCharInString(u'A', u"AaA", true), 2);
  EXPECT_EQ(CountCharInString(u'a', u"AaA", true), 1);
  EXPECT_EQ(CountCharInString(u'\u00e9', u"\u00c9\u00e9", false), 1);
  EXPECT_EQ(CountCharInString(u'a', u"", false), 0);
}

TEST(StringUtils, ReplaceAndRemove) {
  struct Case {
    String S, Search, Replace;
    bool IgnoreCase;
    String Want;
  } const Cases[] = {
      {u"aaa", u"a", u"aa", false, u"aaaaaa"},  // the replacement is not searched again
      {u"abc", u"", u"x", false, u"abc"},
      {u"aXb", u"x", u"y", true, u"ayb"},
      {u"aXb", u"x", u"y", false, u"aXb"},
      {u"ABC def", u"DEF", u"x", true, u"ABC x"},  // case kept outside the match
      {u"Hello World", u"O", u"0", true, u"Hell0 W0rld"},
      {u"abab", u"ab", u"b", false, u"bb"},
      {u"xAbCy", u"bc", u"", true, u"xAy"},
      {u"aaaa", u"aa", u"a", false, u"aa"},
      {u"", u"a", u"b", false, u""},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(ReplaceStringInString(C.S, C.Search, C.Replace, C.IgnoreCase), C.Want)
        << U8(C.S) << " / " << U8(C.Search) << " -> " << U8(C.Replace);
  }
  EXPECT_EQ(ReplaceCharInString(u"a.b.c", u'.', u','), u"a,b,c");
  EXPECT_EQ(RemoveCharInString(u"abcabc", u'b'), u"acac");
  EXPECT_EQ(RemoveCharInString(u"bbb", u'b'), u"");
  EXPECT_EQ(RemoveControlChars(u"a\0b\x1f \x7f\u0080\u0100"s), u"ab \x7f\u0080\u0100");
}

TEST(StringUtils, NumberedPosAndPosLast) {
  struct Case {
    String Sub, S;
    int32_t Start, Occurrence;
    bool IgnoreCase;
    int32_t Want;
  } const Cases[] = {
      {u"ab", u"xabyabzab", 3, 2, false, 8}, {u"ab", u"xabyabzab", 1, 1, false, 2},
      {u"ab", u"abab", 1, 0, false, 0},      {u"a", u"a", 1, -1, false, 0},
      {u"ab", u"abab", 0, 1, false, 1},      {u"a", u"ba", -5, 1, false, 2},
      {u"ab", u"abab", 5, 1, false, 0},      {u"b", u"ab", 2, 1, false, 2},
      {u"b", u"ab", INT32_MAX, 1, false, 0}, {u"ab", u"abab", 1, 3, false, 0},
      {u"aa", u"aaaa", 1, 2, false, 3},  // no overlap
      {u"AB", u"xaBab", 1, 2, true, 4},      {u"AB", u"xaBab", 1, 1, false, 0},
      {u"", u"abc", 1, 1, false, 0},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(NumberedPos(C.Sub, C.S, C.Start, C.Occurrence, C.IgnoreCase), C.Want)
        << U8(C.Sub) << " in " << U8(C.S) << " from " << C.Start << " #" << C.Occurrence;
  }

  struct LastCase {
    String Sub, S;
    int32_t Want;
  } const LastCases[] = {
      {u"ab", u"abxab", 4}, {u"b", u"abcb", 4}, {u"aa", u"aaa", 1},
      {u"aa", u"aaaa", 3},  {u"z", u"abc", 0},  {u"", u"abc", 0},
  };
  for (const LastCase& C : LastCases) {
    EXPECT_EQ(PosLast(C.Sub, C.S), C.Want) << U8(C.Sub) << " in " << U8(C.S);
  }
}

TEST(StringUtils, StringIxFindsFirstMatch) {
  EXPECT_EQ(StringIx(u"a", {}), 0);
  EXPECT_EQ(StringIx(u"a", false, {}), 0);
  EXPECT_EQ(StringIx(u"b", {u"a", u"b", u"b"}), 2);
  EXPECT_EQ(StringIx(u"B", {u"b"}), 0);
  EXPECT_EQ(StringIx(u"B", true, {u"a", u"b"}), 0);
  EXPECT_EQ(StringIx(u"B", false, {u"a", u"b", u"B"}), 2);
  EXPECT_EQ(StringIx(u"\u00c9", false, {u"\u00e9"}), 0);  // ASCII folding only
  EXPECT_EQ(StringIx(u"ab", false, {u"a", u"abc", u"AB"}), 3);
}

TEST(StringUtils, StringContainsExpandsMacrosAndIgnoresWideCharacters) {
  struct Case {
    String S, Set;
    bool Contains, OtherThan;
  } const Cases[] = {
      {u"abc1", u"//dig", true, true},
      {u"abc", u"//dig", false, true},
      {u"123", u"//dig", true, false},
      {u"12a", u"//dig", true, true},
      {u"1,5.", u"//dig,.", true, false},
      {u"/", u"//dig", false, true},  // the macro's own characters are not members
      {u"x", u"//dig//dig", false, true},
      {u"5", u"//dig//dig", true, false},
      {u"5/", u"///dig", true, false},
      {u"id", u"//di", true, false},  // no macro: plain characters
      {u"aZ", u"//lc//uc", true, false},
      {u"aZ0", u"//uc//lc", true, true},
      {u"\x1f\0"s, u"//31dwn", true, false},
      {u" ", u"//31dwn", false, true},
      {u"\u0080\u00ff", u"//128up", true, false},
      {u"\u0100", u"//128up", false, true},
      {u"A", u"\u0141", false, true},  // U+0141 must not mark "A" (its low byte)
      {u"\u0141", u"\u0141", false, true},
      {u"", u"//dig", false, false},
      {u"abc", u"", false, true},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(StringContains(C.S, C.Set), C.Contains) << U8(C.S) << " / " << U8(C.Set);
    EXPECT_EQ(StringContainsOtherThan(C.S, C.Set), C.OtherThan) << U8(C.S) << " / " << U8(C.Set);
  }
}

TEST(StringUtils, SmallPredicates) {
  EXPECT_FALSE(TestAllChar(u"", u'a'));
  EXPECT_TRUE(TestAllChar(u"aaa", u'a'));
  EXPECT_FALSE(TestAllChar(u"aab", u'a'));

  EXPECT_EQ(FindFirstNonBlank(u""), 0);
  EXPECT_EQ(FindFirstNonBlank(u"   "), 0);
  EXPECT_EQ(FindFirstNonBlank(u"\ta"), 1);
  EXPECT_EQ(FindFirstNonBlank(u"  x"), 3);

  EXPECT_TRUE(EqualAnsiStrings(u"\u00e9t\u00e9 Ab", u"\u00c9T\u00c9 aB"));
  EXPECT_FALSE(EqualAnsiStrings(u"abc", u"ABD"));
  EXPECT_FALSE(EqualAnsiStrings(u"ab", u"abc"));
  EXPECT_TRUE(EqualAnsiStrings(u"ab\0x"s, u"AB\0y"s));  // texts end at code 0

  struct AbbrevCase {
    String S;
    bool Want;
  } const Abbrevs[] = {
      {u"", false},
      {u"NASA", true},
      {u"USB-C", true},
      {u"PhD", false},
      {u"ABCdef", false},
      {u"ABCde", true},
      {u"A", false},
      {u"AB12", false},
      {u"AB1", true},
      {u"A B C", false},
      {u"\u00c4\u00d6\u00dc", false},
  };
  for (const AbbrevCase& C : Abbrevs) EXPECT_EQ(IsAbbreviation(C.S), C.Want) << U8(C.S);
}

TEST(StringUtils, CharacterClasses) {
  struct Case {
    Char C;
    bool Digit, Letter, Hex, Umlaut;
  } const Cases[] = {
      {u'0', true, false, true, false},        {u'9', true, false, true, false},
      {u'/', false, false, false, false},      {u':', false, false, false, false},
      {u'A', false, true, true, false},        {u'F', false, true, true, false},
      {u'G', false, true, false, false},       {u'Z', false, true, false, false},
      {u'a', false, true, true, false},        {u'f', false, true, true, false},
      {u'g', false, true, false, false},       {u'z', false, true, false, false},
      {u'@', false, false, false, false},      {u'[', false, false, false, false},
      {u'`', false, false, false, false},      {u'{', false, false, false, false},
      {u'\u00e9', false, false, false, false}, {u'\u0141', false, false, false, false},
      {u'\u0130', false, false, false, false}, {u'\u00b5', false, false, false, false},
      {u'\u00e4', false, false, false, true},  {u'\u00f6', false, false, false, true},
      {u'\u00fc', false, false, false, true},  {u'\u00c4', false, false, false, true},
      {u'\u00d6', false, false, false, true},  {u'\u00dc', false, false, false, true},
      {u'\u00df', false, false, false, true},  {u'\u00cb', false, false, false, false},
  };
  for (const Case& C : Cases) {
    const int Code = C.C;
    EXPECT_EQ(IsDigit(C.C), C.Digit) << Code;
    EXPECT_EQ(IsLetter(C.C), C.Letter) << Code;
    EXPECT_EQ(IsDigitLetter(C.C), C.Digit || C.Letter) << Code;
    EXPECT_EQ(IsHexChar(C.C), C.Hex) << Code;
    EXPECT_EQ(IsUmlaut(C.C), C.Umlaut) << Code;
  }
}

TEST(StringUtils, CaseAndLetterRewriting) {
  const UnaryCase Cases[] = {
      {"ChangeCase", ChangeCase, u"aB1 \u00e9\u00c9", u"Ab1 \u00c9\u00e9"},
      {"ChangeCase", ChangeCase, u"\u00df-", u"\u00df-"},  // no single-character upper case
      {"CapitalizeString", CapitalizeString, u"hello WORLD 3abc x-ray", u"Hello WORLD 3abc X-Ray"},
      {"CapitalizeString", CapitalizeString, u"\u00e9t\u00e9 a1b _c", u"\u00e9t\u00e9 A1b _C"},
      {"CapitalizeString", CapitalizeString,
       u"\x7f"
       u"a",
       u"\x7f"
       u"A"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"\u00c4pfel", u"Aepfel"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"\u00c4RGER", u"AERGER"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"\u00c4", u"AE"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"gr\u00dcN", u"grUEN"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"\u00dc\u00f6", u"UEoe"},  // next is no a-z
      {"ExpandDiphthongs", ExpandDiphthongs, u"\u00d6l", u"Oel"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"Stra\u00dfe gr\u00fcn \u00e4\u00f6",
       u"Strasse gruen aeoe"},
      {"ExpandDiphthongs", ExpandDiphthongs, u"5\u00b5m", u"5um"},
  };
  RunUnaryCases(std::begin(Cases), std::end(Cases));
}

TEST(StringUtils, PaddingAndRepetition) {
  using PadFn = String (*)(const String&, uint8_t);
  struct Case {
    const char* Name;
    PadFn Fn;
    String S;
    uint8_t Width;
    String Want;
  } const Cases[] = {
      {"CenterString", CenterString, u"ab", 5, u" ab  "},
      {"CenterString", CenterString, u"abc", 4, u"abc "},
      {"CenterString", CenterString, u"ab", 6, u"  ab  "},
      {"CenterString", CenterString, u"ab", 1, u"a"},
      {"CenterString", CenterString, u"ab", 0, u""},
      {"LeftString", LeftString, u"ab", 4, u"ab  "},
      {"LeftString", LeftString, u"abc", 2, u"ab"},
      {"RightString", RightString, u"ab", 4, u"  ab"},
      {"RightString", RightString, u"abc", 2, u"ab"},
      {"RightString", RightString, u"", 255, String(255, u' ')},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(C.Fn(C.S, C.Width), C.Want)
        << C.Name << "(\"" << U8(C.S) << "\", " << +C.Width << ")";
  }

  struct MultiCase {
    int32_t Count;
    size_t Length;
  } const Multis[] = {{INT32_MIN, 1}, {0, 1}, {1, 1}, {7, 7}, {255, 255}, {256, 255}, {1000, 255}};
  for (const MultiCase& C : Multis)
    EXPECT_EQ(MultiChar(u'x', C.Count), String(C.Length, u'x')) << C.Count;

  struct AbbrevCase {
    String S;
    int32_t Max;
    String Want;
  } const Abbrevs[] = {
      {u"abcdef", 4, u"ab.."},       {u"abcdef", 6, u"abcdef"},
      {u"abcdef", 7, u"abcdef"},     {u"abcdef", 3, u"a.."},
      {u"abcdef", 2, u".."},         {u"abcdef", 1, u".."},
      {u"abcdef", INT32_MIN, u".."}, {u"", 0, u""},
  };
  for (const AbbrevCase& C : Abbrevs) EXPECT_EQ(AbbrevString(C.S, C.Max), C.Want) << C.Max;
}

TEST(StringUtils, ReductionReversalAndEscapes) {
  const UnaryCase Cases[] = {
      {"ReduceStringToAZ09", ReduceStringToAZ09, u"a b-Z9\u00e9\u0141", u"a_b_Z9__"},
      {"ReduceStringToFN83CompliantChars", ReduceStringToFN83CompliantChars,
       u"aZ09!#$%&'()-.^_{}~@`", u"aZ09!#$%&'()-.^_{}~@`"},
      {"ReduceStringToFN83CompliantChars", ReduceStringToFN83CompliantChars,
       u" \"*+,/:;<=>?[\\]|\x7f\x01\u00e9\u0141", String(20, u'_')},
      {"ReverseString", ReverseString, u"abc", u"cba"},
      {"ReverseString", ReverseString, u"", u""},
      {"ProcessHexChars", ProcessHexChars, u"A\\#41B", u"AAB"},
      {"ProcessHexChars", ProcessHexChars, u"x\\\\#41", u"x\\#41"},
      {"ProcessHexChars", ProcessHexChars, u"ab\\", u"ab\\"},
      {"ProcessHexChars", ProcessHexChars, u"\\#", u"\0"s},
      {"ProcessHexChars", ProcessHexChars, u"a\\#zzb", u"a\0b"s},
      {"ProcessHexChars", ProcessHexChars, u"\\#4", u"\x04"},
      {"ProcessHexChars", ProcessHexChars, u"\\#414", u"A4"},  // two digits at most
      {"ProcessHexChars", ProcessHexChars, u"\\#fF", u"\u00ff"},
      {"ProcessHexChars", ProcessHexChars, u"\\n\\", u"\\n\\"},
      {"ProcessHexChars", ProcessHexChars, u"\\\\\\#41", u"\\A"},
      {"ProcessHexChars", ProcessHexChars, u"\\\\\\\\", u"\\\\"},
  };
  RunUnaryCases(std::begin(Cases), std::end(Cases));
}

TEST(StringUtils, BoolToStrModes) {
  struct Case {
    int32_t Mode;
    String True, False;
  } const Cases[] = {
      {0, u"TRUE", u"FALSE"},
      {1, u"T", u"F"},
      {2, u".T.", u".F."},
      {3, u"1", u"0"},
      {4, u"-1", u"0"},
      {5, u"FF", u"00"},
      {6, u"YES", u"NO"},
      {7, u"GOOD", u"BAD"},
      {8, u"TRUE", u"FALSE"},
      {-1, u"TRUE", u"FALSE"},
      {INT32_MIN, u"TRUE", u"FALSE"},
      {INT32_MAX, u"TRUE", u"FALSE"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(BoolToStr(true, C.Mode), C.True) << C.Mode;
    EXPECT_EQ(BoolToStr(false, C.Mode), C.False) << C.Mode;
  }
}

}  // namespace
