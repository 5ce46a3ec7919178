// `kyr table`: loads a CSV file into a TStringArray, sorts or searches it, prints CSV.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "KYR_dstruct.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_runtime;
using KYR_dstruct::TStringArray;

using Record = std::vector<std::string>;

// RFC 4180 records: fields separated by commas, quoted fields may hold commas, quotes
// (doubled) and line breaks; lines end with CR LF, LF or CR.
std::vector<Record> ParseCsv(const std::string& Text) {
  std::vector<Record> Records;
  Record Current;
  std::string Field;
  bool Quoted = false, FieldStarted = false;
  auto EndField = [&] {
    Current.push_back(std::move(Field));
    Field.clear();
    FieldStarted = false;
  };
  auto EndRecord = [&] {
    EndField();
    Records.push_back(std::move(Current));
    Current.clear();
  };
  for (size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (Quoted) {
      if (C != '"') {
        Field += C;
      } else if (I + 1 < Text.size() && Text[I + 1] == '"') {
        Field += '"';
        ++I;
      } else {
        Quoted = false;
      }
      continue;
    }
    if (C == '"' && !FieldStarted) {
      Quoted = FieldStarted = true;
    } else if (C == ',') {
      EndField();
    } else if (C == '\r' || C == '\n') {
      if (C == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
      EndRecord();
    } else {
      Field += C;
      FieldStarted = true;
    }
  }
  if (FieldStarted || !Field.empty() || !Current.empty()) EndRecord();
  return Records;
}

std::string CsvField(const std::string& S) {
  if (S.find_first_of(",\"\r\n") == std::string::npos) return S;
  std::string Out = "\"";
  for (char C : S) Out += C == '"' ? std::string("\"\"") : std::string(1, C);
  return Out + "\"";
}

// Text of the file is UTF-8 when it decodes cleanly, Windows-1252 otherwise; output goes
// back in the same encoding.
struct Encoding {
  bool Utf8 = true;
  String Decode(const std::string& S) const { return Utf8 ? Utf8ToString(S) : AnsiToString(S); }
  std::string Encode(const String& S) const { return Utf8 ? StringToUtf8(S) : StringToAnsi(S); }
};

// A column given as a 1-based number or, with a header line, as a header name.
int32_t ColumnIndex(const std::string& Text, const Record* Header) {
  if (!Text.empty() && Text.find_first_not_of("0123456789") == std::string::npos &&
      Text.size() < 10)
    return std::stoi(Text);
  if (Header != nullptr)
    for (size_t I = 0; I < Header->size(); ++I)
      if ((*Header)[I] == Text) return static_cast<int32_t>(I + 1);
  throw UsageError("no column " + Text + (Header ? "" : " (names need --header)"));
}

void PrintRow(const TStringArray& T, int32_t r, const Encoding& Enc) {
  std::string Line;
  for (int32_t c = 1; c <= T.NrOfColumns(); ++c) {
    if (c > 1) Line += ',';
    Line += CsvField(Enc.Encode(T.Elem(c, r).ToString()));
  }
  std::cout << Line << '\n';
}

// Draws the sort progress on standard error.
void ShowProgress(int32_t Percent) {
  const int32_t Shown = Percent > 100 ? 100 : Percent;
  const int Width = 40;
  const int Filled = Shown * Width / 100;
  std::fprintf(stderr, "\rsorting [%s%s] %3d%%", std::string(Filled, '#').c_str(),
               std::string(Width - Filled, ' ').c_str(), Shown);
  std::fflush(stderr);
}

int RunTable(const Args& Rest) {
  std::string File, SortColumns, Find, XmlOut;
  bool Descending = false, HasHeader = false, HasFind = false;
  for (size_t I = 0; I < Rest.size(); ++I) {
    const std::string& A = Rest[I];
    auto Value = [&]() -> const std::string& {
      if (I + 1 >= Rest.size()) throw UsageError(A + " needs a value");
      return Rest[++I];
    };
    if (A == "--sort")
      SortColumns = Value();
    else if (A == "--desc")
      Descending = true;
    else if (A == "--find")
      Find = Value(), HasFind = true;
    else if (A == "--header")
      HasHeader = true;
    else if (A == "--xml")
      XmlOut = Value();
    else if (A.rfind("--", 0) == 0)
      throw UsageError("unknown option " + A);
    else if (File.empty())
      File = A;
    else
      throw UsageError("one CSV file only");
  }
  if (File.empty()) throw UsageError("table needs a CSV file");

  const std::string Bytes = ReadFileBytes(File);
  Encoding Enc;
  Enc.Utf8 = StringToUtf8(Utf8ToString(Bytes)) == Bytes;
  std::vector<Record> Records = ParseCsv(Bytes);
  Record Header;
  if (HasHeader && !Records.empty()) {
    Header = std::move(Records.front());
    Records.erase(Records.begin());
  }
  size_t Columns = Header.size();
  for (const Record& R : Records) Columns = std::max(Columns, R.size());
  if (Records.empty() || Columns == 0) {
    if (HasHeader && !Header.empty()) std::cout << File << ": header only\n";
    return 0;
  }

  TStringArray T;
  if (!T.Resize(static_cast<int32_t>(Columns), static_cast<int32_t>(Records.size())))
    throw std::runtime_error("not enough memory for " + std::to_string(Records.size()) + " rows");
  int64_t Cut = 0;
  for (size_t r = 0; r < Records.size(); ++r)
    for (size_t c = 0; c < Records[r].size(); ++c) {
      const String Cell = Enc.Decode(Records[r][c]);
      Cut += Cell.size() > 255;
      T.SetString(static_cast<int32_t>(c + 1), static_cast<int32_t>(r + 1), Cell);
    }
  Records.clear();
  if (Cut > 0) std::cerr << "kyr table: " << Cut << " cell(s) cut to 255 characters\n";

  if (!SortColumns.empty()) {
    const size_t Comma = SortColumns.find(',');
    const Record* Names = HasHeader ? &Header : nullptr;
    const int32_t Col = ColumnIndex(SortColumns.substr(0, Comma), Names);
    const int32_t ColSec =
        Comma == std::string::npos ? 0 : ColumnIndex(SortColumns.substr(Comma + 1), Names);
    const bool Progress = T.NrOfRows() >= 50000;
    if (Progress) T.SetOnPercentDone([](TObject*, int32_t P) { ShowProgress(P); });
    T.Sort(Col, ColSec, !Descending);
    if (Progress) std::fputc('\n', stderr);
  }

  if (HasHeader) {
    std::string Line;
    for (size_t c = 0; c < Header.size(); ++c) {
      if (c > 0) Line += ',';
      Line += CsvField(Header[c]);
    }
    std::cout << Line << '\n';
  }
  if (HasFind) {
    const String Wanted = Enc.Decode(Find);
    int32_t Hits = 0;
    for (int32_t From = 1; From <= T.NrOfRows();) {
      int32_t Col = 0, Row = 0;
      if (!T.FindCell(Wanted, false, 1, T.NrOfColumns(), From, T.NrOfRows(), Col, Row)) break;
      PrintRow(T, Row, Enc);
      ++Hits;
      From = Row + 1;
    }
    std::cerr << Hits << " matching row(s)\n";
  } else {
    for (int32_t r = 1; r <= T.NrOfRows(); ++r) PrintRow(T, r, Enc);
  }
  if (!XmlOut.empty()) T.SaveAsXMLFile(Utf8ToString(XmlOut), u"table");
  return 0;
}

}  // namespace

void RegisterTableCommands(CommandTable& Commands) {
  Commands["table"] = {
      "table FILE.csv [--header] [--sort COL[,COL2]] [--desc] [--find TEXT] [--xml OUT]",
      "load a CSV file into a string table, sort it (case-insensitive) or list the rows holding "
      "TEXT, print CSV; COL is a number or, with --header, a name; --xml also saves the table",
      RunTable};
}

}  // namespace kyr_tool
