// Shared pieces of the runtime's file services: I/O error recording and raising,
// errno mapping, native names, and small POSIX helpers. Not part of the public interface.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "KYR_runtime_strings.h"

namespace KYR_runtime::io_detail {

// Start of a Pascal-style file operation. Returns true when it may run. While an error
// code is pending the operation must do nothing: with checking off it returns false;
// with checking on the pending code is raised now (and cleared), so it is never lost.
bool IOBegin();

// Fails the current operation: raises EInOutError with checking on, records the code
// for IOResult otherwise. Err, when not 0, adds the system's reason to the message.
void IOFail(int32_t Code, const String& FileName, int Err = 0);

// The message of an I/O error code, with the file name and the system's reason if given.
String IOErrorMessage(int32_t Code, const String& FileName, int Err = 0);

// Maps errno to a Pascal I/O code; Fallback for errors without a closer meaning
// (100 for reading, 101 for writing).
int32_t ErrnoToIOCode(int Err, int32_t Fallback);

// The code of a failed open of Native: as ErrnoToIOCode, but a missing directory on the
// way is 3 (path not found) rather than 2.
int32_t OpenErrorCode(int Err, const std::string& Native, int32_t Fallback);

// The UTF-8 bytes the system takes as file name.
std::string NativeName(const String& FileName);

// open() that retries on EINTR and sets O_CLOEXEC; -1 with errno set on failure.
int OpenFile(const std::string& Name, int Flags, mode_t Mode = 0666);
// open() for reading or writing an existing file, refusing directories (errno EISDIR).
int OpenExistingFile(const std::string& Name, int Flags);

// Opens the file of a text or untyped file: an existing one unless Flags holds O_CREAT.
// On failure reports the I/O error (code from OpenErrorCode with Fallback) and returns -1.
int OpenPascalFile(const String& FileName, int Flags, int32_t Fallback);

// One read() of up to Count bytes that retries on EINTR; -1 on failure, 0 at the end.
int64_t ReadSome(int Fd, void* Buffer, int64_t Count);
// Reads up to Count bytes, retrying short reads until the end; -1 when nothing could be
// read because of an error.
int64_t ReadFull(int Fd, void* Buffer, int64_t Count);
// Writes Count bytes, retrying short writes; the count written, -1 when none.
int64_t WriteFull(int Fd, const void* Buffer, int64_t Count);

// Packed DOS date-time (local time) of a time stamp; years are clamped into 1980..2107.
int32_t DosDateTimeFromTime(time_t T);
// The time stamp of a packed DOS date-time; false when the date or time is invalid.
bool TimeFromDosDateTime(int32_t Packed, time_t& T);

// Renames without ever replacing an existing To; 0 or the errno of the failure (EEXIST
// when To exists).
int RenameNoReplace(const std::string& From, const std::string& To);

// Deletes a file for Erase; a read-only file is refused with error 5.
void EraseNamed(const String& FileName);

// What the search and FileGetAttr report of an entry.
struct TEntryInfo {
  int32_t Attr = 0;
  int64_t Size = 0;
  time_t MTime = 0;
};

// Attributes, size and time of Path (relative to DirFd); Name is its last component,
// which decides the hidden bit. A symbolic link reports its target, except that a link
// to a directory, a dangling link and any other non-regular entry carry faSysFile and
// never faDirectory, so that walkers do not descend through links. False when Path
// does not exist.
bool StatEntry(int DirFd, const char* Path, const String& Name, TEntryInfo& Info);

// True for a regular file without owner write permission: such files are protected
// from deletion the way read-only files are on systems with a read-only attribute.
bool IsReadOnlyFile(const struct stat& St);

}  // namespace KYR_runtime::io_detail
