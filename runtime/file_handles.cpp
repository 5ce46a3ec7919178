// File handles, attributes and time stamps, and the POSIX helpers the file services share.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>

#include "KYR_runtime_files.h"
#include "KYR_runtime_streams.h"
#include "KYR_runtime_textfile.h"
#include "io_internal.h"

namespace KYR_runtime {

namespace io_detail {

std::string NativeName(const String& FileName) {
  return StringToUtf8(FileName);
}

int OpenFile(const std::string& Name, int Flags, mode_t Mode) {
  int Fd;
  do {
    Fd = ::open(Name.c_str(), Flags | O_CLOEXEC, Mode);
  } while (Fd < 0 && errno == EINTR);
  return Fd;
}

int OpenExistingFile(const std::string& Name, int Flags) {
  // O_NONBLOCK keeps the open of a FIFO without writer from hanging; it is cleared
  // again so that reads and writes behave normally.
  int Fd = OpenFile(Name, Flags | O_NONBLOCK);
  if (Fd < 0) return -1;
  struct stat St {};
  if (::fstat(Fd, &St) != 0 || S_ISDIR(St.st_mode)) {
    int Err = S_ISDIR(St.st_mode) ? EISDIR : errno;
    ::close(Fd);
    errno = Err;
    return -1;
  }
  ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
  return Fd;
}

int OpenPascalFile(const String& FileName, int Flags, int32_t Fallback) {
  std::string Native = NativeName(FileName);
  int Fd = (Flags & O_CREAT) ? OpenFile(Native, Flags) : OpenExistingFile(Native, Flags);
  if (Fd < 0) {
    int Err = errno;
    IOFail(OpenErrorCode(Err, Native, Fallback), FileName, Err);
  }
  return Fd;
}

int64_t ReadSome(int Fd, void* Buffer, int64_t Count) {
  ssize_t N;
  do {
    N = ::read(Fd, Buffer, static_cast<size_t>(std::min<int64_t>(Count, INT_MAX)));
  } while (N < 0 && errno == EINTR);
  return N;
}

int64_t ReadFull(int Fd, void* Buffer, int64_t Count) {
  auto* P = static_cast<char*>(Buffer);
  int64_t Done = 0;
  while (Done < Count) {
    size_t Chunk = static_cast<size_t>(std::min<int64_t>(Count - Done, INT_MAX));
    ssize_t N = ::read(Fd, P + Done, Chunk);
    if (N < 0) {
      if (errno == EINTR) continue;
      return Done > 0 ? Done : -1;
    }
    if (N == 0) break;
    Done += N;
  }
  return Done;
}

int64_t WriteFull(int Fd, const void* Buffer, int64_t Count) {
  auto* P = static_cast<const char*>(Buffer);
  int64_t Done = 0;
  while (Done < Count) {
    size_t Chunk = static_cast<size_t>(std::min<int64_t>(Count - Done, INT_MAX));
    ssize_t N = ::write(Fd, P + Done, Chunk);
    if (N < 0) {
      if (errno == EINTR) continue;
      return Done > 0 ? Done : -1;
    }
    if (N == 0) {
      errno = ENOSPC;
      break;
    }
    Done += N;
  }
  return Done;
}

int32_t DosDateTimeFromTime(time_t T) {
  struct tm Tm;
  if (::localtime_r(&T, &Tm) == nullptr || Tm.tm_year < 80) return (1 << 21) | (1 << 16);
  if (Tm.tm_year > 207) return static_cast<int32_t>(0xFF9FBF7Du);  // 2107-12-31 23:59:58
  uint32_t Packed =
      (static_cast<uint32_t>(Tm.tm_year - 80) << 25) |
      (static_cast<uint32_t>(Tm.tm_mon + 1) << 21) | (static_cast<uint32_t>(Tm.tm_mday) << 16) |
      (static_cast<uint32_t>(Tm.tm_hour) << 11) | (static_cast<uint32_t>(Tm.tm_min) << 5) |
      static_cast<uint32_t>(std::min(Tm.tm_sec, 59) / 2);
  return static_cast<int32_t>(Packed);
}

bool TimeFromDosDateTime(int32_t Packed, time_t& T) {
  auto P = static_cast<uint32_t>(Packed);
  struct tm Tm = {};
  Tm.tm_sec = static_cast<int>(P & 0x1F) * 2;
  Tm.tm_min = static_cast<int>((P >> 5) & 0x3F);
  Tm.tm_hour = static_cast<int>((P >> 11) & 0x1F);
  Tm.tm_mday = static_cast<int>((P >> 16) & 0x1F);
  Tm.tm_mon = static_cast<int>((P >> 21) & 0x0F) - 1;
  Tm.tm_year = static_cast<int>(P >> 25) + 80;
  Tm.tm_isdst = -1;
  if (Tm.tm_sec > 59 || Tm.tm_min > 59 || Tm.tm_hour > 23 || Tm.tm_mday < 1 || Tm.tm_mon < 0 ||
      Tm.tm_mon > 11)
    return false;
  int Day = Tm.tm_mday;
  T = ::mktime(&Tm);
  // mktime normalises 31 February into March; such a date is invalid.
  return T != static_cast<time_t>(-1) && Tm.tm_mday == Day;
}

bool StatEntry(int DirFd, const char* Path, const String& Name, TEntryInfo& Info) {
  struct stat St;
  if (::fstatat(DirFd, Path, &St, AT_SYMLINK_NOFOLLOW) != 0) return false;
  Info = TEntryInfo{};
  Info.MTime = St.st_mtime;
  if (S_ISLNK(St.st_mode)) {
    struct stat Target;
    if (::fstatat(DirFd, Path, &Target, 0) != 0 || S_ISDIR(Target.st_mode)) {
      Info.Attr = faSysFile;
    } else {
      St = Target;
      Info.MTime = St.st_mtime;
    }
  }
  if (Info.Attr == 0) {
    if (S_ISREG(St.st_mode)) {
      Info.Attr = faArchive;
      Info.Size = St.st_size;
    } else if (S_ISDIR(St.st_mode)) {
      Info.Attr = faDirectory;
    } else {
      Info.Attr = faSysFile;
    }
    if ((St.st_mode & S_IWUSR) == 0) Info.Attr |= faReadOnly;
  }
  if (!Name.empty() && Name[0] == u'.' && Name != u"." && Name != u"..") Info.Attr |= faHidden;
  return true;
}

bool IsReadOnlyFile(const struct stat& St) {
  return S_ISREG(St.st_mode) && (St.st_mode & S_IWUSR) == 0;
}

}  // namespace io_detail

using namespace io_detail;

namespace {

// Windows' ERROR_INVALID_PARAMETER: a packed date-time that names no real moment.
constexpr int32_t ErrorInvalidParameter = 87;

int AccessFlags(uint32_t Mode) {
  switch (Mode & 3) {
    case 0:
      return O_RDONLY;
    case 1:
      return O_WRONLY;
    default:
      return O_RDWR;
  }
}

int32_t SetModificationTime(int DirFd, const char* Path, int Fd, int32_t Age) {
  time_t T;
  if (!TimeFromDosDateTime(Age, T)) return ErrorInvalidParameter;
  struct timespec Times[2] = {{0, UTIME_OMIT}, {T, 0}};
  int Rc = Fd >= 0           ? ::futimens(Fd, Times)
           : Path != nullptr ? ::utimensat(DirFd, Path, Times, 0)
                             : (errno = EBADF, -1);
  return Rc == 0 ? 0 : ErrnoToIOCode(errno, ioAccessDenied);
}

}  // namespace

THandle FileOpen(const String& FileName, uint32_t Mode) {
  return OpenExistingFile(NativeName(FileName), AccessFlags(Mode));
}

THandle FileCreate(const String& FileName) {
  return OpenFile(NativeName(FileName), O_RDWR | O_CREAT | O_TRUNC);
}

int32_t FileRead(THandle Handle, void* Buffer, int32_t Count) {
  if (Count < 0) return -1;
  return static_cast<int32_t>(ReadSome(Handle, Buffer, Count));
}

int32_t FileWrite(THandle Handle, const void* Buffer, int32_t Count) {
  if (Count < 0) return -1;
  return static_cast<int32_t>(WriteFull(Handle, Buffer, Count));
}

int64_t FileSeek(THandle Handle, int64_t Offset, int32_t Origin) {
  static constexpr int Whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (Origin < 0 || Origin > 2) return -1;
  return ::lseek(Handle, Offset, Whence[Origin]);
}

void FileClose(THandle Handle) {
  if (Handle >= 0) ::close(Handle);
}

int32_t FileGetDate(THandle Handle) {
  struct stat St;
  if (::fstat(Handle, &St) != 0) return -1;
  return DosDateTimeFromTime(St.st_mtime);
}

int32_t FileSetDate(THandle Handle, int32_t Age) {
  if (Handle < 0) return ErrnoToIOCode(EBADF, ioAccessDenied);
  return SetModificationTime(AT_FDCWD, nullptr, Handle, Age);
}

int32_t FileSetDate(const String& FileName, int32_t Age) {
  std::string Native = NativeName(FileName);
  return SetModificationTime(AT_FDCWD, Native.c_str(), -1, Age);
}

int32_t FileAge(const String& FileName) {
  struct stat St;
  if (::stat(NativeName(FileName).c_str(), &St) != 0 || S_ISDIR(St.st_mode)) return -1;
  return DosDateTimeFromTime(St.st_mtime);
}

int32_t FileGetAttr(const String& FileName) {
  TEntryInfo Info;
  if (!StatEntry(AT_FDCWD, NativeName(FileName).c_str(), ExtractFileName(FileName), Info))
    return -1;
  return Info.Attr;
}

int32_t FileSetAttr(const String& FileName, int32_t Attr) {
  std::string Native = NativeName(FileName);
  struct stat St;
  if (::stat(Native.c_str(), &St) != 0) return ErrnoToIOCode(errno, ioAccessDenied);
  mode_t Mode = St.st_mode & 07777;
  mode_t NewMode = (Attr & faReadOnly) ? Mode & ~mode_t{S_IWUSR | S_IWGRP | S_IWOTH}
                   : (Mode & S_IWUSR)  ? Mode
                                       : Mode | S_IWUSR;
  if (NewMode == Mode) return 0;
  return ::chmod(Native.c_str(), NewMode) == 0 ? 0 : ErrnoToIOCode(errno, ioAccessDenied);
}

}  // namespace KYR_runtime
