// TStringArray: Sort by one and by two columns of 200,000 rows of random words, side by
// side with std::sort of the same keys as std::u16string under the same comparison
// (ASCII case folded, ordinal), and the memory a table of 1,000,000 cells of 8
// characters takes compared with 4 + L + 1 bytes per cell.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "KYR_dstruct.h"

using KYR_dstruct::TStringArray;
using KYR_runtime::ShortString;

namespace {

constexpr int32_t Rows = 200000;

// Random words of 3 to 10 letters, the first one often upper case, drawn from a
// vocabulary of 20,000 so that the first column has ties for the second to break.
const std::vector<std::string>& Vocabulary() {
  static const std::vector<std::string> Words = [] {
    std::mt19937 Rng(12345);
    std::vector<std::string> W(20000);
    for (std::string& S : W) {
      S.resize(3 + Rng() % 8);
      for (char& C : S) C = static_cast<char>('a' + Rng() % 26);
      if (Rng() % 3 == 0) S[0] = static_cast<char>(S[0] - 'a' + 'A');
    }
    return W;
  }();
  return Words;
}

struct Data {
  std::vector<std::string> Col1, Col2;
};

const Data& Words() {
  static const Data D = [] {
    std::mt19937 Rng(777);
    const auto& V = Vocabulary();
    Data Out;
    for (int32_t i = 0; i < Rows; ++i) {
      Out.Col1.push_back(V[Rng() % V.size()]);
      Out.Col2.push_back(V[Rng() % V.size()]);
    }
    return Out;
  }();
  return D;
}

void FillTable(TStringArray& T) {
  const Data& D = Words();
  T.Resize(2, Rows);
  for (int32_t r = 1; r <= Rows; ++r) {
    T.SetString(1, r, ShortString::FromBytes(D.Col1[r - 1]));
    T.SetString(2, r, ShortString::FromBytes(D.Col2[r - 1]));
  }
}

std::u16string Widen(const std::string& S) {
  return std::u16string(S.begin(), S.end());
}

// Case-insensitive (ASCII) ordinal comparison of UTF-16 strings, without allocating.
int CompareFolded(const std::u16string& A, const std::u16string& B) {
  auto Fold = [](char16_t C) { return (C >= u'A' && C <= u'Z') ? char16_t(C + 32) : C; };
  const size_t N = std::min(A.size(), B.size());
  for (size_t i = 0; i < N; ++i) {
    const char16_t X = Fold(A[i]), Y = Fold(B[i]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

void BM_TStringArray_Sort(benchmark::State& State) {
  const bool TwoColumns = State.range(0) == 2;
  TStringArray T;
  FillTable(T);
  for (auto _ : State) {
    State.PauseTiming();
    T.UnSort();
    State.ResumeTiming();
    T.Sort(1, TwoColumns ? 2 : 0, true);
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_TStringArray_Sort)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_StdSort_U16String(benchmark::State& State) {
  const bool TwoColumns = State.range(0) == 2;
  std::vector<std::pair<std::u16string, std::u16string>> Keys;
  for (int32_t i = 0; i < Rows; ++i)
    Keys.emplace_back(Widen(Words().Col1[i]), TwoColumns ? Widen(Words().Col2[i]) : u"");
  for (auto _ : State) {
    State.PauseTiming();
    auto Work = Keys;
    State.ResumeTiming();
    std::sort(Work.begin(), Work.end(), [](const auto& A, const auto& B) {
      const int C = CompareFolded(A.first, B.first);
      return C != 0 ? C < 0 : CompareFolded(A.second, B.second) < 0;
    });
    benchmark::DoNotOptimize(Work.data());
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_StdSort_U16String)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Filling the table cell by cell (pool placement and reference arrays).
void BM_TStringArray_Fill(benchmark::State& State) {
  for (auto _ : State) {
    TStringArray T;
    FillTable(T);
    benchmark::DoNotOptimize(T.NumBuffers());
  }
  State.SetItemsProcessed(State.iterations() * Rows * 2);
}
BENCHMARK(BM_TStringArray_Fill)->Unit(benchmark::kMillisecond);

// 1,000,000 cells of 8 characters in Columns columns; reports the bytes per cell and the
// ratio to the model cost of 4 + 8 + 1 bytes per cell.
void BM_TStringArray_Memory(benchmark::State& State) {
  const auto Columns = static_cast<int32_t>(State.range(0));
  const int32_t RowCount = 1000000 / Columns;
  int64_t Bytes = 0;
  for (auto _ : State) {
    TStringArray T;
    T.Resize(Columns, RowCount);
    for (int32_t c = 1; c <= Columns; ++c)
      for (int32_t r = 1; r <= RowCount; ++r) T.SetString(c, r, ShortString::FromBytes("abcdefgh"));
    Bytes = T.AllocatedBytes();
  }
  const double Cells = static_cast<double>(Columns) * RowCount;
  State.counters["bytes_per_cell"] = static_cast<double>(Bytes) / Cells;
  State.counters["ratio_to_model"] = static_cast<double>(Bytes) / (Cells * (4 + 8 + 1));
}
BENCHMARK(BM_TStringArray_Memory)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(10)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
