// Tags in a string, in the syntax of the library's tag reader.
#include "KYR_stringl_utils.h"
#include "KYR_stringl_words.h"

namespace KYR_stringl {
namespace {

// The first of entries 0..n-2 equal to Name, otherwise n-1.
int32_t ListIndex(const String& Name, const std::vector<String>& TagList) {
  const auto Last = static_cast<int32_t>(TagList.size()) - 1;
  for (int32_t I = 0; I < Last; ++I)
    if (TagList[I] == Name) return I;
  return Last;
}

// Position of Lower (already in ASCII lower case) in S at or after From, ignoring ASCII
// case in S; npos when absent.
size_t FindFolded(const String& S, const String& Lower, size_t From) {
  if (Lower.size() > S.size()) return String::npos;
  for (size_t I = From; I + Lower.size() <= S.size(); ++I) {
    size_t K = 0;
    while (K < Lower.size() && LoCase(S[I + K]) == Lower[K]) ++K;
    if (K == Lower.size()) return I;
  }
  return String::npos;
}

int32_t DetectTag(const String& S, int32_t& Pos, int32_t& TagStart,
                  const std::vector<String>& TagList, String& Attribs, bool& EmptyElement,
                  String& Name) {
  Attribs.clear();
  Name.clear();
  EmptyElement = false;
  TagStart = 0;
  if (TagList.empty()) return -1;
  size_t I = Pos < 1 ? 0 : static_cast<size_t>(Pos) - 1;
  while (I < S.size()) {
    const size_t Open = S.find(u'<', I);
    if (Open == String::npos) break;
    const size_t Close = S.find(u'>', Open + 1);
    if (Close == String::npos) break;  // a tag cut off by the end is no tag
    I = Close + 1;
    String Text = S.substr(Open + 1, Close - Open - 1);
    if (!Text.empty() && Text[0] == u'!') continue;  // comment or declaration
    if (!Text.empty() && Text.back() == u'/') {
      EmptyElement = true;
      Text.pop_back();
    }
    const size_t Blank = Text.find(u' ');
    if (Blank != String::npos) {
      Attribs = StripLTBlanks(Text.substr(Blank + 1));
      Text.resize(Blank);
    }
    Name = LowerCase(Text);
    TagStart = static_cast<int32_t>(Open + 1);
    Pos = static_cast<int32_t>(Close + 2);
    return ListIndex(Name, TagList);
  }
  Pos = static_cast<int32_t>(S.size() + 1);
  return -1;
}

}  // namespace

int32_t DetectNextTagInString(const String& S, int32_t& Pos, int32_t& TagStart,
                              const std::vector<String>& TagList, String& Attribs,
                              bool& EmptyElement) {
  String Name;
  return DetectTag(S, Pos, TagStart, TagList, Attribs, EmptyElement, Name);
}

int32_t ReadNextTagInString(const String& S, int32_t& Pos, const std::vector<String>& TagList,
                            String& Attribs, String& Content) {
  Content.clear();
  String Name;
  int32_t TagStart = 0;
  bool EmptyElement = false;
  const int32_t Index = DetectTag(S, Pos, TagStart, TagList, Attribs, EmptyElement, Name);
  if (Index < 0 || EmptyElement || Name.empty() || Name[0] == u'/') return Index;
  const String Closing = u"</" + Name + u">";
  const auto From = static_cast<size_t>(Pos) - 1;
  const size_t At = FindFolded(S, Closing, From);
  if (At == String::npos) {
    Content = S.substr(From);
    Pos = static_cast<int32_t>(S.size() + 1);
  } else {
    Content = S.substr(From, At - From);
    Pos = static_cast<int32_t>(At + Closing.size() + 1);
  }
  return Index;
}

}  // namespace KYR_stringl
