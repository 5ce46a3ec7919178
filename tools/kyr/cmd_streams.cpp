// Commands that put the stream readers to work on files.
#include <cstdio>
#include <iostream>

#include "KYR_streams.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_runtime;

const char* Kind(const KYR_streams::TTagElement& E) {
  if (E.EmptyElement) return "empty";
  return !E.Name.empty() && E.Name[0] == u'/' ? "end" : "start";
}

int RunTags(const Args& Rest) {
  Args Files;
  bool AsText = false;
  for (const std::string& A : Rest) {
    if (A == "--text")
      AsText = true;
    else if (A.rfind("--", 0) == 0)
      throw UsageError("unknown option " + A);
    else
      Files.push_back(A);
  }
  if (Files.size() != 1) throw UsageError("tags needs one file");
  const String Name = Utf8ToString(Files[0]);
  std::unique_ptr<TFileStream> Stream;
  TextFile Text;
  if (AsText) {
    AssignFile(Text, Name);
    Reset(Text);
  } else {
    Stream = std::make_unique<TFileStream>(Name, fmOpenRead | fmShareDenyWrite);
  }
  int Count = 0;
  std::printf("%-6s %-24s %10s  %s\n", "kind", "name", "content", "attributes");
  for (;;) {
    KYR_streams::TTagElement E =
        AsText ? KYR_streams::ReadNextTagElement(Text) : KYR_streams::ReadNextTagElement(*Stream);
    if (!E.Found) break;
    ++Count;
    std::printf("%-6s %-24s %10zu  %s\n", Kind(E), StringToUtf8(E.Name).c_str(), E.Content.size(),
                StringToUtf8(E.Attributes).c_str());
  }
  if (AsText) CloseFile(Text);
  std::printf("%d %s\n", Count, Count == 1 ? "element" : "elements");
  return 0;
}

int RunLines(const Args& Rest) {
  if (Rest.empty()) throw UsageError("lines needs at least one file");
  for (const std::string& File : Rest) {
    TFileStream Stream(Utf8ToString(File), fmOpenRead | fmShareDenyWrite);
    int32_t Lines = KYR_streams::CountLinesInStream(Stream);
    if (Rest.size() == 1)
      std::printf("%d\n", Lines);
    else
      std::printf("%10d  %s\n", Lines, File.c_str());
  }
  return 0;
}

}  // namespace

void RegisterStreamsCommands(CommandTable& Commands) {
  Commands["tags"] = {"tags FILE [--text]",
                      "list the elements of an XML-like file as the tag reader sees them: kind, "
                      "name, content length, attributes; --text reads it as a text file",
                      RunTags};
  Commands["lines"] = {"lines FILE...", "count the line feeds in each file", RunLines};
}

}  // namespace kyr_tool
