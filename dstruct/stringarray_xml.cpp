// TStringArray: the XML form (the format is described in KYR_dstruct_stringarray.h).
//
// Reading finds the opening line of the table line by line (cell texts never hold a raw
// "<", so no cell can look like one), then reads the elements with the tag reader of
// KYR_streams up to the closing tag. Everything is read into a scratch table first, so
// a damaged file leaves the table as it was.
#include <limits>

#include "KYR_dstruct_stringarray.h"
#include "KYR_streams.h"
#include "KYR_stringl_utils.h"
#include "stringarray_text.h"

namespace KYR_dstruct {

namespace {

using stringarray_detail::AnsiChars;
using stringarray_detail::ConvertThrough;

const char16_t* const XmlHeader = u"<?xml version=\"1.0\" encoding=\"US-ASCII\"?>";
const char16_t* const OpeningTag = u"<strarray";

// Printable ASCII stays; markup characters become entities and everything else a
// decimal reference to its code point (a surrogate pair gives one reference).
String Escape(const String& S) {
  String Out;
  Out.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    switch (C) {
      case u'<':
        Out += u"&lt;";
        continue;
      case u'>':
        Out += u"&gt;";
        continue;
      case u'&':
        Out += u"&amp;";
        continue;
      case u'"':
        Out += u"&quot;";
        continue;
      default:
        break;
    }
    if (C >= 32 && C <= 126) {
      Out += C;
      continue;
    }
    uint32_t Code = C;
    if (C >= 0xD800 && C <= 0xDBFF && I + 1 < S.size() && S[I + 1] >= 0xDC00 &&
        S[I + 1] <= 0xDFFF) {
      Code = 0x10000 + ((C - 0xD800) << 10) + (S[I + 1] - 0xDC00);
      ++I;
    }
    Out += u"&#" + IntToStr(Code) + u";";
  }
  return Out;
}

// Appends the code point of a reference ("#233", "#xE9") to Out; false when malformed.
bool AppendReference(const String& Ref, String& Out) {
  if (Ref.size() < 2 || Ref[0] != u'#') return false;
  const bool Hex = Ref[1] == u'x' || Ref[1] == u'X';
  const size_t First = Hex ? 2 : 1;
  if (First >= Ref.size()) return false;
  uint32_t Code = 0;
  for (size_t I = First; I < Ref.size(); ++I) {
    const Char C = Ref[I];
    uint32_t Digit;
    if (C >= u'0' && C <= u'9')
      Digit = C - u'0';
    else if (Hex && C >= u'a' && C <= u'f')
      Digit = C - u'a' + 10;
    else if (Hex && C >= u'A' && C <= u'F')
      Digit = C - u'A' + 10;
    else
      return false;
    Code = Code * (Hex ? 16 : 10) + Digit;
    if (Code > 0x10FFFF) return false;
  }
  if (Code <= 0xFFFF) {
    Out += static_cast<Char>(Code);
  } else {
    Code -= 0x10000;
    Out += static_cast<Char>(0xD800 + (Code >> 10));
    Out += static_cast<Char>(0xDC00 + (Code & 0x3FF));
  }
  return true;
}

// Reverses Escape; false for a raw "<" or a malformed entity.
bool Unescape(const String& S, String& Out) {
  Out.clear();
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (C == u'<') return false;
    if (C != u'&') {
      Out += C;
      continue;
    }
    const size_t End = S.find(u';', I + 1);
    if (End == String::npos || End - I > 12) return false;
    const String Name = S.substr(I + 1, End - I - 1);
    if (Name == u"lt")
      Out += u'<';
    else if (Name == u"gt")
      Out += u'>';
    else if (Name == u"amp")
      Out += u'&';
    else if (Name == u"quot")
      Out += u'"';
    else if (Name == u"apos")
      Out += u'\'';
    else if (!AppendReference(Name, Out))
      return false;
    I = End;
  }
  return true;
}

// A decimal count without sign, blanks at both ends allowed.
bool ParseNumber(const String& Text, int32_t& Value) {
  const String S = KYR_stringl::StripLTBlanks(Text);
  if (S.empty() || S.size() > 10) return false;
  int64_t V = 0;
  for (Char C : S) {
    if (C < u'0' || C > u'9') return false;
    V = V * 10 + (C - u'0');
  }
  if (V > std::numeric_limits<int32_t>::max()) return false;
  Value = static_cast<int32_t>(V);
  return true;
}

bool ParseAttribute(const String& Attributes, const char16_t* Name, int32_t& Value) {
  return ParseNumber(KYR_streams::ScanForXMLAttrib(Attributes, Name), Value);
}

// True when Line opens a table whose identifier is DataID.
bool IsOpeningLine(const String& Line, const String& DataID) {
  const size_t At = Line.find(OpeningTag);
  if (At == String::npos) return false;
  const size_t After = At + std::char_traits<char16_t>::length(OpeningTag);
  if (After < Line.size() && Line[After] != u' ' && Line[After] != u'>') return false;
  const size_t Close = Line.find(u'>', After);
  if (Close == String::npos) return false;
  const String Attributes = KYR_stringl::StripLTBlanks(Line.substr(After, Close - After));
  String ID;
  return Unescape(KYR_streams::ScanForXMLAttrib(Attributes, u"id"), ID) && ID == DataID;
}

}  // namespace

void TStringArray::CheckFitsXMLForm() const {
  if (FNCol <= MaxXMLDimension && FNRow <= MaxXMLDimension &&
      int64_t{FNRow} * (int64_t{FNCol} + 1) <= MaxXMLCells)
    return;
  throw EKYRDStructError(u"Class TStringArray: the table is too large for the XML form (" +
                         IntToStr(FNCol) + u" x " + IntToStr(FNRow) + u")");
}

void TStringArray::WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID) {
  CheckFitsXMLForm();
  if (CreateHeader) WriteLn(F, XmlHeader);
  WriteLn(F, String(OpeningTag) + u" id=\"" + Escape(DataID) + u"\">");
  WriteLn(F, u" <numcols>" + IntToStr(FNCol) + u"</numcols>");
  WriteLn(F, u" <numrows>" + IntToStr(FNRow) + u"</numrows>");
  for (int32_t c = 1; c <= FNCol; ++c)
    if (FColAttrib[c - 1] != 0)
      WriteLn(F, u" <colattr c=\"" + IntToStr(c) + u"\">" + IntToStr(FColAttrib[c - 1]) +
                     u"</colattr>");
  for (int32_t r = 1; r <= FNRow; ++r)
    if (GetRowAttrib(r) != 0)
      WriteLn(F,
              u" <rowattr r=\"" + IntToStr(r) + u"\">" + IntToStr(GetRowAttrib(r)) + u"</rowattr>");
  String Text;
  for (int32_t r = 1; r <= FNRow; ++r) {
    const int32_t P = PhysRow(r);
    if (P == 0) continue;
    for (int32_t c = 0; c <= FNCol; ++c) {
      const std::string_view Bytes = CellBytes(c, P);
      if (Bytes.empty()) continue;
      ConvertThrough(Bytes, AnsiChars(), Text);
      WriteLn(F, u" <cell c=\"" + IntToStr(c) + u"\" r=\"" + IntToStr(r) + u"\">" + Escape(Text) +
                     u"</cell>");
    }
  }
  WriteLn(F, u"</strarray>");
}

void TStringArray::SaveAsXMLFile(const String& FName, const String& DataID) {
  CheckFitsXMLForm();  // before the file is created or truncated
  TextFile F;
  AssignFile(F, FName);
  Rewrite(F);
  WriteToOpenXMLFile(F, true, DataID);
  CloseFile(F);
}

bool TStringArray::ReadFromOpenXMLFile(TextFile& F, const String& DataID) {
  CheckNotSorting();
  bool Opened = false;
  while (!Opened && !Eof(F)) Opened = IsOpeningLine(ReadLn(F), DataID);
  if (!Opened) return false;

  TStringArray Table;
  Table.SetAllocRowsBy(FAllocRowsBy);
  int32_t Cols = 0;
  int32_t Rows = 0;
  bool Sized = false;
  // Dimensions come first; the table takes its size before the first cell or attribute.
  // Declared sizes beyond the limits count as damage, not as a request for memory.
  auto Size = [&]() {
    if (!Sized && Cols >= 1 && Rows >= 1 && int64_t{Rows} * (int64_t{Cols} + 1) <= MaxXMLCells)
      Sized = Table.Resize(Cols, Rows);
    return Sized;
  };
  String Text;
  for (;;) {
    const KYR_streams::TTagElement E = KYR_streams::ReadNextTagElement(F);
    if (!E.Found) return false;
    int32_t c = 0;
    int32_t r = 0;
    int32_t Value = 0;
    if (E.Name == u"numcols" || E.Name == u"numrows") {
      if (Sized || !ParseNumber(E.Content, Value) || Value < 1 || Value > MaxXMLDimension)
        return false;
      (E.Name == u"numcols" ? Cols : Rows) = Value;
    } else if (E.Name == u"cell") {
      if (!Size() || !ParseAttribute(E.Attributes, u"c", c) ||
          !ParseAttribute(E.Attributes, u"r", r) || c > Cols || r < 1 || r > Rows ||
          !Unescape(E.Content, Text) || Text.size() > 255)
        return false;
      Table.StoreText(c, r, ShortString(Text).Bytes());
    } else if (E.Name == u"colattr") {
      if (!Size() || !ParseAttribute(E.Attributes, u"c", c) || c < 1 || c > Cols ||
          !ParseNumber(E.Content, Value) || Value > 255)
        return false;
      Table.FColAttrib[c - 1] = static_cast<uint8_t>(Value);
    } else if (E.Name == u"rowattr") {
      if (!Size() || !ParseAttribute(E.Attributes, u"r", r) || r < 1 || r > Rows ||
          !ParseNumber(E.Content, Value) || Value > 255)
        return false;
      Table.FRowAttrib[r - 1] = static_cast<uint8_t>(Value);
    } else if (E.Name == u"/strarray") {
      if (!Size()) return false;
      break;
    } else if (E.Name == u"strarray") {
      return false;  // the next table began before this one ended
    }
    // Other elements are skipped.
  }
  SwapContents(Table);
  Changed();
  return true;
}

bool TStringArray::LoadFromXMLFile(const String& FName, const String& DataID) {
  try {
    TextFile F;
    AssignFile(F, FName);
    Reset(F);
    const bool Ok = ReadFromOpenXMLFile(F, DataID);
    CloseFile(F);
    return Ok;
  } catch (const EInOutError&) {
    return false;
  }
}

}  // namespace KYR_dstruct
