#include <iostream>

#include "KYR_stringl.h"

int main() {
  auto s = KYR_stringl::StripLTBlanks(u"  a b  ");
  std::cout << "[" << KYR_runtime::StringToUtf8(s) << "]\n";
}
