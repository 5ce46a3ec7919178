// libFuzzer target for the XML reader of TStringArray: arbitrary bytes are written to a
// file and loaded under the identifier "t", whole and as a sequence of tables from one
// open file. Checks that a failed load leaves the table as it was and that whatever
// loaded comes back equal after a save and a load.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KYR_dstruct_stringarray.h"
#include "fuzz_support.h"

using namespace KYR_runtime;
using namespace KYR_dstruct;

namespace {

using kyr_fuzz::Check;
using kyr_fuzz::WriteBytes;

const std::string& FilePath(bool Out) {
  return kyr_fuzz::ScratchFile("stringarray_xml_fuzz", Out);
}

// Tables up to this many cells are compared cell by cell; larger ones (up to the
// reader's limits) are only checked for their dimensions, which keeps runs fast.
constexpr int64_t CompareCells = int64_t{1} << 16;

int64_t Cells(const TStringArray& T) {
  return int64_t{T.NrOfRows()} * (T.NrOfColumns() + 1);
}

bool Equal(const TStringArray& A, const TStringArray& B) {
  if (A.NrOfColumns() != B.NrOfColumns() || A.NrOfRows() != B.NrOfRows()) return false;
  for (int32_t c = 1; c <= A.NrOfColumns(); ++c)
    if (A.ColAttrib(c) != B.ColAttrib(c)) return false;
  for (int32_t r = 1; r <= A.NrOfRows(); ++r) {
    if (A.RowAttrib(r) != B.RowAttrib(r)) return false;
    for (int32_t c = 0; c <= A.NrOfColumns(); ++c)
      if (A.Elem(c, r).Bytes() != B.Elem(c, r).Bytes()) return false;
  }
  return true;
}

// A small table with content, so that any change by a failed load shows.
void Prepare(TStringArray& T) {
  T.Resize(2, 3);
  T.SetString(0, 1, String(u"zero"));
  T.SetString(2, 3, String(u"corner"));
  T.SetRowAttrib(2, 7);
  T.SetColAttrib(1, 9);
}

void CheckRoundTrip(TStringArray& T) {
  Check(T.NrOfColumns() >= 1 && T.NrOfColumns() <= TStringArray::MaxXMLDimension);
  Check(T.NrOfRows() >= 1 && T.NrOfRows() <= TStringArray::MaxXMLDimension);
  Check(Cells(T) <= TStringArray::MaxXMLCells);
  if (Cells(T) > CompareCells) return;
  const String Out = Utf8ToString(FilePath(true));
  T.SaveAsXMLFile(Out, u"t");
  TStringArray Again;
  Check(Again.LoadFromXMLFile(Out, u"t"));
  Check(Equal(T, Again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > 65536) return 0;
  WriteBytes(FilePath(false), Data, Size);
  const String In = Utf8ToString(FilePath(false));

  TStringArray T;
  Prepare(T);
  int Changes = 0;
  T.SetOnChange([&](TObject*) { ++Changes; });
  if (T.LoadFromXMLFile(In, u"t")) {
    Check(Changes == 1);
    CheckRoundTrip(T);
  } else {
    TStringArray Original;
    Prepare(Original);
    Check(Changes == 0 && Equal(T, Original));
  }

  // Tables one after the other from one open file, until one is missing.
  TextFile F;
  AssignFile(F, In);
  Reset(F);
  TStringArray U;
  for (int Table = 0; Table < 16; ++Table) {
    if (!U.ReadFromOpenXMLFile(F, u"t")) break;
    CheckRoundTrip(U);
  }
  CloseFile(F);
  return 0;
}
