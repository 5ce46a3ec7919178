// Words, tokens, lines and the character-permutation scrambler, with a few text
// helpers: quoted names and parameters, uuencoding, line coordinates and tags.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "KYR_kyrbase.h"

namespace KYR_stringl {

using namespace KYR_runtime;

// --- Word separators -------------------------------------------------------------------

// A set of the characters with codes 0 to 255; characters above 255 are never members.
class TCharSet {
 public:
  constexpr TCharSet() = default;
  constexpr TCharSet(std::initializer_list<uint8_t> Codes) {
    for (uint8_t C : Codes) Include(C);
  }
  constexpr bool Contains(Char C) const {
    return C <= 255 && ((FBits[C >> 6] >> (C & 63)) & 1) != 0;
  }
  constexpr void Include(uint8_t C) { FBits[C >> 6] |= uint64_t{1} << (C & 63); }
  constexpr void Exclude(uint8_t C) { FBits[C >> 6] &= ~(uint64_t{1} << (C & 63)); }
  constexpr bool operator==(const TCharSet&) const = default;

 private:
  std::array<uint64_t, 4> FBits{};
};

// The separators WordSeps holds at load: NUL, LF, CR, blank, " # % ' ( ) * + , - . /
// : ; < = > [ \ ] { }. Tab, ! $ & ? @ ^ _ ` | ~ are word characters.
inline constexpr TCharSet DefaultWordSeps{0,  10, 13, 32, 34, 35, 37, 39, 40, 41, 42, 43,  44,
                                          45, 46, 47, 58, 59, 60, 61, 62, 91, 92, 93, 123, 125};

// The process-wide word separators, read on every call of CountWords and
// ExtractWordFromString. Writable; change it only while no word routine runs.
extern TCharSet WordSeps;

// The number of words of two or more characters that are ended by a separator. A word
// that runs to the end of S without a separator after it is not counted ("abc" gives 0,
// "abc " gives 1).
int32_t CountWords(const String& S);

// The word around position Pos (1-based): the run of word characters that holds Pos, or
// the separator at Pos itself as a one-character string; empty when Pos is outside S.
String ExtractWordFromString(const String& S, int32_t Pos);
// As above; also reports the word's first and last position (both Pos for a separator,
// both 0 when Pos is outside S).
String ExtractWordFromString(const String& S, int32_t Pos, int32_t& WordStart, int32_t& WordEnd);

// --- Fields, tokens and lines ------------------------------------------------------------

// Field Index (from 0) of S, fields separated by the text Delim. Empty for a negative
// Index, beyond the last field, and for a field that begins with the delimiter (compared
// without regard to case). Both texts end at their first NUL character. With an empty
// Delim the whole of S is field 0 and there are no other fields.
String ExtractSubString(const String& S, int32_t Index, const String& Delim);

using TOpenStringArray = std::vector<String>;

// Splits S at each occurrence of Delim (exact comparison) into Tokens, keeping empty
// tokens, and returns their number (1 to 100). After 99 splits the hundredth token holds
// the rest, delimiters included. An empty Delim gives one token, the whole of S.
int32_t Tokenize(const String& S, const String& Delim, TOpenStringArray& Tokens);
// As above, but a delimiter directly preceded by EscChar does not split. Each token is
// then unescaped (ignoring ASCII case): a doubled EscChar becomes one, and EscChar
// followed by the delimiter becomes the delimiter. "a\,b,c" with "," and "\" gives "a,b"
// and "c"; "a\\b,c" gives "a\b" and "c".
int32_t Tokenize(const String& S, const String& Delim, Char EscChar, TOpenStringArray& Tokens);

// Reads the line that starts at Pos and advances Pos past the character that ended it.
// Characters below 32 are never part of the line; which one ends it depends on Mode:
// 0 LF, 1 CR, 2 CR or LF, 3 CR after LF, 4 LF after CR, others nothing (the rest of S).
// EndReached is set when the text ran out before a line break, or Pos was beyond S
// (then the line is empty). A Pos below 1 counts as 1.
String ReadLnString(const String& S, int32_t& Pos, bool& EndReached, int32_t Mode);

// --- Scrambling ------------------------------------------------------------------------

// The seed InitScramble receives when the library loads.
inline constexpr int32_t DefaultScrambleSeed = 4711;

// Rebuilds the process-wide scrambling tables from Seed. Sets RandSeed to Seed and draws
// from the runtime's generator, so every later user of Random sees the change.
void InitScramble(int32_t Seed);
// Replaces each character (codes 0..255) by its encoding-table entry. Characters above
// 255 are cut to their low 8 bits first.
String Scramble(const String& S);
// The inverse of Scramble with the same tables.
String DeScramble(const String& S);

// Load-time work of this module: InitScramble(DefaultScrambleSeed).
void InitializeModule();

// --- Quoted names and parameters ---------------------------------------------------------

enum class TQuotedStrState { vsStart, vs1stQuote, vsQuote, vsNormal, vsEnd };
using enum TQuotedStrState;

// One step of reading a name that may be enclosed in Quote characters, fed one character
// at a time; Name collects the name and State starts as vsStart. Leading blanks are
// skipped. A name that begins with Quote runs to the next single Quote; a doubled Quote
// inside stands for one Quote. Any other name runs to the next blank or control
// character. A NUL character marks the end of the input and ends the name in any state.
// Returns true when Ch was consumed, false when the name had already ended before Ch (the
// caller still owns Ch); State is then vsEnd.
bool ParseQuotedName(Char Ch, Char Quote, String& Name, TQuotedStrState& State);

// Parameter Index (from 0) of S, parameters separated by Sep; Default when there is no
// such parameter (negative Index, an empty S, or fewer parameters). Blanks around a
// parameter are dropped; text between Quote characters is taken as it stands, Sep and
// blanks included, and a doubled Quote inside stands for one Quote. With a blank as Sep,
// a run of blanks separates once: ExtractParam("cp  \"my file\" b", 1, ' ', '"', "")
// gives "my file".
String ExtractParam(const String& S, int32_t Index, Char Sep, Char Quote, const String& Default);

// --- Uuencoding --------------------------------------------------------------------------

// S as classic uuencoded lines, each ended by CR LF: a length character (32 + number of
// bytes, at most 45), then four characters per three bytes, each 32 + six bits, with "`"
// for 0; the last line is the zero-length line "`". Characters above 255 are encoded as
// their Windows-1252 byte ("?" outside it).
String UUEncodeStr(const String& S);
// The bytes of uuencoded lines as characters 0..255. Lines may end with CR LF, LF or CR;
// empty lines, a "begin" line and what follows an "end" or zero-length line are ignored.
// Characters missing at the end of a short line count as 0, excess characters are
// ignored, and each character contributes its low six bits after subtracting 32.
String UUDecodeStr(const String& S);

// --- Text coordinates and tags -----------------------------------------------------------

// The line (from 1) and column (from 1) of character position Pos in S; lines end at
// CR LF, LF or a lone CR. A line break belongs to the line it ends; Pos = Length(S) + 1
// gives the position after the last character. Returns false, with Line and Col 0, when
// Pos is outside 1..Length(S) + 1.
bool TextLineCoords(const String& S, int32_t Pos, int32_t& Line, int32_t& Col);

// Finds the next tag of S at or after Pos, skipping comments and declarations ("<!...>"),
// in the syntax of the library's tag reader: the name is the text before the first blank,
// folded to ASCII lower case (an end tag keeps its slash), the attribute text what follows
// it, without blanks at both ends and without the "/" of an empty element ("<br/>").
// Returns the index of the name in TagList: the first equal one of entries 0 to n-2,
// otherwise n-1. Sets TagStart to the position of "<", Pos to the position after ">",
// Attribs, and EmptyElement for a tag that ends with "/>". Without a further complete tag
// returns -1, with TagStart 0, Pos = Length(S) + 1, Attribs empty; also -1 for an empty
// TagList (Pos then stays).
int32_t DetectNextTagInString(const String& S, int32_t& Pos, int32_t& TagStart,
                              const std::vector<String>& TagList, String& Attribs,
                              bool& EmptyElement);
// As DetectNextTagInString, and reads the content of a start tag: the text up to the first
// closing tag "</" + name + ">" (ASCII case ignored), not trimmed; Pos is left after the
// closing tag, or at the end of S when none follows (the content then runs to the end).
// End tags and empty elements have no content.
int32_t ReadNextTagInString(const String& S, int32_t& Pos, const std::vector<String>& TagList,
                            String& Attribs, String& Content);

}  // namespace KYR_stringl
