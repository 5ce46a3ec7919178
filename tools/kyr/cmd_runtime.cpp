// Commands that put the runtime's file services to work.
#include <cstdio>
#include <iostream>

#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_runtime;

// "RHSDA" with "-" for each attribute that is not set.
std::string AttrLetters(int32_t Attr) {
  static constexpr struct {
    int32_t Bit;
    char Letter;
  } Bits[] = {
      {faReadOnly, 'R'}, {faHidden, 'H'}, {faSysFile, 'S'}, {faDirectory, 'D'}, {faArchive, 'A'}};
  std::string Out;
  for (const auto& B : Bits) Out += (Attr & B.Bit) ? B.Letter : '-';
  return Out;
}

// The packed DOS date-time as "YYYY-MM-DD hh:mm:ss".
std::string DosTimeText(int32_t Packed) {
  auto P = static_cast<uint32_t>(Packed);
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%04u-%02u-%02u %02u:%02u:%02u", (P >> 25) + 1980,
                (P >> 21) & 0x0F, (P >> 16) & 0x1F, (P >> 11) & 0x1F, (P >> 5) & 0x3F,
                (P & 0x1F) * 2);
  return Buf;
}

int RunFind(const Args& Rest) {
  Args Plain;
  bool All = false;
  for (const std::string& A : Rest) {
    if (A == "--all")
      All = true;
    else if (A.rfind("--", 0) == 0)
      throw UsageError("unknown option " + A);
    else
      Plain.push_back(A);
  }
  if (Plain.size() != 2) throw UsageError("find needs a directory and a mask");
  String Path = IncludeTrailingPathDelimiter(Utf8ToString(Plain[0])) + Utf8ToString(Plain[1]);
  TSearchRec R;
  int32_t Code = FindFirst(Path, All ? faAnyFile : faDirectory, R);
  if (Code == ioPathNotFound) {
    std::cerr << "kyr find: no directory " << Plain[0] << "\n";
    return 1;
  }
  if (Code != 0 && Code != ERROR_NO_MORE_FILES) {
    std::cerr << "kyr find: cannot search " << Plain[0] << " (error " << Code << ")\n";
    return 1;
  }
  int Count = 0;
  for (; Code == 0; Code = FindNext(R), ++Count)
    std::printf("%s %12lld %s %s\n", AttrLetters(R.Attr).c_str(), static_cast<long long>(R.Size),
                DosTimeText(R.Time).c_str(), StringToUtf8(R.Name).c_str());
  FindClose(R);
  std::printf("%d %s\n", Count, Count == 1 ? "entry" : "entries");
  return 0;
}

}  // namespace

void RegisterRuntimeCommands(CommandTable& Commands) {
  Commands["find"] = {"find DIR MASK [--all]",
                      "list the entries matching MASK (* and ?, case ignored): attributes "
                      "RHSDA, size, time, name; --all includes hidden and special entries",
                      RunFind};
}

}  // namespace kyr_tool
