// kyr scramble / descramble: the character-permutation scrambler as a filter.
#include <cstdio>
#include <string>

#include "KYR_stringl_words.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

std::string ReadStdin() {
  std::string Data;
  char Buf[65536];
  size_t N = 0;
  while ((N = std::fread(Buf, 1, sizeof Buf, stdin)) > 0) Data.append(Buf, N);
  if (std::ferror(stdin)) throw std::runtime_error("cannot read standard input");
  return Data;
}

// Each byte is the character with the same code (0..255), so the filter round-trips any
// input exactly.
int Filter(const Args& Rest, KYR_runtime::String (*Map)(const KYR_runtime::String&)) {
  if (Rest.size() > 1) throw UsageError("takes at most one seed");
  if (!Rest.empty())
    KYR_stringl::InitScramble(FromText<int32_t>(KYR_runtime::Utf8ToString(Rest[0])));
  const std::string In = ReadStdin();
  KYR_runtime::String Text(In.size(), u'\0');
  for (size_t I = 0; I < In.size(); ++I) Text[I] = static_cast<unsigned char>(In[I]);
  const KYR_runtime::String Mapped = Map(Text);
  std::string Out(Mapped.size(), '\0');
  for (size_t I = 0; I < Mapped.size(); ++I) Out[I] = static_cast<char>(Mapped[I] & 0xFF);
  if (std::fwrite(Out.data(), 1, Out.size(), stdout) != Out.size() || std::fflush(stdout) != 0)
    throw std::runtime_error("cannot write standard output");
  return 0;
}

}  // namespace

void RegisterStringlCommands(CommandTable& Commands) {
  Commands["scramble"] = {"scramble [SEED]",
                          "scramble standard input to standard output (default seed without SEED)",
                          [](const Args& Rest) { return Filter(Rest, &KYR_stringl::Scramble); }};
  Commands["descramble"] = {
      "descramble [SEED]", "restore text scrambled with the same seed, from standard input",
      [](const Args& Rest) { return Filter(Rest, &KYR_stringl::DeScramble); }};
}

}  // namespace kyr_tool
