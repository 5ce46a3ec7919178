// File names: splitting and joining paths, and the operations on named files and
// directories.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "KYR_runtime_files.h"
#include "KYR_runtime_textfile.h"
#include "io_internal.h"

namespace KYR_runtime {

namespace io_detail {

int RenameNoReplace(const std::string& From, const std::string& To) {
  if (::renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without RENAME_NOREPLACE: check first, then rename.
  struct stat St;
  if (::lstat(To.c_str(), &St) == 0) return EEXIST;
  return ::rename(From.c_str(), To.c_str()) == 0 ? 0 : errno;
}

}  // namespace io_detail

using namespace io_detail;

namespace {

bool IsSeparator(Char C) {
  return C == u'/' || C == u'\\';
}

bool IsAsciiLetter(Char C) {
  return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z');
}

// A drive colon: ":" at position 2 after a letter, as in "C:".
bool IsDriveColon(const String& S, size_t I) {
  return I == 1 && S[1] == u':' && IsAsciiLetter(S[0]);
}

bool IsDelimiter(const String& S, size_t I) {
  return IsSeparator(S[I]) || IsDriveColon(S, I);
}

// Index of the last separator or drive colon; npos when there is none.
size_t LastDelimiter(const String& S) {
  for (size_t I = S.size(); I-- > 0;)
    if (IsDelimiter(S, I)) return I;
  return String::npos;
}

// Index of the dot that starts the extension; npos when the name part has none.
size_t ExtensionDot(const String& S) {
  size_t Delim = LastDelimiter(S);
  size_t Dot = S.rfind(u'.');
  if (Dot == String::npos || (Delim != String::npos && Dot < Delim)) return String::npos;
  return Dot;
}

bool IsDirectory(const std::string& Native, bool FollowLink) {
  struct stat St;
  int Rc = FollowLink ? ::stat(Native.c_str(), &St) : ::lstat(Native.c_str(), &St);
  return Rc == 0 && S_ISDIR(St.st_mode);
}

}  // namespace

String ExpandFileName(const String& FileName) {
  if (FileName.empty()) return String();
  String Full = FileName[0] == u'/' ? FileName : GetCurrentDir() + u"/" + FileName;
  std::vector<String> Parts;
  size_t Start = 0;
  while (Start <= Full.size()) {
    size_t End = Full.find(u'/', Start);
    if (End == String::npos) End = Full.size();
    String Part = Full.substr(Start, End - Start);
    if (Part == u"..") {
      if (!Parts.empty()) Parts.pop_back();
    } else if (!Part.empty() && Part != u".") {
      Parts.push_back(std::move(Part));
    }
    Start = End + 1;
  }
  String Result;
  for (const String& Part : Parts) Result += u"/" + Part;
  if (Result.empty()) return u"/";
  if (Full.back() == u'/') Result += u'/';
  return Result;
}

String ExtractFilePath(const String& FileName) {
  size_t I = LastDelimiter(FileName);
  return I == String::npos ? String() : FileName.substr(0, I + 1);
}

String ExtractFileDir(const String& FileName) {
  size_t I = LastDelimiter(FileName);
  if (I == String::npos) return String();
  // Drop the trailing separator unless it is the root's or follows a drive colon.
  if (I > 0 && IsSeparator(FileName[I]) && !IsDelimiter(FileName, I - 1)) --I;
  return FileName.substr(0, I + 1);
}

String ExtractFileName(const String& FileName) {
  size_t I = LastDelimiter(FileName);
  return I == String::npos ? FileName : FileName.substr(I + 1);
}

String ExtractFileExt(const String& FileName) {
  size_t Dot = ExtensionDot(FileName);
  return Dot == String::npos ? String() : FileName.substr(Dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  size_t Dot = ExtensionDot(FileName);
  return (Dot == String::npos ? FileName : FileName.substr(0, Dot)) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && IsSeparator(S.back())) return S;
  return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  // The root stays the root: "/" never becomes the empty name (the current directory).
  if (S.size() > 1 && IsSeparator(S.back())) return S.substr(0, S.size() - 1);
  return S;
}

bool FileExists(const String& FileName) {
  struct stat St;
  return ::stat(NativeName(FileName).c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const String& Directory, bool FollowLink) {
  return IsDirectory(NativeName(Directory), FollowLink);
}

bool DeleteFile(const String& FileName) {
  std::string Native = NativeName(FileName);
  struct stat St;
  if (::lstat(Native.c_str(), &St) != 0 || S_ISDIR(St.st_mode) || IsReadOnlyFile(St)) return false;
  return ::unlink(Native.c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
  if (OldName == NewName) return FileExists(OldName) || DirectoryExists(OldName, false);
  return RenameNoReplace(NativeName(OldName), NativeName(NewName)) == 0;
}

bool CreateDir(const String& Dir) {
  return ::mkdir(NativeName(Dir).c_str(), 0777) == 0;
}

bool RemoveDir(const String& Dir) {
  return ::rmdir(NativeName(Dir).c_str()) == 0;
}

bool ForceDirectories(const String& Dir) {
  std::string Native = NativeName(Dir);
  while (Native.size() > 1 && Native.back() == '/') Native.pop_back();
  if (Native.empty()) return false;
  if (IsDirectory(Native, true)) return true;
  // Create each missing level from the top; an existing level is fine, anything else
  // in the way makes the next level fail.
  for (size_t I = 1; I <= Native.size(); ++I) {
    if (I < Native.size() && Native[I] != '/') continue;
    std::string Level = Native.substr(0, I);
    if (Level.back() == '/' || IsDirectory(Level, true)) continue;
    if (::mkdir(Level.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return IsDirectory(Native, true);
}

void RmDir(const String& Dir) {
  if (!IOBegin()) return;
  if (::rmdir(NativeName(Dir).c_str()) != 0)
    IOFail(ErrnoToIOCode(errno, ioAccessDenied), Dir, errno);
}

String GetCurrentDir() {
  std::vector<char> Buffer(4096);
  while (::getcwd(Buffer.data(), Buffer.size()) == nullptr) {
    if (errno != ERANGE) return String();
    Buffer.resize(Buffer.size() * 2);
  }
  return Utf8ToString(Buffer.data());
}

}  // namespace KYR_runtime
