// Words, tokens, lines, scrambling, quoted names, parameters, uuencoding, tags.
#include <gtest/gtest.h>

#include <set>

#include "KYR_stringl_words.h"

namespace {

using namespace KYR_stringl;

std::string U8(const String& S) {
  return StringToUtf8(S);
}

// --- Words -------------------------------------------------------------------------------

// Restores the process-wide separators after a test that changes them.
class WordSepsTest : public ::testing::Test {
 protected:
  void TearDown() override { WordSeps = DefaultWordSeps; }
};

TEST(WordSeps, HoldsExactlyTheDefaultSeparators) {
  const std::set<int> Members = {0,  10, 13, 32, 34, 35, 37, 39, 40, 41, 42, 43,  44,
                                 45, 46, 47, 58, 59, 60, 61, 62, 91, 92, 93, 123, 125};
  EXPECT_EQ(WordSeps, DefaultWordSeps);
  for (int C = 0; C < 256; ++C)
    EXPECT_EQ(WordSeps.Contains(static_cast<Char>(C)), Members.count(C) == 1) << C;
  for (Char C : {Char(256), Char(0x100 + ' '), Char(0xFF0C), Char(0xFFFF)})
    EXPECT_FALSE(WordSeps.Contains(C)) << int(C);
}

TEST_F(WordSepsTest, CountWords) {
  const struct {
    String S;
    int32_t Expected;
  } Cases[] = {
      {u"", 0},
      {u"a b", 0},  // one-character words never count
      {u"abc", 0},  // not ended by a separator
      {u"abc ", 1},
      {u"ab cd ", 2},
      {u"hello world\n", 2},
      {u"ab\tcd ", 1},  // a tab is no separator
      {u"x!y$z ", 1},
      {u"(ab)+[cd]{ef}", 3},
      {u"\u0100\u0101 ", 1},  // characters above 255 are word characters
      {String(u"ab,\0cd\0", 7), 2},
  };
  for (const auto& C : Cases) EXPECT_EQ(CountWords(C.S), C.Expected) << U8(C.S);
  WordSeps.Include('\t');
  EXPECT_EQ(CountWords(u"ab\tcd "), 2);
  WordSeps.Exclude(' ');
  EXPECT_EQ(CountWords(u"ab cd\t"), 1);
}

TEST_F(WordSepsTest, ExtractWordFromString) {
  const String S = u"say hello, world";
  const struct {
    int32_t Pos;
    const char16_t* Word;
    int32_t Start, End;
  } Cases[] = {
      {7, u"hello", 5, 9}, {5, u"hello", 5, 9}, {9, u"hello", 5, 9},    {10, u",", 10, 10},
      {4, u" ", 4, 4},     {1, u"say", 1, 3},   {16, u"world", 12, 16}, {0, u"", 0, 0},
      {17, u"", 0, 0},     {-3, u"", 0, 0},
  };
  for (const auto& C : Cases) {
    int32_t Start = -1;
    int32_t End = -1;
    EXPECT_EQ(U8(ExtractWordFromString(S, C.Pos, Start, End)), U8(C.Word)) << C.Pos;
    EXPECT_EQ(Start, C.Start) << C.Pos;
    EXPECT_EQ(End, C.End) << C.Pos;
    EXPECT_EQ(ExtractWordFromString(S, C.Pos), C.Word) << C.Pos;
  }
  EXPECT_EQ(ExtractWordFromString(u"a \u0141\u00F3d\u017A.", 4), u"\u0141\u00F3d\u017A");
  WordSeps.Include('o');
  EXPECT_EQ(ExtractWordFromString(S, 7), u"hell");
}

// --- Fields, tokens, lines ---------------------------------------------------------------

TEST(ExtractSubString, Fields) {
  const struct {
    String S;
    int32_t Index;
    String Delim;
    const char16_t* Expected;
  } Cases[] = {
      {u"a;b;c", 0, u";", u"a"},
      {u"a;b;c", 1, u";", u"b"},
      {u"a;b;c", 2, u";", u"c"},
      {u"a;b;c", 3, u";", u""},
      {u"a;b;c", -1, u";", u""},
      {u"a;;c", 1, u";", u""},
      {u"a;;c", 2, u";", u"c"},
      {u";b", 0, u";", u""},
      {u";b", 1, u";", u"b"},
      {u"a;", 1, u";", u""},
      {u"", 0, u";", u""},
      {u"ab<>cd<>ef", 1, u"<>", u"cd"},
      {u"ab<>cd<>ef", 2, u"<>", u"ef"},
      {u"axXb", 1, u"x", u""},                // a field beginning with the delimiter, any case
      {String(u"a;b\0;c", 6), 2, u";", u""},  // the text ends at NUL
      {String(u"a;b\0;c", 6), 1, u";", u"b"},
      {u"a;b", 1, String(u";\0x", 3), u"b"},
      {u"abc", 0, u"", u"abc"},
      {u"abc", 1, u"", u""},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(U8(ExtractSubString(C.S, C.Index, C.Delim)), U8(C.Expected))
        << U8(C.S) << " " << C.Index << " " << U8(C.Delim);
}

TEST(Tokenize, SplitsKeepingEmptyTokens) {
  const struct {
    const char16_t* S;
    const char16_t* Delim;
    std::vector<String> Expected;
  } Cases[] = {
      {u"a,,b", u",", {u"a", u"", u"b"}},
      {u"a,", u",", {u"a", u""}},
      {u",", u",", {u"", u""}},
      {u"", u",", {u""}},
      {u"a,b", u"", {u"a,b"}},
      {u"a::b:c", u"::", {u"a", u"b:c"}},
  };
  for (const auto& C : Cases) {
    TOpenStringArray Tokens(7, u"old");
    EXPECT_EQ(Tokenize(C.S, C.Delim, Tokens), static_cast<int32_t>(C.Expected.size())) << U8(C.S);
    EXPECT_EQ(Tokens, C.Expected) << U8(C.S);
  }
}

TEST(Tokenize, StopsAtOneHundredTokens) {
  String S = u"t0";
  for (int I = 1; I <= 150; ++I) S += u"," + Utf8ToString("t" + std::to_string(I));
  String Rest = u"t99";
  for (int I = 100; I <= 150; ++I) Rest += u"," + Utf8ToString("t" + std::to_string(I));
  for (bool WithEscape : {false, true}) {
    TOpenStringArray Tokens;
    const int32_t N = WithEscape ? Tokenize(S, u",", u'\\', Tokens) : Tokenize(S, u",", Tokens);
    ASSERT_EQ(N, 100);
    ASSERT_EQ(Tokens.size(), 100u);
    EXPECT_EQ(Tokens[0], u"t0");
    EXPECT_EQ(Tokens[98], u"t98");
    EXPECT_EQ(Tokens[99], Rest);
  }
}

TEST(Tokenize, EscapeCharacter) {
  const struct {
    const char16_t* S;
    const char16_t* Delim;
    Char Esc;
    std::vector<String> Expected;
  } Cases[] = {
      {u"a\\,b,c", u",", u'\\', {u"a,b", u"c"}},
      {u"a\\\\b,c", u",", u'\\', {u"a\\b", u"c"}},
      {u"\\\\\\\\", u",", u'\\', {u"\\\\"}},
      {u"x\\;;y\\;;", u";;", u'\\', {u"x;;y;;"}},
      {u"x\\;;y;;z", u";;", u'\\', {u"x;;y", u"z"}},
      {u",a", u",", u'\\', {u"", u"a"}},
      {u"a|,b,c", u",", u'|', {u"a,b", u"c"}},
      {u"a\\\\b", u"", u'\\', {u"a\\b"}},  // no delimiter: only pairs are undone
  };
  for (const auto& C : Cases) {
    TOpenStringArray Tokens;
    EXPECT_EQ(Tokenize(C.S, C.Delim, C.Esc, Tokens), static_cast<int32_t>(C.Expected.size()))
        << U8(C.S);
    EXPECT_EQ(Tokens, C.Expected) << U8(C.S);
  }
}

TEST(ReadLnString, LineBreakModes) {
  struct Line {
    const char16_t* Text;
    bool End;
  };
  const struct {
    const char16_t* S;
    int32_t Mode;
    std::vector<Line> Lines;
  } Cases[] = {
      {u"ab\r\ncd", 4, {{u"ab", false}, {u"cd", true}, {u"", true}}},
      {u"ab\r\ncd", 0, {{u"ab", false}, {u"cd", true}}},
      {u"ab\r\ncd", 1, {{u"ab", false}, {u"cd", true}}},
      {u"ab\r\ncd", 2, {{u"ab", false}, {u"", false}, {u"cd", true}}},
      {u"ab\r\ncd", 3, {{u"abcd", true}}},
      {u"ab\n\rcd", 3, {{u"ab", false}, {u"cd", true}}},
      {u"ab\n\rcd", 4, {{u"abcd", true}}},
      {u"a\tb\r\nc\x01", 7, {{u"abc", true}, {u"", true}}},
      {u"a\tb\r\nc", -1, {{u"abc", true}}},
      {u"ab\n", 0, {{u"ab", false}, {u"", true}}},
      {u"\n\n", 0, {{u"", false}, {u"", false}, {u"", true}}},
      {u"", 2, {{u"", true}}},
  };
  for (const auto& C : Cases) {
    int32_t Pos = 1;
    for (size_t I = 0; I < C.Lines.size(); ++I) {
      bool End = !C.Lines[I].End;
      EXPECT_EQ(U8(ReadLnString(C.S, Pos, End, C.Mode)), U8(C.Lines[I].Text))
          << U8(C.S) << " mode " << C.Mode << " line " << I;
      EXPECT_EQ(End, C.Lines[I].End) << U8(C.S) << " mode " << C.Mode << " line " << I;
    }
  }
  int32_t Pos = 1;
  bool End = true;
  EXPECT_EQ(ReadLnString(u"ab\r\ncd", Pos, End, 4), u"ab");
  EXPECT_EQ(Pos, 5);  // after the line feed
  Pos = -4;
  EXPECT_EQ(ReadLnString(u"xy\n", Pos, End, 0), u"xy");
  EXPECT_EQ(Pos, 4);
}

// --- Scrambling ----------------------------------------------------------------------------

String AllCodes() {
  String S;
  for (int C = 0; C < 256; ++C) S.push_back(static_cast<Char>(C));
  return S;
}

TEST(Scramble, TablesArePermutationsFixedBySeed) {
  InitScramble(DefaultScrambleSeed);
  const String Codes = AllCodes();
  const String Enc = Scramble(Codes);
  // The tables of the default seed are what stored scrambled text depends on.
  EXPECT_EQ(Enc.substr(0, 9), String({0, 212, 153, 210, 147, 180, 220, 47, 143}));
  EXPECT_EQ(Enc[255], 60);
  EXPECT_EQ(Scramble(u"Hello"), String({76, 228, 36, 36, 81}));
  EXPECT_EQ(RandSeed, 999534204u);

  EXPECT_EQ(std::set<Char>(Enc.begin(), Enc.end()).size(), 256u);
  EXPECT_EQ(DeScramble(Enc), Codes);
  EXPECT_EQ(Scramble(DeScramble(Codes)), Codes);
  EXPECT_EQ(Scramble(u""), u"");

  InitScramble(1234);
  const String Other = Scramble(Codes);
  EXPECT_NE(Other, Enc);
  EXPECT_EQ(Other[0], 0);
  const double Next = Random();
  InitScramble(1234);
  EXPECT_EQ(Scramble(Codes), Other);
  EXPECT_EQ(Random(), Next);  // the seed also fixes the generator
  EXPECT_EQ(DeScramble(Other), Codes);
  // A code above 255 never indexes past the tables; it is read by its low 8 bits.
  EXPECT_EQ(Scramble(u"\u0141\uFFFF"), Scramble(u"\u0041\u00FF"));
  InitScramble(DefaultScrambleSeed);
}

// --- Quoted names and parameters -------------------------------------------------------------

TEST(ParseQuotedName, StateMachine) {
  const struct {
    const char16_t* Input;
    Char Quote;
    const char16_t* Name;
    size_t Consumed;  // characters that belong to the name (leading blanks included)
  } Cases[] = {
      {u"  plain rest", u'"', u"plain", 7},
      {u"\"my \"\"big\"\" file\" rest", u'"', u"my \"big\" file", 17},
      {u"'it''s'", u'\'', u"it's", 7},
      {u"\"unterminated", u'"', u"unterminated", 13},
      {u"\"\"", u'"', u"", 2},
      {u"", u'"', u"", 0},
      {u"   ", u'"', u"", 3},
      {u"a\"b c", u'"', u"a\"b", 3},
      {u"ab\tc", u'"', u"ab", 2},
  };
  for (const auto& C : Cases) {
    const String In = String(C.Input) + u'\0';  // NUL marks the end of the input
    String Name;
    TQuotedStrState State = vsStart;
    size_t I = 0;
    while (I < In.size() && ParseQuotedName(In[I], C.Quote, Name, State)) ++I;
    EXPECT_EQ(U8(Name), U8(C.Name)) << U8(C.Input);
    EXPECT_EQ(I, C.Consumed) << U8(C.Input);
    EXPECT_EQ(State, vsEnd) << U8(C.Input);
    EXPECT_FALSE(ParseQuotedName(u'x', C.Quote, Name, State));  // stays ended
    EXPECT_EQ(U8(Name), U8(C.Name));
  }
}

TEST(ExtractParam, Parameters) {
  const struct {
    const char16_t* S;
    int32_t Index;
    Char Sep;
    const char16_t* Expected;
  } Cases[] = {
      {u"cp  \"my file\" b", 0, u' ', u"cp"},
      {u"cp  \"my file\" b", 1, u' ', u"my file"},
      {u"cp  \"my file\" b", 2, u' ', u"b"},
      {u"cp  \"my file\" b", 3, u' ', u"<none>"},
      {u"  a  ", 0, u' ', u"a"},
      {u"  a  ", 1, u' ', u"<none>"},
      {u"", 0, u' ', u"<none>"},
      {u"", 0, u',', u"<none>"},
      {u"a, b ,c", 1, u',', u"b"},
      {u"a,,c", 1, u',', u""},
      {u"a,", 1, u',', u""},
      {u"a,", 2, u',', u"<none>"},
      {u"x, \"1, 2\" ,y", 1, u',', u"1, 2"},
      {u"x,\" padded \"", 1, u',', u" padded "},
      {u"\"say \"\"hi\"\"\",z", 0, u',', u"say \"hi\""},
      {u"ab\"c,d\"e,f", 0, u',', u"abc,de"},
      {u"\"open, to the end", 0, u',', u"open, to the end"},
      {u"a,b", -1, u',', u"<none>"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(U8(ExtractParam(C.S, C.Index, C.Sep, u'"', u"<none>")), U8(C.Expected))
        << U8(C.S) << " " << C.Index;
}

// --- Uuencoding ----------------------------------------------------------------------------

TEST(UUCode, ClassicLineFormat) {
  EXPECT_EQ(UUEncodeStr(u"Cat"), u"#0V%T\r\n`\r\n");
  EXPECT_EQ(UUEncodeStr(u""), u"`\r\n");
  EXPECT_EQ(UUEncodeStr(String(3, u'\0')), u"#````\r\n`\r\n");  // "`" stands for 0
  EXPECT_EQ(UUEncodeStr(u"a"), u"!80``\r\n`\r\n");
  // 46 bytes: a full line of 45 ("M" and 60 characters), then a line of one byte.
  String Full = u"M";
  for (int I = 0; I < 15; ++I) Full += u">'AX";
  EXPECT_EQ(UUEncodeStr(String(46, u'x')), Full + u"\r\n!>```\r\n`\r\n");
  // A character outside 8 bits is stored as its Windows-1252 byte.
  EXPECT_EQ(UUDecodeStr(UUEncodeStr(u"\u20AC")), u"\u0080");
}

TEST(UUCode, RoundTripsEveryByteAndLength) {
  const String Codes = AllCodes();
  EXPECT_EQ(UUDecodeStr(UUEncodeStr(Codes)), Codes);
  for (size_t Len = 0; Len <= 100; ++Len) {
    String S;
    for (size_t I = 0; I < Len; ++I) S.push_back(static_cast<Char>((I * 37 + Len) % 256));
    const String Enc = UUEncodeStr(S);
    EXPECT_EQ(UUDecodeStr(Enc), S) << Len;
    for (Char C : Enc) EXPECT_TRUE(C == '\r' || C == '\n' || (C > 32 && C <= 96)) << Len;
  }
}

TEST(UUCode, DecodingIsTolerant) {
  const struct {
    const char16_t* Encoded;
    String Expected;
  } Cases[] = {
      {u"begin 644 cat.txt\n#0V%T\n`\nend\n", u"Cat"},
      {u"#0V%T\r`\r", u"Cat"},
      {u"\r\n\r\n#0V%T", u"Cat"},            // no end line
      {u"#0V%T\r\n`\r\n#0V%T\r\n", u"Cat"},  // nothing after the zero-length line
      {u"#0V%T\nend\n#0V%T\n", u"Cat"},
      {u"#", String(3, u'\0')},  // blanks stripped from the line end
      {u"#    ", String(3, u'\0')},
      {u"#0V%T and more", u"Cat"},
      {u"", u""},
  };
  for (const auto& C : Cases) EXPECT_EQ(UUDecodeStr(C.Encoded), C.Expected) << U8(C.Encoded);
  // Characters outside the alphabet still give bytes 0..255, as many as the line says.
  const String Garbage = UUDecodeStr(u"\uFFFF\u0100");
  EXPECT_EQ(Garbage.size(), 31u);
  for (Char C : Garbage) EXPECT_LE(C, 255);
}

// --- Line coordinates and tags ----------------------------------------------------------------

TEST(TextLineCoords, LinesAndColumns) {
  const String S = u"ab\r\ncd\ne\rf";
  const struct {
    int32_t Pos;
    bool Ok;
    int32_t Line, Col;
  } Cases[] = {
      {1, true, 1, 1},  {2, true, 1, 2},  {3, true, 1, 3},  {4, true, 1, 4},
      {5, true, 2, 1},  {7, true, 2, 3},  {8, true, 3, 1},  {9, true, 3, 2},
      {10, true, 4, 1}, {11, true, 4, 2}, {0, false, 0, 0}, {12, false, 0, 0},
  };
  for (const auto& C : Cases) {
    int32_t Line = -1;
    int32_t Col = -1;
    EXPECT_EQ(TextLineCoords(S, C.Pos, Line, Col), C.Ok) << C.Pos;
    EXPECT_EQ(Line, C.Line) << C.Pos;
    EXPECT_EQ(Col, C.Col) << C.Pos;
  }
  int32_t Line = 0;
  int32_t Col = 0;
  EXPECT_TRUE(TextLineCoords(u"", 1, Line, Col));
  EXPECT_EQ(Line, 1);
  EXPECT_EQ(Col, 1);
}

TEST(ReadNextTagInString, ReadsElementsInOrder) {
  const std::vector<String> Tags = {u"label", u"posxy", u"br", u"/custtextlbl", u"dummy"};
  const String Doc =
      u"text <!-- a comment --> <Label id=\"7\" >Hello <b>x</b>\r\n</LABEL>"
      u"<posxy x=\"1\" y=\"2\" /><BR/></custtextlbl><other a=1></other><unclosed>rest";
  const struct {
    int32_t Index;
    const char16_t* Attribs;
    const char16_t* Content;
  } Expected[] = {
      {0, u"id=\"7\"", u"Hello <b>x</b>\r\n"},
      {1, u"x=\"1\" y=\"2\"", u""},
      {2, u"", u""},
      {3, u"", u""},
      {4, u"a=1", u""},
      {4, u"", u"rest"},
      {-1, u"", u""},
      {-1, u"", u""},
  };
  int32_t Pos = 1;
  for (const auto& E : Expected) {
    String Attribs = u"junk";
    String Content = u"junk";
    EXPECT_EQ(ReadNextTagInString(Doc, Pos, Tags, Attribs, Content), E.Index) << Pos;
    EXPECT_EQ(U8(Attribs), U8(E.Attribs)) << Pos;
    EXPECT_EQ(U8(Content), U8(E.Content)) << Pos;
  }
  EXPECT_EQ(Pos, static_cast<int32_t>(Doc.size()) + 1);
}

TEST(DetectNextTagInString, PositionsAndKinds) {
  const std::vector<String> Tags = {u"a", u"/a", u"x"};
  const String Doc = u"<!decl>..<a href=x>t</A><a/><b";
  const struct {
    int32_t Index, TagStart, PosAfter;
    const char16_t* Attribs;
    bool Empty;
  } Expected[] = {
      {0, 10, 20, u"href=x", false},
      {1, 21, 25, u"", false},
      {0, 25, 29, u"", true},
      {-1, 0, 31, u"", false},  // "<b" is cut off
  };
  int32_t Pos = 1;
  for (const auto& E : Expected) {
    int32_t TagStart = -1;
    String Attribs;
    bool Empty = !E.Empty;
    EXPECT_EQ(DetectNextTagInString(Doc, Pos, TagStart, Tags, Attribs, Empty), E.Index);
    EXPECT_EQ(TagStart, E.TagStart);
    EXPECT_EQ(Pos, E.PosAfter);
    EXPECT_EQ(U8(Attribs), U8(E.Attribs));
    EXPECT_EQ(Empty, E.Empty);
  }
  // An empty tag list has no index to give.
  int32_t Pos2 = 1;
  int32_t TagStart = 5;
  String Attribs;
  bool Empty = true;
  EXPECT_EQ(DetectNextTagInString(Doc, Pos2, TagStart, {}, Attribs, Empty), -1);
  EXPECT_EQ(Pos2, 1);
  EXPECT_EQ(TagStart, 0);
}

}  // namespace
