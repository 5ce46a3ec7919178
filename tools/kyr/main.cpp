// kyr: puts the library's functions to work from a shell.
#include <cstdio>
#include <iostream>

#include "kyr_tool.h"

namespace kyr_tool {
namespace {

CommandTable BuildCommands();

CallTable BuildCalls() {
  CallTable Calls;
  RegisterStringlCalls(Calls);
  RegisterStringlFormatCalls(Calls);
  RegisterColorsCalls(Calls);
  return Calls;
}

int RunCall(const Args& Rest) {
  if (Rest.empty()) throw UsageError("call needs a function name; `kyr call list` shows them");
  CallTable Calls = BuildCalls();
  if (Rest[0] == "list") {
    for (const auto& [Name, C] : Calls) std::cout << C.Signature << "\n";
    return 0;
  }
  auto It = Calls.find(Rest[0]);
  if (It == Calls.end()) throw UsageError("no function named " + Rest[0]);
  std::vector<String> In;
  for (size_t I = 1; I < Rest.size(); ++I) In.push_back(KYR_runtime::Utf8ToString(Rest[I]));
  const Call& C = It->second;
  if (C.Arity != SIZE_MAX && In.size() != C.Arity)
    throw UsageError(C.Signature + " takes " + std::to_string(C.Arity) + " argument(s)");
  std::cout << C.Invoke(In) << "\n";
  return 0;
}

int RunHelp(const Args&) {
  std::cout << "usage: kyr COMMAND [ARG...]\n\ncommands:\n";
  for (const auto& [Name, C] : BuildCommands()) {
    // Long usages get their help on the next line.
    if (C.Usage.size() > 30) {
      std::printf("  %s\n  %-30s %s\n", C.Usage.c_str(), "", C.Help.c_str());
    } else {
      std::printf("  %-30s %s\n", C.Usage.c_str(), C.Help.c_str());
    }
  }
  return 0;
}

CommandTable BuildCommands() {
  CommandTable Commands;
  Commands["help"] = {"help", "list the commands", RunHelp};
  Commands["call"] = {"call FUNCTION ARG...",
                      "call a library function with text arguments (`call list` lists them)",
                      RunCall};
  RegisterRuntimeCommands(Commands);
  RegisterGrepCommands(Commands);
  RegisterStringlCommands(Commands);
  RegisterColorsCommands(Commands);
  RegisterStreamsCommands(Commands);
  RegisterTableCommands(Commands);
  return Commands;
}

}  // namespace
}  // namespace kyr_tool

int main(int argc, char** argv) {
  using namespace kyr_tool;
  Args All(argv + 1, argv + argc);
  std::string Name = All.empty() ? "help" : All[0];
  CommandTable Commands = BuildCommands();
  auto It = Commands.find(Name);
  if (It == Commands.end()) {
    std::cerr << "kyr: unknown command '" << Name << "'; `kyr help` lists the commands\n";
    return 2;
  }
  try {
    return It->second.Run(Args(All.begin() + (All.empty() ? 0 : 1), All.end()));
  } catch (const UsageError& E) {
    std::cerr << "kyr " << Name << ": " << E.what() << "\nusage: kyr " << It->second.Usage << "\n";
    return 2;
  } catch (const std::exception& E) {
    std::cerr << "kyr " << Name << ": " << E.what() << "\n";
    return 1;
  }
}
