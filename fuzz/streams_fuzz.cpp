// libFuzzer target for the stream readers: lines, tags, attributes, numbers, searching
// and replacing over arbitrary bytes. Checks that every reader stays inside the data and
// that loops of reads always come to the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "KYR_streams.h"
#include "fuzz_support.h"

using namespace KYR_runtime;
using namespace KYR_streams;

namespace {

using kyr_fuzz::Check;

String Latin1(std::string_view Bytes) {
  String S;
  for (unsigned char C : Bytes) S.push_back(C);
  return S;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 2) return 0;
  const uint8_t Mode = Data[0];
  const std::string_view Bytes(reinterpret_cast<const char*>(Data + 1), Size - 1);
  auto S = TStringStream::FromBytes(Bytes);
  const auto End = static_cast<int64_t>(Bytes.size());

  bool AtEnd = false;
  while (!AtEnd) {
    int64_t Before = S->Position();
    ReadLnStream(*S, AtEnd, Mode % 6);
    Check(S->Position() <= End && (AtEnd || S->Position() > Before));
  }

  S->SetPosition(0);
  for (;;) {
    TTagElement E = ReadNextTagElement(*S);
    Check(S->Position() <= End);
    if (!E.Found) break;
    ScanForXMLAttrib(E.Attributes, u"x");
  }
  ScanForXMLAttrib(Latin1(Bytes), Latin1(Bytes.substr(0, Mode % 4)));

  S->SetPosition(0);
  while (S->Position() < End) {
    int64_t Before = S->Position();
    if (Mode & 1)
      ScanStreamFPNum(*S, (Mode & 2) != 0, Mode % 5);
    else
      ScanStreamDecimal(*S);
    Check(S->Position() > Before && S->Position() <= End);
  }

  S->SetPosition(0);
  int32_t Status = 0;
  String Found = ReadStreamUntil(*S, Latin1(Bytes.substr(0, Mode % 3 + 1)), Status);
  Check(Status == 0 && static_cast<int64_t>(Found.size()) == S->Position());

  S->SetPosition(0);
  int32_t Index = 0;
  ReadStreamUntilTagList(*S, {u"a", u"/a", u"?xml"}, Index);
  Check(S->Position() <= End);

  TMemoryStream Out;
  SearchAndReplace(*S, Out, Latin1(Bytes.substr(0, 2)), Latin1(Bytes.substr(0, 7)), (Mode & 4) != 0,
                   1, 0, u"%", nullptr);
  Check(S->Size() == End);
  return 0;
}
