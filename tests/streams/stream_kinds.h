// Test helper: the same bytes behind each kind of stream the readers treat differently:
// a memory stream (read in place), a file stream (read in chunks and sought back) and a
// stream of an unknown class that hands out at most two bytes per Read.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "KYR_runtime.h"
#include "TempDir.h"

namespace streams_test {

using namespace KYR_runtime;

// A seekable stream over a byte string that delivers short reads and counts them.
class TTrickleStream : public TStream {
 public:
  explicit TTrickleStream(std::string Bytes) : FBytes(std::move(Bytes)) {}
  int32_t Read(void* Buffer, int32_t Count) override {
    int64_t Avail = static_cast<int64_t>(FBytes.size()) - FPos;
    int32_t N = static_cast<int32_t>(
        std::clamp<int64_t>(std::min<int64_t>(Count, 2), 0, std::max<int64_t>(Avail, 0)));
    std::memcpy(Buffer, FBytes.data() + FPos, static_cast<size_t>(N));
    FPos += N;
    ++FReads;
    return N;
  }
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
    int64_t Base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPos : Size();
    FPos = std::max<int64_t>(0, Base + Offset);
    return FPos;
  }
  int64_t Size() override { return static_cast<int64_t>(FBytes.size()); }
  int32_t Reads() const { return FReads; }

 private:
  std::string FBytes;
  int64_t FPos = 0;
  int32_t FReads = 0;
};

enum class TKind { Memory, File, Trickle };
inline const char* KindName(TKind K) {
  return K == TKind::Memory ? "memory" : K == TKind::File ? "file" : "trickle";
}
inline constexpr TKind AllKinds[] = {TKind::Memory, TKind::File, TKind::Trickle};

// A stream of kind K holding Bytes, positioned at 0; files go into Dir.
inline std::unique_ptr<TStream> MakeStream(TKind K, const std::string& Bytes,
                                           const kyr_test::TempDir& Dir) {
  switch (K) {
    case TKind::Memory:
      return TStringStream::FromBytes(Bytes);
    case TKind::File:
      Dir.Write("data.bin", Bytes);
      return std::make_unique<TFileStream>(Dir.FileS("data.bin"), fmOpenRead);
    case TKind::Trickle:
      return std::make_unique<TTrickleStream>(Bytes);
  }
  return nullptr;
}

// A library string from raw bytes, each byte its own character.
inline String Latin1(const std::string& Bytes) {
  String S;
  for (unsigned char C : Bytes) S.push_back(C);
  return S;
}

// The whole content of a memory stream as bytes.
inline std::string BytesOf(TMemoryStream& M) {
  return std::string(reinterpret_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

}  // namespace streams_test
