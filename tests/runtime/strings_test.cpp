#include "KYR_runtime_strings.h"

#include <gtest/gtest.h>

using namespace KYR_runtime;

namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const String S = u"a\u00e9\u20ac\U0001F600z";
  EXPECT_EQ(Utf8ToString(StringToUtf8(S)), S);
  EXPECT_EQ(StringToUtf8(u"\u00e9"), "\xc3\xa9");
}

TEST(Utf8, InvalidSequencesBecomeOneReplacementEach) {
  struct Case {
    std::string In;
    String Out;
  };
  const Case Cases[] = {
      {"a\xff"
       "b",
       u"a\uFFFDb"},
      {"\xc3", u"\uFFFD"},            // truncated at the end
      {"\xc0\xaf", u"\uFFFD\uFFFD"},  // C0 never starts a sequence
      {"\xed\xa0\x80", u"\uFFFD"},    // encoded surrogate
      {"\xe2\x82"
       "x",
       u"\uFFFDx"},                     // truncated in the middle
      {"\xf4\x90\x80\x80", u"\uFFFD"},  // above U+10FFFF
  };
  for (const Case& C : Cases) EXPECT_EQ(Utf8ToString(C.In), C.Out) << C.In;
  // An unpaired surrogate in UTF-16 is written as U+FFFD.
  EXPECT_EQ(StringToUtf8(String(1, Char(0xD800))), "\xef\xbf\xbd");
}

TEST(Windows1252, EveryByteRoundTrips) {
  std::string All;
  for (int B = 0; B < 256; ++B) All.push_back(static_cast<char>(B));
  String Text = AnsiToString(All);
  EXPECT_EQ(Text[0x80], u'\u20AC');
  EXPECT_EQ(Text[0x9F], u'\u0178');
  EXPECT_EQ(Text[0x81], u'\u0081');  // undefined bytes keep their code
  EXPECT_EQ(Text[0xE9], u'\u00E9');
  EXPECT_EQ(StringToAnsi(Text), All);
}

TEST(Windows1252, CharactersOutsideBecomeQuestionMarks) {
  EXPECT_EQ(StringToAnsi(u"a\u0100\u4e2d\U0001F600"), "a????");
  EXPECT_EQ(CharToAnsiChar(u'\u2122'), 0x99);
}

TEST(ShortString, CutsAt255AndEncodes) {
  ShortString S(String(300, u'x'));
  EXPECT_EQ(S.Length(), 255);
  ShortString E(u"\u20ac1");
  EXPECT_EQ(E.Bytes(),
            "\x80"
            "1");
  EXPECT_EQ(E.ToString(), u"\u20ac1");
  EXPECT_EQ(ShortString::FromBytes(std::string(256, 'a')).Length(), 255);
  EXPECT_TRUE(ShortString(u"ab") == ShortString::FromBytes("ab"));
}

TEST(Search, PosAndPosEx) {
  EXPECT_EQ(Pos(u"b", u"abcb"), 2);
  EXPECT_EQ(Pos(u"", u"abc"), 0);
  EXPECT_EQ(Pos(u"x", u""), 0);
  EXPECT_EQ(PosEx(u"b", u"abcb", 3), 4);
  EXPECT_EQ(PosEx(u"b", u"abcb", 0), 0);
  EXPECT_EQ(PosEx(u"b", u"abcb", 5), 0);
  EXPECT_EQ(StrPos(String(u"ab\0cd", 5), u"cd"), 0);
  EXPECT_EQ(StrPos(u"abcd", String(u"c\0x", 3)), 3);
}

TEST(Search, CopyDeleteInsertClipOutOfRange) {
  EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
  EXPECT_EQ(Copy(u"abc", 0, 2), u"ab");
  EXPECT_EQ(Copy(u"abc", 3, 100), u"c");
  EXPECT_EQ(Copy(u"abc", 4, 1), u"");
  EXPECT_EQ(Copy(u"abc", 1, -1), u"");
  String S = u"abcdef";
  Delete(S, 2, 2);
  EXPECT_EQ(S, u"adef");
  Delete(S, 10, 1);
  Delete(S, 0, 1);
  EXPECT_EQ(S, u"adef");
  Delete(S, 3, 100);
  EXPECT_EQ(S, u"ad");
  Insert(u"XY", S, 2);
  EXPECT_EQ(S, u"aXYd");
  Insert(u"!", S, 99);
  EXPECT_EQ(S, u"aXYd!");
}

TEST(CaseFolding, AsciiChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase(u"abz\u00e9{"), u"ABZ\u00e9{");
  EXPECT_EQ(LowerCase(u"ABZ\u00c9@["), u"abz\u00c9@[");
  EXPECT_EQ(UpCase(u'\u00e9'), u'\u00e9');
  EXPECT_EQ(CompareText(u"abc", u"ABD"), -1);
  EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
}

TEST(CaseFolding, LocaleFoldsEveryLetter) {
  EXPECT_EQ(AnsiUpperCase(u"\u00e9\u00e4\u03b1z"), u"\u00c9\u00c4\u0391Z");
  EXPECT_EQ(AnsiLowerCase(u"\u00c9\u0391"), u"\u00e9\u03b1");
  EXPECT_EQ(AnsiStrIComp(u"\u00c9t\u00e9", u"\u00e9T\u00c9"), 0);
  EXPECT_LT(AnsiStrIComp(u"a", u"B"), 0);
  // NUL-terminated comparison: text after a NUL does not count.
  EXPECT_EQ(AnsiStrIComp(String(u"ab\0x", 4), String(u"AB\0y", 4)), 0);
  EXPECT_EQ(AnsiStrLIComp(u"abcX", u"ABCy", 3), 0);
  EXPECT_NE(AnsiStrLIComp(u"abcX", u"ABCy", 4), 0);
}

}  // namespace
