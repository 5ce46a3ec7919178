// The kyr command-line tool: a table of commands, and a table of library functions that
// `kyr call NAME ARG...` invokes with text arguments.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "KYR_runtime.h"

namespace kyr_tool {

using Args = std::vector<std::string>;
using KYR_runtime::String;

struct Command {
  std::string Usage;  // e.g. "grep [-i] PATTERN FILE..."
  std::string Help;   // one line
  std::function<int(const Args& Rest)> Run;
};

struct Call {
  std::string Signature;  // e.g. "StripLTBlanks(S)"
  size_t Arity;           // SIZE_MAX: takes any number (a trailing list)
  std::function<std::string(const std::vector<String>& Rest)> Invoke;
};

using CommandTable = std::map<std::string, Command>;
using CallTable = std::map<std::string, Call>;

// Thrown for bad arguments; main prints it with the command's usage.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Each module registers its commands and its callable functions.
void RegisterStringlCalls(CallTable& Calls);
void RegisterStringlFormatCalls(CallTable& Calls);
void RegisterStringlCommands(CommandTable& Commands);
void RegisterRuntimeCommands(CommandTable& Commands);
void RegisterGrepCommands(CommandTable& Commands);
void RegisterColorsCommands(CommandTable& Commands);
void RegisterColorsCalls(CallTable& Calls);
void RegisterStreamsCommands(CommandTable& Commands);
void RegisterTableCommands(CommandTable& Commands);

// --- Text arguments to typed values ----------------------------------------------

template <class T>
T FromText(const String& S);
template <>
String FromText<String>(const String& S);
template <>
KYR_runtime::Char FromText<KYR_runtime::Char>(const String& S);
template <>
bool FromText<bool>(const String& S);
template <>
int32_t FromText<int32_t>(const String& S);
template <>
int64_t FromText<int64_t>(const String& S);
template <>
uint8_t FromText<uint8_t>(const String& S);
template <>
double FromText<double>(const String& S);
template <>
long double FromText<long double>(const String& S);

std::string ToText(const String& S);
std::string ToText(bool B);
std::string ToText(KYR_runtime::Char C);
std::string ToText(long double X);
std::string ToText(double X);
template <class T>
requires std::is_integral_v<T> std::string ToText(T V) {
  return std::to_string(V);
}

// Wraps a library function so that it can be called with text arguments. A trailing
// parameter of type const std::vector<String>& takes all remaining arguments.
template <class R, class... A>
Call MakeCall(std::string Signature, R (*Fn)(A...)) {
  using Params = std::tuple<std::decay_t<A>...>;
  constexpr size_t N = sizeof...(A);
  constexpr bool Variadic =
      N > 0 && std::is_same_v<std::tuple_element_t<N - 1, Params>, std::vector<String>>;
  Call C;
  C.Signature = std::move(Signature);
  C.Arity = Variadic ? SIZE_MAX : N;
  C.Invoke = [Fn](const std::vector<String>& In) -> std::string {
    auto Convert = [&]<size_t... I>(std::index_sequence<I...>) {
      return Params{[&]() -> std::tuple_element_t<I, Params> {
        using P = std::tuple_element_t<I, Params>;
        if constexpr (std::is_same_v<P, std::vector<String>>) {
          return std::vector<String>(In.begin() + I, In.end());
        } else {
          return FromText<P>(In.at(I));
        }
      }()...};
    };
    Params P = Convert(std::make_index_sequence<N>{});
    if constexpr (std::is_void_v<R>) {
      std::apply(Fn, P);
      return std::string();
    } else {
      return ToText(std::apply(Fn, P));
    }
  };
  return C;
}

// Reads a whole file as bytes; raises KYR_runtime::EFOpenError when it cannot.
std::string ReadFileBytes(const std::string& Path);

}  // namespace kyr_tool
