#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KYR_runtime.h"
#include "TempDir.h"

using namespace KYR_runtime;
using kyr_test::TempDir;

namespace {

String S(const char* Utf8) {
  return Utf8ToString(Utf8);
}

// Every name FindFirst/FindNext deliver, sorted, with the search closed at the end.
std::vector<std::string> Found(const String& Path, int32_t Attr, int32_t* FirstCode = nullptr) {
  std::vector<std::string> Names;
  TSearchRec R;
  int32_t Code = FindFirst(Path, Attr, R);
  if (FirstCode != nullptr) *FirstCode = Code;
  while (Code == 0) {
    Names.push_back(StringToUtf8(R.Name));
    Code = FindNext(R);
  }
  if (!Names.empty()) {
    EXPECT_EQ(Code, ERROR_NO_MORE_FILES);
  }
  FindClose(R);
  std::sort(Names.begin(), Names.end());
  return Names;
}

TSearchRec FindOne(const String& Path) {
  TSearchRec R;
  EXPECT_EQ(FindFirst(Path, faAnyFile, R), 0) << StringToUtf8(Path);
  FindClose(R);
  return R;
}

}  // namespace

TEST(FileNames, SplitWindowsAndLinuxPaths) {
  struct Case {
    const char *Name, *Path, *Dir, *File, *Ext;
  } Cases[] = {
      {"C:\\dir\\file.txt", "C:\\dir\\", "C:\\dir", "file.txt", ".txt"},
      {"C:\\file", "C:\\", "C:\\", "file", ""},
      {"C:file.txt", "C:", "C:", "file.txt", ".txt"},
      {"\\\\server\\share\\a.b.c", "\\\\server\\share\\", "\\\\server\\share", "a.b.c", ".c"},
      {"/home/u/archive.tar.gz", "/home/u/", "/home/u", "archive.tar.gz", ".gz"},
      {"/file", "/", "/", "file", ""},
      {"/", "/", "/", "", ""},
      {"dir/", "dir/", "dir", "", ""},
      {"mixed/dir\\x.y", "mixed/dir\\", "mixed/dir", "x.y", ".y"},
      {"a.b/c", "a.b/", "a.b", "c", ""},
      {".bashrc", "", "", ".bashrc", ".bashrc"},
      {"ab:c.txt", "", "", "ab:c.txt", ".txt"},  // a colon elsewhere is part of the name
      {"1:x", "", "", "1:x", ""},
      {"name.", "", "", "name.", "."},
      {"", "", "", "", ""},
  };
  for (const Case& C : Cases) {
    String N = S(C.Name);
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(ExtractFilePath(N), S(C.Path));
    EXPECT_EQ(ExtractFileDir(N), S(C.Dir));
    EXPECT_EQ(ExtractFileName(N), S(C.File));
    EXPECT_EQ(ExtractFileExt(N), S(C.Ext));
  }
}

TEST(FileNames, ChangeAndDelimiters) {
  struct Case {
    const char *Name, *Ext, *Want;
  } Cases[] = {
      {"a/b.txt", ".dat", "a/b.dat"},       {"a.b/c", ".x", "a.b/c.x"},
      {"C:\\d.e\\f", ".g", "C:\\d.e\\f.g"}, {"x.tar.gz", "", "x.tar"},
      {"noext", ".txt", "noext.txt"},
  };
  for (const Case& C : Cases) EXPECT_EQ(ChangeFileExt(S(C.Name), S(C.Ext)), S(C.Want)) << C.Name;

  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");
}

TEST(FileNames, ExpandFileName) {
  struct Case {
    const char *Name, *Want;
  } Cases[] = {
      {"/a/./b/../c", "/a/c"}, {"/../x", "/x"}, {"//a//b/", "/a/b/"},
      {"/a/b/..", "/a"},       {"/a/..", "/"},  {"", ""},
  };
  for (const Case& C : Cases) EXPECT_EQ(ExpandFileName(S(C.Name)), S(C.Want)) << C.Name;
  EXPECT_EQ(ExpandFileName(u"x/./y"), GetCurrentDir() + u"/x/y");
}

TEST(FileNames, MatchesMask) {
  struct Case {
    const char *Name, *Mask;
    bool Want;
  } Cases[] = {
      {"readme", "*.*", true},
      {"a.TXT", "*.txt", true},
      {"a.txt.bak", "*.txt", false},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"abc", "*", true},
      {"", "*", true},
      {"aXbXc", "a*b*c", true},
      {"abcb", "*b", true},
      {"abca", "*b", false},
      {"Ärger.txt", "ä*", true},
      {"x", "", false},
      {"aaaaaaaaab", "*a*a*a*b", true},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(MatchesMask(S(C.Name), S(C.Mask)), C.Want) << C.Name << " / " << C.Mask;
}

class FileSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    T.Write("a.txt", "12345");
    T.Write("B.TXT", "");
    T.Write("c.dat", "");
    T.Write(".hidden", "");
    mkdir(T.File("sub").c_str(), 0755);
    mkdir(T.File(".hiddendir").c_str(), 0755);
    T.Write("sub/inner.txt", "");
    symlink(T.File("sub").c_str(), T.File("dirlink").c_str());
    symlink(T.File("a.txt").c_str(), T.File("filelink.txt").c_str());
    symlink(T.File("gone").c_str(), T.File("dangling").c_str());
  }
  String Dir(const char* Mask) const { return Utf8ToString(T.File(Mask)); }

  TempDir T;
};

TEST_F(FileSearch, MasksAndAttributes) {
  using V = std::vector<std::string>;
  struct Case {
    const char* Mask;
    int32_t Attr;
    V Want;
  } Cases[] = {
      {"*.*", faArchive, {"B.TXT", "a.txt", "c.dat", "filelink.txt"}},
      {"*.txt", faArchive, {"B.TXT", "a.txt", "filelink.txt"}},
      {"*.TxT", faArchive, {"B.TXT", "a.txt", "filelink.txt"}},
      {"?.txt", faArchive, {"B.TXT", "a.txt"}},
      {"*", faDirectory, {"B.TXT", "a.txt", "c.dat", "filelink.txt", "sub"}},
      {"*",
       faDirectory | faHidden,
       {".hidden", ".hiddendir", "B.TXT", "a.txt", "c.dat", "filelink.txt", "sub"}},
      {"*",
       faAnyFile,
       {".hidden", ".hiddendir", "B.TXT", "a.txt", "c.dat", "dangling", "dirlink", "filelink.txt",
        "sub"}},
      {"A.TXT", faArchive, {"a.txt"}},
  };
  for (const Case& C : Cases) EXPECT_EQ(Found(Dir(C.Mask), C.Attr), C.Want) << C.Mask;

  int32_t Code = -1;
  EXPECT_TRUE(Found(Dir("*.none"), faAnyFile, &Code).empty());
  EXPECT_EQ(Code, ERROR_NO_MORE_FILES);
  EXPECT_TRUE(Found(Dir("missing/*.*"), faAnyFile, &Code).empty());
  EXPECT_EQ(Code, 3);
  EXPECT_TRUE(Found(Dir("a.txt/*"), faAnyFile, &Code).empty());
  EXPECT_EQ(Code, 3);
}

TEST_F(FileSearch, EntryDetails) {
  chmod(T.File("c.dat").c_str(), 0444);
  TSearchRec A = FindOne(Dir("a.txt"));
  EXPECT_EQ(A.Attr, faArchive);
  EXPECT_EQ(A.Size, 5);
  EXPECT_EQ(A.Time, FileAge(Dir("a.txt")));
  EXPECT_EQ(FindOne(Dir("c.dat")).Attr, faArchive | faReadOnly);
  EXPECT_EQ(FindOne(Dir("sub")).Attr, faDirectory);
  EXPECT_EQ(FindOne(Dir(".hiddendir")).Attr, faDirectory | faHidden);
  // Links: a file link looks like its file; a directory link or a dangling one is a
  // special entry that a walker does not descend into.
  EXPECT_EQ(FindOne(Dir("filelink.txt")).Size, 5);
  EXPECT_EQ(FindOne(Dir("dirlink")).Attr, faSysFile);
  EXPECT_EQ(FindOne(Dir("dangling")).Attr, faSysFile);
  EXPECT_EQ(FileGetAttr(Dir("dirlink")), faSysFile);
  EXPECT_EQ(FileGetAttr(Dir(".hidden")), faArchive | faHidden);
  EXPECT_EQ(FileGetAttr(Dir("none")), -1);
}

TEST_F(FileSearch, CloseIsAlwaysSafe) {
  TSearchRec R;
  FindClose(R);  // never started
  ASSERT_EQ(FindFirst(Dir("*"), faAnyFile, R), 0);
  TSearchRec Copy = R;
  FindClose(R);
  FindClose(R);
  EXPECT_EQ(FindNext(R), ERROR_NO_MORE_FILES);
  FindClose(Copy);
  EXPECT_EQ(FindFirst(Dir("nothing*"), faAnyFile, R), ERROR_NO_MORE_FILES);
  FindClose(R);
  // A record reused for a new search starts over.
  ASSERT_EQ(FindFirst(Dir("*.dat"), faAnyFile, R), 0);
  ASSERT_EQ(FindFirst(Dir("sub"), faAnyFile, R), 0);
  EXPECT_EQ(R.Name, u"sub");
  EXPECT_EQ(FindNext(R), ERROR_NO_MORE_FILES);
  FindClose(R);
}

TEST_F(FileSearch, DeletingNeverGoesThroughLinksOrReadOnlyFiles) {
  EXPECT_FALSE(DeleteFile(Dir("sub")));
  EXPECT_TRUE(DeleteFile(Dir("dirlink")));
  EXPECT_TRUE(DirectoryExists(Dir("sub")));
  EXPECT_TRUE(FileExists(Dir("sub/inner.txt")));
  EXPECT_TRUE(DeleteFile(Dir("filelink.txt")));
  EXPECT_TRUE(FileExists(Dir("a.txt")));

  EXPECT_EQ(FileSetAttr(Dir("a.txt"), faReadOnly | faArchive), 0);
  EXPECT_EQ(FileGetAttr(Dir("a.txt")), faReadOnly | faArchive);
  EXPECT_FALSE(DeleteFile(Dir("a.txt")));
  EXPECT_EQ(FileSetAttr(Dir("a.txt"), faArchive), 0);
  EXPECT_TRUE(DeleteFile(Dir("a.txt")));
  EXPECT_FALSE(FileExists(Dir("a.txt")));
  EXPECT_EQ(FileSetAttr(Dir("a.txt"), 0), 2);
}

TEST(FileOps, DirectoriesAndRenaming) {
  TempDir T;
  String Deep = Utf8ToString(T.File("x/y/z"));
  EXPECT_TRUE(ForceDirectories(Deep + u"/"));
  EXPECT_TRUE(DirectoryExists(Deep));
  EXPECT_TRUE(ForceDirectories(Deep));
  EXPECT_FALSE(ForceDirectories(u""));
  T.Write("file", "f");
  EXPECT_FALSE(ForceDirectories(T.FileS("file/sub")));

  symlink(T.File("x").c_str(), T.File("xlink").c_str());
  EXPECT_TRUE(DirectoryExists(T.FileS("xlink")));
  EXPECT_FALSE(DirectoryExists(T.FileS("xlink"), false));

  try {
    RmDir(T.FileS("x"));
    FAIL() << "a directory with contents was removed";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode(), ioAccessDenied);
  }
  RmDir(Deep);
  EXPECT_FALSE(DirectoryExists(Deep));
  EXPECT_TRUE(CreateDir(Deep));
  EXPECT_FALSE(CreateDir(Deep));
  EXPECT_TRUE(RemoveDir(Deep));

  T.Write("other", "o");
  EXPECT_FALSE(RenameFile(T.FileS("file"), T.FileS("other")));
  EXPECT_EQ(T.Read("other"), "o");
  EXPECT_TRUE(RenameFile(T.FileS("file"), T.FileS("moved")));
  EXPECT_EQ(T.Read("moved"), "f");
  EXPECT_FALSE(FileExists(T.FileS("file")));
}

TEST(FileHandles, ReadWriteSeekAndDates) {
  TempDir T;
  THandle H = FileCreate(T.FileS("h.bin"));
  ASSERT_NE(H, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileWrite(H, "hello world", 11), 11);
  EXPECT_EQ(FileSeek(H, 6, 0), 6);
  char Buf[16] = {};
  EXPECT_EQ(FileRead(H, Buf, 16), 5);
  EXPECT_EQ(std::string(Buf), "world");
  EXPECT_EQ(FileSeek(H, -5, 2), 6);
  EXPECT_EQ(FileSeek(H, 0, 7), -1);

  // 2001-02-03 04:05:06 as a packed DOS date-time.
  const int32_t Age = (21 << 25) | (2 << 21) | (3 << 16) | (4 << 11) | (5 << 5) | 3;
  EXPECT_EQ(FileSetDate(H, Age), 0);
  EXPECT_EQ(FileGetDate(H), Age);
  EXPECT_EQ(FileSetDate(H, (21 << 25) | (2 << 21) | (31 << 16)), 87);  // 31 February
  FileClose(H);
  EXPECT_EQ(FileAge(T.FileS("h.bin")), Age);
  EXPECT_EQ(FileSetDate(T.FileS("h.bin"), Age + 2), 0);
  EXPECT_EQ(FileAge(T.FileS("h.bin")), Age + 2);
  EXPECT_EQ(FileAge(Utf8ToString(T.Path())), -1);  // a directory has no file age
  EXPECT_EQ(FileSetDate(T.FileS("none"), Age), 2);

  H = FileOpen(T.FileS("h.bin"), fmOpenRead | fmShareDenyWrite);
  ASSERT_NE(H, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileWrite(H, "x", 1), -1);
  FileClose(H);
  EXPECT_EQ(FileOpen(T.FileS("none"), fmOpenRead), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileOpen(Utf8ToString(T.Path()), fmOpenRead), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileCreate(T.FileS("none/x")), INVALID_HANDLE_VALUE);
}
