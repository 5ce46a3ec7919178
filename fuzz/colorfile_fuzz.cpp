// libFuzzer target for the colour-array text file: arbitrary bytes are written to a file
// and read into colour arrays with and without size adjustment, then as a sequence of
// items from one open file. Checks that a failed read leaves the array as it was, that
// sizes follow the header, and that whatever was read survives a store and load.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KYR_kyrcolors_array.h"
#include "fuzz_support.h"

using namespace KYR_runtime;
using namespace KYR_kyrcolors;

namespace {

using kyr_fuzz::Check;
using kyr_fuzz::WriteBytes;

const std::string& FilePath(bool Out) {
  return kyr_fuzz::ScratchFile("colorfile_fuzz", Out);
}

// A small array with a recognisable content, so that changes show.
void Prepare(TColorArray& A, int32_t N) {
  A.SetSize(N);
  A.FillByInterpolation(0, {0x000000FF, 0x0000FF00, 0x00FF0000});
}

// Arrays up to this size are stored and loaded again; larger ones (up to the size a file
// may set) only cost time.
constexpr int32_t RoundTripColors = 65536;

void CheckRoundTrip(const TColorArray& A) {
  Check(A.Size() >= 1 && A.Size() <= TColorArray::MaxFileColors);
  if (A.Size() > RoundTripColors) return;
  const String Out = Utf8ToString(FilePath(true));
  Check(A.StoreOnFile(1, A.Size(), Out));
  TColorArray B;
  Prepare(B, 3);
  Check(B.LoadFromFile(Out, true));
  Check(B.IsEqual(A));
}

void LoadWhole(const String& In, bool AdjustSize, int32_t InitialSize) {
  TColorArray A;
  Prepare(A, InitialSize);
  TColorArray Before;
  Before.Assign(&A);
  if (!A.LoadFromFile(In, AdjustSize)) {
    Check(A.IsEqual(Before));
    return;
  }
  if (!AdjustSize) Check(A.Size() == Before.Size());
  CheckRoundTrip(A);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > 65536) return 0;
  WriteBytes(FilePath(false), Data, Size);
  const String In = Utf8ToString(FilePath(false));
  const int32_t InitialSize = Size > 0 ? Data[0] % 16 + 1 : 5;
  LoadWhole(In, false, InitialSize);
  LoadWhole(In, true, InitialSize);

  // Items one after the other from one open file, until one fails.
  TColorArray A;
  Prepare(A, InitialSize);
  TextFile F;
  AssignFile(F, In);
  Reset(F);
  for (int Item = 0; Item < 64; ++Item) {
    TColorArray Before;
    Before.Assign(&A);
    if (!A.ReadFromOpenTextFile(F, true)) {
      Check(A.IsEqual(Before));
      break;
    }
  }
  CloseFile(F);
  Check(IOChecking() && IOResult() == 0);
  return 0;
}
