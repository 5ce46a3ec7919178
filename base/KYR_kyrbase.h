// Shared types of the library: the exception base, growable arrays, records, callback
// types, the global hooks for numerical code, and the change-notification and copy
// conventions that every library class follows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "KYR_runtime.h"

namespace KYR_kyrbase {

using namespace KYR_runtime;

// --- Exceptions ------------------------------------------------------------------

// Base of every exception the library raises itself. Each module that has errors of
// its own declares one direct subclass in its header (EKYRStringlError, ...).
class EKYRError : public Exception {
 public:
  using Exception::Exception;
};

// "Component \"" + Name + "\": " + Detail, the message pattern of component errors.
String ComponentMessage(const TComponent& Component, const String& Detail);

// --- Records -----------------------------------------------------------------------

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

struct TPointDouble {
  double X = 0;
  double Y = 0;
};

struct TRectDouble {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  // The corners as points over the same fields.
  TPointDouble TopLeft() const { return {Left, Top}; }
  TPointDouble BottomRight() const { return {Right, Bottom}; }
  void SetTopLeft(TPointDouble P) { Left = P.X, Top = P.Y; }
  void SetBottomRight(TPointDouble P) { Right = P.X, Bottom = P.Y; }
};

using TColor = uint32_t;

struct TColoredPoint {
  double X = 0;
  double Y = 0;
  uint16_t Flag = 0;
  TColor Color = 0;
};

// --- Growable arrays (indexed from 0; new elements start as zero) ---------------------

using TIntArray = std::vector<int32_t>;
using TDoubleArray = std::vector<double>;
using TSingleArray = std::vector<float>;
// One byte per element, unlike std::vector<bool>.
using TBoolArray = std::vector<uint8_t>;
using TStrArray = std::vector<String>;
using TVariantArray = std::vector<Variant>;
using TBytes = std::vector<uint8_t>;
using TPDblArray = std::vector<TPointDouble>;
using TInt2DArray = std::vector<TIntArray>;
using TBool2DArray = std::vector<TBoolArray>;
using TDouble2DArray = std::vector<TDoubleArray>;
using TDouble3DArray = std::vector<TDouble2DArray>;

// --- Fixed-size types ----------------------------------------------------------------

using TBuf4096 = std::array<uint8_t, 4096>;
using TBuf16K = std::array<uint8_t, 16384>;
// A view of an arbitrary memory block as bytes; never allocated.
using TDataBuffer = uint8_t[2147483647];
using TQuad = std::array<TPoint, 4>;

// --- Callback types ----------------------------------------------------------------

// Plain procedures.
using FeedBackProcType = void (*)(double StateCnt);
using TFeedbackProc = void (*)(TObject* Sender, double StateCnt, double PercentDone);
// Events bound to an object.
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int32_t PercentDone)>;
using TOnCheckAbortEvent = std::function<void(TObject* Sender, bool& Abort)>;
using TSortExchgEvent = std::function<void(TObject* Sender, uint8_t ExchgWhat, int32_t index1,
                                           int32_t index2, int32_t first, int32_t last)>;
using TZoomPanEvent = std::function<void(TObject* Sender)>;
using TSelectRectEvent = std::function<void(TObject* Sender, int32_t Layer, double LoX, double LoY,
                                            double HiX, double HiY)>;
using TOnRubberBandActionEvent = std::function<void(TObject* Sender, TPoint APoint)>;

// --- Global hooks for long-running numerical code (set to zero at load) --------------

extern double ProcStat;
extern double LastProcStat;
extern bool AbortMathProc;
extern FeedBackProcType MathFeedBackProc;

// --- Conventions -------------------------------------------------------------------

// Change notification: OnChange may be read and set freely (setting fires nothing);
// Changed() calls it with the object itself as Sender when assigned. A class derives
// from TChangeNotifier<itself> and calls Changed() after storing a new value.
template <class Derived>
class TChangeNotifier {
 public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
  void Changed() {
    if (FOnChange) FOnChange(static_cast<Derived*>(this));
  }

 protected:
  TNotifyEvent FOnChange;
};

// The AssignTo half of the copy convention: when Dest is a T, lets Dest copy from Self
// and returns true; otherwise returns false and the caller falls back to the runtime's
// default AssignTo.
template <class T>
bool AssignToKindOf(T* Self, TPersistent* Dest) {
  T* Target = dynamic_cast<T*>(Dest);
  if (Target == nullptr) return false;
  Target->Assign(Self);
  return true;
}

// Load-time work of this module: the hooks start at zero.
void InitializeModule();

}  // namespace KYR_kyrbase
