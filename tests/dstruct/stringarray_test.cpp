// TStringArray: storage, pool, resizing, cell access, attributes and row operations.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "KYR_dstruct.h"

using namespace KYR_dstruct;

namespace {

// Counts OnChange calls and checks that the table is the sender.
struct ChangeCounter {
  int Count = 0;
  explicit ChangeCounter(TStringArray& T) {
    T.SetOnChange([this, &T](TObject* Sender) {
      EXPECT_EQ(Sender, &T);
      ++Count;
    });
  }
};

std::string Cell(const TStringArray& T, int32_t c, int32_t r) {
  return std::string(T.Elem(c, r).Bytes());
}

ShortString Bytes(const std::string& S) {
  return ShortString::FromBytes(S);
}

// Column c of visible rows 1..NrOfRows joined with "|".
std::string Column(const TStringArray& T, int32_t c) {
  std::string Out;
  for (int32_t r = 1; r <= T.NrOfRows(); ++r) Out += (r > 1 ? "|" : "") + Cell(T, c, r);
  return Out;
}

TStringArray& FillRows(TStringArray& T, const std::vector<std::string>& Rows) {
  T.Resize(2, static_cast<int32_t>(Rows.size()));
  for (size_t i = 0; i < Rows.size(); ++i) {
    const auto r = static_cast<int32_t>(i + 1);
    T.SetString(0, r, Bytes("z" + Rows[i]));
    T.SetString(1, r, Bytes(Rows[i]));
    T.SetRowAttrib(r, static_cast<uint8_t>(r));
  }
  return T;
}

// Lets a test shrink the pool limit so that running out of blocks is cheap to reach.
class SmallPoolArray : public TStringArray {
 public:
  explicit SmallPoolArray(int32_t MaxBlocks) { FMaxPoolBlocks = MaxBlocks; }
};

}  // namespace

TEST(StringArray, NewTableAndOutOfRangeAccess) {
  TStringArray T;
  ChangeCounter Changes(T);
  EXPECT_EQ(T.NrOfColumns(), 1);
  EXPECT_EQ(T.NrOfRows(), 1);
  EXPECT_EQ(T.AllocRowsBy(), 10);
  EXPECT_EQ(T.RowCapacity(), 10);
  EXPECT_EQ(T.NumBuffers(), 1);
  EXPECT_EQ(Cell(T, 0, 1), "");
  EXPECT_EQ(Cell(T, 1, 1), "");
  const struct { int32_t c, r; } Outside[] = {{2, 1}, {-1, 1}, {1, 0}, {1, 2}, {0, -5}};
  for (const auto& O : Outside) {
    T.SetString(O.c, O.r, u"x");
    EXPECT_EQ(Cell(T, O.c, O.r), "");
  }
  for (int32_t Index : {-1, 0, 2}) {
    T.SetRowAttrib(Index, 7);
    T.SetColAttrib(Index, 7);
    EXPECT_EQ(T.RowAttrib(Index), 0);
    EXPECT_EQ(T.ColAttrib(Index), 0);
  }
  EXPECT_EQ(T.ColAttrib(0), 0);  // column 0 has no attribute
  EXPECT_EQ(Changes.Count, 0);
  EXPECT_EQ(T.PoolBytesUsed(), 0);
}

TEST(StringArray, WritesReuseTheirPlaceAndNotifyOncePerCell) {
  TStringArray T;
  ChangeCounter Changes(T);
  T.SetString(1, 1, u"abc");
  EXPECT_EQ(T.PoolBytesUsed(), 4);
  T.SetString(1, 1, u"xy");  // shorter: in place
  EXPECT_EQ(T.PoolBytesUsed(), 4);
  EXPECT_EQ(Cell(T, 1, 1), "xy");
  T.SetString(1, 1, u"abcd");  // longer: new place behind the old text
  EXPECT_EQ(T.PoolBytesUsed(), 9);
  EXPECT_EQ(Cell(T, 1, 1), "abcd");
  T.SetString(0, 1, u"");  // an empty text is placed too
  EXPECT_EQ(T.PoolBytesUsed(), 10);
  EXPECT_EQ(Changes.Count, 4);
}

TEST(StringArray, TextsAreWindows1252AndCutAt255) {
  TStringArray T;
  T.SetString(1, 1, KYR_runtime::Utf8ToString("\xE2\x82\xAC\xC3\xA9"));  // euro sign, e acute
  EXPECT_EQ(Cell(T, 1, 1), "\x80\xE9");
  EXPECT_EQ(T.Elem(1, 1).ToString(), KYR_runtime::Utf8ToString("\xE2\x82\xAC\xC3\xA9"));
  T.SetString(1, 1, String(300, u'q'));
  EXPECT_EQ(Cell(T, 1, 1), std::string(255, 'q'));
}

TEST(StringArray, BlocksFillUpToTheLastButOneByte) {
  // 127 texts of 255 characters end at offset 32512; the first-free offset is then 32513.
  struct Case {
    const char* Name;
    int NextLength;
    int32_t Buffers;
  } Cases[] = {
      {"a 254-character text still fits (ends at 32767)", 254, 1},
      {"a 255-character text needs a new block", 255, 2},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringArray T;
    T.Resize(1, 128);
    for (int32_t r = 1; r <= 127; ++r) T.SetString(1, r, Bytes(std::string(255, 'a')));
    EXPECT_EQ(T.NumBuffers(), 1);
    T.SetString(1, 128, Bytes(std::string(C.NextLength, 'b')));
    EXPECT_EQ(T.NumBuffers(), C.Buffers);
    EXPECT_EQ(Cell(T, 1, 128), std::string(C.NextLength, 'b'));
    EXPECT_EQ(Cell(T, 1, 127), std::string(255, 'a'));
  }
  // First fit: once a later block exists, a short text still goes to the first block.
  TStringArray T;
  T.Resize(1, 130);
  for (int32_t r = 1; r <= 128; ++r) T.SetString(1, r, Bytes(std::string(255, 'a')));
  const int64_t Used = T.PoolBytesUsed();
  T.SetString(1, 129, u"x");
  EXPECT_EQ(T.PoolBytesUsed(), Used + 2);
  EXPECT_EQ(T.NumBuffers(), 2);
}

TEST(StringArray, GarbageCollectionKeepsEveryTextAndCompacts) {
  TStringArray T;
  T.Resize(3, 40);
  ChangeCounter Changes(T);
  for (int round = 0; round < 20; ++round)
    for (int32_t c = 0; c <= 3; ++c)
      for (int32_t r = 1; r <= 40; ++r)
        T.SetString(
            c, r,
            Bytes(std::string(static_cast<size_t>(round * 13 % 250), 'a' + c) + std::to_string(r)));
  T.SetString(2, 7, u"");
  const int32_t Buffers = T.NumBuffers();
  ASSERT_GT(Buffers, 1);
  std::vector<std::string> Before;
  int64_t Live = 0;
  for (int32_t c = 0; c <= 3; ++c)
    for (int32_t r = 1; r <= 40; ++r) {
      Before.push_back(Cell(T, c, r));
      Live += static_cast<int64_t>(Before.back().size()) + 1;
    }
  Changes.Count = 0;
  T.GarbageCollection();
  EXPECT_EQ(Changes.Count, 0);
  EXPECT_EQ(T.NumBuffers(), Buffers);
  EXPECT_EQ(T.PoolBytesUsed(), Live);
  size_t i = 0;
  for (int32_t c = 0; c <= 3; ++c)
    for (int32_t r = 1; r <= 40; ++r) EXPECT_EQ(Cell(T, c, r), Before[i++]);
  // The compacted pool goes on working: new texts land behind the live ones.
  T.SetString(1, 1, Bytes(std::string(255, 'n')));
  EXPECT_EQ(Cell(T, 1, 1), std::string(255, 'n'));
  EXPECT_EQ(Cell(T, 1, 2), Before[41]);
}

TEST(StringArray, ClearEmptiesEverythingWithoutNotifying) {
  TStringArray T;
  T.Resize(2, 300);
  for (int32_t r = 1; r <= 300; ++r) T.SetString(r % 3, r, Bytes(std::string(200, 'x')));
  T.SetRowAttrib(5, 9);
  T.SetColAttrib(2, 9);
  ASSERT_EQ(T.NumBuffers(), 2);
  T.SetString(0, 1, Bytes(std::string(255, 'y')));
  for (int32_t r = 1; r <= 60; ++r) T.SetString(1, r, Bytes(std::string(250 + r % 5, 'z')));
  ASSERT_GE(T.NumBuffers(), 3);
  ChangeCounter Changes(T);
  T.Clear();
  EXPECT_EQ(Changes.Count, 0);
  EXPECT_EQ(T.NumBuffers(), 1);
  EXPECT_EQ(T.PoolBytesUsed(), 0);
  EXPECT_EQ(T.NrOfColumns(), 2);
  EXPECT_EQ(T.NrOfRows(), 300);
  for (int32_t c = 0; c <= 2; ++c) EXPECT_TRUE(T.ColumnEmpty(c));
  EXPECT_EQ(T.RowAttrib(5), 0);
  EXPECT_EQ(T.ColAttrib(2), 0);
  T.SetString(1, 300, u"again");
  EXPECT_EQ(Cell(T, 1, 300), "again");
}

TEST(StringArray, FillWritesEveryCellIncludingColumnZero) {
  TStringArray T;
  T.Resize(2, 3);
  ChangeCounter Changes(T);
  T.Fill(u"x");
  EXPECT_EQ(Changes.Count, 9);
  for (int32_t c = 0; c <= 2; ++c) EXPECT_EQ(Column(T, c), "x|x|x");
  Changes.Count = 0;
  T.Fill(u"");  // Clear
  EXPECT_EQ(Changes.Count, 0);
  for (int32_t c = 0; c <= 2; ++c) EXPECT_EQ(Column(T, c), "||");
}

TEST(StringArray, ResizeCapacityRuleAndKeptTexts) {
  TStringArray T;
  ChangeCounter Changes(T);
  ASSERT_TRUE(T.Resize(3, 25));
  EXPECT_EQ(T.RowCapacity(), 30);
  for (int32_t c = 0; c <= 3; ++c)
    for (int32_t r = 1; r <= 25; ++r) T.SetString(c, r, Bytes(std::to_string(c * 100 + r)));
  T.SetColAttrib(2, 4);
  T.SetColAttrib(3, 5);
  T.SetRowAttrib(3, 6);
  ASSERT_TRUE(T.Resize(3, 5));
  EXPECT_EQ(T.RowCapacity(), 30);  // in place
  ASSERT_TRUE(T.Resize(2, 5));
  EXPECT_EQ(T.RowCapacity(), 10);
  for (int32_t c = 0; c <= 2; ++c)
    for (int32_t r = 1; r <= 5; ++r) EXPECT_EQ(Cell(T, c, r), std::to_string(c * 100 + r));
  EXPECT_EQ(T.ColAttrib(2), 4);
  EXPECT_EQ(T.RowAttrib(3), 6);
  // Columns and rows that come back are empty.
  ASSERT_TRUE(T.Resize(3, 12));
  EXPECT_EQ(Column(T, 3), "|||||||||||");
  EXPECT_EQ(Cell(T, 1, 6), "");
  EXPECT_EQ(T.ColAttrib(3), 0);
  EXPECT_EQ(Changes.Count - 25 * 4 - 3, 4);  // one notification per Resize

  // AllocRowsBy below 1 acts as 1.
  T.SetAllocRowsBy(0);
  EXPECT_EQ(T.AllocRowsBy(), 0);
  ASSERT_TRUE(T.Resize(1, 33));
  EXPECT_EQ(T.RowCapacity(), 33);
  T.SetAllocRowsBy(-4);
  ASSERT_TRUE(T.Resize(2, 34));
  EXPECT_EQ(T.RowCapacity(), 34);
}

TEST(StringArray, ResizeRefusals) {
  TStringArray T;
  T.Resize(2, 3);
  T.SetString(1, 2, u"kept");
  ChangeCounter Changes(T);
  struct Case {
    int32_t Nc, Nr;
    bool Result;
    int Notifications;
  } Cases[] = {
      {2, 3, true, 0},         // same dimensions
      {0, 5, false, 0},        // no columns
      {5, -1, false, 0},       // no rows
      {2, INT_MAX, false, 1},  // capacity beyond 32 bits: no memory, still notifies
  };
  for (const Case& C : Cases) {
    Changes.Count = 0;
    EXPECT_EQ(T.Resize(C.Nc, C.Nr), C.Result) << C.Nc << "x" << C.Nr;
    EXPECT_EQ(Changes.Count, C.Notifications);
    EXPECT_EQ(T.NrOfColumns(), 2);
    EXPECT_EQ(T.NrOfRows(), 3);
    EXPECT_EQ(Cell(T, 1, 2), "kept");
  }
  T.SetNrRows(0);
  T.SetNrCols(-3);
  EXPECT_EQ(T.NrOfRows(), 3);
  EXPECT_EQ(T.NrOfColumns(), 2);
}

TEST(StringArray, ShrinkAndGrowGivesEmptyRows) {
  TStringArray T;
  T.Resize(1, 8);
  for (int32_t r = 1; r <= 8; ++r) {
    T.SetString(1, r, Bytes(std::to_string(r)));
    T.SetString(0, r, u"h");
    T.SetRowAttrib(r, 1);
  }
  T.SetNrRows(5);
  T.SetNrRows(8);
  EXPECT_EQ(Column(T, 1), "1|2|3|4|5|||");
  EXPECT_EQ(Column(T, 0), "h|h|h|h|h|||");
  for (int32_t r = 6; r <= 8; ++r) EXPECT_EQ(T.RowAttrib(r), 0);
}

TEST(StringArray, NumericReading) {
  struct Case {
    const char* Text;
    double Number;
    int32_t Integer;
  } Cases[] = {
      {"", 0, 0},
      {"  12,5  ", 12.5, 12},
      {" -1.25e3 ", -1250, -1250},
      {"3,5", 3.5, 4},
      {"2.5", 2.5, 2},
      {"-3.5", -3.5, -4},
      {"1e12", 1e12, 2147483647},
      {"-1e12", -1e12, -2147483647},
      {"-2147483648", -2147483648.0, -2147483647},
  };
  TStringArray T;
  for (const Case& C : Cases) {
    T.SetString(1, 1, Bytes(C.Text));
    EXPECT_DOUBLE_EQ(T.AsNumber(1, 1), C.Number) << C.Text;
    EXPECT_EQ(T.AsInteger(1, 1), C.Integer) << C.Text;
  }
  EXPECT_EQ(T.AsNumber(5, 5), 0);  // out of range reads as empty

  T.Resize(3, 4);
  const char* Bad[] = {"12a", "1,234.5", " 7 x"};
  for (const char* Text : Bad) {
    T.SetString(2, 3, Bytes(Text));
    for (int Kind = 0; Kind < 2; ++Kind) {
      try {
        if (Kind == 0)
          T.AsNumber(2, 3);
        else
          T.AsInteger(2, 3);
        ADD_FAILURE() << Text << " read as a number";
      } catch (const EKYRDStructError& E) {
        EXPECT_EQ(KYR_runtime::StringToUtf8(E.Message()),
                  std::string("Class TStringArray: invalid numeric string: [2,3]: ") + Text);
      }
    }
  }
}

TEST(StringArray, EmptinessTests) {
  TStringArray T;
  T.Resize(2, 3);
  T.SetString(0, 1, u"only column 0");
  T.SetString(1, 2, u"   ");
  T.SetString(2, 3, u" x ");
  EXPECT_TRUE(T.RowEmpty(1));
  EXPECT_TRUE(T.RowEmpty(2));
  EXPECT_FALSE(T.RowEmpty(3));
  EXPECT_TRUE(T.RowEmpty(0));
  EXPECT_TRUE(T.RowEmpty(4));
  EXPECT_FALSE(T.ColumnEmpty(0));
  EXPECT_TRUE(T.ColumnEmpty(1));
  EXPECT_FALSE(T.ColumnEmpty(2));
  EXPECT_TRUE(T.ColumnEmpty(3));
  EXPECT_TRUE(T.ColumnEmpty(-1));
  T.SetString(1, 2, u"\t");  // only the blank counts as blank
  EXPECT_FALSE(T.RowEmpty(2));
}

TEST(StringArray, AddRowResetsTheOrderInsertAndRemoveKeepIt) {
  TStringArray T;
  FillRows(T, {"d", "b", "c", "a"});
  T.Sort(1, 0, true);
  ASSERT_EQ(Column(T, 1), "a|b|c|d");

  ChangeCounter Changes(T);
  // Visible row 2 shows physical row 2 ("b"): physical rows 2..4 move down.
  T.InsertRow(2);
  EXPECT_EQ(Column(T, 1), "a||b|c|d");
  EXPECT_EQ(Column(T, 0), "za||zb|zc|zd");
  EXPECT_EQ(T.RowAttrib(2), 0);
  EXPECT_EQ(T.RowAttrib(3), 2);
  EXPECT_EQ(T.SortOrder(2), 2);
  EXPECT_EQ(Changes.Count, 1 + 4 * (2 + 2));  // row count + (N - p + 2) rows of 4 writes

  Changes.Count = 0;
  T.RemoveRow(1);  // "a" is physical row 5
  EXPECT_EQ(Column(T, 1), "|b|c|d");
  EXPECT_EQ(Changes.Count, 1 + 0);
  Changes.Count = 0;
  T.RemoveRow(4);  // "d" is physical row 1: physical rows 2..4 move up
  EXPECT_EQ(Column(T, 1), "|b|c");
  EXPECT_EQ(Column(T, 0), "|zb|zc");
  EXPECT_EQ(T.RowAttrib(3), 3);
  EXPECT_EQ(Changes.Count, 1 + 3 * 4);

  T.UnSort();
  EXPECT_EQ(Column(T, 1), "|b|c");
  T.Sort(1, 0, false);
  EXPECT_EQ(Column(T, 1), "c|b|");
  EXPECT_EQ(T.AddRow(), 4);
  EXPECT_EQ(Column(T, 1), "|b|c|");  // physical order again
}

TEST(StringArray, InsertRowGrowsTheCapacity) {
  TStringArray T;
  FillRows(T, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
  ASSERT_EQ(T.RowCapacity(), 10);
  T.InsertRow(10);
  EXPECT_EQ(T.RowCapacity(), 20);
  EXPECT_EQ(Column(T, 1), "1|2|3|4|5|6|7|8|9||10");
  T.InsertRow(11);
  T.InsertRow(0);   // outside: nothing
  T.InsertRow(13);  // outside: appending is AddRow
  EXPECT_EQ(Column(T, 1), "1|2|3|4|5|6|7|8|9|||10");
}

TEST(StringArray, RemoveRowOfAOneRowTableEmptiesIt) {
  TStringArray T;
  T.Resize(2, 1);
  T.SetString(0, 1, u"a");
  T.SetString(2, 1, u"b");
  T.SetRowAttrib(1, 3);
  ChangeCounter Changes(T);
  T.RemoveRow(1);
  EXPECT_EQ(T.NrOfRows(), 1);
  EXPECT_TRUE(T.RowEmpty(1));
  EXPECT_EQ(Cell(T, 0, 1), "");
  EXPECT_EQ(T.RowAttrib(1), 0);
  EXPECT_EQ(Changes.Count, 4);
  T.RemoveRow(2);
  EXPECT_EQ(Changes.Count, 4);
}

TEST(StringArray, CopyRowCopiesTextsAndAttribute) {
  TStringArray T;
  FillRows(T, {"one", "two"});
  ChangeCounter Changes(T);
  T.CopyRow(1, 2);
  EXPECT_EQ(Column(T, 1), "one|one");
  EXPECT_EQ(Column(T, 0), "zone|zone");
  EXPECT_EQ(T.RowAttrib(2), 1);
  EXPECT_EQ(Changes.Count, 4);
  // The copies are independent texts.
  T.SetString(1, 2, u"x");
  EXPECT_EQ(Column(T, 1), "one|x");
  T.CopyRow(1, 3);
  T.CopyRow(0, 1);
  EXPECT_EQ(Changes.Count, 5);
}

TEST(StringArray, PoolLimitRaisesAndLeavesTheCellAlone) {
  SmallPoolArray T(2);
  T.Resize(1, 300);
  int32_t r = 1;
  for (; r <= 254; ++r) T.SetString(1, r, Bytes(std::string(255, 'a')));
  ASSERT_EQ(T.NumBuffers(), 2);
  T.SetString(1, 1, u"old");  // in place
  ChangeCounter Changes(T);
  try {
    T.SetString(1, 1, Bytes(std::string(255, 'b')));
    ADD_FAILURE() << "no error for a full pool";
  } catch (const EKYRDStructError& E) {
    EXPECT_NE(KYR_runtime::StringToUtf8(E.Message()).find("Class TStringArray: "),
              std::string::npos);
  }
  EXPECT_EQ(Cell(T, 1, 1), "old");
  EXPECT_EQ(T.NumBuffers(), 2);
  EXPECT_EQ(Changes.Count, 0);
  // Compaction makes room again.
  T.GarbageCollection();
  T.SetString(1, 1, Bytes(std::string(255, 'b')));
  EXPECT_EQ(Cell(T, 1, 1), std::string(255, 'b'));
}

TEST(StringArray, AssignCopiesTheTable) {
  TStringArray Source;
  FillRows(Source, {"b", "a"});
  Source.SetColAttrib(2, 8);
  Source.SetAllocRowsBy(4);
  Source.Sort(1, 0, true);
  TStringArray Copy;
  ChangeCounter Changes(Copy);
  Copy.Assign(&Source);
  EXPECT_EQ(Changes.Count, 0);
  EXPECT_EQ(Copy.NrOfColumns(), 2);
  EXPECT_EQ(Copy.AllocRowsBy(), 4);
  EXPECT_EQ(Column(Copy, 1), "a|b");
  EXPECT_EQ(Column(Copy, 0), "za|zb");
  EXPECT_EQ(Copy.RowAttrib(1), 2);
  EXPECT_EQ(Copy.ColAttrib(2), 8);
  EXPECT_EQ(Copy.SortOrder(1), 2);
  Copy.SetString(1, 1, u"changed");
  EXPECT_EQ(Column(Source, 1), "a|b");

  TStringArray Other;
  Source.AssignTo(&Other);
  EXPECT_EQ(Column(Other, 1), "a|b");

  KYR_runtime::TComponent Unrelated;
  EXPECT_THROW(Copy.Assign(&Unrelated), KYR_runtime::EConvertError);
  EXPECT_THROW(Copy.AssignTo(&Unrelated), KYR_runtime::EConvertError);
  EXPECT_EQ(Column(Copy, 1), "changed|b");
}

TEST(StringArray, MemoryPerCellStaysNearTheModel) {
  TStringArray T;
  ASSERT_TRUE(T.Resize(4, 2500));
  for (int32_t c = 1; c <= 4; ++c)
    for (int32_t r = 1; r <= 2500; ++r) T.SetString(c, r, u"abcdefgh");
  const double Model = 10000.0 * (4 + 8 + 1);
  EXPECT_LT(static_cast<double>(T.AllocatedBytes()), 1.3 * Model);
}
