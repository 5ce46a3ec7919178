// File search: FindFirst, FindNext and FindClose over a directory listing, with name
// masks and attribute selection.
#include <dirent.h>
#include <fcntl.h>

#include <cerrno>

#include "KYR_runtime_files.h"
#include "KYR_runtime_textfile.h"
#include "io_internal.h"

namespace KYR_runtime {

using namespace io_detail;

namespace {

String Folded(const String& S) {
  return AnsiUpperCase(S);
}

// Wildcard match of already case-folded texts: "*" any run, "?" one character. On a
// mismatch the last "*" takes one more character (linear in practice, no recursion).
bool MatchFolded(const String& Name, const String& Mask) {
  if (Mask == u"*.*") return true;
  size_t N = 0, M = 0;
  size_t StarMask = String::npos, StarName = 0;
  while (N < Name.size()) {
    if (M < Mask.size() && (Mask[M] == u'?' || Mask[M] == Name[N])) {
      ++N;
      ++M;
    } else if (M < Mask.size() && Mask[M] == u'*') {
      StarMask = M++;
      StarName = N;
    } else if (StarMask != String::npos) {
      M = StarMask + 1;
      N = ++StarName;
    } else {
      return false;
    }
  }
  while (M < Mask.size() && Mask[M] == u'*') ++M;
  return M == Mask.size();
}

}  // namespace

struct TSearchRec::State {
  DIR* Dir = nullptr;
  String Mask;  // folded
  int32_t ExcludeAttr = 0;

  State() = default;
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() { Close(); }

  void Close() {
    if (Dir != nullptr) ::closedir(Dir);
    Dir = nullptr;
  }

  // Fills F with the next entry that matches; false when there is none.
  bool Next(TSearchRec& F) {
    while (Dir != nullptr) {
      errno = 0;
      const dirent* Entry = ::readdir(Dir);
      if (Entry == nullptr) break;
      std::string_view Raw = Entry->d_name;
      if (Raw == "." || Raw == "..") continue;
      String Name = Utf8ToString(Raw);
      if (!MatchFolded(Folded(Name), Mask)) continue;
      TEntryInfo Info;
      // An entry removed since the listing was read is skipped.
      if (!StatEntry(::dirfd(Dir), Entry->d_name, Name, Info)) continue;
      if ((Info.Attr & ExcludeAttr) != 0) continue;
      F.Name = std::move(Name);
      F.Attr = Info.Attr;
      F.Size = Info.Size;
      F.Time = DosDateTimeFromTime(Info.MTime);
      return true;
    }
    Close();  // the listing is done: give the descriptor back early
    return false;
  }
};

bool MatchesMask(const String& Name, const String& Mask) {
  return MatchFolded(Folded(Name), Folded(Mask));
}

int32_t FindFirst(const String& Path, int32_t Attr, TSearchRec& F) {
  FindClose(F);
  String Dir = ExtractFilePath(Path);
  std::string Native = Dir.empty() ? std::string(".") : NativeName(Dir);
  DIR* Handle = ::opendir(Native.c_str());
  if (Handle == nullptr) {
    int32_t Code = ErrnoToIOCode(errno, ioPathNotFound);
    return Code == ioFileNotFound ? ioPathNotFound : Code;
  }
  auto S = std::make_shared<TSearchRec::State>();
  S->Dir = Handle;
  S->Mask = Folded(ExtractFileName(Path));
  S->ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  F.ExcludeAttr = S->ExcludeAttr;
  if (!S->Next(F)) return ERROR_NO_MORE_FILES;
  F.FindHandle = std::move(S);
  return 0;
}

int32_t FindNext(TSearchRec& F) {
  if (F.FindHandle == nullptr || !F.FindHandle->Next(F)) return ERROR_NO_MORE_FILES;
  return 0;
}

void FindClose(TSearchRec& F) {
  F.FindHandle.reset();
}

}  // namespace KYR_runtime
