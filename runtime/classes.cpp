// TStringList.
#include "KYR_runtime_classes.h"
#include "KYR_runtime_numbers.h"

namespace KYR_runtime {

namespace {

[[noreturn]] void IndexError(int32_t Index) {
  throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
}

}  // namespace

int32_t TStringList::Add(const String& S) {
  FItems.push_back(S);
  return Count() - 1;
}

const String& TStringList::operator[](int32_t Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TStringList::SetStrings(int32_t Index, const String& S) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems[static_cast<size_t>(Index)] = S;
}

void TStringList::Insert(int32_t Index, const String& S) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  FItems.insert(FItems.begin() + Index, S);
}

void TStringList::Delete(int32_t Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems.erase(FItems.begin() + Index);
}

int32_t TStringList::IndexOf(const String& S) const {
  for (int32_t I = 0; I < Count(); ++I)
    if (SameText(FItems[static_cast<size_t>(I)], S)) return I;
  return -1;
}

String TStringList::Text() const {
  String R;
  for (const String& S : FItems) R += S + u"\r\n";
  return R;
}

void TStringList::SetText(const String& S) {
  FItems.clear();
  size_t Start = 0;
  while (Start < S.size()) {
    size_t End = S.find_first_of(u"\r\n", Start);
    if (End == String::npos) {
      FItems.push_back(S.substr(Start));
      return;
    }
    FItems.push_back(S.substr(Start, End - Start));
    Start = End + ((S[End] == u'\r' && End + 1 < S.size() && S[End + 1] == u'\n') ? 2 : 1);
  }
}

void TStringList::Assign(TPersistent* Source) {
  if (auto* L = dynamic_cast<TStringList*>(Source)) {
    FItems = L->FItems;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace KYR_runtime
