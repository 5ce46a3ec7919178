#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kyr_test {

TempDir::TempDir() {
  std::string Pattern = (std::filesystem::temp_directory_path() / "kyr-test-XXXXXX").string();
  if (mkdtemp(Pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  FPath = Pattern;
}

TempDir::~TempDir() {
  std::error_code Ignored;
  // Restore write permission first so that read-only test files can be removed.
  for (auto& E : std::filesystem::recursive_directory_iterator(FPath, Ignored))
    std::filesystem::permissions(E.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
  std::filesystem::remove_all(FPath, Ignored);
}

std::string TempDir::Write(const std::string& Name, const std::string& Bytes) const {
  std::string P = File(Name);
  std::ofstream Out(P, std::ios::binary);
  Out << Bytes;
  return P;
}

std::string TempDir::Read(const std::string& Name) const {
  std::ifstream In(File(Name), std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

}  // namespace kyr_test
