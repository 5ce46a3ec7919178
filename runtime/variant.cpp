// Variant conversions.
#include <cmath>

#include "KYR_runtime_numbers.h"
#include "KYR_runtime_objects.h"
#include "KYR_runtime_variant.h"

namespace KYR_runtime {

Variant Variant::Null() {
  Variant V;
  V.FType = varNull;
  return V;
}

Variant Variant::Currency(double V) {
  Variant R(std::round(V * 10000.0) / 10000.0);
  R.FType = varCurrency;
  return R;
}

String Variant::ToString() const {
  if (FType == varNull)
    throw EVariantError(u"Could not convert variant of type (Null) into type (String)");
  return std::visit(
      [](const auto& V) -> String {
        using T = std::decay_t<decltype(V)>;
        if constexpr (std::is_same_v<T, std::monostate>)
          return String();
        else if constexpr (std::is_same_v<T, bool>)
          return V ? u"True" : u"False";
        else if constexpr (std::is_same_v<T, int64_t>)
          return IntToStr(V);
        else if constexpr (std::is_same_v<T, double>)
          return FloatToStr(V);
        else
          return V;
      },
      FValue);
}

double Variant::ToDouble() const {
  if (FType == varNull)
    throw EVariantError(u"Could not convert variant of type (Null) into type (Double)");
  return std::visit(
      [](const auto& V) -> double {
        using T = std::decay_t<decltype(V)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return 0.0;
        } else if constexpr (std::is_same_v<T, bool>) {
          return V ? -1.0 : 0.0;  // True is -1 as an ordinal variant
        } else if constexpr (std::is_same_v<T, String>) {
          double D = 0;
          int32_t Code = 0;
          Val(V, D, Code);
          if (Code != 0)
            throw EVariantError(u"Could not convert variant of type (String) into type (Double)");
          return D;
        } else {
          return static_cast<double>(V);
        }
      },
      FValue);
}

bool Variant::operator==(const Variant& Other) const {
  return FType == Other.FType && FValue == Other.FValue;
}

}  // namespace KYR_runtime
