// A temporary directory for tests, removed with everything in it at the end of its scope.
#pragma once

#include <string>

#include "KYR_runtime.h"

namespace kyr_test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory, without a trailing "/".
  const std::string& Path() const { return FPath; }
  // Path() + "/" + Name, as UTF-8 and as a library string.
  std::string File(const std::string& Name) const { return FPath + "/" + Name; }
  KYR_runtime::String FileS(const std::string& Name) const {
    return KYR_runtime::Utf8ToString(File(Name));
  }
  // Writes raw bytes to Path()/Name and returns the full path.
  std::string Write(const std::string& Name, const std::string& Bytes) const;
  // Reads the raw bytes of Path()/Name ("" when missing).
  std::string Read(const std::string& Name) const;

 private:
  std::string FPath;
};

}  // namespace kyr_test
