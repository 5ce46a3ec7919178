// TStringArray: construction, the string pool, the row capacity, Resize, Clear,
// compaction and copying.
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "KYR_dstruct_stringarray.h"
#include "stringarray_text.h"

namespace KYR_dstruct {

namespace stringarray_detail {

const std::array<Char, 256>& AnsiChars() {
  static const std::array<Char, 256> Table = [] {
    std::array<Char, 256> T{};
    for (int B = 0; B < 256; ++B) T[B] = AnsiCharToChar(static_cast<uint8_t>(B));
    return T;
  }();
  return Table;
}

const std::array<Char, 256>& FoldedAnsiChars() {
  static const std::array<Char, 256> Table = [] {
    std::array<Char, 256> T = AnsiChars();
    for (Char& C : T) C = LoCase(C);
    return T;
  }();
  return Table;
}

}  // namespace stringarray_detail

namespace {

// Makes room for N elements; grows geometrically so that row-by-row growth stays
// linear. Throws std::bad_alloc and then leaves V as it was.
template <class T>
void ReserveFor(std::vector<T>& V, size_t N) {
  if (N <= V.capacity()) return;
  V.reserve(std::max(N, V.capacity() + V.capacity() / 2));
}

// Shrinks to N elements and gives memory back when most of it is unused.
template <class T>
void ShrinkTo(std::vector<T>& V, size_t N) {
  V.resize(N);
  if (V.capacity() > 2 * N + 64) V.shrink_to_fit();
}

}  // namespace

TStringArray::TStringArray(TComponent* AOwner) : TComponent(AOwner) {
  try {
    bool Ok = true;
    FRAllocated = CapacityFor(1, Ok);
    FPoiArray.resize(FNCol + 1);
    FColAttrib.assign(FNCol, 0);
    FRowAttrib.assign(FRAllocated, 0);
    FSortIx.resize(FRAllocated);
    for (int32_t I = 0; I < FRAllocated; ++I) FSortIx[I] = I + 1;
    FStgPool.push_back(std::make_unique<TStringPool>());
    FFirstFree.push_back(1);
    FNumPoolAddr = 1;
  } catch (const std::bad_alloc&) {
    throw EKYRDStructError(u"Class TStringArray: failed to initialize (out of memory)");
  }
}

TStringArray::~TStringArray() = default;

void TStringArray::RaiseOutOfMemory() {
  throw EKYRDStructError(u"Class TStringArray: not enough memory");
}

void TStringArray::NotifyTimes(int64_t Count) {
  if (!FOnChange) return;
  for (int64_t I = 0; I < Count; ++I) Changed();
}

int64_t TStringArray::AllocatedBytes() const {
  int64_t Bytes = static_cast<int64_t>(FStgPool.size()) * PoolBlockSize;
  Bytes += FStgPool.capacity() * sizeof(FStgPool[0]);
  Bytes += FFirstFree.capacity() * sizeof(int32_t);
  Bytes += FPoiArray.capacity() * sizeof(TColumnRefs);
  for (const TColumnRefs& Col : FPoiArray) Bytes += Col.capacity() * sizeof(uint32_t);
  Bytes += FSortIx.capacity() * sizeof(int32_t);
  Bytes += FRowAttrib.capacity() + FColAttrib.capacity();
  return Bytes;
}

int64_t TStringArray::PoolBytesUsed() const {
  int64_t Used = 0;
  for (int32_t F : FFirstFree) Used += F - 1;
  return Used;
}

// --- Pool ---------------------------------------------------------------------------

uint32_t TStringArray::PlaceText(std::string_view Text) {
  const int32_t L = static_cast<int32_t>(Text.size());
  for (int32_t B = FFitFrom[L]; B < FNumPoolAddr; ++B) {
    const int32_t F = FFirstFree[B];
    if (F + L >= PoolBlockSize) continue;
    uint8_t* P = FStgPool[B]->data() + (F - 1);
    P[0] = static_cast<uint8_t>(L);
    if (L > 0) std::memmove(P + 1, Text.data(), L);
    FFirstFree[B] = F + L + 1;
    FFitFrom[L] = B;
    return (static_cast<uint32_t>(B + 1) << 16) | static_cast<uint32_t>(F);
  }
  if (FNumPoolAddr >= FMaxPoolBlocks)
    throw EKYRDStructError(u"Class TStringArray: the string pool is full (" +
                           IntToStr(FMaxPoolBlocks) + u" blocks of " + IntToStr(PoolBlockSize) +
                           u" bytes)");
  try {
    auto Block = std::make_unique<TStringPool>();
    FFirstFree.push_back(L + 2);
    try {
      FStgPool.push_back(std::move(Block));
    } catch (...) {
      FFirstFree.pop_back();
      throw;
    }
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory();
  }
  const int32_t B = FNumPoolAddr++;
  uint8_t* P = FStgPool[B]->data();
  P[0] = static_cast<uint8_t>(L);
  if (L > 0) std::memmove(P + 1, Text.data(), L);
  FFitFrom[L] = B;
  return static_cast<uint32_t>(B + 1) << 16 | 1u;
}

TStringArray::TColumnRefs& TStringArray::WritableColumn(int32_t c) {
  TColumnRefs& Col = FPoiArray[c];
  if (Col.empty()) {
    try {
      Col.assign(FRAllocated, 0);
    } catch (const std::bad_alloc&) {
      RaiseOutOfMemory();
    }
  }
  return Col;
}

void TStringArray::StoreText(int32_t c, int32_t p, std::string_view Text) {
  TColumnRefs& Col = WritableColumn(c);
  uint32_t& Cell = Col[p - 1];
  if (Cell != 0 && RefBytes(Cell).size() >= Text.size()) {
    uint8_t* P = FStgPool[(Cell >> 16) - 1]->data() + ((Cell & 0xFFFF) - 1);
    P[0] = static_cast<uint8_t>(Text.size());
    if (!Text.empty()) std::memmove(P + 1, Text.data(), Text.size());
    return;
  }
  Cell = PlaceText(Text);
}

// --- Rows and capacity ---------------------------------------------------------------

int32_t TStringArray::CapacityFor(int64_t Nr, bool& Ok) const {
  const int64_t Step = std::max<int32_t>(FAllocRowsBy, 1);
  const int64_t Cap = Step * ((Nr - 1) / Step + 1);
  Ok = Cap <= std::numeric_limits<int32_t>::max();
  return Ok ? static_cast<int32_t>(Cap) : 0;
}

void TStringArray::ReserveRows(int64_t NewCap) {
  for (TColumnRefs& Col : FPoiArray)
    if (!Col.empty()) ReserveFor(Col, NewCap);
  ReserveFor(FSortIx, NewCap);
  ReserveFor(FRowAttrib, NewCap);
}

void TStringArray::CommitRows(int32_t NewCap) {
  const int32_t Old = FRAllocated;
  for (TColumnRefs& Col : FPoiArray) {
    if (Col.empty()) continue;
    if (NewCap >= Old)
      Col.resize(NewCap, 0);
    else
      ShrinkTo(Col, NewCap);
  }
  if (NewCap >= Old) {
    FRowAttrib.resize(NewCap, 0);
    FSortIx.resize(NewCap);
    for (int32_t I = Old; I < NewCap; ++I) FSortIx[I] = I + 1;
  } else {
    ShrinkTo(FRowAttrib, NewCap);
    ShrinkTo(FSortIx, NewCap);
  }
  FRAllocated = NewCap;
}

// Entries added by CommitRows are already the identity, so an index that is known to be
// the identity needs no pass (AddRow in a loop stays linear).
void TStringArray::ResetSortIndex() {
  if (!FSortIdentity)
    for (int32_t I = 0; I < static_cast<int32_t>(FSortIx.size()); ++I) FSortIx[I] = I + 1;
  FSortIdentity = true;
}

bool TStringArray::Resize(int32_t Nc, int32_t Nr) {
  CheckNotSorting();
  if (Nc == FNCol && Nr == FNRow) return true;
  if (Nc <= 0 || Nr <= 0) return false;

  bool Ok = true;
  if (Nc != FNCol || Nr > FRAllocated) {
    // Reallocation: reserve everything first so that a failure changes nothing.
    const int32_t NewCap = CapacityFor(Nr, Ok);
    const int32_t KeptCols = std::min(FNCol, Nc);
    if (Ok) {
      try {
        FPoiArray.reserve(static_cast<size_t>(Nc) + 1);
        FColAttrib.reserve(Nc);
        for (int32_t c = 0; c <= KeptCols; ++c)
          if (!FPoiArray[c].empty()) ReserveFor(FPoiArray[c], NewCap);
        ReserveFor(FSortIx, NewCap);
        ReserveFor(FRowAttrib, NewCap);
      } catch (const std::bad_alloc&) {
        Ok = false;
      }
    }
    if (Ok) {
      const int32_t KeptRows = std::min(FNRow, Nr);
      FPoiArray.resize(static_cast<size_t>(Nc) + 1);
      for (TColumnRefs& Col : FPoiArray)
        if (!Col.empty()) std::fill(Col.begin() + KeptRows, Col.begin() + FNRow, 0u);
      std::fill(FRowAttrib.begin() + KeptRows, FRowAttrib.begin() + FNRow, 0);
      CommitRows(NewCap);
      FColAttrib.resize(Nc, 0);
      FNCol = Nc;
      FNRow = Nr;
      ResetSortIndex();
    }
  } else {
    // Same columns, rows within the capacity: in place.
    const int32_t Lo = std::min(FNRow, Nr);
    const int32_t Hi = std::max(FNRow, Nr);
    for (TColumnRefs& Col : FPoiArray)
      if (!Col.empty()) std::fill(Col.begin() + Lo, Col.begin() + Hi, 0u);
    std::fill(FRowAttrib.begin() + Lo, FRowAttrib.begin() + Hi, 0);
    FNRow = Nr;
    ResetSortIndex();
  }
  Changed();
  return Ok;
}

void TStringArray::SetNrCols(int32_t Value) {
  Resize(Value, FNRow);
}

void TStringArray::SetNrRows(int32_t Value) {
  Resize(FNCol, Value);
}

void TStringArray::Clear() {
  CheckNotSorting();
  for (TColumnRefs& Col : FPoiArray) TColumnRefs().swap(Col);
  std::fill(FRowAttrib.begin(), FRowAttrib.end(), 0);
  std::fill(FColAttrib.begin(), FColAttrib.end(), 0);
  ResetSortIndex();
  FStgPool.resize(1);
  FFirstFree.resize(1);
  FFirstFree[0] = 1;
  FNumPoolAddr = 1;
  ResetFitHints();
}

void TStringArray::GarbageCollection() {
  CheckNotSorting();
  std::unique_ptr<TStringPool> Scratch;
  try {
    Scratch = std::make_unique<TStringPool>();
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory();
  }
  for (int32_t B = 1; B <= FNumPoolAddr; ++B) {
    uint8_t* Image = Scratch->data();
    int32_t F = 1;
    for (TColumnRefs& Col : FPoiArray) {
      if (Col.empty()) continue;
      for (int32_t P = 0; P < FNRow; ++P) {
        const uint32_t Ref = Col[P];
        if (static_cast<int32_t>(Ref >> 16) != B) continue;
        const std::string_view Text = RefBytes(Ref);
        Image[F - 1] = static_cast<uint8_t>(Text.size());
        if (!Text.empty()) std::memcpy(Image + F, Text.data(), Text.size());
        Col[P] = static_cast<uint32_t>(B) << 16 | static_cast<uint32_t>(F);
        F += static_cast<int32_t>(Text.size()) + 1;
      }
    }
    std::swap(FStgPool[B - 1], Scratch);
    FFirstFree[B - 1] = F;
  }
  ResetFitHints();
}

// --- Copying -------------------------------------------------------------------------

void TStringArray::SwapContents(TStringArray& Other) noexcept {
  std::swap(FNCol, Other.FNCol);
  std::swap(FNRow, Other.FNRow);
  std::swap(FAllocRowsBy, Other.FAllocRowsBy);
  std::swap(FRAllocated, Other.FRAllocated);
  std::swap(FNumPoolAddr, Other.FNumPoolAddr);
  FFirstFree.swap(Other.FFirstFree);
  FPoiArray.swap(Other.FPoiArray);
  FSortIx.swap(Other.FSortIx);
  FStgPool.swap(Other.FStgPool);
  FRowAttrib.swap(Other.FRowAttrib);
  FColAttrib.swap(Other.FColAttrib);
  std::swap(FFitFrom, Other.FFitFrom);
  std::swap(FSortIdentity, Other.FSortIdentity);
}

void TStringArray::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TStringArray*>(Source);
  if (Src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Src == this) return;
  CheckNotSorting();
  TStringArray Copy;
  try {
    Copy.FNCol = Src->FNCol;
    Copy.FNRow = Src->FNRow;
    Copy.FAllocRowsBy = Src->FAllocRowsBy;
    Copy.FRAllocated = Src->FRAllocated;
    Copy.FFirstFree = Src->FFirstFree;
    Copy.FPoiArray = Src->FPoiArray;
    Copy.FSortIx = Src->FSortIx;
    Copy.FRowAttrib = Src->FRowAttrib;
    Copy.FColAttrib = Src->FColAttrib;
    Copy.FStgPool.clear();
    Copy.FStgPool.reserve(Src->FStgPool.size());
    for (const auto& Block : Src->FStgPool)
      Copy.FStgPool.push_back(std::make_unique<TStringPool>(*Block));
    Copy.FNumPoolAddr = Src->FNumPoolAddr;
    Copy.FFitFrom = Src->FFitFrom;
    Copy.FSortIdentity = Src->FSortIdentity;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory();
  }
  SwapContents(Copy);
}

void TStringArray::AssignTo(TPersistent* Dest) {
  if (!KYR_kyrbase::AssignToKindOf(this, Dest)) TPersistent::AssignTo(Dest);
}

}  // namespace KYR_dstruct
