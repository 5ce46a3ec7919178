// `kyr call` entries for the general string routines.
#include "KYR_stringl_utils.h"
#include "kyr_tool.h"

namespace kyr_tool {

void RegisterStringlCalls(CallTable& Calls) {
  using namespace KYR_stringl;
  using StringIxFn = int32_t (*)(const String&, const std::vector<String>&);
  using StringIxCaseFn = int32_t (*)(const String&, bool, const std::vector<String>&);

  Calls["StripLTBlanks"] = MakeCall("StripLTBlanks(S)", &StripLTBlanks);
  Calls["StripLeadingBlanks"] = MakeCall("StripLeadingBlanks(S)", &StripLeadingBlanks);
  Calls["StripTrailingBlanks"] = MakeCall("StripTrailingBlanks(S)", &StripTrailingBlanks);
  Calls["StripLeadingChars"] = MakeCall("StripLeadingChars(C, S)", &StripLeadingChars);
  Calls["StripTrailingChars"] = MakeCall("StripTrailingChars(C, S)", &StripTrailingChars);
  Calls["EnsureTrailingBkSlash"] = MakeCall("EnsureTrailingBkSlash(S)", &EnsureTrailingBkSlash);
  Calls["EnsureTrailingChar"] = MakeCall("EnsureTrailingChar(C, S)", &EnsureTrailingChar);
  Calls["EnsureLeadingChar"] = MakeCall("EnsureLeadingChar(C, S)", &EnsureLeadingChar);

  Calls["CountStringInString"] =
      MakeCall("CountStringInString(SubStr, S, CaseSensitive)", &CountStringInString);
  Calls["CountCharInString"] =
      MakeCall("CountCharInString(C, S, CaseSensitive)", &CountCharInString);
  Calls["ReplaceCharInString"] =
      MakeCall("ReplaceCharInString(S, OldChar, NewChar)", &ReplaceCharInString);
  Calls["ReplaceStringInString"] = MakeCall(
      "ReplaceStringInString(S, SearchStr, ReplaceStr, IgnoreCase)", &ReplaceStringInString);
  Calls["RemoveCharInString"] = MakeCall("RemoveCharInString(S, C)", &RemoveCharInString);
  Calls["RemoveControlChars"] = MakeCall("RemoveControlChars(S)", &RemoveControlChars);

  Calls["NumberedPos"] =
      MakeCall("NumberedPos(SubStr, S, StartPos, Occurrence, IgnoreCase)", &NumberedPos);
  Calls["PosLast"] = MakeCall("PosLast(SubStr, S)", &PosLast);
  Calls["StringIx"] = MakeCall("StringIx(S, Item...)", static_cast<StringIxFn>(&StringIx));
  Calls["StringIxCase"] =
      MakeCall("StringIxCase(S, CaseSensitive, Item...)", static_cast<StringIxCaseFn>(&StringIx));
  Calls["StringContains"] = MakeCall("StringContains(S, CharSet)", &StringContains);
  Calls["StringContainsOtherThan"] =
      MakeCall("StringContainsOtherThan(S, CharSet)", &StringContainsOtherThan);
  Calls["TestAllChar"] = MakeCall("TestAllChar(S, C)", &TestAllChar);
  Calls["FindFirstNonBlank"] = MakeCall("FindFirstNonBlank(S)", &FindFirstNonBlank);
  Calls["EqualAnsiStrings"] = MakeCall("EqualAnsiStrings(S1, S2)", &EqualAnsiStrings);

  Calls["IsDigit"] = MakeCall("IsDigit(C)", &IsDigit);
  Calls["IsLetter"] = MakeCall("IsLetter(C)", &IsLetter);
  Calls["IsDigitLetter"] = MakeCall("IsDigitLetter(C)", &IsDigitLetter);
  Calls["IsHexChar"] = MakeCall("IsHexChar(C)", &IsHexChar);
  Calls["IsUmlaut"] = MakeCall("IsUmlaut(C)", &IsUmlaut);

  Calls["ChangeCase"] = MakeCall("ChangeCase(S)", &ChangeCase);
  Calls["CapitalizeString"] = MakeCall("CapitalizeString(S)", &CapitalizeString);
  Calls["ExpandDiphthongs"] = MakeCall("ExpandDiphthongs(S)", &ExpandDiphthongs);
  Calls["IsAbbreviation"] = MakeCall("IsAbbreviation(S)", &IsAbbreviation);

  Calls["CenterString"] = MakeCall("CenterString(S, Width)", &CenterString);
  Calls["LeftString"] = MakeCall("LeftString(S, Width)", &LeftString);
  Calls["RightString"] = MakeCall("RightString(S, Width)", &RightString);
  Calls["MultiChar"] = MakeCall("MultiChar(C, Count)", &MultiChar);
  Calls["AbbrevString"] = MakeCall("AbbrevString(S, MaxLength)", &AbbrevString);

  Calls["ReduceStringToAZ09"] = MakeCall("ReduceStringToAZ09(S)", &ReduceStringToAZ09);
  Calls["ReduceStringToFN83CompliantChars"] =
      MakeCall("ReduceStringToFN83CompliantChars(S)", &ReduceStringToFN83CompliantChars);
  Calls["ReverseString"] = MakeCall("ReverseString(S)", &ReverseString);
  Calls["ProcessHexChars"] = MakeCall("ProcessHexChars(S)", &ProcessHexChars);
  Calls["BoolToStr"] = MakeCall("BoolToStr(Value, Mode)", &BoolToStr);
}

}  // namespace kyr_tool
