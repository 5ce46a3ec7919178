// TStringArray: sorting, the sort index, committing, and searching.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "KYR_dstruct.h"

using namespace KYR_dstruct;
using KYR_runtime::String;

namespace {

std::string Cell(const TStringArray& T, int32_t c, int32_t r) {
  return std::string(T.Elem(c, r).Bytes());
}

std::string Column(const TStringArray& T, int32_t c) {
  std::string Out;
  for (int32_t r = 1; r <= T.NrOfRows(); ++r) Out += (r > 1 ? "|" : "") + Cell(T, c, r);
  return Out;
}

// Fills column 1 (and column 2 when given) with raw Windows-1252 texts.
void Load(TStringArray& T, const std::vector<std::string>& Col1,
          const std::vector<std::string>& Col2 = {}) {
  T.Resize(2, static_cast<int32_t>(Col1.size()));
  for (size_t i = 0; i < Col1.size(); ++i) {
    T.SetString(1, static_cast<int32_t>(i + 1), ShortString::FromBytes(Col1[i]));
    if (!Col2.empty()) T.SetString(2, static_cast<int32_t>(i + 1), ShortString::FromBytes(Col2[i]));
  }
}

// The comb sort written out over converted strings, as the table's behaviour is defined:
// every key read through the hook, lower-cased (ASCII) and compared ordinally.
struct Reference {
  std::vector<int32_t> Order;     // visible row -> physical row
  std::vector<int32_t> Progress;  // OnPercentDone values
};

Reference CombSort(const std::vector<String>& Prim, const std::vector<String>& Sec, bool Ascending,
                   const std::function<String(const String&)>& Hook) {
  const int64_t N = static_cast<int64_t>(Prim.size());
  Reference R;
  for (int32_t i = 1; i <= N; ++i) R.Order.push_back(i);
  auto Gap = [](int64_t G) {
    const auto Next = static_cast<int64_t>(static_cast<long double>(G) / 1.3L);
    return Next == 0 ? int64_t{1} : Next;
  };
  int64_t Total = 0;
  for (int64_t G = N;;) {
    G = Gap(G);
    Total += N - G;
    if (G == 1) break;
  }
  Total += N;
  R.Progress.push_back(0);
  auto Key = [&](const std::vector<String>& Keys, int32_t Phys) {
    return KYR_runtime::LowerCase(Hook(Keys[Phys - 1]));
  };
  if (N > 1) {
    int64_t G = N, Count = 0;
    bool Swapped;
    do {
      G = Gap(G);
      Swapped = false;
      for (int64_t i = 0; i + G < N; ++i) {
        const int32_t A = R.Order[i], B = R.Order[i + G];
        String K1 = Key(Prim, A), K2 = Key(Prim, B);
        if (K1 == K2 && !Sec.empty()) K1 = Key(Sec, A), K2 = Key(Sec, B);
        if (Ascending ? K1 > K2 : K1 < K2) {
          std::swap(R.Order[i], R.Order[i + G]);
          Swapped = true;
        }
        ++Count;
      }
      R.Progress.push_back(
          static_cast<int32_t>(KYR_runtime::Round(static_cast<long double>(Count) / Total * 100)));
    } while (G != 1 || Swapped);
  }
  R.Progress.push_back(100);
  return R;
}

}  // namespace

TEST(StringArraySort, MatchesTheDefinedComparisonOnEveryByte) {
  // Letters either side of the case gap ("[", "_", "`"), and bytes whose characters lie
  // far from their byte value (0x8A is U+0160, 0x9F is U+0178), so that comparing bytes
  // or folding anything but A-Z would give another order.
  const std::string Alphabet = "aAbBzZ[_`0 \x80\x8A\x9F\xC0\xE0\xFF";
  std::mt19937 Rng(7);
  auto Word = [&] {
    std::string W(Rng() % 4, ' ');
    for (char& C : W) C = Alphabet[Rng() % Alphabet.size()];
    return W;
  };
  auto Reverse = [](const String& S) { return String(S.rbegin(), S.rend()); };
  auto Same = [](const String& S) { return S; };
  struct Case {
    int Rows;
    bool Secondary, Ascending, Hooked;
  } Cases[] = {{300, false, true, false}, {300, true, true, false}, {257, true, false, false},
               {40, true, true, true},    {41, false, false, true}, {2, true, true, false}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Rows << " rows, secondary " << C.Secondary
                                    << ", ascending " << C.Ascending << ", hooked " << C.Hooked);
    std::vector<std::string> Col1, Col2;
    std::vector<String> Prim, Sec;
    for (int i = 0; i < C.Rows; ++i) {
      Col1.push_back(Word());
      Col2.push_back(Word());
      Prim.push_back(KYR_runtime::AnsiToString(Col1.back()));
      Sec.push_back(KYR_runtime::AnsiToString(Col2.back()));
    }
    TStringArray T;
    Load(T, Col1, Col2);
    std::vector<int32_t> Progress;
    T.SetOnPercentDone([&](TObject*, int32_t P) { Progress.push_back(P); });
    int Hooks = 0;
    if (C.Hooked)
      T.SetOnBeforeSortExchange([&](TObject* Sender, const String& In, String& Out) {
        EXPECT_EQ(Sender, &T);
        EXPECT_EQ(Out, In);
        Out = Reverse(In);
        ++Hooks;
      });
    T.Sort(1, C.Secondary ? 2 : 0, C.Ascending);
    const Reference R = CombSort(Prim, C.Secondary ? Sec : std::vector<String>{}, C.Ascending,
                                 C.Hooked ? std::function<String(const String&)>(Reverse) : Same);
    for (int32_t r = 1; r <= C.Rows; ++r) ASSERT_EQ(T.SortOrder(r), R.Order[r - 1]) << "row " << r;
    EXPECT_EQ(Progress, R.Progress);
    EXPECT_EQ(Hooks > 0, C.Hooked);
  }
}

TEST(StringArraySort, SmallTablesProgressAndNotification) {
  TStringArray T;
  std::vector<int32_t> Progress;
  int Changes = 0;
  T.SetOnPercentDone([&](TObject*, int32_t P) { Progress.push_back(P); });
  T.SetOnChange([&](TObject*) { ++Changes; });
  T.SetString(1, 1, u"x");
  Changes = 0;
  T.Sort(1, 0, true);  // one row: nothing to sort
  EXPECT_EQ(Progress, (std::vector<int32_t>{0, 100}));
  EXPECT_EQ(Changes, 0);

  Load(T, {"b", "a"});
  Progress.clear();
  Changes = 0;
  T.Sort(1, 0, true);
  EXPECT_EQ(Progress, (std::vector<int32_t>{0, 33, 67, 100}));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Column(T, 1), "a|b");
  EXPECT_EQ(T.SortOrder(1), 2);
}

TEST(StringArraySort, HookSeesKeysInRowOrderAndMayAbortTheSort) {
  TStringArray T;
  Load(T, {"b", "e", "x", "a", "y"});
  std::vector<String> Seen;
  T.SetOnBeforeSortExchange([&](TObject*, const String& In, String&) {
    Seen.push_back(In);
    if (Seen.size() == 3) throw std::runtime_error("stop");
  });
  // The first pass (gap 3) compares rows 1 and 4, key of row 1 first, and exchanges
  // them; the hook then raises in the same pass.
  EXPECT_THROW(T.Sort(1, 0, true), std::runtime_error);
  EXPECT_EQ(Seen, (std::vector<String>{u"b", u"a", u"e"}));
  EXPECT_EQ(Column(T, 1), "a|e|x|b|y");
  T.UnSort();
  EXPECT_EQ(Column(T, 1), "b|e|x|a|y");
}

TEST(StringArraySort, HandlersCannotChangeTheShapeWhileItSorts) {
  struct Case {
    const char* Name;
    std::function<void(TStringArray&)> Change;
  } const Cases[] = {
      {"Resize", [](TStringArray& T) { T.Resize(1, 2); }},
      {"AddRow", [](TStringArray& T) { T.AddRow(); }},
      {"Clear", [](TStringArray& T) { T.Clear(); }},
      {"InsertRow", [](TStringArray& T) { T.InsertRow(1); }},
      {"RemoveRow", [](TStringArray& T) { T.RemoveRow(1); }},
      {"GarbageCollection", [](TStringArray& T) { T.GarbageCollection(); }},
      {"CommitSorting", [](TStringArray& T) { T.CommitSorting(); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    for (bool FromPercentDone : {false, true}) {
      TStringArray T;
      Load(T, {"b", "e", "x", "a", "y"});
      auto Change = [&] { C.Change(T); };
      if (FromPercentDone) {
        T.SetOnPercentDone([&](TObject*, int32_t Percent) {
          if (Percent > 0 && Percent < 100) Change();
        });
      } else {
        T.SetOnBeforeSortExchange([&](TObject*, const String&, String&) { Change(); });
      }
      EXPECT_THROW(T.Sort(1, 0, true), EKYRDStructError);
      EXPECT_EQ(T.NrOfRows(), 5);
      // Writing a cell is allowed, and after the sort the shape may change again.
      T.SetOnBeforeSortExchange(nullptr);
      T.SetOnPercentDone([&](TObject*, int32_t) { T.SetString(1, 1, u"c"); });
      T.Sort(1, 0, true);
      EXPECT_TRUE(T.Resize(1, 6));
    }
  }
}

TEST(StringArraySort, KeysAndColumns) {
  struct Case {
    const char* Name;
    std::vector<std::string> Col1, Col2;
    int32_t Col, ColSec;
    bool Ascending;
    const char* Expected;  // column 1 afterwards
  } Cases[] = {
      {"ASCII case is ignored, ties go by the second column",
       {"B", "b", "a", "A"},
       {"2", "1", "4", "3"},
       1,
       2,
       true,
       "A|a|b|B"},
      {"descending with a second column", {"x", "X", "y"}, {"1", "2", "0"}, 1, 2, false, "y|X|x"},
      {"accented capitals are not folded", {"\xE9", "\xC9", "f"}, {}, 1, 0, true, "f|\xC9|\xE9"},
      {"a prefix sorts first", {"abc", "ab", "a"}, {}, 1, 0, true, "a|ab|abc"},
      {"a column beyond the table moves nothing", {"c", "a", "b"}, {}, 7, 0, true, "c|a|b"},
      {"a negative column moves nothing", {"c", "a", "b"}, {}, -1, 0, false, "c|a|b"},
      {"column 0 is a key like any other", {"c", "a", "b"}, {}, 0, 0, true, "c|a|b"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringArray T;
    Load(T, C.Col1, C.Col2);
    T.Sort(C.Col, C.ColSec, C.Ascending);
    EXPECT_EQ(Column(T, 1), C.Expected);
  }
}

TEST(StringArraySort, AttributesTravelAndOrderCanBeDroppedOrCommitted) {
  TStringArray T;
  Load(T, {"c", "a", "b"});
  for (int32_t r = 1; r <= 3; ++r) T.SetRowAttrib(r, static_cast<uint8_t>(10 * r));
  T.Sort(1, 0, true);
  EXPECT_EQ(T.RowAttrib(1), 20);
  int Changes = 0;
  T.SetOnChange([&](TObject*) { ++Changes; });
  T.UnSort();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Column(T, 1), "c|a|b");

  T.Sort(1, 0, true);
  Changes = 0;
  T.CommitSorting();
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Column(T, 1), "a|b|c");
  for (int32_t r = 1; r <= 3; ++r) EXPECT_EQ(T.SortOrder(r), r);
  EXPECT_EQ(T.RowAttrib(1), 20);
  T.UnSort();
  EXPECT_EQ(Column(T, 1), "a|b|c");
}

TEST(StringArraySort, SortOrderAccess) {
  TStringArray T;
  Load(T, {"a", "b", "c"});
  int Changes = 0;
  T.SetOnChange([&](TObject*) { ++Changes; });
  EXPECT_EQ(T.SortOrder(0), -1);
  EXPECT_EQ(T.SortOrder(4), -1);
  T.SetSortOrder(1, 0);
  T.SetSortOrder(1, 4);
  T.SetSortOrder(0, 2);
  EXPECT_EQ(Column(T, 1), "a|b|c");
  T.SetSortOrder(1, 3);
  T.SetSortOrder(3, 1);
  EXPECT_EQ(Column(T, 1), "c|b|a");
  EXPECT_EQ(Changes, 0);
}

TEST(StringArraySort, CommittingARowShownTwiceCopiesItsTexts) {
  TStringArray T;
  Load(T, {"first", "second"});
  T.SetSortOrder(2, 1);  // both visible rows show physical row 1
  T.CommitSorting();
  EXPECT_EQ(Column(T, 1), "first|first");
  T.SetString(1, 1, u"x");  // shorter: written in place, must not reach row 2
  EXPECT_EQ(Column(T, 1), "x|first");
  T.GarbageCollection();
  EXPECT_EQ(Column(T, 1), "x|first");
}

TEST(StringArraySearch, FindCell) {
  TStringArray T;
  T.Resize(2, 3);
  const char* Texts[3][3] = {{"h1", "ABC", ""}, {"h2", "xbc", "abc"}, {"h3", "", "Q"}};
  for (int32_t r = 1; r <= 3; ++r)
    for (int32_t c = 0; c <= 2; ++c) T.SetString(c, r, ShortString::FromBytes(Texts[r - 1][c]));
  struct Case {
    const char* Name;
    const char16_t* Find;
    bool MatchCase, Exact;
    int32_t ColLow, ColHigh, RowLow, RowHigh;
    bool Found;
    int32_t Col, Row;
  } Cases[] = {
      {"folded substring", u"bc", false, false, -1, -1, -1, -1, true, 1, 1},
      {"matching case skips ABC", u"bc", true, false, -1, -1, -1, -1, true, 1, 2},
      {"column 0 is searched", u"H3", false, false, -1, -1, -1, -1, true, 0, 3},
      {"one column bound -1 means all columns", u"h2", false, false, -1, 2, 2, 3, true, 0, 2},
      {"one row bound -1 is clamped to 1", u"h1", false, false, 0, 2, -1, 3, true, 0, 1},
      {"reversed bounds are swapped", u"q", false, false, 2, 1, 3, 2, true, 2, 3},
      {"empty text: substring search finds nothing", u"", false, false, -1, -1, -1, -1, false, 0,
       0},
      {"empty text: exact search finds the first empty cell", u"", false, true, -1, -1, -1, -1,
       true, 2, 1},
      {"exact needs the whole text", u"bc", false, true, -1, -1, -1, -1, false, 0, 0},
      {"exact and folded", u"Abc", false, true, -1, -1, -1, -1, true, 1, 1},
      {"bounds far outside are clamped", u"q", false, false, -9, 99, -9, 99, true, 2, 3},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    int32_t Col = 77, Row = 77;
    const bool Found = C.Exact ? T.FindCellExact(C.Find, C.MatchCase, C.ColLow, C.ColHigh, C.RowLow,
                                                 C.RowHigh, Col, Row)
                               : T.FindCell(C.Find, C.MatchCase, C.ColLow, C.ColHigh, C.RowLow,
                                            C.RowHigh, Col, Row);
    EXPECT_EQ(Found, C.Found);
    EXPECT_EQ(Col, C.Found ? C.Col : 77);
    EXPECT_EQ(Row, C.Found ? C.Row : 77);
  }
}

TEST(StringArraySearch, FindCellInSortedColumn) {
  struct Case {
    const char* Name;
    std::vector<std::string> Column;
    const char16_t* Find;
    bool MatchCase;
    int32_t RowLow, RowHigh;
    bool Ascending;
    bool Found;
    int32_t Row;
  } Cases[] = {
      {"first", {"a", "b", "c"}, u"a", false, -1, -1, true, true, 1},
      {"middle", {"a", "b", "c"}, u"b", false, -1, -1, true, true, 2},
      {"last", {"a", "b", "c"}, u"c", false, -1, -1, true, true, 3},
      {"folded", {"a", "B", "c"}, u"b", false, -1, -1, true, true, 2},
      {"matching case", {"a", "B", "c"}, u"b", true, -1, -1, true, false, 3},
      {"the run of equal texts is walked up, past RowLow",
       {"a", "b", "b", "b", "c"},
       u"b",
       false,
       3,
       5,
       true,
       true,
       2},
      {"descending", {"d", "c", "b", "a"}, u"b", false, -1, -1, false, true, 3},
      {"one-row range", {"a", "b", "c"}, u"b", false, 2, 2, true, true, 2},
      {"missing: row is the last compared", {"a", "c", "e"}, u"d", false, -1, -1, true, false, 3},
      {"empty text over empty first rows", {"", "", "x", "y"}, u"", false, -1, -1, true, true, 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringArray T;
    Load(T, C.Column);
    int32_t Row = 0;
    EXPECT_EQ(
        T.FindCellInSortedColumn(C.Find, C.MatchCase, 1, C.RowLow, C.RowHigh, C.Ascending, Row),
        C.Found);
    EXPECT_EQ(Row, C.Row);
  }
}
