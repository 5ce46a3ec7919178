#include "streams_bytesource.h"

#include <algorithm>
#include <typeinfo>

namespace KYR_streams::detail {

namespace {

constexpr int32_t MaxChunk = 64 * 1024;

enum class TStreamClass { Memory, File, Other };

// The exact class (a subclass may give Read a meaning of its own). Comparing type_info
// addresses settles the usual case; names are compared only when no address matches.
TStreamClass ClassOf(const TStream& Stream) {
  const std::type_info& T = typeid(Stream);
  if (&T == &typeid(TFileStream)) return TStreamClass::File;
  if (&T == &typeid(TMemoryStream) || &T == &typeid(TStringStream)) return TStreamClass::Memory;
  if (T == typeid(TFileStream)) return TStreamClass::File;
  if (T == typeid(TMemoryStream) || T == typeid(TStringStream)) return TStreamClass::Memory;
  return TStreamClass::Other;
}

}  // namespace

TByteSource::TByteSource(TStream& Stream, bool MayReadAhead, int32_t InitialChunk)
    : FStream(Stream), FChunk(std::clamp(InitialChunk, 1, MaxChunk)) {
  const TStreamClass Class = ClassOf(Stream);
  if (Class == TStreamClass::Memory) {
    FKind = TKind::Memory;
    auto& M = static_cast<TMemoryStream&>(Stream);
    FStart = M.Position();
    int64_t Size = M.Size();
    if (FStart < Size) {
      FCur = M.Memory() + FStart;
      FEnd = M.Memory() + Size;
      FFetched = Size - FStart;
    }
  } else if (Class == TStreamClass::File || MayReadAhead) {
    FKind = TKind::Chunked;
  } else {
    FKind = TKind::Bytewise;
    FChunk = 1;
  }
}

TByteSource::~TByteSource() {
  if (FFinished) return;
  // Reached only when the caller is left by an exception: put the read-ahead back as
  // far as possible, without raising from a destructor.
  try {
    Finish();
  } catch (...) {
  }
}

bool TByteSource::Refill() {
  if (FKind == TKind::Memory) return false;
  uint8_t* Buffer = FSmall.data();
  if (static_cast<size_t>(FChunk) > FSmall.size()) {
    if (FBuffer.size() < static_cast<size_t>(FChunk)) FBuffer.resize(static_cast<size_t>(FChunk));
    Buffer = FBuffer.data();
  }
  int32_t N = FStream.Read(Buffer, FChunk);
  if (N <= 0) {
    FCur = FEnd = Buffer;
    return false;
  }
  FFetched += N;
  FCur = Buffer;
  FEnd = FCur + N;
  if (FKind == TKind::Chunked) FChunk = std::min(FChunk * 2, MaxChunk);
  return true;
}

int64_t TByteSource::RemainingHint() {
  switch (FKind) {
    case TKind::Memory:
      return FEnd - FCur;
    case TKind::Chunked:
      if (ClassOf(FStream) == TStreamClass::File)
        return std::max<int64_t>(0, FStream.Size() - FStream.Position()) + (FEnd - FCur);
      return 0;
    case TKind::Bytewise:
      return 0;
  }
  return 0;
}

void TByteSource::FinishAt(int64_t Offset) {
  FFinished = true;
  if (FKind == TKind::Memory) {
    // Nothing consumed leaves even a position beyond the end untouched.
    if (Offset > 0) FStream.SetPosition(FStart + Offset);
    return;
  }
  int64_t Back = FFetched - Offset;
  if (Back > 0) FStream.Seek(-Back, soCurrent);
}

}  // namespace KYR_streams::detail
