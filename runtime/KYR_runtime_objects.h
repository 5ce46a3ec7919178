// Object model of the runtime: TObject, TPersistent, TComponent, events and exceptions.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "KYR_runtime_strings.h"

namespace KYR_runtime {

// Root of the class tree. Objects are deleted through a TObject pointer.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The unqualified C++ class name, e.g. "TStringArray"; used in runtime messages.
  String ClassName() const;
};

// Deletes an object; a null pointer does nothing.
inline void Free(TObject* Obj) {
  delete Obj;
}

// An event bound to an object, called only when assigned (non-empty).
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Base of all runtime and library exceptions. The message is kept as UTF-16 text;
// what() returns it in UTF-8.
class Exception : public std::exception {
 public:
  explicit Exception(String Msg);
  const String& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  String FMessage;
  std::string FUtf8;
};

// Input/output failure of a file operation; ErrorCode() is the code IOResult reports.
class EInOutError : public Exception {
 public:
  EInOutError(int32_t Code, String Msg) : Exception(std::move(Msg)), FErrorCode(Code) {}
  int32_t ErrorCode() const noexcept { return FErrorCode; }

 private:
  int32_t FErrorCode;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
class EVariantError : public Exception {
 public:
  using Exception::Exception;
};
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// An object that can copy its state from another.
class TPersistent : public TObject {
 public:
  // Default: asks Source->AssignTo(this); raises EConvertError when Source is null.
  virtual void Assign(TPersistent* Source);
  // Default: raises EConvertError ("Cannot assign a X to a Y").
  virtual void AssignTo(TPersistent* Dest);
};

// A named persistent object that may own other components. An owner deletes the
// components it owns when it is destroyed; without an owner the caller owns it.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;

  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  TComponent* Owner() const { return FOwner; }
  int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
  TComponent* Components(int32_t Index) const { return FComponents.at(Index); }

 private:
  void InsertComponent(TComponent* Child);
  void RemoveComponent(TComponent* Child);

  TComponent* FOwner = nullptr;
  String FName;
  std::vector<TComponent*> FComponents;
};

}  // namespace KYR_runtime
