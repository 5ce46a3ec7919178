// Small pieces shared by the fuzz targets.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kyr_fuzz {

// Stops the run: libFuzzer reports the input that broke the expectation.
inline void Check(bool Ok) {
  if (!Ok) std::abort();
}

// An input file and an output file of this process, named after Target and removed when
// the process exits.
inline const std::string& ScratchFile(const char* Target, bool Out) {
  static std::string Paths[2];
  if (Paths[0].empty()) {
    const std::string Base = std::string("/tmp/kyr_") + Target + "_" + std::to_string(getpid());
    Paths[0] = Base + ".in";
    Paths[1] = Base + ".out";
    std::atexit([] {
      for (const std::string& Path : Paths) std::remove(Path.c_str());
    });
  }
  return Paths[Out];
}

inline void WriteBytes(const std::string& Path, const uint8_t* Data, size_t Size) {
  FILE* F = std::fopen(Path.c_str(), "wb");
  Check(F != nullptr);
  Check(std::fwrite(Data, 1, Size, F) == Size);
  Check(std::fclose(F) == 0);
}

}  // namespace kyr_fuzz
