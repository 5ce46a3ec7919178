#include <sys/stat.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KYR_runtime.h"
#include "TempDir.h"

using namespace KYR_runtime;
using kyr_test::TempDir;

namespace {

// Runs Fn and returns the code of the EInOutError it raises (0 when none).
template <class F>
int32_t RaisedCode(F&& Fn) {
  try {
    Fn();
  } catch (const EInOutError& E) {
    return E.ErrorCode();
  }
  return 0;
}

std::vector<String> ReadAllLines(const String& Name) {
  TextFile F;
  AssignFile(F, Name);
  Reset(F);
  std::vector<String> Lines;
  while (!Eof(F)) Lines.push_back(ReadLn(F));
  CloseFile(F);
  return Lines;
}

// Restores the process-wide file-open mode at the end of a test.
struct FileModeGuard {
  uint8_t Saved = FileMode;
  ~FileModeGuard() { FileMode = Saved; }
};

}  // namespace

TEST(TextFile, Windows1252RoundTrip) {
  TempDir T;
  String Text;
  std::string Expected;
  for (int B = 0x80; B <= 0xFF; ++B) {
    Text += AnsiCharToChar(static_cast<uint8_t>(B));
    Expected += static_cast<char>(B);
  }
  Text += u"\u4E2D";  // outside the code page
  Expected += "?";

  TextFile F;
  AssignFile(F, T.FileS("cp.txt"));
  Rewrite(F);
  WriteLn(F, Text);
  Write(F, u"end");
  CloseFile(F);
  EXPECT_EQ(T.Read("cp.txt"), Expected + "\r\nend");

  std::vector<String> Lines = ReadAllLines(T.FileS("cp.txt"));
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[0], Text.substr(0, Text.size() - 1) + u"?");
  EXPECT_EQ(Lines[1], u"end");
}

TEST(TextFile, ReadLnAcceptsEveryLineBreak) {
  const std::string Long(70000, 'x');  // longer than the read buffer
  struct Case {
    std::string Bytes;
    std::vector<String> Lines;
  } Cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {u"a", u"b"}},
      {"a\nb", {u"a", u"b"}},
      {"a\rb\r", {u"a", u"b"}},
      {"a\r\r\nb\n\nc", {u"a", u"", u"b", u"", u"c"}},
      {"\r\n", {u""}},
      {Long + "\r\n" + "y", {String(Long.begin(), Long.end()), u"y"}},
  };
  TempDir T;
  for (const Case& C : Cases) {
    T.Write("l.txt", C.Bytes);
    EXPECT_EQ(ReadAllLines(T.FileS("l.txt")), C.Lines) << C.Bytes.substr(0, 20);
  }
  // A CR LF split across the buffer boundary is still one line break.
  std::string Split(65535, 'z');
  T.Write("split.txt", Split + "\r\nnext");
  std::vector<String> Lines = ReadAllLines(T.FileS("split.txt"));
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[1], u"next");
}

TEST(TextFile, ReadCharDeliversLineBreaksAndEndMark) {
  TempDir T;
  T.Write("c.txt", "a\r\n\xE9");
  TextFile F;
  AssignFile(F, T.FileS("c.txt"));
  Reset(F);
  String Got;
  while (!Eof(F)) Got += ReadChar(F);
  EXPECT_EQ(Got, u"a\r\n\u00E9");
  EXPECT_EQ(ReadChar(F), u'\x1A');
  EXPECT_EQ(ReadLn(F), u"");  // past the end: empty, no error
}

TEST(TextFile, ReadInteger) {
  TempDir T;
  T.Write("n.txt", "  12\t-7 rest\r\n\r\n$1F\n 42  ");
  TextFile F;
  AssignFile(F, T.FileS("n.txt"));
  Reset(F);
  int32_t V = 0;
  Read(F, V);
  EXPECT_EQ(V, 12);
  Read(F, V);
  EXPECT_EQ(V, -7);
  EXPECT_EQ(ReadLn(F), u" rest");
  for (int32_t Want : {31, 42}) {
    Read(F, V);
    EXPECT_EQ(V, Want);
  }
  EXPECT_EQ(RaisedCode([&] { Read(F, V); }), ioDiskReadError);  // nothing left

  struct Bad {
    const char* Bytes;
    int32_t Code;
  } Cases[] = {{"12x", ioInvalidNumericFormat},
               {"abc 1", ioInvalidNumericFormat},
               {"99999999999", ioInvalidNumericFormat},
               {" \r\n\t ", ioDiskReadError}};
  for (const Bad& C : Cases) {
    T.Write("bad.txt", C.Bytes);
    AssignFile(F, T.FileS("bad.txt"));
    Reset(F);
    EXPECT_EQ(RaisedCode([&] { Read(F, V); }), C.Code) << C.Bytes;
  }
}

TEST(TextFile, AppendNeedsAnExistingFile) {
  TempDir T;
  TextFile F;
  AssignFile(F, T.FileS("missing.txt"));
  EXPECT_EQ(RaisedCode([&] { Append(F); }), ioFileNotFound);
  EXPECT_TRUE(T.Read("missing.txt").empty());

  T.Write("log.txt", "one\r\n");
  AssignFile(F, T.FileS("log.txt"));
  Append(F);
  WriteLn(F, u"two");
  CloseFile(F);
  EXPECT_EQ(T.Read("log.txt"), "one\r\ntwo\r\n");
}

TEST(TextFile, FailuresRaiseWithTheirCode) {
  TempDir T;
  T.Write("in.txt", "x\r\n");
  mkdir(T.File("dir").c_str(), 0755);
  TextFile F;

  EXPECT_EQ(RaisedCode([&] { Reset(F); }), ioFileNotAssigned);
  AssignFile(F, T.FileS("dir"));
  EXPECT_EQ(RaisedCode([&] { Reset(F); }), ioAccessDenied);
  EXPECT_EQ(RaisedCode([&] { Rewrite(F); }), ioAccessDenied);
  AssignFile(F, T.FileS("nodir/x.txt"));
  EXPECT_EQ(RaisedCode([&] { Rewrite(F); }), ioPathNotFound);
  AssignFile(F, T.FileS("in.txt/x.txt"));
  EXPECT_EQ(RaisedCode([&] { Reset(F); }), ioPathNotFound);

  AssignFile(F, T.FileS("in.txt"));
  EXPECT_EQ(RaisedCode([&] { ReadLn(F); }), ioFileNotOpen);
  EXPECT_EQ(RaisedCode([&] { CloseFile(F); }), ioFileNotOpen);
  Reset(F);
  EXPECT_EQ(RaisedCode([&] { WriteLn(F, u"no"); }), ioFileNotOpenForOutput);
  AssignFile(F, T.FileS("out.txt"));
  Rewrite(F);
  EXPECT_EQ(RaisedCode([&] { ReadLn(F); }), ioFileNotOpenForInput);
  EXPECT_TRUE(Eof(F));  // open for writing: at the end, no error

  AssignFile(F, T.FileS("absent.txt"));
  try {
    Reset(F);
    FAIL() << "no exception";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode(), ioFileNotFound);
    EXPECT_NE(E.Message().find(u"File not found"), String::npos);
    EXPECT_NE(E.Message().find(T.FileS("absent.txt")), String::npos);
  }
}

TEST(TextFile, IOResultWithCheckingOff) {
  TempDir T;
  T.Write("there.txt", "a\r\nb\r\n");
  ASSERT_TRUE(IOChecking());
  {
    IOCheckingOff Off;
    EXPECT_FALSE(IOChecking());
    TextFile F;
    AssignFile(F, T.FileS("absent.txt"));
    Reset(F);
    // While the code is pending, file operations do nothing and reading loops end.
    TextFile G;
    AssignFile(G, T.FileS("new.txt"));
    Rewrite(G);
    EXPECT_TRUE(Eof(F));
    EXPECT_EQ(IOResult(), ioFileNotFound);
    EXPECT_EQ(IOResult(), 0);  // cleared
    EXPECT_FALSE(FileExists(T.FileS("new.txt"))) << "Rewrite ran while an error was pending";

    AssignFile(F, T.FileS("there.txt"));
    Reset(F);
    EXPECT_EQ(IOResult(), 0);
    EXPECT_EQ(ReadLn(F), u"a");
    int32_t V = 5;
    Read(F, V);
    EXPECT_EQ(IOResult(), ioInvalidNumericFormat);
    EXPECT_EQ(V, 0);
  }
  EXPECT_TRUE(IOChecking());

  // A code left pending is raised by the next checked operation instead of being lost.
  {
    IOCheckingOff Off;
    TextFile F;
    AssignFile(F, T.FileS("absent.txt"));
    Reset(F);
  }
  TextFile F;
  AssignFile(F, T.FileS("there.txt"));
  EXPECT_EQ(RaisedCode([&] { Reset(F); }), ioFileNotFound);
  EXPECT_EQ(IOResult(), 0);
  Reset(F);
  EXPECT_EQ(ReadLn(F), u"a");
}

TEST(TextFile, ResetOfAnOpenFileStartsAgain) {
  TempDir T;
  T.Write("r.txt", "first\nsecond\n");
  TextFile F;
  AssignFile(F, T.FileS("r.txt"));
  Reset(F);
  EXPECT_EQ(ReadLn(F), u"first");
  Reset(F);
  EXPECT_EQ(ReadLn(F), u"first");
  EXPECT_FALSE(Eoln(F));
}

TEST(TextFile, DestructorFlushesAndEraseRemoves) {
  TempDir T;
  {
    TextFile F;
    AssignFile(F, T.FileS("d.txt"));
    Rewrite(F);
    for (int I = 0; I < 20000; ++I) WriteLn(F, IntToStr(I));
  }
  std::vector<String> Lines = ReadAllLines(T.FileS("d.txt"));
  ASSERT_EQ(Lines.size(), 20000u);
  EXPECT_EQ(Lines.back(), u"19999");

  TextFile F;
  AssignFile(F, T.FileS("d.txt"));
  chmod(T.File("d.txt").c_str(), 0444);
  EXPECT_EQ(RaisedCode([&] { Erase(F); }), ioAccessDenied);
  chmod(T.File("d.txt").c_str(), 0644);
  Erase(F);
  EXPECT_FALSE(FileExists(T.FileS("d.txt")));
  EXPECT_EQ(RaisedCode([&] { Erase(F); }), ioFileNotFound);
}

// --- Untyped files -----------------------------------------------------------------

TEST(UntypedFile, BlockReadReportsWholeRecords) {
  TempDir T;
  T.Write("b.bin", "0123456789");
  UntypedFile F;
  AssignFile(F, T.FileS("b.bin"));
  Reset(F, 4);
  EXPECT_EQ(FileSize(F), 2);
  char Buf[20] = {};
  int32_t Got = -1;
  BlockRead(F, Buf, 5, Got);
  EXPECT_EQ(Got, 2);
  EXPECT_EQ(std::string(Buf), "0123456789");
  EXPECT_TRUE(Eof(F));

  Reset(F, 1);
  Seek(F, 6);
  EXPECT_EQ(FilePos(F), 6);
  char Four[4] = {'-', '-', '-', '-'};
  // An exact read that comes up short is error 100; the bytes read stay.
  EXPECT_EQ(RaisedCode([&] { BlockRead(F, Four, 4); }), 0);
  EXPECT_EQ(std::string(Four, 4), "6789");
  Seek(F, 8);
  Four[2] = Four[3] = '-';
  EXPECT_EQ(RaisedCode([&] { BlockRead(F, Four, 4); }), ioDiskReadError);
  EXPECT_EQ(std::string(Four, 4), "89--");
  CloseFile(F);
  EXPECT_EQ(RaisedCode([&] { CloseFile(F); }), ioFileNotOpen);
}

TEST(UntypedFile, FileModeDecidesTheAccess) {
  FileModeGuard Guard;
  TempDir T;
  T.Write("m.bin", "abcd");
  UntypedFile F;
  AssignFile(F, T.FileS("m.bin"));
  char Buf[4] = {};

  FileMode = 0;
  Reset(F, 1);
  EXPECT_EQ(RaisedCode([&] { BlockWrite(F, "zz", 2); }), ioAccessDenied);
  BlockRead(F, Buf, 4);
  EXPECT_EQ(std::string(Buf, 4), "abcd");

  FileMode = 1;
  Reset(F, 1);
  EXPECT_EQ(RaisedCode([&] { BlockRead(F, Buf, 1); }), ioAccessDenied);
  BlockWrite(F, "XY", 2);

  FileMode = 2;
  Reset(F, 2);
  BlockRead(F, Buf, 1);
  EXPECT_EQ(std::string(Buf, 2), "XY");
  BlockWrite(F, "!!", 1);
  CloseFile(F);
  EXPECT_EQ(T.Read("m.bin"), "XY!!");
}

TEST(UntypedFile, RenameAndEraseProtectData) {
  TempDir T;
  T.Write("a.bin", "A");
  T.Write("b.bin", "B");
  UntypedFile F;
  AssignFile(F, T.FileS("a.bin"));
  EXPECT_EQ(RaisedCode([&] { Rename(F, T.FileS("b.bin")); }), ioFileExists);
  EXPECT_EQ(T.Read("b.bin"), "B");
  Rename(F, T.FileS("c.bin"));
  EXPECT_EQ(T.Read("c.bin"), "A");
  Erase(F);  // the file under its new name
  EXPECT_FALSE(FileExists(T.FileS("c.bin")));
  EXPECT_EQ(RaisedCode([&] { Erase(F); }), ioFileNotFound);

  {
    IOCheckingOff Off;
    AssignFile(F, T.FileS("nowhere.bin"));
    Reset(F);
    EXPECT_EQ(IOResult(), ioFileNotFound);
    EXPECT_EQ(FileSize(F), 0);
    EXPECT_EQ(IOResult(), ioFileNotOpen);
  }
}
