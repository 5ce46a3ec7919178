// Reading a 64 MiB text file through TFileStream: CountLinesInStream, ReadLnStream and
// StreamAsString, next to a plain memchr newline count over the same bytes in memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "KYR_streams.h"

namespace {

using namespace KYR_runtime;

constexpr size_t FileSize = 64u << 20;

// Lines of 10 to 130 printable characters (70 on average), LF-terminated, written once
// to a temporary file that is removed at exit.
class TBenchFile {
 public:
  TBenchFile() {
    char Dir[] = "/tmp/kyr-streams-bench-XXXXXX";
    if (mkdtemp(Dir) == nullptr) std::abort();
    FDir = Dir;
    FPath = FDir + "/lines.txt";
    uint32_t Seed = 12345;
    auto Next = [&] { return Seed = Seed * 1664525u + 1013904223u; };
    FBytes.reserve(FileSize);
    while (FBytes.size() < FileSize) {
      size_t Len = 10 + (Next() >> 8) % 121;
      for (size_t I = 0; I < Len; ++I)
        FBytes.push_back(static_cast<char>(' ' + (Next() >> 9) % 95));
      FBytes.push_back('\n');
    }
    FBytes.resize(FileSize);
    std::ofstream(FPath, std::ios::binary).write(FBytes.data(), static_cast<long>(FBytes.size()));
  }
  ~TBenchFile() {
    std::remove(FPath.c_str());
    rmdir(FDir.c_str());
  }
  const std::string& Bytes() const { return FBytes; }
  String Path() const { return Utf8ToString(FPath); }

 private:
  std::string FDir;
  std::string FPath;
  std::string FBytes;
};

const TBenchFile& File() {
  static TBenchFile F;
  return F;
}

void BM_MemchrNewlines(benchmark::State& State) {
  const std::string& B = File().Bytes();
  for (auto _ : State) {
    size_t Count = 0;
    const char* P = B.data();
    const char* End = P + B.size();
    while ((P = static_cast<const char*>(std::memchr(P, '\n', static_cast<size_t>(End - P))))) {
      ++Count;
      ++P;
    }
    benchmark::DoNotOptimize(Count);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * B.size()));
}

void BM_CountLinesInStream(benchmark::State& State) {
  const String Path = File().Path();
  for (auto _ : State) {
    TFileStream S(Path, fmOpenRead);
    benchmark::DoNotOptimize(KYR_streams::CountLinesInStream(S));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

void BM_ReadLnStream(benchmark::State& State) {
  const String Path = File().Path();
  for (auto _ : State) {
    TFileStream S(Path, fmOpenRead);
    bool End = false;
    size_t Chars = 0;
    while (!End) Chars += KYR_streams::ReadLnStream(S, End, 0).size();
    benchmark::DoNotOptimize(Chars);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

// The overload that reads into one reused buffer: no allocation per line.
void BM_ReadLnStreamReusedLine(benchmark::State& State) {
  const String Path = File().Path();
  for (auto _ : State) {
    TFileStream S(Path, fmOpenRead);
    bool End = false;
    size_t Chars = 0;
    String Line;
    while (!End) {
      KYR_streams::ReadLnStream(S, Line, End, 0);
      Chars += Line.size();
    }
    benchmark::DoNotOptimize(Chars);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

void BM_StreamAsString(benchmark::State& State) {
  const String Path = File().Path();
  for (auto _ : State) {
    TFileStream S(Path, fmOpenRead);
    benchmark::DoNotOptimize(KYR_streams::StreamAsString(S).size());
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

// The same readers on the bytes in a memory stream, without the file system.
void BM_ReadLnStreamMemory(benchmark::State& State) {
  auto M = TStringStream::FromBytes(File().Bytes());
  for (auto _ : State) {
    M->SetPosition(0);
    bool End = false;
    size_t Chars = 0;
    while (!End) Chars += KYR_streams::ReadLnStream(*M, End, 0).size();
    benchmark::DoNotOptimize(Chars);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

void BM_CountLinesInStreamMemory(benchmark::State& State) {
  auto M = TStringStream::FromBytes(File().Bytes());
  for (auto _ : State) {
    M->SetPosition(0);
    benchmark::DoNotOptimize(KYR_streams::CountLinesInStream(*M));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * FileSize));
}

BENCHMARK(BM_MemchrNewlines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLinesInStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLnStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLnStreamReusedLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamAsString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLinesInStreamMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLnStreamMemory)->Unit(benchmark::kMillisecond);

}  // namespace
