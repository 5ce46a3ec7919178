// TStringArray: reading and writing cells, numeric reading, attributes and the
// emptiness tests.
#include <algorithm>

#include "KYR_dstruct_stringarray.h"
#include "KYR_stringl_utils.h"

namespace KYR_dstruct {

namespace {

bool BlanksOnly(std::string_view Text) {
  return std::all_of(Text.begin(), Text.end(), [](char C) { return C == ' '; });
}

}  // namespace

int32_t TStringArray::PhysRow(int32_t r) const {
  if (r < 1 || r > FNRow) return 0;
  const int32_t P = FSortIx[r - 1];
  return (P >= 1 && P <= FNRow) ? P : 0;
}

uint32_t TStringArray::Ref(int32_t c, int32_t p) const {
  const TColumnRefs& Col = FPoiArray[c];
  return Col.empty() ? 0 : Col[p - 1];
}

ShortString TStringArray::GetString(int32_t c, int32_t r) const {
  if (c < 0 || c > FNCol) return {};
  const int32_t P = PhysRow(r);
  if (P == 0) return {};
  return ShortString::FromBytes(CellBytes(c, P));
}

void TStringArray::SetString(int32_t c, int32_t r, const ShortString& s) {
  if (c < 0 || c > FNCol) return;
  const int32_t P = PhysRow(r);
  if (P == 0) return;
  StoreText(c, P, s.Bytes());
  Changed();
}

double TStringArray::GetAsNumber(int32_t c, int32_t r) const {
  const String Stored = GetString(c, r).ToString();
  const String Text =
      KYR_stringl::ReplaceCharInString(KYR_stringl::StripLTBlanks(Stored), u',', u'.');
  if (Text.empty()) return 0;
  double Value = 0;
  int32_t Code = 0;
  Val(Text, Value, Code);
  if (Code != 0)
    throw EKYRDStructError(u"Class TStringArray: invalid numeric string: [" + IntToStr(c) + u"," +
                           IntToStr(r) + u"]: " + Stored);
  return Value;
}

int32_t TStringArray::GetAsInteger(int32_t c, int32_t r) const {
  constexpr double Limit = 2147483647.0;
  const double Value = GetAsNumber(c, r);
  if (Value < -Limit) return -2147483647;
  if (Value > Limit) return 2147483647;
  return static_cast<int32_t>(Round(Value));
}

bool TStringArray::RowEmpty(int32_t ARow) const {
  const int32_t P = PhysRow(ARow);
  if (P == 0) return true;
  for (int32_t c = 1; c <= FNCol; ++c)
    if (!BlanksOnly(CellBytes(c, P))) return false;
  return true;
}

bool TStringArray::ColumnEmpty(int32_t ACol) const {
  if (ACol < 0 || ACol > FNCol) return true;
  for (int32_t r = 1; r <= FNRow; ++r) {
    const int32_t P = PhysRow(r);
    if (P != 0 && !BlanksOnly(CellBytes(ACol, P))) return false;
  }
  return true;
}

uint8_t TStringArray::GetRowAttrib(int32_t r) const {
  const int32_t P = PhysRow(r);
  return P == 0 ? 0 : FRowAttrib[P - 1];
}

void TStringArray::SetRowAttrib(int32_t r, uint8_t b) {
  const int32_t P = PhysRow(r);
  if (P == 0) return;
  FRowAttrib[P - 1] = b;
  Changed();
}

uint8_t TStringArray::GetColAttrib(int32_t c) const {
  return (c < 1 || c > FNCol) ? 0 : FColAttrib[c - 1];
}

void TStringArray::SetColAttrib(int32_t c, uint8_t b) {
  if (c < 1 || c > FNCol) return;
  FColAttrib[c - 1] = b;
  Changed();
}

void TStringArray::Fill(const ShortString& s) {
  if (s.Length() == 0) {
    Clear();
    return;
  }
  for (int32_t c = 0; c <= FNCol; ++c)
    for (int32_t r = 1; r <= FNRow; ++r) SetString(c, r, s);
}

}  // namespace KYR_dstruct
