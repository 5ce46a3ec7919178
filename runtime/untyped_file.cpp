// Untyped files of fixed-size records and the process-wide file-open mode.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "KYR_runtime_textfile.h"
#include "io_internal.h"

namespace KYR_runtime {

using namespace io_detail;

uint8_t FileMode = 2;

namespace io_detail {

void EraseNamed(const String& FileName) {
  std::string Native = NativeName(FileName);
  struct stat St;
  if (::lstat(Native.c_str(), &St) == 0 && IsReadOnlyFile(St)) {
    IOFail(ioAccessDenied, FileName);
    return;
  }
  if (::unlink(Native.c_str()) != 0) IOFail(ErrnoToIOCode(errno, ioAccessDenied), FileName, errno);
}

}  // namespace io_detail

struct UntypedFile::State {
  String Name;
  bool Assigned = false;
  int Fd = -1;
  int32_t RecSize = 128;

  void Close() {
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
  }
};

UntypedFile::UntypedFile() : FState(std::make_unique<State>()) {}
UntypedFile::~UntypedFile() {
  FState->Close();
}

namespace {

bool OpenUntyped(UntypedFile& F, int Flags, int32_t RecSize, int32_t Fallback) {
  if (!IOBegin()) return false;
  auto& S = F.Impl();
  if (!S.Assigned) {
    IOFail(ioFileNotAssigned, String());
    return false;
  }
  S.Close();
  int Fd = OpenPascalFile(S.Name, Flags, Fallback);
  if (Fd < 0) return false;
  S.Fd = Fd;
  // A record size below 1 would make every count meaningless; it is taken as 1.
  S.RecSize = RecSize < 1 ? 1 : RecSize;
  return true;
}

// The state of an open file; null (reported as error 103) otherwise.
UntypedFile::State* Opened(UntypedFile& F) {
  if (!IOBegin()) return nullptr;
  auto& S = F.Impl();
  if (S.Fd >= 0) return &S;
  IOFail(ioFileNotOpen, S.Name);
  return nullptr;
}

// Name operations need an assigned file; false (reported) otherwise.
bool AssignedName(UntypedFile& F) {
  if (!IOBegin()) return false;
  if (F.Impl().Assigned) return true;
  IOFail(ioFileNotAssigned, String());
  return false;
}

}  // namespace

void AssignFile(UntypedFile& F, const String& FileName) {
  auto& S = F.Impl();
  S.Close();
  S.Name = FileName;
  S.Assigned = true;
}

void Reset(UntypedFile& F, int32_t RecSize) {
  int Flags = (FileMode & 3) == 0 ? O_RDONLY : (FileMode & 3) == 1 ? O_WRONLY : O_RDWR;
  OpenUntyped(F, Flags, RecSize, ioDiskReadError);
}

void Rewrite(UntypedFile& F, int32_t RecSize) {
  OpenUntyped(F, O_RDWR | O_CREAT | O_TRUNC, RecSize, ioDiskWriteError);
}

void CloseFile(UntypedFile& F) {
  if (auto* S = Opened(F)) S->Close();
}

void BlockRead(UntypedFile& F, void* Buf, int32_t Count, int32_t& AmtTransferred) {
  AmtTransferred = 0;
  auto* S = Opened(F);
  if (S == nullptr || Count <= 0) return;
  int64_t Bytes = static_cast<int64_t>(Count) * S->RecSize;
  int64_t N = ReadFull(S->Fd, Buf, Bytes);
  if (N < 0) {
    IOFail(ErrnoToIOCode(errno, ioDiskReadError), S->Name, errno);
    return;
  }
  AmtTransferred = static_cast<int32_t>(N / S->RecSize);
}

void BlockRead(UntypedFile& F, void* Buf, int32_t Count) {
  int32_t Done = 0;
  BlockRead(F, Buf, Count, Done);
  if (Done < Count && IOBegin()) IOFail(ioDiskReadError, F.Impl().Name);
}

void BlockWrite(UntypedFile& F, const void* Buf, int32_t Count, int32_t& AmtTransferred) {
  AmtTransferred = 0;
  auto* S = Opened(F);
  if (S == nullptr || Count <= 0) return;
  int64_t Bytes = static_cast<int64_t>(Count) * S->RecSize;
  int64_t N = WriteFull(S->Fd, Buf, Bytes);
  if (N < 0) {
    IOFail(ErrnoToIOCode(errno, ioDiskWriteError), S->Name, errno);
    return;
  }
  AmtTransferred = static_cast<int32_t>(N / S->RecSize);
}

void BlockWrite(UntypedFile& F, const void* Buf, int32_t Count) {
  int32_t Done = 0;
  BlockWrite(F, Buf, Count, Done);
  if (Done < Count && IOBegin()) IOFail(ioDiskWriteError, F.Impl().Name, ENOSPC);
}

int64_t FileSize(UntypedFile& F) {
  auto* S = Opened(F);
  if (S == nullptr) return 0;
  struct stat St;
  if (::fstat(S->Fd, &St) != 0) {
    IOFail(ErrnoToIOCode(errno, ioDiskReadError), S->Name, errno);
    return 0;
  }
  return St.st_size / S->RecSize;
}

int64_t FilePos(UntypedFile& F) {
  auto* S = Opened(F);
  if (S == nullptr) return 0;
  off_t Pos = ::lseek(S->Fd, 0, SEEK_CUR);
  if (Pos < 0) {
    IOFail(ErrnoToIOCode(errno, ioDiskReadError), S->Name, errno);
    return 0;
  }
  return Pos / S->RecSize;
}

void Seek(UntypedFile& F, int64_t RecNo) {
  auto* S = Opened(F);
  if (S == nullptr) return;
  if (RecNo < 0 || ::lseek(S->Fd, RecNo * S->RecSize, SEEK_SET) < 0)
    IOFail(ioDiskReadError, S->Name, RecNo < 0 ? EINVAL : errno);
}

bool Eof(UntypedFile& F) {
  auto* S = Opened(F);
  if (S == nullptr) return true;
  struct stat St;
  off_t Pos = ::lseek(S->Fd, 0, SEEK_CUR);
  if (Pos < 0 || ::fstat(S->Fd, &St) != 0) {
    IOFail(ErrnoToIOCode(errno, ioDiskReadError), S->Name, errno);
    return true;
  }
  return Pos >= St.st_size;
}

void Rename(UntypedFile& F, const String& NewName) {
  if (!AssignedName(F)) return;
  auto& S = F.Impl();
  if (NewName == S.Name) return;
  std::string From = NativeName(S.Name);
  std::string To = NativeName(NewName);
  // Never replace an existing file: a rename must not destroy data.
  if (int Err = RenameNoReplace(NativeName(S.Name), NativeName(NewName)); Err != 0) {
    IOFail(ErrnoToIOCode(Err, ioAccessDenied), S.Name, Err);
    return;
  }
  S.Name = NewName;
}

void Erase(UntypedFile& F) {
  if (AssignedName(F)) EraseNamed(F.Impl().Name);
}

}  // namespace KYR_runtime
