// Counting, replacing, removing and searching.
#include <algorithm>
#include <array>
#include <string_view>

#include "KYR_stringl_utils.h"

namespace KYR_stringl {
namespace {

using View = std::u16string_view;
constexpr size_t NotFound = View::npos;

bool EqualFolded(Char A, Char B) {
  return LoCase(A) == LoCase(B);
}

// Index of the first occurrence of Sub in S at or after From; ASCII-folded with Fold.
// Works on the caller's text, so case-insensitive searches allocate nothing.
size_t FindFrom(View Sub, View S, size_t From, bool Fold) {
  if (Sub.empty() || From > S.size() || Sub.size() > S.size() - From) return NotFound;
  if (!Fold) return S.find(Sub, From);
  const auto It = std::search(S.begin() + From, S.end(), Sub.begin(), Sub.end(), EqualFolded);
  return It == S.end() ? NotFound : static_cast<size_t>(It - S.begin());
}

int32_t CountOccurrences(View Sub, View S, bool Fold) {
  int32_t Count = 0;
  for (size_t At = FindFrom(Sub, S, 0, Fold); At != NotFound;
       At = FindFrom(Sub, S, At + Sub.size(), Fold)) {
    ++Count;
  }
  return Count;
}

// The character-set macros and what they stand for.
struct SetMacro {
  View Name;
  Char First;
  Char Last;
};
constexpr std::array<SetMacro, 5> SetMacros{{
    {u"//dig", u'0', u'9'},
    {u"//lc", u'a', u'z'},
    {u"//uc", u'A', u'Z'},
    {u"//31dwn", 0, 31},
    {u"//128up", 128, 255},
}};

using MemberTable = std::array<bool, 256>;

// Marks every character of CharSet, macros expanded, with Member. Expanding every
// macro occurrence in one left-to-right scan gives the same set as repeated passes that
// each replace the first occurrence of each macro: occurrences cannot overlap (each
// starts with "//" and no name holds "/"), and no expansion contains "/" or can join
// with its neighbours into a new macro. Codes above 255 are never members.
void MarkSet(const String& CharSet, bool Member, MemberTable& Table) {
  const View Set(CharSet);
  size_t I = 0;
  while (I < Set.size()) {
    const auto Macro = std::find_if(SetMacros.begin(), SetMacros.end(), [&](const SetMacro& M) {
      return Set.substr(I).starts_with(M.Name);
    });
    if (Macro != SetMacros.end()) {
      for (Char C = Macro->First; C <= Macro->Last; ++C) Table[C] = Member;
      I += Macro->Name.size();
      continue;
    }
    if (Set[I] < Table.size()) Table[Set[I]] = Member;
    ++I;
  }
}

}  // namespace

int32_t CountStringInString(const String& SubStr, const String& S, bool CaseSensitive) {
  return CountOccurrences(SubStr, S, !CaseSensitive);
}

int32_t CountCharInString(Char C, const String& S, bool CaseSensitive) {
  if (CaseSensitive) return static_cast<int32_t>(std::count(S.begin(), S.end(), C));
  const Char Up = UpCase(C);
  return static_cast<int32_t>(
      std::count_if(S.begin(), S.end(), [Up](Char X) { return UpCase(X) == Up; }));
}

String ReplaceCharInString(const String& S, Char OldChar, Char NewChar) {
  String R = S;
  std::replace(R.begin(), R.end(), OldChar, NewChar);
  return R;
}

String ReplaceStringInString(const String& S, const String& SearchStr, const String& ReplaceStr,
                             bool IgnoreCase) {
  // Searching resumes in the original text right after each match, which is the same as
  // resuming after the inserted replacement in the edited text.
  size_t At = FindFrom(SearchStr, S, 0, IgnoreCase);
  if (At == NotFound) return S;
  String R;
  R.reserve(S.size());
  size_t Done = 0;
  while (At != NotFound) {
    R.append(S, Done, At - Done);
    R += ReplaceStr;
    Done = At + SearchStr.size();
    At = FindFrom(SearchStr, S, Done, IgnoreCase);
  }
  R.append(S, Done);
  return R;
}

String RemoveCharInString(const String& S, Char C) {
  String R;
  R.reserve(S.size());
  for (Char X : S) {
    if (X != C) R += X;
  }
  return R;
}

String RemoveControlChars(const String& S) {
  String R;
  R.reserve(S.size());
  for (Char X : S) {
    if (X >= 32) R += X;
  }
  return R;
}

int32_t NumberedPos(const String& SubStr, const String& S, int32_t StartPos, int32_t Occurrence,
                    bool IgnoreCase) {
  if (Occurrence <= 0) return 0;
  const size_t Start = StartPos < 1 ? 0 : static_cast<size_t>(StartPos) - 1;
  size_t At = FindFrom(SubStr, S, Start, IgnoreCase);
  while (At != NotFound && --Occurrence > 0)
    At = FindFrom(SubStr, S, At + SubStr.size(), IgnoreCase);
  return At == NotFound ? 0 : static_cast<int32_t>(At + 1);
}

int32_t PosLast(const String& SubStr, const String& S) {
  size_t Last = NotFound;
  for (size_t At = FindFrom(SubStr, S, 0, false); At != NotFound;
       At = FindFrom(SubStr, S, At + SubStr.size(), false)) {
    Last = At;
  }
  return Last == NotFound ? 0 : static_cast<int32_t>(Last + 1);
}

int32_t StringIx(const String& S, const std::vector<String>& List) {
  return StringIx(S, true, List);
}

int32_t StringIx(const String& S, bool CaseSensitive, const std::vector<String>& List) {
  for (size_t I = 0; I < List.size(); ++I) {
    const String& E = List[I];
    const bool Equal = CaseSensitive ? E == S
                                     : E.size() == S.size() &&
                                           std::equal(E.begin(), E.end(), S.begin(), EqualFolded);
    if (Equal) return static_cast<int32_t>(I + 1);
  }
  return 0;
}

bool StringContains(const String& S, const String& CharSet) {
  MemberTable Table{};
  MarkSet(CharSet, true, Table);
  return std::any_of(S.begin(), S.end(), [&](Char C) { return C < Table.size() && Table[C]; });
}

bool StringContainsOtherThan(const String& S, const String& CharSet) {
  MemberTable Table;
  Table.fill(true);
  MarkSet(CharSet, false, Table);
  return std::any_of(S.begin(), S.end(), [&](Char C) { return C >= Table.size() || Table[C]; });
}

bool TestAllChar(const String& S, Char C) {
  return !S.empty() && std::all_of(S.begin(), S.end(), [C](Char X) { return X == C; });
}

int32_t FindFirstNonBlank(const String& S) {
  const size_t At = S.find_first_not_of(u' ');
  return At == String::npos ? 0 : static_cast<int32_t>(At + 1);
}

bool EqualAnsiStrings(const String& S1, const String& S2) {
  return AnsiStrIComp(S1, S2) == 0;
}

}  // namespace KYR_stringl
