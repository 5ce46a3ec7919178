// Variant: a value of one of the runtime's simple types, tagged with its type code.
#pragma once

#include <cstdint>
#include <variant>

#include "KYR_runtime_strings.h"

namespace KYR_runtime {

// Type codes as VarType reports them.
inline constexpr uint16_t varEmpty = 0;
inline constexpr uint16_t varNull = 1;
inline constexpr uint16_t varSmallint = 2;
inline constexpr uint16_t varInteger = 3;
inline constexpr uint16_t varSingle = 4;
inline constexpr uint16_t varDouble = 5;
inline constexpr uint16_t varCurrency = 6;
inline constexpr uint16_t varBoolean = 11;
inline constexpr uint16_t varShortInt = 16;
inline constexpr uint16_t varByte = 17;
inline constexpr uint16_t varWord = 18;
inline constexpr uint16_t varLongWord = 19;
inline constexpr uint16_t varInt64 = 20;
inline constexpr uint16_t varString = 256;   // 8-bit string
inline constexpr uint16_t varUString = 258;  // UTF-16 string

class Variant {
 public:
  Variant() = default;  // Unassigned (varEmpty)
  Variant(bool V) : FType(varBoolean), FValue(V) {}
  Variant(int8_t V) : FType(varShortInt), FValue(int64_t{V}) {}
  Variant(uint8_t V) : FType(varByte), FValue(int64_t{V}) {}
  Variant(int16_t V) : FType(varSmallint), FValue(int64_t{V}) {}
  Variant(uint16_t V) : FType(varWord), FValue(int64_t{V}) {}
  Variant(int32_t V) : FType(varInteger), FValue(int64_t{V}) {}
  Variant(uint32_t V) : FType(varLongWord), FValue(int64_t{V}) {}
  Variant(int64_t V) : FType(varInt64), FValue(V) {}
  Variant(float V) : FType(varSingle), FValue(double{V}) {}
  Variant(double V) : FType(varDouble), FValue(V) {}
  Variant(const String& V) : FType(varUString), FValue(V) {}
  Variant(const Char* V) : FType(varUString), FValue(String(V)) {}
  static Variant Null();
  // A currency value (fixed point, four decimals) from a double.
  static Variant Currency(double V);

  uint16_t VarType() const { return FType; }
  bool IsNull() const { return FType == varNull; }
  bool IsEmpty() const { return FType == varEmpty; }
  // Text of the value: "" for Unassigned, "True"/"False", numbers as FloatToStr.
  // Raises EVariantError for Null.
  String ToString() const;
  // Numeric value; strings are converted with Val. Raises EVariantError for Null or
  // text that is no number; Unassigned gives 0.
  double ToDouble() const;
  // Same type and same value; Null equals Null.
  bool operator==(const Variant& Other) const;

 private:
  uint16_t FType = varEmpty;
  std::variant<std::monostate, bool, int64_t, double, String> FValue;
};

}  // namespace KYR_runtime
