// Internal: the tag syntax shared by the tag reader and the searching functions,
// written once over any character source.
//
// A source has `bool Next(Char&)` (false at the end of the input) and `void TagStart()`,
// called right after the "<" of a tag has been taken.
#pragma once

#include <cstring>
#include <string>

#include "KYR_runtime.h"
#include "streams_bytes.h"
#include "streams_bytesource.h"

namespace KYR_streams::detail {

using namespace KYR_runtime;

// Characters from a stream, one byte each. Can record the bytes it consumes.
class TStreamChars {
 public:
  enum class TRecordMode {
    Off,
    All,      // every byte consumed
    FromTag,  // from the "<" of each tag on, until PauseRecording
  };

  explicit TStreamChars(TByteSource& In) : FIn(In) {}
  bool Next(Char& C) {
    uint8_t B;
    if (!FIn.Next(B)) return false;
    if (FRecording) FRecord->push_back(static_cast<char>(B));
    C = B;
    return true;
  }
  void TagStart() {
    FTagStart = FIn.Consumed() - 1;
    if (FMode == TRecordMode::FromTag) {
      FRecord->clear();
      FRecord->push_back('<');
      FRecording = true;
    }
  }
  TByteSource& Source() { return FIn; }
  // Offset (bytes consumed before it) of the "<" of the last tag started.
  int64_t LastTagStart() const { return FTagStart; }
  void SetRecord(std::string* Into, TRecordMode Mode) {
    FRecord = Into;
    FMode = Into ? Mode : TRecordMode::Off;
    FRecording = FMode == TRecordMode::All;
  }
  // In FromTag mode: stops recording until the next tag starts.
  void PauseRecording() { FRecording = FMode == TRecordMode::All; }
  // Records bytes consumed from the window directly.
  void Recorded(const uint8_t* P, size_t N) {
    if (FRecording) FRecord->append(reinterpret_cast<const char*>(P), N);
  }

 private:
  TByteSource& FIn;
  std::string* FRecord = nullptr;
  TRecordMode FMode = TRecordMode::Off;
  bool FRecording = false;
  int64_t FTagStart = -1;
};

// Characters from an open text file.
class TTextFileChars {
 public:
  explicit TTextFileChars(TextFile& F) : FFile(F) {}
  bool Next(Char& C) {
    if (Eof(FFile)) return false;
    C = ReadChar(FFile);
    return true;
  }
  void TagStart() {}

 private:
  TextFile& FFile;
};

// Steps over text and comments up to the next tag and collects its tag text (without
// "<" and ">"). False when the input ends first, also inside a tag.
template <class Src>
bool NextTagText(Src& In, String& TagText) {
  for (;;) {
    Char C;
    do {
      if (!In.Next(C)) return false;
    } while (C != u'<');
    In.TagStart();
    TagText.clear();
    bool Closed = false;
    while (In.Next(C)) {
      if (C == u'>') {
        Closed = true;
        break;
      }
      TagText.push_back(C);
    }
    if (!Closed) return false;
    if (TagText.empty() || TagText[0] != u'!') return true;
  }
}

struct TTagParts {
  String Name;  // folded to lower case
  String Attributes;
  bool EmptyElement = false;
  // A start tag: content follows up to its closing tag.
  bool HasContent() const { return !EmptyElement && !Name.empty() && Name[0] != u'/'; }
};

TTagParts SplitTagText(const String& TagText);

// True when S ends with Closing, the letters of S compared ASCII-folded (Closing is in
// lower case).
bool EndsWithFolded(const String& S, const String& Closing);

// Reads content up to and including "</" + Name + ">" (Name in lower case); the closing
// tag is not part of Content. Without a closing tag the content runs to the end.
template <class Src>
void ReadContent(Src& In, const String& Name, String& Content) {
  const String Closing = u"</" + Name + u">";
  Char C;
  while (In.Next(C)) {
    Content.push_back(C);
    if (C == u'>' && EndsWithFolded(Content, Closing)) {
      Content.resize(Content.size() - Closing.size());
      return;
    }
  }
}

// The same on a stream, a window at a time.
inline void ReadContent(TStreamChars& In, const String& Name, String& Content) {
  const String Closing = u"</" + Name + u">";
  TByteSource& Bytes = In.Source();
  for (auto W = Bytes.Window(); !W.empty(); W = Bytes.Window()) {
    const void* Gt = std::memchr(W.data(), '>', W.size());
    size_t Take =
        Gt ? static_cast<size_t>(static_cast<const uint8_t*>(Gt) - W.data()) + 1 : W.size();
    AppendBytes(Content, W.data(), Take);
    In.Recorded(W.data(), Take);
    Bytes.Consume(Take);
    if (Gt && EndsWithFolded(Content, Closing)) {
      Content.resize(Content.size() - Closing.size());
      return;
    }
  }
}

}  // namespace KYR_streams::detail
