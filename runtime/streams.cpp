// TStream's non-virtual operations, TMemoryStream and TStringStream.
#include <algorithm>
#include <cstring>
#include <limits>

#include "KYR_runtime_streams.h"

namespace KYR_runtime {

// --- TStream ------------------------------------------------------------------------

int64_t TStream::Size() {
  int64_t Here = Seek(0, soCurrent);
  int64_t End = Seek(0, soEnd);
  Seek(Here, soBeginning);
  return End;
}

void TStream::SetSize(int64_t) {
  throw EStreamError(u"Stream size cannot be changed");
}

void TStream::ReadBuffer(void* Buffer, int32_t Count) {
  auto* P = static_cast<uint8_t*>(Buffer);
  int32_t Done = 0;
  while (Done < Count) {
    int32_t N = Read(P + Done, Count - Done);
    if (N <= 0) throw EReadError(u"Stream read error");
    Done += N;
  }
}

void TStream::WriteBuffer(const void* Buffer, int32_t Count) {
  auto* P = static_cast<const uint8_t*>(Buffer);
  int32_t Done = 0;
  while (Done < Count) {
    int32_t N = Write(P + Done, Count - Done);
    if (N <= 0) throw EWriteError(u"Stream write error");
    Done += N;
  }
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  constexpr int32_t Chunk = 64 * 1024;
  std::vector<uint8_t> Buf(
      static_cast<size_t>(std::min<int64_t>(std::max<int64_t>(Count, 1), Chunk)));
  int64_t Left = Count;
  while (Left > 0) {
    int32_t N = static_cast<int32_t>(std::min<int64_t>(Left, Chunk));
    Source.ReadBuffer(Buf.data(), N);
    WriteBuffer(Buf.data(), N);
    Left -= N;
  }
  return Count;
}

// --- TMemoryStream --------------------------------------------------------------------

int32_t TMemoryStream::Read(void* Buffer, int32_t Count) {
  int64_t Avail = static_cast<int64_t>(FData.size()) - FPosition;
  if (Count <= 0 || Avail <= 0) return 0;
  int32_t N = static_cast<int32_t>(std::min<int64_t>(Count, Avail));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
  FPosition += N;
  return N;
}

int32_t TMemoryStream::Write(const void* Buffer, int32_t Count) {
  if (Count <= 0) return 0;
  if (FPosition > std::numeric_limits<int64_t>::max() - Count) return 0;  // no such position
  int64_t End = FPosition + Count;
  if (End > static_cast<int64_t>(FData.size())) FData.resize(static_cast<size_t>(End));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = End;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t Base = Origin == soBeginning ? 0
                 : Origin == soCurrent ? FPosition
                                       : static_cast<int64_t>(FData.size());
  // A position before the start is clamped to 0; past the end is allowed (Read gives 0,
  // Write fills the gap with zeros).
  int64_t Target = 0;
  if (__builtin_add_overflow(Base, Offset, &Target))
    Target = Offset < 0 ? 0 : std::numeric_limits<int64_t>::max();
  FPosition = std::max<int64_t>(0, Target);
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
  FPosition = std::min<int64_t>(FPosition, static_cast<int64_t>(FData.size()));
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  std::vector<uint8_t> Data(static_cast<size_t>(std::max<int64_t>(Stream.Size(), 0)));
  for (size_t Done = 0; Done < Data.size();) {
    int32_t N = static_cast<int32_t>(std::min<size_t>(Data.size() - Done, INT32_MAX));
    Stream.ReadBuffer(Data.data() + Done, N);
    Done += static_cast<size_t>(N);
  }
  FData.swap(Data);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) {
  for (size_t Done = 0; Done < FData.size();) {
    int32_t N = static_cast<int32_t>(std::min<size_t>(FData.size() - Done, INT32_MAX));
    Stream.WriteBuffer(FData.data() + Done, N);
    Done += static_cast<size_t>(N);
  }
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(F);
}

void TMemoryStream::SaveToFile(const String& FileName) {
  TFileStream F(FileName, fmCreate);
  SaveToStream(F);
}

// --- TStringStream --------------------------------------------------------------------

TStringStream::TStringStream(const String& AString) {
  std::string Bytes = StringToAnsi(AString);
  FData.assign(Bytes.begin(), Bytes.end());
}

std::unique_ptr<TStringStream> TStringStream::FromBytes(std::string_view Bytes) {
  auto S = std::make_unique<TStringStream>();
  S->FData.assign(Bytes.begin(), Bytes.end());
  return S;
}

String TStringStream::DataString() const {
  return AnsiToString(std::string_view(reinterpret_cast<const char*>(FData.data()), FData.size()));
}

std::string TStringStream::Bytes() const {
  return std::string(FData.begin(), FData.end());
}

}  // namespace KYR_runtime
