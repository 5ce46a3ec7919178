#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "KYR_streams.h"
#include "TempDir.h"
#include "stream_kinds.h"

namespace {

using namespace KYR_streams;
using streams_test::AllKinds;
using streams_test::BytesOf;
using streams_test::KindName;
using streams_test::Latin1;
using streams_test::MakeStream;

const std::string Doc =
    "<doc><!-- <label> --><a x=1>one</a><Label id=\"7\">Hi</LABEL>"
    "<br/><label id=\"8\"/><LABEL>last</label></doc>";

TEST(ScanStreamForXMLTag, FindsNestedElementsInTurn) {
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Doc, Dir);
    String Attributes, Content;
    ASSERT_TRUE(ScanStreamForXMLTag(*S, u"LABEL", Attributes, Content));
    EXPECT_EQ(Attributes, u"id=\"7\"");
    EXPECT_EQ(Content, u"Hi");
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Doc.find("<br/>")));
    ASSERT_TRUE(ScanStreamForXMLTag(*S, u"label", Attributes, Content));
    EXPECT_EQ(Attributes, u"id=\"8\"");
    EXPECT_EQ(Content, u"");
    ASSERT_TRUE(ScanStreamForXMLTag(*S, u"label", Attributes, Content));
    EXPECT_EQ(Attributes, u"");
    EXPECT_EQ(Content, u"last");
    // Not found: the texts keep what they held and the stream is at its end.
    Attributes = u"default";
    Content = u"kept";
    EXPECT_FALSE(ScanStreamForXMLTag(*S, u"label", Attributes, Content));
    EXPECT_EQ(Attributes, u"default");
    EXPECT_EQ(Content, u"kept");
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Doc.size()));
  }
}

TEST(ReadStreamUntilTagList, StopsAtTheListedTag) {
  struct Case {
    std::string Bytes;
    std::vector<String> List;
    int32_t Index;
    std::string Text;
  } Cases[] = {
      {"text <b>bold</b> more <i>x</i>", {u"I", u"u"}, 0, "text <b>bold</b> more "},
      {"a<!-- <i> --> b<u>", {u"i", u"u"}, 1, "a<!-- <i> --> b"},
      {"<b>x</b>", {u"/b"}, 0, "<b>x"},
      {"<br/>", {u"br"}, 0, ""},
      {"no tag <i", {u"i"}, -1, "no tag <i"},
      {"<b>x</b>", {}, -1, "<b>x</b>"},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " " << C.Bytes);
      auto S = MakeStream(Kind, C.Bytes, Dir);
      int32_t Index = 99;
      EXPECT_EQ(ReadStreamUntilTagList(*S, C.List, Index), Latin1(C.Text));
      EXPECT_EQ(Index, C.Index);
      EXPECT_EQ(S->Position(), static_cast<int64_t>(Index < 0 ? C.Bytes.size() : C.Text.size()));
    }
  }
  // The tag itself is left for the tag reader.
  auto S = TStringStream::FromBytes("intro <item k=\"v\">body</item>");
  int32_t Index;
  ReadStreamUntilTagList(*S, {u"item"}, Index);
  String Attributes, Content;
  EXPECT_EQ(ReadNextTagInStream(*S, {u"item", u"dummy"}, Attributes, Content), 0);
  EXPECT_EQ(Content, u"body");
}

TEST(ExtractFromStream, CopiesListedElementsByteForByte) {
  using namespace std::string_literals;
  const std::string Source =
      "<r>\r\n<a>1</a><b/><A k='v'>2\xe9<x/></a><c>3</c><a>unclosed \x00 tail"s;
  const std::string Expected = "X<a>1</a><b/><A k='v'>2\xe9<x/></a><a>unclosed \x00 tail"s;
  kyr_test::TempDir Dir;
  for (auto Kind : AllKinds) {
    SCOPED_TRACE(KindName(Kind));
    auto S = MakeStream(Kind, Source, Dir);
    TMemoryStream Dest;
    WriteStringStream(Dest, u"X");
    EXPECT_EQ(ExtractFromStream(*S, Dest, TStringList{u"A", u"b"}), 4);
    EXPECT_EQ(BytesOf(Dest), Expected);
    EXPECT_EQ(S->Position(), static_cast<int64_t>(Source.size()));
  }
}

// --- Search and replace ----------------------------------------------------------------

void Bracket(String Command, String& Substring) {
  Substring = u"[" + Command + u":" + Substring + u"]";
}
void Fails(String, String&) {
  throw std::runtime_error("handler failed");
}

TEST(SearchAndReplace, ReplacementsAndModifiers) {
  struct Case {
    const char* What;
    std::string Input;
    String Search;
    String Replace;
    bool IgnoreCase;
    int32_t First;
    int32_t Max;
    String Delim;
    TSRUnknownModifierEvent Handler;
    std::string Output;
    int32_t Count;
  } Cases[] = {
      {"case matters", "a cat, a Cat", u"cat", u"dog", false, 1, 0, u"", nullptr, "a dog, a Cat",
       1},
      {"case ignored", "a cat, a Cat", u"CAT", u"dog", true, 0, 0, u"", nullptr, "a dog, a dog", 2},
      {"second only", "x x x", u"x", u"y", false, 2, 1, u"", nullptr, "x y x", 1},
      {"no overlaps, no rescans", "aaaa", u"aa", u"aaa", false, 1, 0, u"", nullptr, "aaaaaa", 2},
      {"modifiers", "one Two", u"TWO", u"<%match%|%upper%|%lower%|#%N%|%%>", true, 1, 0, u"%",
       nullptr, "one <Two|TWO|two|#1|%>", 1},
      {"numbers count replacements", "a a a", u"a", u"%n%", false, 2, 0, u"%", nullptr, "a 1 2", 2},
      {"unknown modifier kept without handler", "x", u"x", u"%who%", false, 1, 0, u"%", nullptr,
       "%who%", 1},
      {"unknown modifier to the handler", "xy", u"x", u"%Who%", false, 1, 0, u"%", Bracket,
       "[Who:x]y", 1},
      {"two-character delimiter, unclosed", "x", u"x", u"{{match{{-{{open", false, 1, 0, u"{{",
       nullptr, "x-{{open", 1},
      {"no delimiter: literal", "x", u"x", u"%match%", false, 1, 0, u"", nullptr, "%match%", 1},
      {"empty search", "abc", u"", u"z", false, 1, 0, u"", nullptr, "abc", 0},
      {"search beyond 8 bits", "Ab", u"\u0141", u"z", false, 1, 0, u"", nullptr, "Ab", 0},
      {"8-bit data kept", std::string("\0\xff\xe9x", 4), u"\u00e9", u"\u00c9", true, 1, 0, u"",
       nullptr, std::string("\0\xff\xc9x", 4), 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    auto In = TStringStream::FromBytes(C.Input);
    In->SetPosition(1);
    TMemoryStream Out;
    WriteStringStream(Out, u"old content");
    EXPECT_EQ(SearchAndReplace(*In, Out, C.Search, C.Replace, C.IgnoreCase, C.First, C.Max, C.Delim,
                               C.Handler),
              C.Count);
    EXPECT_EQ(BytesOf(Out), C.Output);
    EXPECT_EQ(Out.Position(), 0);
    EXPECT_EQ(BytesOf(*In), C.Input);
    EXPECT_EQ(In->Position(), 1);
  }
}

TEST(SearchAndReplace, NeverLosesTheInput) {
  // In place: the same stream receives the result.
  auto S = TStringStream::FromBytes("one two one");
  EXPECT_EQ(SearchAndReplace(*S, *S, u"one", u"three", false, 1, 0, u"", nullptr), 2);
  EXPECT_EQ(BytesOf(*S), "three two three");

  // A failing handler leaves both streams as they were.
  auto In = TStringStream::FromBytes("abc");
  TMemoryStream Out;
  WriteStringStream(Out, u"keep");
  EXPECT_THROW(SearchAndReplace(*In, Out, u"b", u"%x%", false, 1, 0, u"%", Fails),
               std::runtime_error);
  EXPECT_EQ(BytesOf(*In), "abc");
  EXPECT_EQ(BytesOf(Out), "keep");
  EXPECT_THROW(SearchAndReplace(*In, *In, u"b", u"%x%", false, 1, 0, u"%", Fails),
               std::runtime_error);
  EXPECT_EQ(BytesOf(*In), "abc");
}

}  // namespace
