// TStringArray: appending, inserting, removing and copying rows.
//
// InsertRow and RemoveRow move cell references and attributes instead of rewriting
// texts, so they allocate nothing beyond a capacity step and cannot fail halfway. They
// notify as often as writing every moved and cleared cell and attribute one by one
// would, once the table is in its final state.
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "KYR_dstruct_stringarray.h"

namespace KYR_dstruct {

int32_t TStringArray::AddRow() {
  if (FNRow == std::numeric_limits<int32_t>::max()) return FNRow;
  Resize(FNCol, FNRow + 1);
  return FNRow;
}

void TStringArray::InsertRow(int32_t r) {
  CheckNotSorting();
  const int32_t P = PhysRow(r);
  if (P == 0) return;
  const int32_t N = FNRow;
  if (static_cast<int64_t>(N) + 1 > FRAllocated) {
    bool Ok = true;
    const int32_t NewCap = CapacityFor(static_cast<int64_t>(N) + 1, Ok);
    if (!Ok) RaiseOutOfMemory();
    try {
      ReserveRows(NewCap);
    } catch (const std::bad_alloc&) {
      RaiseOutOfMemory();
    }
    CommitRows(NewCap);
  }

  // Physical rows P..N move to P+1..N+1; row P becomes empty.
  const size_t Moved = static_cast<size_t>(N - P + 1);
  for (TColumnRefs& Col : FPoiArray) {
    if (Col.empty()) continue;
    std::memmove(Col.data() + P, Col.data() + P - 1, Moved * sizeof(uint32_t));
    Col[P - 1] = 0;
  }
  std::memmove(FRowAttrib.data() + P, FRowAttrib.data() + P - 1, Moved);
  FRowAttrib[P - 1] = 0;

  // Every entry showing a moved row follows it; the new row shows at position r.
  for (int32_t I = 0; I < N; ++I)
    if (FSortIx[I] >= P) ++FSortIx[I];
  std::memmove(FSortIx.data() + r, FSortIx.data() + r - 1,
               static_cast<size_t>(N - r + 1) * sizeof(int32_t));
  FSortIx[r - 1] = P;
  FNRow = N + 1;

  const int64_t PerRow = static_cast<int64_t>(FNCol) + 2;
  NotifyTimes(1 + (static_cast<int64_t>(N) - P + 2) * PerRow);
}

void TStringArray::RemoveRow(int32_t r) {
  CheckNotSorting();
  const int32_t P = PhysRow(r);
  if (P == 0) return;
  const int32_t N = FNRow;
  const int64_t PerRow = static_cast<int64_t>(FNCol) + 2;
  if (N == 1) {
    for (TColumnRefs& Col : FPoiArray)
      if (!Col.empty()) Col[0] = 0;
    FRowAttrib[0] = 0;
    NotifyTimes(PerRow);
    return;
  }

  // Physical rows P+1..N move up to P..N-1; row N leaves the table empty.
  const size_t Moved = static_cast<size_t>(N - P);
  for (TColumnRefs& Col : FPoiArray) {
    if (Col.empty()) continue;
    std::memmove(Col.data() + P - 1, Col.data() + P, Moved * sizeof(uint32_t));
    Col[N - 1] = 0;
  }
  std::memmove(FRowAttrib.data() + P - 1, FRowAttrib.data() + P, Moved);
  FRowAttrib[N - 1] = 0;

  std::memmove(FSortIx.data() + r - 1, FSortIx.data() + r,
               static_cast<size_t>(N - r) * sizeof(int32_t));
  for (int32_t I = 0; I < N - 1; ++I)
    if (FSortIx[I] > P) --FSortIx[I];
  FSortIx[N - 1] = N;
  FNRow = N - 1;

  NotifyTimes(1 + (static_cast<int64_t>(N) - P) * PerRow);
}

void TStringArray::CopyRow(int32_t Source, int32_t Target) {
  const int32_t PS = PhysRow(Source);
  const int32_t PT = PhysRow(Target);
  if (PS == 0 || PT == 0) return;
  for (int32_t c = 0; c <= FNCol; ++c) {
    StoreText(c, PT, CellBytes(c, PS));
    Changed();
  }
  SetRowAttrib(Target, FRowAttrib[PS - 1]);
}

}  // namespace KYR_dstruct
