// TStringArray: the XML form on real files: exact format, round trips of hostile texts,
// several tables in one file, and damaged files.
#include <gtest/gtest.h>

#include <string>

#include "KYR_dstruct.h"
#include "TempDir.h"

using namespace KYR_dstruct;
using KYR_runtime::String;
using KYR_runtime::Utf8ToString;

namespace {

std::string Cell(const TStringArray& T, int32_t c, int32_t r) {
  return std::string(T.Elem(c, r).Bytes());
}

// Every cell, row attribute and column attribute in visible order.
std::vector<std::string> Snapshot(const TStringArray& T) {
  std::vector<std::string> Out{std::to_string(T.NrOfColumns()) + "x" +
                               std::to_string(T.NrOfRows())};
  for (int32_t c = 1; c <= T.NrOfColumns(); ++c)
    Out.push_back("col " + std::to_string(T.ColAttrib(c)));
  for (int32_t r = 1; r <= T.NrOfRows(); ++r) {
    Out.push_back("row " + std::to_string(T.RowAttrib(r)));
    for (int32_t c = 0; c <= T.NrOfColumns(); ++c) Out.push_back(Cell(T, c, r));
  }
  return Out;
}

void Put(TStringArray& T, int32_t c, int32_t r, const std::string& Bytes) {
  T.SetString(c, r, ShortString::FromBytes(Bytes));
}

// A table whose texts hold markup, line breaks, edge blanks and every byte value.
void FillHostile(TStringArray& T) {
  T.Resize(3, 6);
  std::string AllBytes;
  for (int B = 1; B < 256; ++B) AllBytes += static_cast<char>(B);
  Put(T, 0, 1, "<cell c=\"1\" r=\"1\">x</cell>");
  Put(T, 1, 1, "a < b > c & d \" e ' f");
  Put(T, 2, 1, "  both ends  ");
  Put(T, 3, 1, "line1\r\nline2\rline3\n");
  Put(T, 1, 2, AllBytes);
  Put(T, 2, 2, std::string("nul\0inside", 10));
  Put(T, 3, 2, "&amp; &#65; &lt;");
  Put(T, 1, 3, "</strarray>");
  Put(T, 2, 3, "<strarray id=\"t\">");
  Put(T, 3, 3, " ");
  Put(T, 1, 4, "\x1A\x7F\x80\x81\x8D\x8F\x90\x9D\xA0\xFF");
  Put(T, 1, 5, "");  // stored but empty
  Put(T, 2, 6, std::string(255, '&'));
  T.SetRowAttrib(2, 255);
  T.SetRowAttrib(6, 1);
  T.SetColAttrib(3, 9);
}

}  // namespace

TEST(StringArrayXml, WritesTheDocumentedFormat) {
  kyr_test::TempDir Dir;
  TStringArray T;
  T.Resize(2, 2);
  Put(T, 1, 1, "a<b");
  Put(T, 0, 2, "\xE9 ");
  T.SetColAttrib(2, 7);
  T.SetRowAttrib(2, 3);
  T.SaveAsXMLFile(Dir.FileS("t.xml"), u"id \"1\"");
  EXPECT_EQ(Dir.Read("t.xml"),
            "<?xml version=\"1.0\" encoding=\"US-ASCII\"?>\r\n"
            "<strarray id=\"id &quot;1&quot;\">\r\n"
            " <numcols>2</numcols>\r\n"
            " <numrows>2</numrows>\r\n"
            " <colattr c=\"2\">7</colattr>\r\n"
            " <rowattr r=\"2\">3</rowattr>\r\n"
            " <cell c=\"1\" r=\"1\">a&lt;b</cell>\r\n"
            " <cell c=\"0\" r=\"2\">&#233; </cell>\r\n"
            "</strarray>\r\n");
}

TEST(StringArrayXml, HostileTextsSurviveARoundTrip) {
  kyr_test::TempDir Dir;
  TStringArray T;
  FillHostile(T);
  T.Sort(1, 0, false);  // the visible order is what is saved
  const auto Expected = Snapshot(T);
  T.SaveAsXMLFile(Dir.FileS("hostile.xml"), u"h");

  TStringArray Loaded;
  Loaded.Resize(7, 40);
  Put(Loaded, 5, 30, "old");
  int Changes = 0;
  Loaded.SetOnChange([&](TObject*) { ++Changes; });
  ASSERT_TRUE(Loaded.LoadFromXMLFile(Dir.FileS("hostile.xml"), u"h"));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Snapshot(Loaded), Expected);
  for (int32_t r = 1; r <= Loaded.NrOfRows(); ++r) EXPECT_EQ(Loaded.SortOrder(r), r);
  // The file is plain ASCII, whatever the cells hold.
  for (unsigned char C : Dir.Read("hostile.xml"))
    EXPECT_TRUE(C == '\r' || C == '\n' || (C >= 32 && C < 127)) << int(C);
}

TEST(StringArrayXml, TheIdentifierSelectsOneOfSeveralTables) {
  kyr_test::TempDir Dir;
  const String IDs[] = {u"first", Utf8ToString("\"<odd> & \xE6\x97\xA5\xF0\x9F\x98\x80\""), u"",
                        u"First"};
  {
    KYR_runtime::TextFile F;
    KYR_runtime::AssignFile(F, Dir.FileS("many.xml"));
    KYR_runtime::Rewrite(F);
    for (int i = 0; i < 4; ++i) {
      TStringArray T;
      T.Resize(1, i + 1);
      Put(T, 1, 1, "table " + std::to_string(i));
      T.WriteToOpenXMLFile(F, i == 0, IDs[i]);
    }
    KYR_runtime::CloseFile(F);
  }
  for (int i = 0; i < 4; ++i) {
    TStringArray T;
    ASSERT_TRUE(T.LoadFromXMLFile(Dir.FileS("many.xml"), IDs[i])) << i;
    EXPECT_EQ(Cell(T, 1, 1), "table " + std::to_string(i));
    EXPECT_EQ(T.NrOfRows(), i + 1);
  }
  // Reading on from an open file finds the tables one after the other.
  KYR_runtime::TextFile F;
  KYR_runtime::AssignFile(F, Dir.FileS("many.xml"));
  KYR_runtime::Reset(F);
  TStringArray T;
  EXPECT_TRUE(T.ReadFromOpenXMLFile(F, u"first"));
  EXPECT_TRUE(T.ReadFromOpenXMLFile(F, u"First"));
  EXPECT_EQ(Cell(T, 1, 1), "table 3");
  EXPECT_FALSE(T.ReadFromOpenXMLFile(F, u"first"));  // behind it now
  KYR_runtime::CloseFile(F);
  EXPECT_EQ(Cell(T, 1, 1), "table 3");
  EXPECT_FALSE(T.LoadFromXMLFile(Dir.FileS("many.xml"), u"FIRST"));
}

TEST(StringArrayXml, DamagedFilesGiveFalseAndChangeNothing) {
  const std::string Head =
      "<strarray id=\"d\">\r\n <numcols>2</numcols>\r\n <numrows>2</numrows>\r\n";
  struct Case {
    const char* Name;
    std::string Text;
  } Cases[] = {
      {"empty file", ""},
      {"no table with the identifier", "<strarray id=\"other\">\r\n</strarray>\r\n"},
      {"opening line cut short", "<strarray id=\"d\""},
      {"no closing tag", Head + " <cell c=\"1\" r=\"1\">x</cell>\r\n"},
      {"tag cut short", Head + " <cell c=\"1\" r=\"1\">x</cell>\r\n</strar"},
      {"closing cell tag missing", Head + " <cell c=\"1\" r=\"1\">x\r\n</strarray>\r\n"},
      {"no dimensions", "<strarray id=\"d\">\r\n</strarray>\r\n"},
      {"cell before the row count",
       "<strarray id=\"d\">\r\n<numcols>2</numcols><cell c=\"1\" r=\"1\">x</cell></strarray>"},
      {"dimension after a cell",
       Head + "<cell c=\"1\" r=\"1\">x</cell><numrows>5</numrows></strarray>"},
      {"zero rows", "<strarray id=\"d\"><numcols>1</numcols><numrows>0</numrows></strarray>"},
      {"count not a number",
       "<strarray id=\"d\"><numcols>1x</numcols><numrows>1</numrows></strarray>"},
      {"negative count", "<strarray id=\"d\"><numcols>-1</numcols><numrows>1</numrows></strarray>"},
      {"count beyond 32 bits",
       "<strarray id=\"d\"><numcols>1</numcols><numrows>99999999999</numrows></strarray>"},
      {"column outside", Head + "<cell c=\"3\" r=\"1\">x</cell></strarray>"},
      {"row outside", Head + "<cell c=\"1\" r=\"3\">x</cell></strarray>"},
      {"row 0", Head + "<cell c=\"1\" r=\"0\">x</cell></strarray>"},
      {"row missing", Head + "<cell c=\"1\">x</cell></strarray>"},
      {"unknown entity", Head + "<cell c=\"1\" r=\"1\">&nbsp;</cell></strarray>"},
      {"bare ampersand", Head + "<cell c=\"1\" r=\"1\">a & b</cell></strarray>"},
      {"bad reference", Head + "<cell c=\"1\" r=\"1\">&#12a;</cell></strarray>"},
      {"reference beyond Unicode", Head + "<cell c=\"1\" r=\"1\">&#x110000;</cell></strarray>"},
      {"raw less-than sign", Head + "<cell c=\"1\" r=\"1\">a<b</cell></strarray>"},
      {"text longer than 255",
       Head + "<cell c=\"1\" r=\"1\">" + std::string(256, 'x') + "</cell></strarray>"},
      {"attribute above 255", Head + "<rowattr r=\"1\">256</rowattr></strarray>"},
      {"column attribute of column 0", Head + "<colattr c=\"0\">1</colattr></strarray>"},
      {"next table begins inside", Head + "<strarray id=\"e\"></strarray>"},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Dir.Write("bad.xml", C.Text);
    TStringArray T;
    Put(T, 1, 1, "kept");
    int Changes = 0;
    T.SetOnChange([&](TObject*) { ++Changes; });
    EXPECT_FALSE(T.LoadFromXMLFile(Dir.FileS("bad.xml"), u"d"));
    EXPECT_EQ(Cell(T, 1, 1), "kept");
    EXPECT_EQ(T.NrOfRows(), 1);
    EXPECT_EQ(Changes, 0);
  }
  TStringArray T;
  EXPECT_FALSE(T.LoadFromXMLFile(Dir.FileS("missing.xml"), u"d"));
  EXPECT_FALSE(T.LoadFromXMLFile(Dir.FileS(""), u"d"));
}

TEST(StringArrayXml, ReadersAcceptWhatTheFormatAllows) {
  kyr_test::TempDir Dir;
  Dir.Write("ok.xml",
            "<!-- written by hand -->\n"
            "  <strarray  id=\"d\" note=\"x\" >\n"
            "<numrows> 2 </numrows><numcols>1</numcols>\n"
            "<remark>skipped</remark><br/>\n"
            "<cell r=\"2\" c=\"1\">&#xe9;&apos;\xE9</cell>\n"
            "<CELL c=\"0\" r=\"1\">upper-case tag</CELL>\n"
            "</STRARRAY>");
  TStringArray T;
  ASSERT_TRUE(T.LoadFromXMLFile(Dir.FileS("ok.xml"), u"d"));
  EXPECT_EQ(T.NrOfColumns(), 1);
  EXPECT_EQ(T.NrOfRows(), 2);
  EXPECT_EQ(Cell(T, 1, 2), "\xE9'\xE9");
  EXPECT_EQ(Cell(T, 0, 1), "upper-case tag");
}

TEST(StringArrayXml, DeclaredDimensionsBeyondTheLimitsAreRejected) {
  constexpr int64_t Dim = TStringArray::MaxXMLDimension;
  static_assert(Dim == 16777216 && TStringArray::MaxXMLCells == int64_t{1} << 28);
  struct Case {
    int64_t Cols;
    int64_t Rows;
    bool Accepted;
  } const Cases[] = {
      {1, Dim, true},          // the most rows
      {1, Dim + 1, false},     // one row too many
      {Dim + 1, 1, false},     // one column too many
      {1, 2000000000, false},  // gigabytes
      {255, 1 << 20, true},    // exactly MaxXMLCells cells, column 0 counted
      {256, 1 << 20, false},   // one column of cells too many
      {Dim / 2, 32, false},    // both dimensions allowed, their product not
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    const std::string Where = std::to_string(C.Cols) + " x " + std::to_string(C.Rows);
    SCOPED_TRACE(Where);
    // The far corner cell comes before the closing tag, so the table is sized by then.
    Dir.Write("big.xml", "<strarray id=\"d\">\r\n<numcols>" + std::to_string(C.Cols) +
                             "</numcols><numrows>" + std::to_string(C.Rows) +
                             "</numrows><cell c=\"" + std::to_string(C.Cols) + "\" r=\"" +
                             std::to_string(C.Rows) + "\">corner</cell></strarray>");
    TStringArray T;
    Put(T, 1, 1, "kept");
    int Changes = 0;
    T.SetOnChange([&](TObject*) { ++Changes; });
    ASSERT_EQ(T.LoadFromXMLFile(Dir.FileS("big.xml"), u"d"), C.Accepted);
    if (C.Accepted) {
      EXPECT_EQ(T.NrOfColumns(), C.Cols);
      EXPECT_EQ(T.NrOfRows(), C.Rows);
      EXPECT_EQ(Cell(T, static_cast<int32_t>(C.Cols), static_cast<int32_t>(C.Rows)), "corner");
      continue;
    }
    EXPECT_EQ(Cell(T, 1, 1), "kept");
    EXPECT_EQ(T.NrOfColumns(), 1);
    EXPECT_EQ(T.NrOfRows(), 1);
    EXPECT_EQ(Changes, 0);
  }
}

TEST(StringArrayXml, TablesBeyondTheReadersLimitsAreNotSaved) {
  kyr_test::TempDir Dir;
  Dir.Write("old.xml", "previous content");
  TStringArray T;
  ASSERT_TRUE(T.Resize(1, TStringArray::MaxXMLDimension + 1));
  EXPECT_THROW(T.SaveAsXMLFile(Dir.FileS("old.xml"), u"d"), EKYRDStructError);
  EXPECT_EQ(Dir.Read("old.xml"), "previous content") << "the file is not truncated";
  ASSERT_TRUE(T.Resize(1, TStringArray::MaxXMLDimension));
  T.SaveAsXMLFile(Dir.FileS("ok.xml"), u"d");
  TStringArray Back;
  EXPECT_TRUE(Back.LoadFromXMLFile(Dir.FileS("ok.xml"), u"d"));
  EXPECT_EQ(Back.NrOfRows(), TStringArray::MaxXMLDimension);
}
