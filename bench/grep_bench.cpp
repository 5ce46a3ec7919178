// TGrep against std::regex_search and RE2: the same searches, line by line, over a
// generated 16 MiB log-like text. Each run reports the bytes searched per second and
// the number of matching lines, which must agree between the three engines.
#include <benchmark/benchmark.h>
#include <re2/re2.h>

#include <array>
#include <cstdint>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "KYR_stringl_grep.h"

namespace {

using KYR_runtime::String;

struct Corpus {
  std::vector<std::string> Lines;  // ASCII, for std::regex and RE2
  std::vector<String> Lines16;     // the same lines as library strings
  int64_t Bytes = 0;
};

// Lines of 40 to 120 characters: a level word, then words from a small vocabulary, with
// numbers in about a quarter of the lines and rare marker words.
const Corpus& Text() {
  static const Corpus C = [] {
    static const char* const Words[] = {
        "the",     "of",     "and",      "request", "server",   "client", "session", "data",
        "value",   "queue",  "process",  "thread",  "worker",   "cache",  "memory",  "disk",
        "network", "packet", "response", "handler", "module",   "config", "load",    "start",
        "stop",    "ready",  "waiting",  "closed",  "opened",   "stream", "buffer",  "table",
        "record",  "index",  "query",    "commit",  "rollback", "lock",   "signal",  "event",
        "is",      "was",    "to",       "from",    "with",     "for",    "in",      "on",
        "retry",   "check",  "update",   "delete",  "insert",   "select", "order",   "group",
        "user",    "failed", "timeout",  "login",   "logout",   "token",  "scan",    "batch"};
    constexpr int NWords = sizeof(Words) / sizeof(Words[0]);
    static const char* const Levels[] = {"INFO", "INFO", "INFO", "DEBUG", "DEBUG", "WARN", "ERROR"};
    std::mt19937_64 Rng(12345);
    Corpus R;
    constexpr int64_t Target = 16 << 20;
    while (R.Bytes < Target) {
      std::string Line = Levels[Rng() % 7];
      const size_t Len = 40 + Rng() % 81;
      while (Line.size() < Len) {
        Line += ' ';
        const uint64_t Roll = Rng() % 100;
        if (Roll < 3) {
          Line += std::to_string(Rng() % 100000);
        } else {
          // Marker words are rarer than the others.
          int W = static_cast<int>(Rng() % NWords);
          if (W >= NWords - 8 && Rng() % 4 != 0) W = static_cast<int>(Rng() % (NWords - 8));
          Line += Words[W];
        }
      }
      R.Bytes += static_cast<int64_t>(Line.size()) + 1;
      R.Lines.emplace_back(Line);  // an exact-size copy
    }
    // Each engine's lines lie one after the other in memory, as if read by it alone.
    R.Lines16.reserve(R.Lines.size());
    for (const std::string& Line : R.Lines) R.Lines16.push_back(KYR_runtime::Utf8ToString(Line));
    return R;
  }();
  return C;
}

struct Pattern {
  const char* Name;
  const char16_t* Grep;
  const char* Regex;  // std::regex (ECMAScript) and RE2 alike
  bool IgnoreCase;
};

constexpr std::array<Pattern, 5> Patterns{{
    {"literal", u"timeout", "timeout", false},
    {"class_plus", u"[0-9]+", "[0-9]+", false},
    {"anchored", u"^ERROR", "^ERROR", false},
    {"dot_star", u"user.*failed", "user.*failed", false},
    {"literal_icase", u"TimeOut", "TimeOut", true},
}};

void Finish(benchmark::State& State, int64_t Matched) {
  State.SetBytesProcessed(State.iterations() * Text().Bytes);
  State.counters["lines_matched"] = static_cast<double>(Matched);
}

void BM_TGrep(benchmark::State& State, const Pattern& P) {
  const Corpus& C = Text();
  KYR_stringl::TGrep G;
  G.SetIgnoreCase(P.IgnoreCase);
  G.SetRegExp(P.Grep);
  int64_t Matched = 0;
  for (auto _ : State) {
    Matched = 0;
    for (const String& Line : C.Lines16) {
      int32_t Pos = 0;
      Matched += G.MatchString(Line, Pos);
      benchmark::DoNotOptimize(Pos);
    }
  }
  Finish(State, Matched);
}

void BM_StdRegex(benchmark::State& State, const Pattern& P) {
  const Corpus& C = Text();
  const std::regex Re(
      P.Regex, P.IgnoreCase ? std::regex::ECMAScript | std::regex::icase : std::regex::ECMAScript);
  int64_t Matched = 0;
  for (auto _ : State) {
    Matched = 0;
    for (const std::string& Line : C.Lines) Matched += std::regex_search(Line, Re);
  }
  Finish(State, Matched);
}

void BM_RE2(benchmark::State& State, const Pattern& P) {
  const Corpus& C = Text();
  RE2::Options Options;
  Options.set_case_sensitive(!P.IgnoreCase);
  const RE2 Re(P.Regex, Options);
  int64_t Matched = 0;
  for (auto _ : State) {
    Matched = 0;
    for (const std::string& Line : C.Lines) Matched += RE2::PartialMatch(Line, Re);
  }
  Finish(State, Matched);
}

[[maybe_unused]] const bool Registered = [] {
  for (const Pattern& P : Patterns) {
    const std::string Name = P.Name;
    benchmark::RegisterBenchmark(("TGrep/" + Name).c_str(), BM_TGrep, P)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("RE2/" + Name).c_str(), BM_RE2, P)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("std_regex/" + Name).c_str(), BM_StdRegex, P)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
