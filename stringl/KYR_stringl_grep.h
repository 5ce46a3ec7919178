// TGrep: a regular-expression matcher with a small pattern language of its own,
// compiled into a fixed array of at most 64 tokens.
//
// The language: a character stands for itself; "." is any character; "[...]" is a set
// with ranges (a-z) and "^" right after "[" for negation; "(...)" is a group that stands
// for its literal string; "*", "+" and "?" follow an element; "^" as the first character
// anchors at position 1 and "$" at the end of the pattern anchors after the last
// character; "\" quotes the next character; "\#" and two hexadecimal digits stand for the
// character with that code. There is no alternation and no nesting. Repetitions inside a
// pattern are lazy, a repetition at the end of a pattern is greedy, and the first start
// position that works wins.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "KYR_kyrbase.h"

namespace KYR_stringl {

using namespace KYR_runtime;

// Raised for invalid regular expressions assigned to a TGrep.
class EKYRStringlError : public KYR_kyrbase::EKYRError {
 public:
  using EKYRError::EKYRError;
};

// The kind of a compiled token.
enum TGrepTokenAct : uint8_t {
  taNormal,   // a literal string (also the string of a group)
  taAnyByte,  // any one character
  taEol,      // end anchor: matches after the last character
  taBol,      // start anchor: matches at position 1
  taSet,      // one character of a set
  taMult0,    // zero or more repetitions of a unit
  taMult1,    // one or more repetitions of a unit
  taOpti,     // zero or one occurrence of a unit
};

// 256 characters, indexed 0 to 255.
using TCharArr256 = std::array<Char, 256>;

// One compiled token.
//  - NumChars: for taNormal the length n of the literal; for taSet -1; for taMult0,
//    taMult1 and taOpti the kind of unit: -1 a set, 0 any character, n > 0 a string.
//  - Params: a literal or string unit in entries 1 to n; for a set or set unit a
//    membership map, entry c holding "*" for a member and a blank otherwise. Entries a
//    token does not use are 0.
//  - ValidFrom: the position at which the token last matched; 0 after compilation.
struct TGrepToken {
  TGrepTokenAct Action = taNormal;
  int32_t NumChars = 0;
  TCharArr256 Params{};
  int32_t ValidFrom = 0;
};

// The 64 tokens of a compiled pattern; token k (1 to 64) is element k - 1.
using TRegExp = std::array<TGrepToken, 64>;

// Error codes of CompileRegExp and LastError. Codes 1 to 9 are errors of the pattern
// syntax; codes 10 to 12 report patterns beyond the fixed size of the token array.
inline constexpr int32_t greNoError = 0;
inline constexpr int32_t greBadStart = 1;           // starts with $ * ? +
inline constexpr int32_t greCircumflex = 2;         // ^ not at the start
inline constexpr int32_t greAfterEnd = 3;           // a character after $
inline constexpr int32_t greEmptySet = 4;           // []
inline constexpr int32_t greCircumflexInSet = 5;    // ^ inside a set, not first
inline constexpr int32_t greSetBrackets = 6;        // ] without [, or a set not closed
inline constexpr int32_t greMinus = 7;              // - at the start of a set or after it
inline constexpr int32_t greGroupBrackets = 8;      // ) without (, or a group not closed
inline constexpr int32_t greQuantifier = 9;         // * ? + after an anchor or repetition
inline constexpr int32_t greTooManyTokens = 10;     // more than 64 tokens
inline constexpr int32_t greStringTooLong = 11;     // literal or group over 255 chars
inline constexpr int32_t greSetMemberTooHigh = 12;  // set member above code 255

class TGrep : public KYR_runtime::TComponent {
 public:
  // IgnoreCase false, StopOnError true, MatchStartPos and MatchEndPos 0, SearchStartPos
  // 1; no pattern, no tokens, error 0.
  explicit TGrep(TComponent* AOwner = nullptr);
  ~TGrep() override;

  // The pattern as assigned. SetRegExp stores and compiles it; with StopOnError set a
  // compilation error raises EKYRStringlError ("Component \"" + Name + "\": error in
  // regular expression - " + message). The pattern and the tokens built up to the error
  // stay in place.
  const String& RegExp() const { return FRegExpStr; }
  void SetRegExp(const String& Value);

  // Case-insensitive matching (ASCII folding of pattern and text). Setting it recompiles
  // the stored pattern; an error is then only recorded in LastError, never raised.
  bool IgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool Value);

  // The position at which MatchString begins its search (positions below 1 search from 1).
  int32_t SearchStartPos() const { return FSrcStartPos; }
  void SetSearchStartPos(int32_t Value) { FSrcStartPos = Value; }

  bool StopOnError() const { return FStopOnError; }
  void SetStopOnError(bool Value) { FStopOnError = Value; }

  // Searches Instring from SearchStartPos. On success returns true and sets MatchPos and
  // MatchStartPos to the first and MatchEndPos to the last position of the match. On
  // failure MatchPos and MatchStartPos carry no meaning and MatchEndPos keeps its value.
  // A pattern without tokens matches nothing. Characters above code 255 are members of
  // negated sets only.
  bool MatchString(const String& Instring, int32_t& MatchPos);

  // Writes one line per token and a line with the error message to the text file FName,
  // created or overwritten. I/O errors are raised by the runtime.
  void PrintRegExp(const String& FName) const;

  // A copy of token regix, the index limited to NrOfRegExpTokens and then to at least 1.
  TGrepToken RegExpToken(int32_t regix) const { return GetRegExpToken(regix); }
  TGrepToken GetRegExpToken(int32_t regix) const;

  int32_t NrOfRegExpTokens() const { return FLengRegExp; }
  int32_t LastError() const { return FError; }
  int32_t MatchStartPos() const { return FMatchStartPos; }
  int32_t MatchEndPos() const { return FMatchEndPos; }

  // Compiles Pattern into the token array (RegExp keeps its value) and returns the error
  // code, which LastError then reports. Never raises.
  int32_t CompileRegExp(const String& Pattern);

  // The message of an error code: "no errors" for 0, the texts of codes 1 to 12, and an
  // empty text for any other code.
  static String ErrorMessage(int32_t Code);

 private:
  // The search engine built from the tokens after each compilation (grep_matcher.h).
  class TMatcher;

  int32_t FLengRegExp = 0;
  bool FStopOnError = true;
  TRegExp FregExp{};
  String FRegExpStr;
  bool FIgnoreCase = false;
  int32_t FError = 0;
  int32_t FMatchEndPos = 0;
  int32_t FMatchStartPos = 0;
  int32_t FSrcStartPos = 1;
  std::unique_ptr<TMatcher> FMatcher;
};

}  // namespace KYR_stringl
