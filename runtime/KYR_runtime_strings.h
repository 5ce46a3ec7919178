// Strings of the runtime: UTF-16 text, the Windows-1252 code page, ShortString, searching
// and both case foldings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace KYR_runtime {

using String = std::u16string;
using Char = char16_t;

// --- Conversions ---------------------------------------------------------------

// UTF-8 to UTF-16; each invalid or truncated sequence becomes U+FFFD.
String Utf8ToString(std::string_view Utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string StringToUtf8(const String& S);

// The platform's single-byte code page is Windows-1252 everywhere. The five bytes it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code.
Char AnsiCharToChar(uint8_t B);
// The Windows-1252 byte of a character; '?' for a character outside the code page.
uint8_t CharToAnsiChar(Char C);
String AnsiToString(std::string_view Bytes);
std::string StringToAnsi(const String& S);

// A length byte and up to 255 Windows-1252 bytes.
class ShortString {
 public:
  ShortString() = default;
  // Encodes with Windows-1252 and cuts at 255 characters.
  ShortString(const String& S);  // NOLINT(google-explicit-constructor): Pascal assigns freely
  // Raw bytes, cut at 255.
  static ShortString FromBytes(std::string_view Bytes);

  uint8_t Length() const { return FLength; }
  std::string_view Bytes() const { return {FData, FLength}; }
  String ToString() const { return AnsiToString(Bytes()); }
  bool operator==(const ShortString& Other) const { return Bytes() == Other.Bytes(); }

 private:
  uint8_t FLength = 0;
  char FData[255] = {};
};

// --- Searching and editing (positions are 1-based, 0 = not found) ----------------

// Position of SubStr in S; 0 when absent or SubStr is empty.
int32_t Pos(const String& SubStr, const String& S);
// As Pos, starting at Offset (1-based); 0 when Offset is outside 1..Length(S).
int32_t PosEx(const String& SubStr, const String& S, int32_t Offset = 1);
// Position of SubStr in S, both read as NUL-terminated texts; 0 when absent.
int32_t StrPos(const String& S, const String& SubStr);
// Count characters from Index; out-of-range parts are clipped, never raise.
String Copy(const String& S, int32_t Index, int32_t Count);
// Removes Count characters at Index; out-of-range parts are clipped.
void Delete(String& S, int32_t Index, int32_t Count);
// Inserts Source before Index (clamped into 1..Length(S)+1).
void Insert(const String& Source, String& S, int32_t Index);
// Count copies of C; empty for Count <= 0.
String StringOfChar(Char C, int32_t Count);

// --- ASCII case folding (A-Z and a-z only) --------------------------------------

Char UpCase(Char C);
Char LoCase(Char C);
String UpperCase(const String& S);
String LowerCase(const String& S);
// Ordinal comparison after ASCII upper-casing: <0, 0, >0.
int32_t CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Ordinal comparison of code units: <0, 0, >0.
int32_t CompareStr(const String& S1, const String& S2);

// --- Locale-aware case folding (every letter, per code unit, C.UTF-8 rules) -------

Char AnsiUpCase(Char C);
Char AnsiLoCase(Char C);
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// Case-insensitive comparison of NUL-terminated texts: each ends at its first U+0000.
int32_t AnsiStrIComp(const String& S1, const String& S2);
// As AnsiStrIComp, looking at no more than MaxLen characters.
int32_t AnsiStrLIComp(const String& S1, const String& S2, int32_t MaxLen);
// Case-insensitive comparison of whole strings.
int32_t AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);

}  // namespace KYR_runtime
