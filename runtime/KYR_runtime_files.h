// File handles, file names and file search.
//
// Paths are native ("/" separated). The name functions also accept "\" as a separator
// and ":" as the colon of a drive prefix at position 2, so Windows-style paths split the
// same way. File attributes map onto Linux as: read-only = no owner write permission,
// hidden = name begins with "." (but not "." and ".."), directory, archive = regular file.
// A symbolic link shows the attributes, size and time of the file it leads to; a link to
// a directory, a dangling link and every other special entry (FIFO, socket, device) show
// faSysFile and never faDirectory. A walker that descends into entries with faDirectory
// therefore never follows a link, and deleting such an entry removes the link itself.
#pragma once

#include <cstdint>
#include <memory>

#include "KYR_runtime_objects.h"

namespace KYR_runtime {

inline constexpr Char PathDelim = u'/';

// --- File handles ------------------------------------------------------------

using THandle = int32_t;
inline constexpr THandle INVALID_HANDLE_VALUE = -1;

// Opens with an fmOpen... mode (see KYR_runtime_streams.h); INVALID_HANDLE_VALUE on failure,
// also for a directory.
THandle FileOpen(const String& FileName, uint32_t Mode);
// Creates or truncates for reading and writing; INVALID_HANDLE_VALUE on failure.
THandle FileCreate(const String& FileName);
// Byte counts; -1 on failure. FileRead makes one read (fewer bytes only at the end of
// a file, or from a pipe); FileWrite writes all bytes unless the system fails.
int32_t FileRead(THandle Handle, void* Buffer, int32_t Count);
int32_t FileWrite(THandle Handle, const void* Buffer, int32_t Count);
// Origin 0 start, 1 current, 2 end; returns the new position or -1.
int64_t FileSeek(THandle Handle, int64_t Offset, int32_t Origin);
void FileClose(THandle Handle);
// Modification time as a packed DOS date-time (local time); -1 on failure.
int32_t FileGetDate(THandle Handle);
// Sets the modification time from a packed DOS date-time; 0 or an error code (87 for a
// value that is no valid date and time).
int32_t FileSetDate(THandle Handle, int32_t Age);
int32_t FileSetDate(const String& FileName, int32_t Age);
// Packed DOS date-time of a named file; -1 when it does not exist or is a directory.
int32_t FileAge(const String& FileName);

// --- Attributes ----------------------------------------------------------------

inline constexpr int32_t faReadOnly = 0x01;
inline constexpr int32_t faHidden = 0x02;
inline constexpr int32_t faSysFile = 0x04;
inline constexpr int32_t faVolumeID = 0x08;
inline constexpr int32_t faDirectory = 0x10;
inline constexpr int32_t faArchive = 0x20;
inline constexpr int32_t faAnyFile = 0x1FF;

// Attributes of a file or directory; -1 when it does not exist.
int32_t FileGetAttr(const String& FileName);
// Sets the read-only bit (the only one Linux can change); 0 or an error code.
int32_t FileSetAttr(const String& FileName, int32_t Attr);

// --- File names --------------------------------------------------------------

// An absolute, normalised form of a path ("." and ".." resolved textually).
String ExpandFileName(const String& FileName);
// Everything up to and including the last separator or drive colon.
String ExtractFilePath(const String& FileName);
// ExtractFilePath without its trailing separator (unless it is the root or follows a
// drive colon).
String ExtractFileDir(const String& FileName);
// Everything after the last separator or drive colon.
String ExtractFileName(const String& FileName);
// From the last "." of the name part to the end; empty when the name has no ".".
String ExtractFileExt(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
// S with "/" appended unless it ends with "/" or "\".
String IncludeTrailingPathDelimiter(const String& S);
// S without one trailing "/" or "\"; the root "/" stays as it is.
String ExcludeTrailingPathDelimiter(const String& S);

bool FileExists(const String& FileName);  // a file that is no directory (links followed)
// With FollowLink false, a symbolic link to a directory does not count.
bool DirectoryExists(const String& Directory, bool FollowLink = true);
// Deletes a file or a symbolic link (never what it points to). A read-only file is
// protected and not deleted, as on systems with a read-only attribute.
bool DeleteFile(const String& FileName);
// Renames; false when NewName exists already (it is never replaced).
bool RenameFile(const String& OldName, const String& NewName);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);
// Creates the directory and every missing parent; false when that fails.
bool ForceDirectories(const String& Dir);
// Removes an empty directory; failures go through I/O checking.
void RmDir(const String& Dir);
String GetCurrentDir();

// --- File search ---------------------------------------------------------------

struct TSearchRec {
  int32_t Time = 0;  // packed DOS date-time
  int64_t Size = 0;
  int32_t Attr = 0;
  String Name;
  int32_t ExcludeAttr = 0;
  struct State;
  std::shared_ptr<State> FindHandle;  // open search; released by FindClose
};

// Error code of FindFirst and FindNext when nothing (more) matches.
inline constexpr int32_t ERROR_NO_MORE_FILES = 18;

// Starts a search for Path = directory + name mask ("*" and "?"; "*.*" matches every
// name; the mask ignores case). Attr selects what is found beside ordinary files:
// faDirectory adds directories, faHidden hidden entries, faAnyFile everything; faArchive
// alone finds ordinary files only. An entry is found when its attributes share no bit
// with ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory). The
// entries "." and ".." are never returned. Names come as stored, in the order the
// directory lists them. Returns 0 and fills F, or an error code: 18 when nothing
// matches, 3 when the directory does not exist, 5 when it cannot be read.
int32_t FindFirst(const String& Path, int32_t Attr, TSearchRec& F);
// The next entry: 0, or 18 when there is none (also after FindClose).
int32_t FindNext(TSearchRec& F);
// Ends the search; harmless on a search that failed or was closed already.
void FindClose(TSearchRec& F);
// True when Name matches the mask ("*" any run, "?" one character), ignoring case;
// "*.*" matches every name, also names without a dot.
bool MatchesMask(const String& Name, const String& Mask);

}  // namespace KYR_runtime
