// `kyr call` entries for number and time formatting and for words, tokens, lines,
// parameters, uuencoding and tags. Routines with out parameters are wrapped so that
// their results come back as text.
#include "KYR_stringl_format.h"
#include "KYR_stringl_utils.h"
#include "KYR_stringl_words.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_stringl;

// "[text]", so that blanks and empty results stay visible.
String Bracketed(const String& S) {
  return u"[" + S + u"]";
}

String WordAt(const String& S, int32_t Pos) {
  int32_t Start = 0;
  int32_t End = 0;
  const String Word = ExtractWordFromString(S, Pos, Start, End);
  return IntToStr(Start) + u" " + IntToStr(End) + u" " + Bracketed(Word);
}

String TokenLines(int32_t Count, const TOpenStringArray& Tokens) {
  String Out = IntToStr(Count);
  for (const String& T : Tokens) {
    Out += u'\n';
    Out += Bracketed(T);
  }
  return Out;
}

String TokenizeText(const String& S, const String& Delim) {
  TOpenStringArray Tokens;
  const int32_t Count = Tokenize(S, Delim, Tokens);
  return TokenLines(Count, Tokens);
}

String TokenizeEscaped(const String& S, const String& Delim, Char Esc) {
  TOpenStringArray Tokens;
  const int32_t Count = Tokenize(S, Delim, Esc, Tokens);
  return TokenLines(Count, Tokens);
}

// Every line ReadLnString gives, until the end flag is set.
String ReadLines(const String& S, int32_t Mode) {
  String Out;
  int32_t Pos = 1;
  bool End = false;
  while (!End) {
    const String Line = ReadLnString(S, Pos, End, Mode);
    if (!Out.empty()) Out += u"\n";
    Out += Bracketed(Line) + (End ? u" end" : u"");
  }
  return Out;
}

String QuotedName(const String& S, Char Quote) {
  String Name;
  TQuotedStrState State = vsStart;
  const String In = S + u'\0';
  size_t I = 0;
  while (I < In.size() && ParseQuotedName(In[I], Quote, Name, State)) ++I;
  return Bracketed(Name) + u" after " + IntToStr(static_cast<int64_t>(I)) + u" characters";
}

String LineCoords(const String& S, int32_t Pos) {
  int32_t Line = 0;
  int32_t Col = 0;
  if (!TextLineCoords(S, Pos, Line, Col)) return u"outside the text";
  return u"line " + IntToStr(Line) + u", column " + IntToStr(Col);
}

String ReadTags(const String& S, const std::vector<String>& TagList) {
  String Out;
  int32_t Pos = 1;
  while (true) {
    String Attribs;
    String Content;
    const int32_t Index = ReadNextTagInString(S, Pos, TagList, Attribs, Content);
    if (Index < 0) break;
    Out += IntToStr(Index) + u" " + Bracketed(Attribs) + u" " + Bracketed(Content) + u"\n";
  }
  return Out + u"end";
}

String DetectTags(const String& S, const std::vector<String>& TagList) {
  String Out;
  int32_t Pos = 1;
  while (true) {
    int32_t TagStart = 0;
    String Attribs;
    bool Empty = false;
    const int32_t Index = DetectNextTagInString(S, Pos, TagStart, TagList, Attribs, Empty);
    if (Index < 0) break;
    Out += IntToStr(Index) + u" at " + IntToStr(TagStart) + u" " + Bracketed(Attribs) +
           (Empty ? u" empty" : u"") + u"\n";
  }
  return Out + u"end";
}

}  // namespace

void RegisterStringlFormatCalls(CallTable& Calls) {
  using SigDig3Fn = String (*)(double, int32_t, int32_t);
  using SigDig4Fn = String (*)(double, int32_t, int32_t, bool);
  using WordFn = String (*)(const String&, int32_t);

  Calls["strff"] = MakeCall("strff(X, W, D)", &strff);
  Calls["strffForcePlus"] = MakeCall("strffForcePlus(X, W, D)", &strffForcePlus);
  Calls["FormatData"] = MakeCall("FormatData(X, W, D)", &FormatData);
  Calls["SigDigStr"] = MakeCall("SigDigStr(X, W, N)", static_cast<SigDig3Fn>(&SigDigStr));
  Calls["SigDigStrTrim"] =
      MakeCall("SigDigStrTrim(X, W, N, Trim)", static_cast<SigDig4Fn>(&SigDigStr));
  Calls["AutoFormatData"] = MakeCall("AutoFormatData(X, N)", &AutoFormatData);
  Calls["TimeString"] = MakeCall("TimeString(Secs, Format)", &TimeString);
  Calls["BinString"] = MakeCall("BinString(Flag, TrueText, FalseText)", &BinString);

  Calls["CountWords"] = MakeCall("CountWords(S)", &CountWords);
  Calls["ExtractWordFromString"] =
      MakeCall("ExtractWordFromString(S, Pos)", static_cast<WordFn>(&ExtractWordFromString));
  Calls["ExtractWordBounds"] = MakeCall("ExtractWordBounds(S, Pos): start, end and word", &WordAt);
  Calls["ExtractSubString"] = MakeCall("ExtractSubString(S, Index, Delim)", &ExtractSubString);
  Calls["Tokenize"] = MakeCall("Tokenize(S, Delim): count and tokens", &TokenizeText);
  Calls["TokenizeEsc"] =
      MakeCall("TokenizeEsc(S, Delim, EscChar): count and tokens", &TokenizeEscaped);
  Calls["ReadLnString"] = MakeCall("ReadLnString(S, Mode): every line", &ReadLines);
  Calls["ParseQuotedName"] = MakeCall("ParseQuotedName(S, Quote)", &QuotedName);
  Calls["ExtractParam"] = MakeCall("ExtractParam(S, Index, Sep, Quote, Default)", &ExtractParam);
  Calls["UUEncodeStr"] = MakeCall("UUEncodeStr(S)", &UUEncodeStr);
  Calls["UUDecodeStr"] = MakeCall("UUDecodeStr(S)", &UUDecodeStr);
  Calls["TextLineCoords"] = MakeCall("TextLineCoords(S, Pos)", &LineCoords);
  Calls["ReadNextTagInString"] = MakeCall("ReadNextTagInString(S, Tag...): every tag", &ReadTags);
  Calls["DetectNextTagInString"] =
      MakeCall("DetectNextTagInString(S, Tag...): every tag", &DetectTags);
  Calls["Scramble"] = MakeCall("Scramble(S)", &Scramble);
  Calls["DeScramble"] = MakeCall("DeScramble(S)", &DeScramble);
}

}  // namespace kyr_tool
