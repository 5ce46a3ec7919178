// The tag reader and the attribute scanner.
#include "KYR_streams_tags.h"
#include "KYR_stringl_utils.h"
#include "streams_tagsyntax.h"

namespace KYR_streams {

namespace detail {

TTagParts SplitTagText(const String& TagText) {
  TTagParts P;
  String Body = TagText;
  if (!Body.empty() && Body.back() == u'/') {
    P.EmptyElement = true;
    Body.pop_back();
  }
  size_t Blank = Body.find(u' ');
  if (Blank == String::npos) {
    P.Name = LowerCase(Body);
  } else {
    P.Name = LowerCase(Body.substr(0, Blank));
    P.Attributes = KYR_stringl::StripLTBlanks(Body.substr(Blank + 1));
  }
  return P;
}

bool EndsWithFolded(const String& S, const String& Closing) {
  if (S.size() < Closing.size()) return false;
  size_t From = S.size() - Closing.size();
  for (size_t I = 0; I < Closing.size(); ++I)
    if (LoCase(S[From + I]) != Closing[I]) return false;
  return true;
}

}  // namespace detail

namespace {

template <class Src>
TTagElement ReadElement(Src& In) {
  TTagElement E;
  String TagText;
  if (!detail::NextTagText(In, TagText)) return E;
  detail::TTagParts P = detail::SplitTagText(TagText);
  E.Found = true;
  E.EmptyElement = P.EmptyElement;
  E.Attributes = std::move(P.Attributes);
  if (P.HasContent()) detail::ReadContent(In, P.Name, E.Content);
  E.Name = std::move(P.Name);
  return E;
}

// Entries 0 to n-2 are compared; the last one stands for every other name.
int32_t TagListIndex(const String& Name, const std::vector<String>& TagList) {
  int32_t Last = static_cast<int32_t>(TagList.size()) - 1;
  for (int32_t I = 0; I < Last; ++I)
    if (TagList[static_cast<size_t>(I)] == Name) return I;
  return Last;
}

int32_t Deliver(TTagElement E, const std::vector<String>& TagList, String& Attributes,
                String& Content) {
  Attributes = std::move(E.Attributes);
  Content = std::move(E.Content);
  return TagListIndex(E.Name, TagList);
}

}  // namespace

TTagElement ReadNextTagElement(TStream& Stream) {
  detail::TByteSource Bytes(Stream);
  detail::TStreamChars In(Bytes);
  TTagElement E = ReadElement(In);
  Bytes.Finish();
  return E;
}

TTagElement ReadNextTagElement(TextFile& F) {
  detail::TTextFileChars In(F);
  return ReadElement(In);
}

int32_t ReadNextTagInStream(TStream& Stream, const std::vector<String>& TagList, String& Attributes,
                            String& Content) {
  Attributes.clear();
  Content.clear();
  return Deliver(ReadNextTagElement(Stream), TagList, Attributes, Content);
}

int32_t ReadNextTagInTextFile(TextFile& F, const std::vector<String>& TagList, String& Attributes,
                              String& Content) {
  Attributes.clear();
  Content.clear();
  return Deliver(ReadNextTagElement(F), TagList, Attributes, Content);
}

// --- Attributes ---------------------------------------------------------------------------

int32_t ScanNextXMLAttrib(const String& AttribText, int32_t& Position, String& Name,
                          String& Value) {
  Name.clear();
  Value.clear();
  if (Position < 1) Position = 1;
  const auto Length = static_cast<int64_t>(AttribText.size());
  if (Position > Length) return xaNothingLeft;
  enum class TState { Name, BeforeValue, Quoted, Plain };
  TState State = TState::Name;
  int32_t Code = xaRead;
  bool Stop = false;
  while (!Stop && Position <= Length) {
    Char C = AttribText[static_cast<size_t>(Position - 1)];
    ++Position;
    switch (State) {
      case TState::Name:
        if (C == u'"') {
          Code = xaQuoteInName;
          Stop = true;
        } else if (C == u'=') {
          State = TState::BeforeValue;
        } else {
          Name.push_back(C);
        }
        break;
      case TState::BeforeValue:
        if (C == u'"') {
          State = TState::Quoted;
        } else if (C == u'=') {
          Code = xaSecondEquals;
          Stop = true;
        } else if (C != u' ') {
          Value.push_back(C);
          State = TState::Plain;
        }
        break;
      case TState::Quoted:
        if (C == u'"')
          Stop = true;
        else
          Value.push_back(C);
        break;
      case TState::Plain:
        if (C == u' ' || C == u'"') {
          Stop = true;
        } else if (C == u'=') {
          Code = xaEqualsInValue;
          Stop = true;
        } else {
          Value.push_back(C);
        }
        break;
    }
  }
  Name = KYR_stringl::StripLTBlanks(Name);
  return Code;
}

String ScanForXMLAttrib(const String& AttribText, const String& AttribName) {
  const String Wanted = LowerCase(AttribName);
  int32_t Position = 1;
  String Name, Value;
  while (ScanNextXMLAttrib(AttribText, Position, Name, Value) == xaRead)
    if (LowerCase(Name) == Wanted) return Value;
  return String();
}

}  // namespace KYR_streams
