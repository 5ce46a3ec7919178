// Conversions between command-line text and the library's value types.
#include <cmath>
#include <fstream>
#include <sstream>

#include "kyr_tool.h"

namespace kyr_tool {

using namespace KYR_runtime;

template <>
String FromText<String>(const String& S) {
  return S;
}

template <>
Char FromText<Char>(const String& S) {
  if (S.size() != 1) throw UsageError("expected one character, got \"" + StringToUtf8(S) + "\"");
  return S[0];
}

template <>
bool FromText<bool>(const String& S) {
  String L = LowerCase(S);
  if (L == u"true" || L == u"1" || L == u"yes") return true;
  if (L == u"false" || L == u"0" || L == u"no") return false;
  throw UsageError("expected true or false, got \"" + StringToUtf8(S) + "\"");
}

template <>
int64_t FromText<int64_t>(const String& S) {
  int64_t V = 0;
  int32_t Code = 0;
  Val(S, V, Code);
  if (Code != 0) throw UsageError("expected an integer, got \"" + StringToUtf8(S) + "\"");
  return V;
}

template <>
int32_t FromText<int32_t>(const String& S) {
  int64_t V = FromText<int64_t>(S);
  if (V < INT32_MIN || V > INT32_MAX) throw UsageError("integer out of range: " + StringToUtf8(S));
  return static_cast<int32_t>(V);
}

template <>
uint8_t FromText<uint8_t>(const String& S) {
  int64_t V = FromText<int64_t>(S);
  if (V < 0 || V > 255) throw UsageError("expected 0 to 255, got " + StringToUtf8(S));
  return static_cast<uint8_t>(V);
}

template <>
long double FromText<long double>(const String& S) {
  Extended V = 0;
  int32_t Code = 0;
  Val(S, V, Code);
  if (Code != 0) throw UsageError("expected a number, got \"" + StringToUtf8(S) + "\"");
  return V;
}

template <>
double FromText<double>(const String& S) {
  return static_cast<double>(FromText<long double>(S));
}

std::string ToText(const String& S) {
  return StringToUtf8(S);
}
std::string ToText(bool B) {
  return B ? "true" : "false";
}
std::string ToText(Char C) {
  return StringToUtf8(String(1, C));
}
std::string ToText(long double X) {
  return StringToUtf8(FloatToStr(X));
}
std::string ToText(double X) {
  return ToText(static_cast<long double>(X));
}

std::string ReadFileBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw EFOpenError(u"Cannot open file \"" + Utf8ToString(Path) + u"\"");
  std::ostringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

}  // namespace kyr_tool
