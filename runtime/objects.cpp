// TObject, TPersistent, TComponent and the exception base.
#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "KYR_runtime_objects.h"

namespace KYR_runtime {

String TObject::ClassName() const {
  const char* Mangled = typeid(*this).name();
  int Status = 0;
  std::unique_ptr<char, decltype(&std::free)> Demangled(
      abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), &std::free);
  std::string Name = (Status == 0 && Demangled) ? Demangled.get() : Mangled;
  size_t Colon = Name.rfind("::");
  if (Colon != std::string::npos) Name.erase(0, Colon + 2);
  return Utf8ToString(Name);
}

Exception::Exception(String Msg) : FMessage(std::move(Msg)), FUtf8(StringToUtf8(FMessage)) {}

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError(u"Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
  String DestName = Dest != nullptr ? Dest->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + ClassName() + u" to a " + DestName);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Owned components go first, newest first; each removes itself from our list.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* Child) {
  FComponents.push_back(Child);
  Child->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* Child) {
  auto It = std::find(FComponents.begin(), FComponents.end(), Child);
  if (It != FComponents.end()) FComponents.erase(It);
  Child->FOwner = nullptr;
}

}  // namespace KYR_runtime
