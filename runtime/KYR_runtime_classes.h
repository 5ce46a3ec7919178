// TStringList: an ordered list of strings.
#pragma once

#include <cstdint>
#include <vector>

#include "KYR_runtime_objects.h"

namespace KYR_runtime {

class TStringList : public TPersistent {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<String> Items) : FItems(Items) {}

  // Appends S and returns its index.
  int32_t Add(const String& S);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError for an index outside 0..Count-1.
  const String& operator[](int32_t Index) const;
  const String& Strings(int32_t Index) const { return (*this)[Index]; }
  void SetStrings(int32_t Index, const String& S);
  void Insert(int32_t Index, const String& S);
  void Delete(int32_t Index);
  void Clear() { FItems.clear(); }
  // Index of the first item equal to S, ignoring ASCII case; -1 when absent.
  int32_t IndexOf(const String& S) const;
  // Items joined, each followed by CR LF.
  String Text() const;
  // Replaces the items by the lines of S (line breaks CR LF, LF or CR).
  void SetText(const String& S);
  void Assign(TPersistent* Source) override;

  std::vector<String>::const_iterator begin() const { return FItems.begin(); }
  std::vector<String>::const_iterator end() const { return FItems.end(); }

 private:
  std::vector<String> FItems;
};

}  // namespace KYR_runtime
