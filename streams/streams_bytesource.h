// Internal: reads a stream in windows of bytes while callers consume them one by one.
//
// The functions of this module are specified as reading one byte per Read call and
// leaving the stream right after the last byte they used. TByteSource gives them the
// same observable result at memory speed:
// - the runtime's memory and string streams are read in place, and the position is set
//   once at the end;
// - file streams, and any stream when the caller repositions anyway, are read in growing
//   chunks, and the bytes read ahead are given back with one relative Seek at the end;
// - any other stream is read one byte per Read call, exactly as specified, since it may
//   not be able to seek.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "KYR_runtime.h"

namespace KYR_streams::detail {

using namespace KYR_runtime;

class TByteSource {
 public:
  // Chunked reads start at InitialChunk bytes and double up to MaxChunk. With
  // MayReadAhead, a stream of unknown kind is read in chunks as well; the caller then
  // accepts that Finish seeks on it.
  explicit TByteSource(TStream& Stream, bool MayReadAhead = false, int32_t InitialChunk = 256);
  ~TByteSource();
  TByteSource(const TByteSource&) = delete;
  TByteSource& operator=(const TByteSource&) = delete;

  // The unconsumed bytes at hand, refilled when all are consumed; empty at the end.
  std::span<const uint8_t> Window() {
    if (FCur == FEnd) Refill();
    return {FCur, FEnd};
  }
  // Marks the first N bytes of the window as used.
  void Consume(size_t N) { FCur += N; }
  // Takes the next byte; false at the end of the stream.
  bool Next(uint8_t& B) {
    if (FCur == FEnd && !Refill()) return false;
    B = *FCur++;
    return true;
  }
  // Bytes consumed since construction.
  int64_t Consumed() const { return FFetched - (FEnd - FCur); }
  // A guess of the bytes left, for reserving; 0 when unknown.
  int64_t RemainingHint();
  // Leaves the stream right after the last consumed byte.
  void Finish() { FinishAt(Consumed()); }
  // Leaves the stream at Offset bytes after where it was at construction; Offset must
  // not exceed Consumed(). Needs a seekable stream unless Offset == Consumed().
  void FinishAt(int64_t Offset);

 private:
  enum class TKind { Memory, Chunked, Bytewise };
  bool Refill();

  TStream& FStream;
  TKind FKind;
  const uint8_t* FCur = nullptr;
  const uint8_t* FEnd = nullptr;
  int64_t FFetched = 0;  // bytes taken from the stream (or the memory) so far
  int64_t FStart = 0;    // memory kind: the position at construction
  int32_t FChunk;
  // Chunks up to 256 bytes (one line, one number) need no allocation.
  std::array<uint8_t, 256> FSmall;
  std::vector<uint8_t> FBuffer;
  bool FFinished = false;
};

}  // namespace KYR_streams::detail
