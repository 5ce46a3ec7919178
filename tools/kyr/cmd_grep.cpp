// `kyr grep`: searches text files with the library's regular-expression matcher.
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "KYR_stringl_grep.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_runtime;
using KYR_stringl::TGrep;

// Every match in Line as "start-end", joined by ","; each search begins after the
// previous match (an empty match ends before its start).
std::string MatchPositions(TGrep& G, const String& Line) {
  const int64_t Length = static_cast<int64_t>(Line.size());
  std::string Out;
  int32_t Start = 1;
  for (;;) {
    G.SetSearchStartPos(Start);
    int32_t Pos = 0;
    if (!G.MatchString(Line, Pos)) break;
    if (!Out.empty()) Out += ",";
    Out += std::to_string(Pos) + "-" + std::to_string(G.MatchEndPos());
    Start = std::max({G.MatchEndPos() + 1, Pos + 1, Start + 1});
    if (Start > Length) break;
  }
  return Out;
}

// Prints the matching lines of one file; returns the number of matching lines, or -1
// when the file cannot be read.
int64_t GrepFile(TGrep& G, const std::string& Path) {
  TextFile F;
  int64_t Matches = 0;
  try {
    AssignFile(F, Utf8ToString(Path));
    Reset(F);
    for (int64_t LineNo = 1; !Eof(F); ++LineNo) {
      const String Line = ReadLn(F);
      const std::string Where = MatchPositions(G, Line);
      if (Where.empty()) continue;
      ++Matches;
      std::printf("%s:%lld:%s: %s\n", Path.c_str(), static_cast<long long>(LineNo), Where.c_str(),
                  StringToUtf8(Line).c_str());
    }
    CloseFile(F);
  } catch (const EInOutError& E) {
    std::fflush(stdout);
    std::cerr << "kyr grep: " << Path << ": " << E.what() << "\n";
    return -1;
  }
  return Matches;
}

int RunGrep(const Args& Rest) {
  bool IgnoreCase = false;
  size_t I = 0;
  for (; I < Rest.size() && Rest[I].size() > 1 && Rest[I][0] == '-'; ++I) {
    if (Rest[I] == "--") {
      ++I;
      break;
    }
    if (Rest[I] != "-i") throw UsageError("unknown option " + Rest[I]);
    IgnoreCase = true;
  }
  if (Rest.size() - I < 2) throw UsageError("grep needs a pattern and at least one file");

  TGrep G;
  G.SetName(u"grep");
  G.SetIgnoreCase(IgnoreCase);
  try {
    G.SetRegExp(Utf8ToString(Rest[I]));
  } catch (const KYR_stringl::EKYRStringlError& E) {
    throw UsageError(E.what());
  }

  bool AnyMatch = false;
  bool AnyError = false;
  for (size_t F = I + 1; F < Rest.size(); ++F) {
    const int64_t Matches = GrepFile(G, Rest[F]);
    AnyError |= Matches < 0;
    AnyMatch |= Matches > 0;
  }
  std::fflush(stdout);
  return AnyError ? 2 : AnyMatch ? 0 : 1;
}

}  // namespace

void RegisterGrepCommands(CommandTable& Commands) {
  Commands["grep"] = {"grep [-i] PATTERN FILE...",
                      "print the lines of Windows-1252 text files that match PATTERN (TGrep "
                      "syntax) as FILE:LINE:START-END[,...]: TEXT; -i ignores case",
                      RunGrep};
}

}  // namespace kyr_tool
