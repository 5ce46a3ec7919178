// TStringArray: sorting through the sort index, the sort index itself, and searching.
#include <algorithm>
#include <new>

#include "KYR_dstruct_stringarray.h"
#include "stringarray_text.h"

namespace KYR_dstruct {

using stringarray_detail::AnsiChars;
using stringarray_detail::CompareThrough;
using stringarray_detail::ConvertThrough;
using stringarray_detail::FoldedAnsiChars;

namespace {

// The next gap of the comb sort (shrink factor 1.3, computed in extended precision).
int64_t NextGap(int64_t Gap) {
  const auto Next = static_cast<int64_t>(static_cast<Extended>(Gap) / 1.3L);
  return Next == 0 ? 1 : Next;
}

// The number of comparisons the passes are expected to make: one pass per gap down to
// 1, plus one more pass at gap 1.
int64_t EstimatedWork(int64_t N) {
  int64_t Total = 0;
  int64_t Gap = N;
  do {
    Gap = NextGap(Gap);
    Total += N - Gap;
  } while (Gap != 1);
  return Total + N;
}

}  // namespace

void TStringArray::BeforeSortExchange(const String& InString, String& OutString) {
  OutString = InString;
  if (FOnBefSortExc) FOnBefSortExc(this, InString, OutString);
}

void TStringArray::CheckNotSorting() const {
  if (FSorting)
    throw EKYRDStructError(u"Class TStringArray: the table cannot change its shape while it sorts");
}

void TStringArray::Sort(int32_t Col, int32_t ColSec, bool Ascending) {
  // The passes hold positions into the sort index and the columns, so the handlers they
  // call must not resize, clear or reorder the table.
  CheckNotSorting();
  struct TSortingScope {
    bool& Flag;
    explicit TSortingScope(bool& F) : Flag(F) { Flag = true; }
    ~TSortingScope() { Flag = false; }
  } Scope(FSorting);
  if (FOnPercentDone) FOnPercentDone(this, 0);
  const int64_t N = FNRow;
  const int64_t Total = EstimatedWork(N);
  if (N > 1) {
    const auto& Fold = FoldedAnsiChars();
    auto ColumnData = [&](int32_t c) -> const uint32_t* {
      if (c < 0 || c > FNCol || FPoiArray[c].empty()) return nullptr;
      return FPoiArray[c].data();
    };
    const uint32_t* Keys = ColumnData(Col);
    const uint32_t* SecKeys = ColSec >= 1 ? ColumnData(ColSec) : nullptr;
    auto Text = [&](const uint32_t* Refs, int32_t P) -> std::string_view {
      if (Refs == nullptr || P > FNRow) return {};
      return RefBytes(Refs[P - 1]);
    };
    // Without a key hook the stored bytes are compared through the folded code-page
    // table, which orders exactly as comparing the lower-cased strings.
    auto CompareStored = [&](int32_t PA, int32_t PB) {
      int Result = CompareThrough(Text(Keys, PA), Text(Keys, PB), Fold);
      if (Result == 0 && ColSec >= 1)
        Result = CompareThrough(Text(SecKeys, PA), Text(SecKeys, PB), Fold);
      return Result;
    };
    auto Key = [&](int32_t c, int32_t Row) {
      String Out;
      BeforeSortExchange(GetString(c, Row).ToString(), Out);
      return LowerCase(Out);
    };
    // The hook sees the key of row A before that of row B.
    auto CompareHooked = [&](int32_t A, int32_t B) {
      const String K1 = Key(Col, A);
      const String K2 = Key(Col, B);
      int Result = CompareStr(K1, K2);
      if (Result == 0 && ColSec >= 1) {
        const String S1 = Key(ColSec, A);
        const String S2 = Key(ColSec, B);
        Result = CompareStr(S1, S2);
      }
      return Result;
    };
    const bool Hooked = static_cast<bool>(FOnBefSortExc);
    // A hook that raises in the middle of a pass leaves the exchanges made so far.
    if (Hooked) FSortIdentity = false;
    constexpr int64_t RefAhead = 16, TextAhead = 8;

    int64_t Gap = N;
    int64_t Comparisons = 0;
    bool Swapped;
    do {
      Gap = NextGap(Gap);
      Swapped = false;
      for (int64_t I = 1; I + Gap <= N; ++I) {
        int32_t& EntryA = FSortIx[I - 1];
        int32_t& EntryB = FSortIx[I + Gap - 1];
        int Result;
        if (Hooked) {
          Result = CompareHooked(static_cast<int32_t>(I), static_cast<int32_t>(I + Gap));
        } else {
          // The passes are bound by memory latency (sort index -> reference -> text), so
          // the references and texts of comparisons further on are fetched early. (Written
          // out here: GCC drops prefetches from a helper it considers pure.)
          if (Keys != nullptr && I + RefAhead + Gap <= N) {
            __builtin_prefetch(Keys + FSortIx[I + RefAhead - 1] - 1);
            __builtin_prefetch(Keys + FSortIx[I + RefAhead + Gap - 1] - 1);
            for (const int64_t At : {I + TextAhead, I + TextAhead + Gap}) {
              const int32_t P = FSortIx[At - 1];
              const uint32_t Ref = P <= FNRow ? Keys[P - 1] : 0;
              const uint32_t Block = Ref >> 16;
              if (Block >= 1 && Block <= static_cast<uint32_t>(FNumPoolAddr))
                __builtin_prefetch(FStgPool[Block - 1]->data() + (Ref & 0xFFFF) - 1);
            }
          }
          Result = CompareStored(EntryA, EntryB);
        }
        // Exchanging is written without a branch: its outcome is unpredictable.
        const bool Exchange = Ascending ? Result > 0 : Result < 0;
        const int32_t A = EntryA;
        const int32_t B = EntryB;
        EntryA = Exchange ? B : A;
        EntryB = Exchange ? A : B;
        Swapped |= Exchange;
        ++Comparisons;
      }
      if (Swapped) FSortIdentity = false;
      if (FOnPercentDone)
        FOnPercentDone(this, static_cast<int32_t>(Round(static_cast<Extended>(Comparisons) /
                                                        static_cast<Extended>(Total) * 100)));
    } while (Gap != 1 || Swapped);
    Changed();
  }
  if (FOnPercentDone) FOnPercentDone(this, 100);
}

int32_t TStringArray::GetSortOrder(int32_t ix) const {
  return (ix < 1 || ix > FNRow) ? -1 : FSortIx[ix - 1];
}

void TStringArray::SetSortOrder(int32_t ix, int32_t position) {
  if (ix < 1 || ix > FNRow || position < 1 || position > FNRow) return;
  if (FSortIx[ix - 1] == position) return;
  FSortIx[ix - 1] = position;
  FSortIdentity = false;
}

void TStringArray::UnSort() {
  ResetSortIndex();
  Changed();
}

// Takes a snapshot of the references and attributes in visible order and makes it the
// physical order. When the sort index shows a physical row more than once (possible
// through SetSortOrder), the later rows get copies of the texts, so that no two cells
// ever share one place in the pool; if the pool cannot take the copies, nothing changes.
void TStringArray::CommitSorting() {
  CheckNotSorting();
  const int32_t N = FNRow;
  std::vector<TColumnRefs> NewCols(FPoiArray.size());
  std::vector<uint8_t> NewAttrib;
  std::vector<uint8_t> Seen;
  const int32_t SavedBlocks = FNumPoolAddr;
  std::vector<int32_t> SavedFirstFree;
  const auto SavedFitFrom = FFitFrom;
  // Texts placed for copies lie behind the saved first-free offsets: dropping them
  // restores the pool.
  auto RestorePool = [&] {
    if (SavedFirstFree.empty()) return;
    FStgPool.resize(SavedBlocks);
    FFirstFree.swap(SavedFirstFree);
    FNumPoolAddr = SavedBlocks;
    FFitFrom = SavedFitFrom;
  };
  try {
    for (size_t c = 0; c < FPoiArray.size(); ++c)
      if (!FPoiArray[c].empty()) NewCols[c].assign(FRAllocated, 0);
    NewAttrib.assign(FRAllocated, 0);
    Seen.assign(N, 0);
    SavedFirstFree = FFirstFree;
    for (int32_t r = 1; r <= N; ++r) {
      const int32_t P = PhysRow(r);
      if (P == 0) continue;
      const bool Again = Seen[P - 1] != 0;
      Seen[P - 1] = 1;
      NewAttrib[r - 1] = FRowAttrib[P - 1];
      for (size_t c = 0; c < FPoiArray.size(); ++c) {
        if (FPoiArray[c].empty()) continue;
        uint32_t Cell = FPoiArray[c][P - 1];
        if (Again && Cell != 0) Cell = PlaceText(RefBytes(Cell));
        NewCols[c][r - 1] = Cell;
      }
    }
  } catch (const std::bad_alloc&) {
    RestorePool();
    RaiseOutOfMemory();
  } catch (...) {
    RestorePool();
    throw;
  }
  for (size_t c = 0; c < FPoiArray.size(); ++c)
    if (!NewCols[c].empty()) FPoiArray[c].swap(NewCols[c]);
  FRowAttrib.swap(NewAttrib);
  ResetSortIndex();
}

// --- Searching -------------------------------------------------------------------------

bool TStringArray::FindCell(const String& FindStr, bool MatchCase, int32_t ColLow, int32_t ColHigh,
                            int32_t RowLow, int32_t RowHigh, int32_t& Col, int32_t& row) const {
  return FindCellIntern(FindStr, MatchCase, ColLow, ColHigh, RowLow, RowHigh, Col, row, false);
}

bool TStringArray::FindCellExact(const String& FindStr, bool MatchCase, int32_t ColLow,
                                 int32_t ColHigh, int32_t RowLow, int32_t RowHigh, int32_t& Col,
                                 int32_t& row) const {
  return FindCellIntern(FindStr, MatchCase, ColLow, ColHigh, RowLow, RowHigh, Col, row, true);
}

namespace {

void ClampPair(int32_t& Low, int32_t& High, int32_t Min, int32_t Max) {
  Low = std::clamp(Low, Min, Max);
  High = std::clamp(High, Min, Max);
  if (Low > High) std::swap(Low, High);
}

}  // namespace

bool TStringArray::FindCellIntern(const String& FindStr, bool MatchCase, int32_t ColLow,
                                  int32_t ColHigh, int32_t RowLow, int32_t RowHigh, int32_t& Col,
                                  int32_t& row, bool Exact) const {
  const String Wanted = MatchCase ? FindStr : LowerCase(FindStr);
  if (ColLow == -1 || ColHigh == -1) {
    ColLow = 0;
    ColHigh = FNCol;
  }
  if (RowLow == -1 && RowHigh == -1) {
    RowLow = 1;
    RowHigh = FNRow;
  }
  ClampPair(ColLow, ColHigh, 0, FNCol);
  ClampPair(RowLow, RowHigh, 1, FNRow);
  const auto& Table = MatchCase ? AnsiChars() : FoldedAnsiChars();
  String Text;
  Text.reserve(255);
  for (int32_t r = RowLow; r <= RowHigh; ++r) {
    const int32_t P = PhysRow(r);
    for (int32_t c = ColLow; c <= ColHigh; ++c) {
      const std::string_view Bytes = P == 0 ? std::string_view() : CellBytes(c, P);
      if (Exact && Bytes.size() != Wanted.size()) continue;
      ConvertThrough(Bytes, Table, Text);
      if (Exact ? Text == Wanted : Pos(Wanted, Text) > 0) {
        Col = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

bool TStringArray::FindCellInSortedColumn(const String& FindStr, bool MatchCase, int32_t ColIx,
                                          int32_t RowLow, int32_t RowHigh, bool ColIsAscending,
                                          int32_t& row) const {
  const String Wanted = MatchCase ? FindStr : LowerCase(FindStr);
  if (RowLow == -1 && RowHigh == -1) {
    RowLow = 1;
    RowHigh = FNRow;
  }
  ColIx = std::clamp(ColIx, 0, FNCol);
  ClampPair(RowLow, RowHigh, 1, FNRow);
  const auto& Table = MatchCase ? AnsiChars() : FoldedAnsiChars();
  String Text;
  Text.reserve(255);
  auto TextAt = [&](int32_t r) -> const String& {
    const int32_t P = PhysRow(r);
    ConvertThrough(P == 0 ? std::string_view() : CellBytes(ColIx, P), Table, Text);
    return Text;
  };

  int32_t Lo = RowLow;
  int32_t Hi = RowHigh;
  bool Found = false;
  row = (Lo + Hi) / 2;
  while (Lo < Hi && !Found) {
    const int32_t Mid = (Lo + Hi) / 2;
    row = Mid;
    const String& Here = TextAt(Mid);
    if (Here == Wanted)
      Found = true;
    else if ((Wanted < Here) == ColIsAscending)
      Hi = Mid;
    else
      Lo = Mid + 1;
  }
  if (!Found) {
    Found = TextAt(Lo) == Wanted;
    row = Lo;
  }
  if (Found)
    while (row > 1 && TextAt(row - 1) == Wanted) --row;
  return Found;
}

}  // namespace KYR_dstruct
