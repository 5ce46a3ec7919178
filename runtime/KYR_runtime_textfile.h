// Pascal text files and untyped files, with I/O checking and IOResult.
//
// I/O checking is a per-thread switch, on by default: a failed operation raises
// EInOutError. With checking off the error code is recorded instead; IOResult returns
// it and clears it, and while a code is pending every further file operation of the
// thread does nothing (as the Pascal runtime's {$I-} mode); Eof then reports true so that
// reading loops end. A code still pending when checking is on again is raised by the next
// file operation, so it is never lost.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "KYR_runtime_objects.h"

namespace KYR_runtime {

// Error codes reported by IOResult and EInOutError::ErrorCode.
inline constexpr int32_t ioFileNotFound = 2;
inline constexpr int32_t ioPathNotFound = 3;
inline constexpr int32_t ioTooManyOpenFiles = 4;
inline constexpr int32_t ioAccessDenied = 5;
inline constexpr int32_t ioFileExists = 80;      // Rename onto an existing file
inline constexpr int32_t ioDiskReadError = 100;  // read past the end
inline constexpr int32_t ioDiskWriteError = 101;
inline constexpr int32_t ioFileNotAssigned = 102;
inline constexpr int32_t ioFileNotOpen = 103;
inline constexpr int32_t ioFileNotOpenForInput = 104;
inline constexpr int32_t ioFileNotOpenForOutput = 105;
inline constexpr int32_t ioInvalidNumericFormat = 106;

bool IOChecking();
void SetIOChecking(bool On);
// Returns the pending error code of this thread (0 when none) and clears it.
int32_t IOResult();

// Turns I/O checking off for its lifetime and restores the previous setting.
class IOCheckingOff {
 public:
  IOCheckingOff() : FPrevious(IOChecking()) { SetIOChecking(false); }
  ~IOCheckingOff() { SetIOChecking(FPrevious); }
  IOCheckingOff(const IOCheckingOff&) = delete;
  IOCheckingOff& operator=(const IOCheckingOff&) = delete;

 private:
  bool FPrevious;
};

// A text file: 8-bit Windows-1252 text, lines written with CR LF; reading accepts
// CR LF, LF and a lone CR as line breaks. Closed automatically on destruction.
class TextFile {
 public:
  TextFile();
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  struct State;
  State& Impl() { return *FState; }

 private:
  std::unique_ptr<State> FState;
};

void AssignFile(TextFile& F, const String& FileName);
// Opens for reading; an open file is closed and opened again at its start. A directory
// is error 5.
void Reset(TextFile& F);
// Creates or truncates for writing (an open file is closed first).
void Rewrite(TextFile& F);
// Opens an existing file for writing at its end; a missing file is an error.
void Append(TextFile& F);
void CloseFile(TextFile& F);
void Flush(TextFile& F);
// Deletes the assigned (closed) file; a read-only file is error 5 and stays.
void Erase(TextFile& F);
// True at the end of the file, and for a file open for writing; a closed file is error
// 103.
bool Eof(TextFile& F);
// True at the end of a line or of the file.
bool Eoln(TextFile& F);
// The rest of the current line without its line break; moves to the next line. At the
// end of the file the result is empty and no error.
String ReadLn(TextFile& F);
void ReadLn(TextFile& F, String& S);
// One character, line-break characters included; U+001A at the end of the file.
Char ReadChar(TextFile& F);
void Read(TextFile& F, Char& C);
// Skips blanks, tabs and line breaks, converts the following run of non-blank
// characters; anything that is no integer raises error 106. At the end of the file,
// where no number follows, it is error 100 (read beyond the end) and Value is 0.
void Read(TextFile& F, int32_t& Value);
void Write(TextFile& F, const String& S);
void WriteLn(TextFile& F, const String& S);
void WriteLn(TextFile& F);

// The file-open mode of untyped files (0 read, 1 write, 2 read-write), process-wide.
// Only its two low bits count; 3 opens for reading and writing.
extern uint8_t FileMode;

// An untyped file of fixed-size records. Closed automatically on destruction.
class UntypedFile {
 public:
  UntypedFile();
  ~UntypedFile();
  UntypedFile(const UntypedFile&) = delete;
  UntypedFile& operator=(const UntypedFile&) = delete;
  struct State;
  State& Impl() { return *FState; }

 private:
  std::unique_ptr<State> FState;
};

void AssignFile(UntypedFile& F, const String& FileName);
// Opens an existing file with the access of FileMode.
void Reset(UntypedFile& F, int32_t RecSize = 128);
// Creates or truncates the file for reading and writing.
void Rewrite(UntypedFile& F, int32_t RecSize = 128);
void CloseFile(UntypedFile& F);
// Reads up to Count records; AmtTransferred is the count actually read.
void BlockRead(UntypedFile& F, void* Buf, int32_t Count, int32_t& AmtTransferred);
// Reads exactly Count records; a short read is error 100 (the bytes read stay in Buf).
void BlockRead(UntypedFile& F, void* Buf, int32_t Count);
void BlockWrite(UntypedFile& F, const void* Buf, int32_t Count, int32_t& AmtTransferred);
void BlockWrite(UntypedFile& F, const void* Buf, int32_t Count);
// Size and position in records.
int64_t FileSize(UntypedFile& F);
int64_t FilePos(UntypedFile& F);
void Seek(UntypedFile& F, int64_t RecNo);
bool Eof(UntypedFile& F);
// Renames the assigned (closed) file; an existing NewName is error 80 and is left alone.
void Rename(UntypedFile& F, const String& NewName);
// Deletes the assigned (closed) file; a read-only file is error 5 and stays.
void Erase(UntypedFile& F);

}  // namespace KYR_runtime
