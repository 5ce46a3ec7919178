// TFileStream: a stream on a named file with one buffer that serves either as read-ahead
// or as pending writes, so that small reads and writes cost few system calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include "KYR_runtime_streams.h"
#include "io_internal.h"

namespace KYR_runtime {

using namespace io_detail;

namespace {

constexpr int32_t StreamBufferSize = 64 * 1024;

String Reason(int Err) {
  return Utf8ToString(std::error_code(Err, std::generic_category()).message());
}

String Quoted(const String& FileName) {
  return u"\"" + FileName + u"\". ";
}

}  // namespace

TFileStream::TFileStream(const String& FileName, uint16_t Mode) : FFileName(FileName) {
  std::string Native = NativeName(FileName);
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = OpenFile(Native, O_RDWR | O_CREAT | O_TRUNC);
    if (FHandle < 0) throw EFCreateError(u"Cannot create file " + Quoted(FileName) + Reason(errno));
    FCanRead = FCanWrite = true;
  } else {
    int Access = Mode & 3;
    int Flags = Access == fmOpenRead ? O_RDONLY : Access == fmOpenWrite ? O_WRONLY : O_RDWR;
    FHandle = OpenExistingFile(Native, Flags);
    if (FHandle < 0) throw EFOpenError(u"Cannot open file " + Quoted(FileName) + Reason(errno));
    FCanRead = Flags != O_WRONLY;
    FCanWrite = Flags != O_RDONLY;
  }
  FBuffer.resize(StreamBufferSize);
}

TFileStream::~TFileStream() {
  if (FDirty > 0) WriteFull(FHandle, FBuffer.data(), FDirty);  // nobody left to tell
  ::close(FHandle);
}

int64_t TFileStream::LogicalPosition() const {
  return FDirty > 0 ? FFilePos + FDirty : FFilePos - FBufLen + FBufPos;
}

void TFileStream::FlushWrites() {
  if (FDirty == 0) return;
  int64_t N = WriteFull(FHandle, FBuffer.data(), FDirty);
  int Err = errno;
  if (N > 0) FFilePos += N;
  bool Complete = N == FDirty;
  FDirty = 0;
  if (!Complete)
    throw EWriteError(u"Cannot write to file " + Quoted(FFileName) + Reason(Err ? Err : ENOSPC));
}

void TFileStream::DropReadAhead() {
  if (FBufLen == 0) return;
  int64_t Pos = LogicalPosition();
  FBufPos = FBufLen = 0;
  if (Pos != FFilePos && ::lseek(FHandle, Pos, SEEK_SET) >= 0) FFilePos = Pos;
}

int32_t TFileStream::Read(void* Buffer, int32_t Count) {
  if (Count <= 0 || !FCanRead) return 0;
  FlushWrites();
  auto* Out = static_cast<uint8_t*>(Buffer);
  int32_t Done = 0;
  while (Done < Count) {
    if (FBufPos < FBufLen) {
      int32_t Take = std::min(Count - Done, FBufLen - FBufPos);
      std::memcpy(Out + Done, FBuffer.data() + FBufPos, static_cast<size_t>(Take));
      FBufPos += Take;
      Done += Take;
      continue;
    }
    int32_t Left = Count - Done;
    if (Left >= StreamBufferSize) {
      // Large reads go straight to the caller's memory; the used-up read-ahead no longer
      // sits just before the descriptor, so it is dropped.
      FBufPos = FBufLen = 0;
      int64_t N = ReadSome(FHandle, Out + Done, Left);
      if (N <= 0) break;
      FFilePos += N;
      Done += static_cast<int32_t>(N);
      continue;
    }
    int64_t N = ReadSome(FHandle, FBuffer.data(), StreamBufferSize);
    if (N <= 0) break;
    FFilePos += N;
    FBufPos = 0;
    FBufLen = static_cast<int32_t>(N);
  }
  return Done;
}

int32_t TFileStream::Write(const void* Buffer, int32_t Count) {
  if (Count <= 0 || !FCanWrite) return 0;
  DropReadAhead();
  if (FDirty + Count > StreamBufferSize) {
    FlushWrites();
    if (Count >= StreamBufferSize) {
      int64_t N = WriteFull(FHandle, Buffer, Count);
      if (N <= 0) return 0;
      FFilePos += N;
      return static_cast<int32_t>(N);
    }
  }
  std::memcpy(FBuffer.data() + FDirty, Buffer, static_cast<size_t>(Count));
  FDirty += Count;
  return Count;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t Here = LogicalPosition();
  int64_t Base = Origin == soBeginning ? 0 : Origin == soCurrent ? Here : Size();
  // As in the memory stream, a position before the start is clamped to 0.
  int64_t Target = 0;
  if (__builtin_add_overflow(Base, Offset, &Target))
    Target = Offset < 0 ? 0 : std::numeric_limits<int64_t>::max();
  Target = std::max<int64_t>(0, Target);
  if (Target == Here) return Target;
  if (FDirty == 0 && FBufLen > 0 && Target >= FFilePos - FBufLen && Target <= FFilePos) {
    FBufPos = static_cast<int32_t>(Target - (FFilePos - FBufLen));
    return Target;
  }
  FlushWrites();
  // A failed lseek leaves the descriptor (and so the read-ahead) where it was.
  if (::lseek(FHandle, Target, SEEK_SET) < 0) return LogicalPosition();
  FBufPos = FBufLen = 0;
  FFilePos = Target;
  return Target;
}

int64_t TFileStream::Size() {
  struct stat St;
  int64_t OnDisk = ::fstat(FHandle, &St) == 0 ? St.st_size : 0;
  return FDirty > 0 ? std::max(OnDisk, FFilePos + FDirty) : OnDisk;
}

void TFileStream::SetSize(int64_t NewSize) {
  FlushWrites();
  int64_t Pos = LogicalPosition();
  NewSize = std::max<int64_t>(NewSize, 0);
  // On failure the read-ahead stays, and with it the position.
  if (::ftruncate(FHandle, NewSize) != 0)
    throw EStreamError(u"Cannot set the size of file " + Quoted(FFileName) + Reason(errno));
  FBufPos = FBufLen = 0;
  // As in the memory stream, a position beyond the new end moves to the end.
  Pos = std::min(Pos, NewSize);
  if (::lseek(FHandle, Pos, SEEK_SET) >= 0) FFilePos = Pos;
}

}  // namespace KYR_runtime
