// Byte streams: TStream and the memory, string and file streams.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KYR_runtime_objects.h"

namespace KYR_runtime {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
using enum TSeekOrigin;

class TStream : public TObject {
 public:
  // Reads up to Count bytes; returns the count delivered, 0 at the end.
  virtual int32_t Read(void* Buffer, int32_t Count) = 0;
  // Writes up to Count bytes; returns the count written.
  virtual int32_t Write(const void* Buffer, int32_t Count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size();
  // Raises EStreamError where the stream cannot change its size.
  virtual void SetSize(int64_t NewSize);

  // Reads exactly Count bytes or raises EReadError ("Stream read error").
  void ReadBuffer(void* Buffer, int32_t Count);
  // Writes exactly Count bytes or raises EWriteError ("Stream write error").
  void WriteBuffer(const void* Buffer, int32_t Count);
  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  // Copies Count bytes from Source (all from its start when Count is 0); returns the count.
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

// A stream in memory that grows on writing.
class TMemoryStream : public TStream {
 public:
  int32_t Read(void* Buffer, int32_t Count) override;
  int32_t Write(const void* Buffer, int32_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t NewSize) override;

  // The bytes, valid until the next write or resize.
  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  void Clear();
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

 protected:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A memory stream over the Windows-1252 bytes of a text.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const String& AString = String());
  // Raw 8-bit bytes, taken as they are.
  static std::unique_ptr<TStringStream> FromBytes(std::string_view Bytes);
  // The whole content decoded from Windows-1252.
  String DataString() const;
  // The whole content as raw bytes.
  std::string Bytes() const;
};

// File-open modes: an access mode combined with a sharing mode, or fmCreate.
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;
inline constexpr uint16_t fmCreate = 0xFF00;

// A stream on a named file, buffered so that many small reads or writes cost few system
// calls. Linux has no mandatory sharing modes; the sharing bits are accepted and ignored.
// Size includes pending writes; a stream opened for reading only writes nothing (Write
// returns 0), and one opened for writing only reads nothing.
class TFileStream : public TStream {
 public:
  // Opens FileName; raises EFOpenError ("Cannot open file \"name\". reason") or, with
  // fmCreate, EFCreateError ("Cannot create file \"name\". reason").
  TFileStream(const String& FileName, uint16_t Mode);
  ~TFileStream() override;

  int32_t Read(void* Buffer, int32_t Count) override;
  int32_t Write(const void* Buffer, int32_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  void SetSize(int64_t NewSize) override;
  // Writes the pending bytes out; raises EWriteError when the system refuses them. The
  // destructor writes them too but cannot report a failure.
  void FlushWrites();
  const String& FileName() const { return FFileName; }
  int32_t Handle() const { return FHandle; }

 private:
  // Gives up the read-ahead and moves the descriptor to the stream's position.
  void DropReadAhead();
  int64_t LogicalPosition() const;

  String FFileName;
  int32_t FHandle = -1;
  int64_t FFilePos = 0;  // position of the descriptor
  std::vector<uint8_t> FBuffer;
  int32_t FBufPos = 0;  // next byte to read from the buffer
  int32_t FBufLen = 0;  // bytes of read-ahead in the buffer
  int32_t FDirty = 0;   // bytes of pending writes in the buffer
  bool FCanRead = false;
  bool FCanWrite = false;
};

}  // namespace KYR_runtime
