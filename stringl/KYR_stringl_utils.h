// General string routines: stripping, ensuring, counting, replacing, searching,
// character classes, case changes, padding, reduction and escapes. All are pure
// functions without state; positions are 1-based and 0 means not found. A blank is the
// space character (code 32) only.
#pragma once

#include <cstdint>
#include <vector>

#include "KYR_kyrbase.h"

namespace KYR_stringl {

using namespace KYR_runtime;

// --- Stripping and ensuring --------------------------------------------------------

// S without blanks at both ends; a string of blanks gives the empty string.
String StripLTBlanks(const String& S);
// S without leading blanks, but the last character is never removed: "   " gives " ".
String StripLeadingBlanks(const String& S);
// S without trailing blanks, but the first character is never removed: "   " gives " ".
String StripTrailingBlanks(const String& S);
// S without any leading occurrence of C; "xxx" with 'x' gives the empty string.
String StripLeadingChars(Char C, const String& S);
// S without trailing occurrences of C, but the first character is never removed:
// "xxx" with 'x' gives "x".
String StripTrailingChars(Char C, const String& S);
// A non-empty S with "\" appended unless it already ends with one; "" stays "".
String EnsureTrailingBkSlash(const String& S);
// A non-empty S with C appended unless it already ends with C; "" stays "".
String EnsureTrailingChar(Char C, const String& S);
// A non-empty S with C put in front unless it already starts with C; "" stays "".
String EnsureLeadingChar(Char C, const String& S);

// --- Counting, replacing and removing ------------------------------------------------

// Number of non-overlapping occurrences of SubStr in S, searched from the left ("aa"
// occurs twice in "aaaaa"). Without CaseSensitive both are compared ASCII-folded. An
// empty SubStr counts 0.
int32_t CountStringInString(const String& SubStr, const String& S, bool CaseSensitive);
// Number of positions of S holding C; without CaseSensitive compared ASCII-folded.
int32_t CountCharInString(Char C, const String& S, bool CaseSensitive);
// S with every OldChar replaced by NewChar.
String ReplaceCharInString(const String& S, Char OldChar, Char NewChar);
// S with every non-overlapping occurrence of SearchStr, found from the left, replaced by
// ReplaceStr. Inserted text is never searched again, so a replacement containing the
// search text does not loop. With IgnoreCase matching is ASCII case-insensitive and
// text outside the matches keeps its case. An empty SearchStr leaves S unchanged.
String ReplaceStringInString(const String& S, const String& SearchStr, const String& ReplaceStr,
                             bool IgnoreCase);
// S without any occurrence of C.
String RemoveCharInString(const String& S, Char C);
// S without the characters with codes 0 to 31.
String RemoveControlChars(const String& S);

// --- Searching -------------------------------------------------------------------------

// Position in S of occurrence number Occurrence of SubStr, counting non-overlapping
// occurrences from StartPos (a StartPos below 1 counts as 1). 0 when there are fewer,
// when Occurrence <= 0, SubStr is empty or StartPos lies beyond the end. IgnoreCase
// compares ASCII-folded. Example: the 2nd "ab" in "xabyabzab" from 3 is at 8.
int32_t NumberedPos(const String& SubStr, const String& S, int32_t StartPos, int32_t Occurrence,
                    bool IgnoreCase);
// Position of the last of the non-overlapping occurrences of SubStr found from the left
// ("aa" in "aaa" gives 1); 0 when none or SubStr is empty.
int32_t PosLast(const String& SubStr, const String& S);
// 1-based index of the first element of List equal to S; 0 when none.
int32_t StringIx(const String& S, const std::vector<String>& List);
// As StringIx; without CaseSensitive S and the elements are compared ASCII-folded.
int32_t StringIx(const String& S, bool CaseSensitive, const std::vector<String>& List);
// True when S holds at least one character of CharSet. CharSet may contain the macros
// "//dig" (digits), "//lc" (a-z), "//uc" (A-Z), "//31dwn" (codes 0-31) and "//128up"
// (codes 128-255), any number of times. Only codes 0 to 255 can be members of the set:
// a character above 255 in CharSet is ignored, and one in S is never in the set.
bool StringContains(const String& S, const String& CharSet);
// True when S holds at least one character outside CharSet (macros as StringContains).
// A character of S above 255 is always outside the set.
bool StringContainsOtherThan(const String& S, const String& CharSet);
// True when S is non-empty and every character equals C.
bool TestAllChar(const String& S, Char C);
// Position of the first non-blank character; 0 for "" and for blanks only.
int32_t FindFirstNonBlank(const String& S);
// Locale-aware case-insensitive equality (AnsiStrIComp); each text ends at its first
// character with code 0.
bool EqualAnsiStrings(const String& S1, const String& S2);

// --- Character classes ------------------------------------------------------------------

// '0' to '9'.
bool IsDigit(Char C);
// ASCII letters 'A' to 'Z' and 'a' to 'z' only.
bool IsLetter(Char C);
// A digit or an ASCII letter.
bool IsDigitLetter(Char C);
// '0' to '9', 'A' to 'F', 'a' to 'f'.
bool IsHexChar(Char C);
// One of the seven German special letters U+00E4 U+00F6 U+00FC U+00C4 U+00D6 U+00DC U+00DF.
bool IsUmlaut(Char C);

// --- Case and letters -------------------------------------------------------------------

// S with the case of every character swapped by the locale-aware folding; characters
// without case stay.
String ChangeCase(const String& S);
// S with the first character of each word ASCII upper-cased. Word characters are ASCII
// letters and codes above 127; digits continue a word (and may start one that is then
// not capitalized); every other character ends it. "x-ray 3abc" gives "X-Ray 3abc".
String CapitalizeString(const String& S);
// S with German special letters spelled in ASCII: U+00E4 -> "ae", U+00DF -> "ss",
// U+00B5 -> "u"; a capital umlaut gets "e" before an ASCII lower-case letter and "E"
// otherwise (U+00C4 + "pfel" -> "Aepfel", U+00C4 + "RGER" -> "AERGER").
String ExpandDiphthongs(const String& S);
// True when the longest run of ASCII capitals has at least 2 characters and is longer
// than the number of ASCII lower-case letters and digits in S ("NASA", "USB-C").
bool IsAbbreviation(const String& S);

// --- Padding, repetition and abbreviation ---------------------------------------------

// S centred in Width characters: missing blanks split with the odd one on the right.
// A string of Width characters or more gives its first Width characters.
String CenterString(const String& S, uint8_t Width);
// S padded with blanks on the right to Width; longer strings are cut to Width.
String LeftString(const String& S, uint8_t Width);
// S padded with blanks on the left to Width; longer strings keep their first Width
// characters.
String RightString(const String& S, uint8_t Width);
// C repeated Count times, Count clamped into 1 to 255.
String MultiChar(Char C, int32_t Count);
// S when it has at most MaxLength characters, else its first MaxLength-2 characters
// followed by ".." (just ".." for a MaxLength of 2 or less).
String AbbrevString(const String& S, int32_t MaxLength);

// --- Reduction, reversal and escapes ----------------------------------------------------

// S with every character other than a digit or ASCII letter replaced by "_".
String ReduceStringToAZ09(const String& S);
// S with every character not allowed in an 8.3 file name replaced by "_". Allowed are
// digits, ASCII letters and ! # $ % & ' ( ) - . ^ _ { } ~ @ `. The length never changes.
String ReduceStringToFN83CompliantChars(const String& S);
// The code units of S in reverse order.
String ReverseString(const String& S);
// S with escapes resolved: "\#hh" becomes the character with hex code hh (up to two
// characters are read; no hex digit gives code 0), "\\" becomes "\" and starts no
// escape; any other backslash stays. "A\#41B" gives "AAB", "x\\#41" gives "x\#41".
String ProcessHexChars(const String& S);
// Text of Value in the notation of Mode: 0 "TRUE"/"FALSE", 1 "T"/"F", 2 ".T."/".F.",
// 3 "1"/"0", 4 "-1"/"0", 5 "FF"/"00", 6 "YES"/"NO", 7 "GOOD"/"BAD"; any other mode as 0.
String BoolToStr(bool Value, int32_t Mode);

}  // namespace KYR_stringl
