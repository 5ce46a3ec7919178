// Searching, extracting and replacing on streams.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "KYR_streams_extract.h"
#include "streams_bytes.h"
#include "streams_tagsyntax.h"

namespace KYR_streams {

using detail::TByteSource;
using detail::TStreamChars;

namespace {

bool InFoldedList(const String& Name, const std::vector<String>& Folded, int32_t& Index) {
  for (size_t I = 0; I < Folded.size(); ++I) {
    if (Folded[I] == Name) {
      Index = static_cast<int32_t>(I);
      return true;
    }
  }
  return false;
}

// WriteBuffer takes a 32-bit count: large texts go in pieces.
void WriteAll(TStream& Dest, std::string_view Bytes) {
  constexpr size_t Piece = size_t{1} << 30;
  for (size_t At = 0; At < Bytes.size(); At += Piece)
    Dest.WriteBuffer(Bytes.data() + At, static_cast<int32_t>(std::min(Piece, Bytes.size() - At)));
}

template <class List>
std::vector<String> FoldedNames(const List& Names) {
  std::vector<String> Folded;
  for (const String& N : Names) Folded.push_back(LowerCase(N));
  return Folded;
}

}  // namespace

bool ScanStreamForXMLTag(TStream& Stream, const String& TagName, String& Attributes,
                         String& Content) {
  const String Wanted = LowerCase(TagName);
  TByteSource Bytes(Stream);
  TStreamChars In(Bytes);
  String TagText;
  while (detail::NextTagText(In, TagText)) {
    detail::TTagParts P = detail::SplitTagText(TagText);
    if (P.Name != Wanted) continue;
    String Found;
    if (P.HasContent()) detail::ReadContent(In, P.Name, Found);
    Bytes.Finish();
    Attributes = std::move(P.Attributes);
    Content = std::move(Found);
    return true;
  }
  Bytes.Finish();
  return false;
}

String ReadStreamUntilTagList(TStream& Stream, const std::vector<String>& TagList,
                              int32_t& TagIndex) {
  TagIndex = -1;
  const std::vector<String> Folded = FoldedNames(TagList);
  TByteSource Bytes(Stream, true);
  TStreamChars In(Bytes);
  std::string Read;
  In.SetRecord(&Read, TStreamChars::TRecordMode::All);
  String TagText;
  while (detail::NextTagText(In, TagText)) {
    if (!InFoldedList(detail::SplitTagText(TagText).Name, Folded, TagIndex)) continue;
    // Give the tag back: the stream stops at its "<".
    int64_t Start = In.LastTagStart();
    Bytes.FinishAt(Start);
    return detail::BytesToString(reinterpret_cast<const uint8_t*>(Read.data()),
                                 static_cast<size_t>(Start));
  }
  Bytes.Finish();
  return detail::BytesToString(reinterpret_cast<const uint8_t*>(Read.data()), Read.size());
}

int32_t ExtractFromStream(TStream& Source, TMemoryStream& Dest, const TStringList& TagNames) {
  const std::vector<String> Folded = FoldedNames(TagNames);
  TByteSource Bytes(Source);
  TStreamChars In(Bytes);
  std::string Element;  // the current tag from its "<"
  In.SetRecord(&Element, TStreamChars::TRecordMode::FromTag);
  int32_t Count = 0;
  int32_t Index = 0;
  String TagText;
  while (detail::NextTagText(In, TagText)) {
    detail::TTagParts P = detail::SplitTagText(TagText);
    if (InFoldedList(P.Name, Folded, Index)) {
      String Ignored;
      if (P.HasContent()) detail::ReadContent(In, P.Name, Ignored);
      WriteAll(Dest, Element);
      ++Count;
    }
    In.PauseRecording();
  }
  Bytes.Finish();
  return Count;
}

// --- Search and replace -------------------------------------------------------------------

namespace {

// The low 8 bits of each character.
std::string LowBytes(const String& S) {
  std::string B(S.size(), '\0');
  for (size_t I = 0; I < S.size(); ++I) B[I] = static_cast<char>(S[I] & 0xFF);
  return B;
}

std::string FoldBytes(std::string_view S) {
  std::string F(S);
  for (char& C : F) C = static_cast<char>(detail::FoldByte(static_cast<uint8_t>(C)));
  return F;
}

std::string UpperBytes(std::string_view S) {
  std::string U(S);
  for (char& C : U)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 32);
  return U;
}

// ReplaceText split into literal bytes and modifier commands.
struct TReplacePiece {
  bool IsCommand = false;
  std::string Literal;
  String Command;
};

std::vector<TReplacePiece> ParseReplacement(const String& ReplaceText, const String& Delim) {
  std::vector<TReplacePiece> Pieces;
  auto AddLiteral = [&](const String& Text) {
    if (!Text.empty()) Pieces.push_back({false, LowBytes(Text), String()});
  };
  if (Delim.empty()) {
    AddLiteral(ReplaceText);
    return Pieces;
  }
  size_t From = 0;
  for (;;) {
    size_t Open = ReplaceText.find(Delim, From);
    size_t Close =
        Open == String::npos ? String::npos : ReplaceText.find(Delim, Open + Delim.size());
    if (Close == String::npos) {
      AddLiteral(ReplaceText.substr(From));
      return Pieces;
    }
    AddLiteral(ReplaceText.substr(From, Open - From));
    String Command = ReplaceText.substr(Open + Delim.size(), Close - Open - Delim.size());
    if (Command.empty())
      AddLiteral(Delim);
    else
      Pieces.push_back({true, std::string(), std::move(Command)});
    From = Close + Delim.size();
  }
}

void AppendReplacement(std::string& Out, const std::vector<TReplacePiece>& Pieces,
                       std::string_view Match, int32_t Number, const String& Delim,
                       TSRUnknownModifierEvent OnUnknownModifier) {
  for (const TReplacePiece& P : Pieces) {
    if (!P.IsCommand) {
      Out += P.Literal;
      continue;
    }
    const String Command = LowerCase(P.Command);
    if (Command == u"match") {
      Out += Match;
    } else if (Command == u"upper") {
      Out += UpperBytes(Match);
    } else if (Command == u"lower") {
      Out += FoldBytes(Match);
    } else if (Command == u"n") {
      Out += std::to_string(Number);
    } else if (OnUnknownModifier != nullptr) {
      String Substring =
          detail::BytesToString(reinterpret_cast<const uint8_t*>(Match.data()), Match.size());
      OnUnknownModifier(P.Command, Substring);
      Out += LowBytes(Substring);
    } else {
      Out += LowBytes(Delim + P.Command + Delim);
    }
  }
}

}  // namespace

int32_t SearchAndReplace(TMemoryStream& InStream, TMemoryStream& OutStream,
                         const String& SearchText, const String& ReplaceText, bool IgnoreCase,
                         int32_t FirstMatch, int32_t MaxCount, const String& ModifierDelim,
                         TSRUnknownModifierEvent OnUnknownModifier) {
  const std::string_view Data(reinterpret_cast<const char*>(InStream.Memory()),
                              static_cast<size_t>(InStream.Size()));
  const bool CanMatch = !SearchText.empty() && std::all_of(SearchText.begin(), SearchText.end(),
                                                           [](Char C) { return C <= 255; });
  std::string Pattern = LowBytes(SearchText);
  std::string FoldedData;
  std::string_view Haystack = Data;
  if (IgnoreCase) {
    Pattern = FoldBytes(Pattern);
    FoldedData = FoldBytes(Data);
    Haystack = FoldedData;
  }
  const std::vector<TReplacePiece> Pieces = ParseReplacement(ReplaceText, ModifierDelim);

  std::string Result;
  Result.reserve(Data.size());
  int32_t Seen = 0;
  int32_t Replaced = 0;
  size_t Copied = 0;
  for (size_t From = 0; CanMatch && (MaxCount <= 0 || Replaced < MaxCount);) {
    size_t Hit = Haystack.find(Pattern, From);
    if (Hit == std::string_view::npos) break;
    From = Hit + Pattern.size();
    if (++Seen < FirstMatch) continue;
    Result.append(Data.substr(Copied, Hit - Copied));
    AppendReplacement(Result, Pieces, Data.substr(Hit, Pattern.size()), ++Replaced, ModifierDelim,
                      OnUnknownModifier);
    Copied = From;
  }
  Result.append(Data.substr(Copied));

  // Store the result only now: resizing either succeeds or leaves the old data.
  OutStream.SetSize(static_cast<int64_t>(Result.size()));
  if (!Result.empty()) std::memcpy(OutStream.Memory(), Result.data(), Result.size());
  OutStream.SetPosition(0);
  return Replaced;
}

}  // namespace KYR_streams
