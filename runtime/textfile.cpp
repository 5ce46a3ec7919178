// Pascal text files, the per-thread I/O checking switch and IOResult.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "KYR_runtime_numbers.h"
#include "KYR_runtime_textfile.h"
#include "io_internal.h"

namespace KYR_runtime {

// --- I/O checking and results ---------------------------------------------------

namespace {
thread_local bool tIOChecking = true;
thread_local int32_t tInOutRes = 0;
}  // namespace

bool IOChecking() {
  return tIOChecking;
}
void SetIOChecking(bool On) {
  tIOChecking = On;
}

int32_t IOResult() {
  int32_t Code = tInOutRes;
  tInOutRes = 0;
  return Code;
}

namespace io_detail {

String IOErrorMessage(int32_t Code, const String& FileName, int Err) {
  String Text;
  switch (Code) {
    case ioFileNotFound:
      Text = u"File not found";
      break;
    case ioPathNotFound:
      Text = u"Path not found";
      break;
    case ioTooManyOpenFiles:
      Text = u"Too many open files";
      break;
    case ioAccessDenied:
      Text = u"Access denied";
      break;
    case ioFileExists:
      Text = u"File exists";
      break;
    case ioDiskReadError:
      Text = Err ? u"Disk read error" : u"Read beyond end of file";
      break;
    case ioDiskWriteError:
      Text = u"Disk write error";
      break;
    case ioFileNotAssigned:
      Text = u"File not assigned";
      break;
    case ioFileNotOpen:
      Text = u"File not open";
      break;
    case ioFileNotOpenForInput:
      Text = u"File not open for input";
      break;
    case ioFileNotOpenForOutput:
      Text = u"File not open for output";
      break;
    case ioInvalidNumericFormat:
      Text = u"Invalid numeric format";
      break;
    default:
      Text = u"I/O error " + IntToStr(Code);
      break;
  }
  if (!FileName.empty()) Text += u": " + FileName;
  if (Err != 0)
    Text += u" (" + Utf8ToString(std::error_code(Err, std::generic_category()).message()) + u")";
  return Text;
}

bool IOBegin() {
  if (tInOutRes == 0) return true;
  if (!tIOChecking) return false;
  int32_t Code = IOResult();
  throw EInOutError(Code, IOErrorMessage(Code, String()));
}

void IOFail(int32_t Code, const String& FileName, int Err) {
  if (tIOChecking) throw EInOutError(Code, IOErrorMessage(Code, FileName, Err));
  tInOutRes = Code;
}

int32_t ErrnoToIOCode(int Err, int32_t Fallback) {
  switch (Err) {
    case ENOENT:
      return ioFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return ioPathNotFound;
    case EMFILE:
    case ENFILE:
      return ioTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EBADF:  // a descriptor opened without the access the operation needs
    case ETXTBSY:
      return ioAccessDenied;
    case EEXIST:
      return ioFileExists;
    default:
      return Fallback;
  }
}

int32_t OpenErrorCode(int Err, const std::string& Native, int32_t Fallback) {
  if (Err != ENOENT) return ErrnoToIOCode(Err, Fallback);
  size_t Slash = Native.rfind('/');
  if (Slash == std::string::npos || Slash == 0) return ioFileNotFound;
  struct stat St;
  std::string Dir = Native.substr(0, Slash);
  return ::stat(Dir.c_str(), &St) == 0 && S_ISDIR(St.st_mode) ? ioFileNotFound : ioPathNotFound;
}

}  // namespace io_detail

using namespace io_detail;

// --- TextFile -------------------------------------------------------------------

namespace {
constexpr size_t TextBufferSize = 64 * 1024;
constexpr char CR = '\r';
constexpr char LF = '\n';
}  // namespace

struct TextFile::State {
  enum class TMode { Closed, Input, Output };

  String Name;
  bool Assigned = false;
  int Fd = -1;
  TMode Mode = TMode::Closed;
  std::vector<char> Buffer;
  size_t BufPos = 0;  // input: next byte; output: unused
  size_t BufEnd = 0;  // input: bytes in the buffer; output: bytes waiting to be written

  // Refills an empty input buffer; false at the end of the file or on a read error
  // (which has been reported).
  bool Fill() {
    if (BufPos < BufEnd) return true;
    BufPos = BufEnd = 0;
    int64_t N = ReadSome(Fd, Buffer.data(), static_cast<int64_t>(Buffer.size()));
    if (N < 0) {
      IOFail(ErrnoToIOCode(errno, ioDiskReadError), Name, errno);
      return false;
    }
    BufEnd = static_cast<size_t>(N);
    return N > 0;
  }

  bool AtEnd() { return !Fill(); }

  // Writes the pending output; false (reported) when the system refused it.
  bool FlushOutput() {
    if (BufEnd == 0) return true;
    int64_t N = WriteFull(Fd, Buffer.data(), static_cast<int64_t>(BufEnd));
    bool Complete = N == static_cast<int64_t>(BufEnd);
    int Err = Complete ? 0 : (errno != 0 ? errno : ENOSPC);
    BufEnd = 0;
    if (Complete) return true;
    IOFail(ErrnoToIOCode(Err, ioDiskWriteError), Name, Err);
    return false;
  }

  void Append(const char* Data, size_t Count) {
    while (Count > 0) {
      if (BufEnd == Buffer.size() && !FlushOutput()) return;
      size_t Take = std::min(Count, Buffer.size() - BufEnd);
      std::memcpy(Buffer.data() + BufEnd, Data, Take);
      BufEnd += Take;
      Data += Take;
      Count -= Take;
    }
  }

  // Closes the descriptor; with Report, failures of the last write or the close are
  // reported, otherwise ignored (destructor).
  void Close(bool Report) {
    if (Fd < 0) return;
    bool Ok = true;
    int Err = 0;
    if (Mode == TMode::Output && BufEnd > 0) {
      int64_t N = WriteFull(Fd, Buffer.data(), static_cast<int64_t>(BufEnd));
      if (N != static_cast<int64_t>(BufEnd)) {
        Ok = false;
        Err = errno != 0 ? errno : ENOSPC;
      }
    }
    if (::close(Fd) != 0 && Ok && errno != EINTR) {
      Ok = false;
      Err = errno;
    }
    Fd = -1;
    Mode = TMode::Closed;
    BufPos = BufEnd = 0;
    Buffer.clear();
    Buffer.shrink_to_fit();
    if (!Ok && Report) IOFail(ErrnoToIOCode(Err, ioDiskWriteError), Name, Err);
  }
};

TextFile::TextFile() : FState(std::make_unique<State>()) {}
TextFile::~TextFile() {
  FState->Close(false);
}

namespace {

using TMode = TextFile::State::TMode;

// Opens the assigned file with Flags. An open file is closed first, as Pascal's Reset
// and Rewrite do. Returns false (reported) on failure.
bool OpenText(TextFile& F, int Flags, TMode Mode, int32_t Fallback) {
  auto& S = F.Impl();
  if (!IOBegin()) return false;
  if (!S.Assigned) {
    IOFail(ioFileNotAssigned, String());
    return false;
  }
  S.Close(false);
  int Fd = OpenPascalFile(S.Name, Flags, Fallback);
  if (Fd < 0) return false;
  S.Fd = Fd;
  S.Mode = Mode;
  S.Buffer.assign(TextBufferSize, 0);
  S.BufPos = S.BufEnd = 0;
  return true;
}

// The state of a file that must be open for input; null (reported) otherwise.
TextFile::State* Input(TextFile& F) {
  if (!IOBegin()) return nullptr;
  auto& S = F.Impl();
  if (S.Mode == TMode::Input) return &S;
  IOFail(S.Mode == TMode::Closed ? ioFileNotOpen : ioFileNotOpenForInput, S.Name);
  return nullptr;
}

TextFile::State* Output(TextFile& F) {
  if (!IOBegin()) return nullptr;
  auto& S = F.Impl();
  if (S.Mode == TMode::Output) return &S;
  IOFail(S.Mode == TMode::Closed ? ioFileNotOpen : ioFileNotOpenForOutput, S.Name);
  return nullptr;
}

bool IsLineBreak(char C) {
  return C == CR || C == LF;
}
bool IsSeparator(char C) {
  return C == ' ' || C == '\t' || IsLineBreak(C);
}

// Skips one line break (CR LF, LF or a lone CR) at the current position.
void SkipLineBreak(TextFile::State& S) {
  if (S.AtEnd()) return;
  char C = S.Buffer[S.BufPos];
  if (!IsLineBreak(C)) return;
  ++S.BufPos;
  if (C == CR && !S.AtEnd() && S.Buffer[S.BufPos] == LF) ++S.BufPos;
}

}  // namespace

void AssignFile(TextFile& F, const String& FileName) {
  auto& S = F.Impl();
  S.Close(false);
  S.Name = FileName;
  S.Assigned = true;
}

void Reset(TextFile& F) {
  OpenText(F, O_RDONLY, TMode::Input, ioDiskReadError);
}

void Rewrite(TextFile& F) {
  OpenText(F, O_WRONLY | O_CREAT | O_TRUNC, TMode::Output, ioDiskWriteError);
}

void Append(TextFile& F) {
  OpenText(F, O_WRONLY | O_APPEND, TMode::Output, ioDiskWriteError);
}

void CloseFile(TextFile& F) {
  if (!IOBegin()) return;
  auto& S = F.Impl();
  if (S.Mode == TMode::Closed) {
    IOFail(ioFileNotOpen, S.Name);
    return;
  }
  S.Close(true);
}

void Flush(TextFile& F) {
  if (!IOBegin()) return;
  auto& S = F.Impl();
  if (S.Mode == TMode::Closed) {
    IOFail(ioFileNotOpen, S.Name);
    return;
  }
  if (S.Mode == TMode::Output) S.FlushOutput();
}

void Erase(TextFile& F) {
  if (!IOBegin()) return;
  auto& S = F.Impl();
  if (!S.Assigned) {
    IOFail(ioFileNotAssigned, String());
    return;
  }
  EraseNamed(S.Name);
}

bool Eof(TextFile& F) {
  if (!IOBegin()) return true;
  auto& S = F.Impl();
  switch (S.Mode) {
    case TMode::Input:
      return S.AtEnd();
    case TMode::Output:
      return true;
    case TMode::Closed:
      break;
  }
  IOFail(ioFileNotOpen, S.Name);
  return true;
}

bool Eoln(TextFile& F) {
  auto* S = Input(F);
  if (S == nullptr) return true;
  return S->AtEnd() || IsLineBreak(S->Buffer[S->BufPos]);
}

String ReadLn(TextFile& F) {
  String Line;
  ReadLn(F, Line);
  return Line;
}

void ReadLn(TextFile& F, String& Line) {
  Line.clear();
  auto* S = Input(F);
  if (S == nullptr) return;
  std::string Bytes;
  while (S->Fill()) {
    const char* Begin = S->Buffer.data() + S->BufPos;
    const char* End = S->Buffer.data() + S->BufEnd;
    const char* P = Begin;
    while (P != End && !IsLineBreak(*P)) ++P;
    Bytes.append(Begin, P);
    S->BufPos += static_cast<size_t>(P - Begin);
    if (P != End) break;
  }
  SkipLineBreak(*S);
  Line = AnsiToString(Bytes);
}

Char ReadChar(TextFile& F) {
  auto* S = Input(F);
  if (S == nullptr || S->AtEnd()) return u'\x1A';
  return AnsiCharToChar(static_cast<uint8_t>(S->Buffer[S->BufPos++]));
}

void Read(TextFile& F, Char& C) {
  C = ReadChar(F);
}

// At the end of the file (nothing but separators left) there is no number to read: that
// is error 100, read beyond the end, rather than a silent 0.
void Read(TextFile& F, int32_t& Value) {
  Value = 0;
  auto* S = Input(F);
  if (S == nullptr) return;
  while (S->Fill() && IsSeparator(S->Buffer[S->BufPos])) ++S->BufPos;
  if (S->AtEnd()) {
    IOFail(ioDiskReadError, S->Name);
    return;
  }
  std::string Token;
  while (S->Fill() && !IsSeparator(S->Buffer[S->BufPos])) Token += S->Buffer[S->BufPos++];
  int32_t Code = 0;
  int32_t Number = 0;
  Val(AnsiToString(Token), Number, Code);
  if (Code != 0) {
    IOFail(ioInvalidNumericFormat, S->Name);
    return;
  }
  Value = Number;
}

void Write(TextFile& F, const String& Text) {
  auto* S = Output(F);
  if (S == nullptr) return;
  std::string Bytes = StringToAnsi(Text);
  S->Append(Bytes.data(), Bytes.size());
}

void WriteLn(TextFile& F, const String& Text) {
  auto* S = Output(F);
  if (S == nullptr) return;
  std::string Bytes = StringToAnsi(Text);
  Bytes += "\r\n";
  S->Append(Bytes.data(), Bytes.size());
}

void WriteLn(TextFile& F) {
  WriteLn(F, String());
}

}  // namespace KYR_runtime
