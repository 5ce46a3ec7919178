#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KYR_streams.h"
#include "TempDir.h"
#include "stream_kinds.h"

namespace {

using namespace KYR_streams;
using streams_test::AllKinds;
using streams_test::KindName;
using streams_test::Latin1;
using streams_test::MakeStream;

struct Element {
  int32_t Index;
  std::string Attributes;
  std::string Content;
};

TEST(ReadNextTagInStream, ElementsOfTheTagSyntax) {
  const std::vector<String> List = {u"a", u"b", u"label", u"/custtextlbl", u"?xml", u"dummy"};
  struct Case {
    const char* What;
    std::string Bytes;
    std::vector<Element> Elements;
  } Cases[] = {
      {"tag list rule",
       "<a>1</a><b>2</b><x>3</x><dummy>4</dummy>",
       {{0, "", "1"}, {1, "", "2"}, {5, "", "3"}, {5, "", "4"}}},
      {"closing tag in other case", "<Label id=\"7\">Hello</LABEL>", {{2, "id=\"7\"", "Hello"}}},
      {"comments are skipped", "<!-- note --><a>1</a>", {{0, "", "1"}}},
      {"a comment ends at its first >", "<!-- x > y --><a>1</a>", {{0, "", "1"}}},
      {"processing instruction swallows the rest",
       "<?xml version=\"1.0\"?>\r\n<a>1</a>",
       {{4, "version=\"1.0\"?", "\r\n<a>1</a>"}}},
      {"empty elements",
       "<b x=\"1\" y=\"2\" /><b/><B  k=v/>",
       {{1, "x=\"1\" y=\"2\"", ""}, {1, "", ""}, {1, "k=v", ""}}},
      {"end tag keeps its slash and reads no content",
       "</CustTextLbl>rest<a>1</a>",
       {{3, "", ""}, {0, "", "1"}}},
      {"content kept as read", "<a>  x\r\n\t<b>y</b> </a>", {{0, "", "  x\r\n\t<b>y</b> "}}},
      {"the first closing tag ends nested elements",
       "<a>1<a>2</a>3</a>",
       {{0, "", "1<a>2"}, {5, "", ""}}},
      {"missing closing tag", "<a>abc<b>", {{0, "", "abc<b>"}}},
      {"attributes trimmed, only the blank separates",
       "<a   k=1   >x</a><a\tb>y</a\tb>",
       {{0, "k=1", "x"}, {5, "", "y"}}},
      // ASCII folding only: 0xC9 and 0xE9 are different names.
      {"bytes above 127 and NUL",
       std::string("<\xc9>\0x\xff</\xc9><\xc9>y</\xe9>", 18),
       {{5, "", std::string("\0x\xff", 3)}, {5, "", "y</\xe9>"}}},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << ": " << C.What);
      auto S = MakeStream(Kind, C.Bytes, Dir);
      for (const Element& E : C.Elements) {
        String Attributes, Content;
        EXPECT_EQ(ReadNextTagInStream(*S, List, Attributes, Content), E.Index);
        EXPECT_EQ(Attributes, Latin1(E.Attributes));
        EXPECT_EQ(Content, Latin1(E.Content));
      }
    }
  }
}

TEST(ReadNextTagInStream, LeavesTheStreamAfterTheElement) {
  const std::string Bytes = "pre<Label id=\"7\">Hello</LABEL>after</x>";
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Bytes, Dir);
    String Attributes, Content;
    EXPECT_EQ(ReadNextTagInStream(*S, {u"label", u"dummy"}, Attributes, Content), 0);
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.find("after")));
    // An end tag is consumed up to its ">" only.
    EXPECT_EQ(ReadNextTagInStream(*S, {u"/x", u"dummy"}, Attributes, Content), 0);
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.size()));
  }
}

TEST(ReadNextTagInStream, EndOfInputAndCutOffTags) {
  struct Case {
    std::string Bytes;
    std::vector<String> List;
    int32_t Index;
  } Cases[] = {
      {"no tags here", {u"x", u"dummy"}, 1},
      {"no tags here", {u"x", u"", u"dummy"}, 1},
      {"", {u"dummy"}, 0},
      // A "<" whose ">" never comes is no tag.
      {"text <abc def", {u"abc", u"dummy"}, 1},
      {"<", {u"", u"dummy"}, 0},
      {"<a>1</a>", {}, -1},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " " << C.Bytes);
      auto S = MakeStream(Kind, C.Bytes, Dir);
      String Attributes = u"old", Content = u"old";
      EXPECT_EQ(ReadNextTagInStream(*S, C.List, Attributes, Content), C.Index);
      if (!C.List.empty()) {
        EXPECT_EQ(Attributes, u"");
        EXPECT_EQ(Content, u"");
        EXPECT_EQ(S->Position(), static_cast<int64_t>(C.Bytes.size()));
      }
    }
  }
}

TEST(ReadNextTagElement, ReportsNamesAndTheEnd) {
  auto S = TStringStream::FromBytes("<Doc v=\"1\"><p/></doc>");
  TTagElement E = ReadNextTagElement(*S);
  EXPECT_TRUE(E.Found);
  EXPECT_EQ(E.Name, u"doc");
  EXPECT_EQ(E.Attributes, u"v=\"1\"");
  EXPECT_EQ(E.Content, u"<p/>");
  EXPECT_FALSE(E.EmptyElement);
  E = ReadNextTagElement(*S);
  EXPECT_FALSE(E.Found);
  EXPECT_EQ(E.Name, u"");
}

TEST(ReadNextTagInTextFile, ReadsElementsLineAfterLine) {
  kyr_test::TempDir Dir;
  // The text file decodes Windows-1252: the byte 0x80 is the euro sign.
  Dir.Write("label.xml",
            "<!-- saved -->\r\n<custtextlbl id=\"x\">\r\n  <caption text=\"\x80 5\"/>\r\n"
            "</custtextlbl>\r\n<posxy x=\"1\" y=\"2\" />");
  TextFile F;
  AssignFile(F, Dir.FileS("label.xml"));
  Reset(F);
  const std::vector<String> List = {u"custtextlbl", u"caption", u"posxy", u"dummy"};
  String Attributes, Content;
  EXPECT_EQ(ReadNextTagInTextFile(F, List, Attributes, Content), 0);
  EXPECT_EQ(Attributes, u"id=\"x\"");
  EXPECT_EQ(Content, u"\r\n  <caption text=\"\u20ac 5\"/>\r\n");
  EXPECT_EQ(ReadNextTagInTextFile(F, List, Attributes, Content), 2);
  EXPECT_EQ(Attributes, u"x=\"1\" y=\"2\"");
  EXPECT_TRUE(Eof(F));
  EXPECT_EQ(ReadNextTagInTextFile(F, List, Attributes, Content), 3);
  EXPECT_FALSE(ReadNextTagElement(F).Found);
  CloseFile(F);
}

// --- Attributes ---------------------------------------------------------------------------

TEST(ScanForXMLAttrib, Values) {
  struct Case {
    String Text;
    String Name;
    String Value;
  } Cases[] = {
      {u"x=\"a=b\"", u"X", u"a=b"},
      {u"x=\"1 2\"  size=10", u"size", u"10"},
      {u"x=\"1 2\"  size=10", u"x", u"1 2"},
      {u"  Id =   7  ", u"id", u"7"},
      {u"a=1 a=2", u"a", u"1"},
      {u"a=1 b=2", u"c", u""},
      {u"x=\"open", u"x", u"open"},
      {u"a=1\"b=2", u"b", u"2"},  // a plain value also ends at a quote
      {u"a=1 b\"=2", u"a", u"1"},
      // Malformed text stops the search with the empty string.
      {u"x\"", u"x", u""},
      {u"x==1", u"x", u""},
      {u"x=1=2", u"x", u""},
      {u"a=1 b\"=2 c=3", u"c", u""},
      {u"", u"x", u""},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ScanForXMLAttrib(C.Text, C.Name), C.Value)
        << testing::PrintToString(KYR_runtime::StringToUtf8(C.Text));
}

TEST(ScanNextXMLAttrib, CodesAndPositions) {
  struct Case {
    String Text;
    int32_t From;
    int32_t Code;
    String Name;
    String Value;
    int32_t After;
  } Cases[] = {
      {u"x=1 y=2", 1, xaRead, u"x", u"1", 5},
      {u"x=1 y=2", 5, xaRead, u"y", u"2", 8},
      {u"  n  =  \"v w\"rest", 1, xaRead, u"n", u"v w", 14},
      {u"abc", 1, xaRead, u"abc", u"", 4},
      {u"x\"", 1, xaQuoteInName, u"x", u"", 3},
      {u"x==1", 1, xaSecondEquals, u"x", u"", 4},
      {u"x=1=2", 1, xaEqualsInValue, u"x", u"1", 5},
      {u"", 1, xaNothingLeft, u"", u"", 1},
      {u"abc", 9, xaNothingLeft, u"", u"", 9},
  };
  for (const Case& C : Cases) {
    int32_t Position = C.From;
    String Name = u"old", Value = u"old";
    EXPECT_EQ(ScanNextXMLAttrib(C.Text, Position, Name, Value), C.Code);
    EXPECT_EQ(Name, C.Name);
    EXPECT_EQ(Value, C.Value);
    EXPECT_EQ(Position, C.After);
  }
}

}  // namespace
