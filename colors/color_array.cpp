// TColorArray: storage, element access, filling, searching and copying.
#include <algorithm>
#include <new>
#include <stdexcept>

#include "KYR_kyrcolors_array.h"
#include "KYR_kyrcolors_palettes.h"
#include "kyrcolors_internal.h"

namespace KYR_kyrcolors {

namespace {
constexpr int32_t kInitialSize = 1000;
}  // namespace

TColorArray::TColorArray(TComponent* AOwner) : TComponent(AOwner) {
  ResizeStorage(kInitialSize, u"not enough memory on heap");
  FillByInterpolation(0, ColorArray_Rainbow);
}

void TColorArray::ResizeStorage(int32_t N, const char16_t* Detail) {
  // Resizing a vector of plain values either succeeds or leaves it untouched.
  try {
    FColArray.resize(static_cast<size_t>(N));
  } catch (const std::bad_alloc&) {
    throw EKYRColArrayError(KYR_kyrbase::ComponentMessage(*this, Detail));
  } catch (const std::length_error&) {
    throw EKYRColArrayError(KYR_kyrbase::ComponentMessage(*this, Detail));
  }
  FNColors = N;
}

void TColorArray::SetSize(int32_t N) {
  if (N > 0 && N != FNColors) Resize(N);
}

bool TColorArray::Resize(int32_t N) {
  if (N == FNColors) return true;
  if (N < 1) return false;
  ResizeStorage(N, u"not enough memory");
  Changed();
  return true;
}

TColor TColorArray::GetColorElem(int32_t Ix) const {
  return FColArray[static_cast<size_t>(std::clamp(Ix, 1, FNColors) - 1)];
}

void TColorArray::SetColorElem(int32_t Ix, TColor Color) {
  if (Ix < 1 || Ix > FNColors) return;
  FColArray[static_cast<size_t>(Ix - 1)] = Color;
  Changed();
}

void TColorArray::Fill(TColor Color) {
  std::fill(FColArray.begin(), FColArray.end(), Color);
  Changed();
}

void TColorArray::FillByInterpolation(int32_t Levels, std::span<const TColor> Colors) {
  if (Colors.empty()) return;
  const Extended N = FNColors;
  const int64_t h = static_cast<int64_t>(Colors.size()) - 1;
  for (int32_t i = 1; i <= FNColors; ++i) {
    Extended b = i;
    if (Levels > 0) b = Round(Round(i / N * Levels) * (N / Levels));
    const int64_t idx = Trunc((b - 1) * h / N);
    const Extended frac = h * b / N - idx;
    TColor C;
    if (h == 0) {
      C = Colors[0];  // one key colour: every element is that colour, as given
    } else if (idx < 0) {
      // Before the first key colour: as at its own position (fraction 0).
      C = internal::InterpolateColorExt(Colors[0], Colors[1], 0);
    } else {
      const size_t k = static_cast<size_t>(std::min(idx, h - 1));
      C = internal::InterpolateColorExt(Colors[k], Colors[k + 1], frac);
    }
    FColArray[static_cast<size_t>(i - 1)] = C;
  }
  Changed();
}

int32_t TColorArray::ColorToIndex(TColor Color, double& Distance) const {
  Distance = 1.0;
  int32_t Result = 1;
  for (int32_t i = 1; i <= FNColors; ++i) {
    const double D = RGBColorDistance(Color, FColArray[static_cast<size_t>(i - 1)]);
    if (D < Distance) {
      Distance = D;
      Result = i;
    }
  }
  return Result;
}

void TColorArray::CopyFrom(const TColorArray* Source, int32_t Lo, int32_t Hi, int32_t Dest) {
  if (Source == nullptr) return;
  Lo = std::clamp(Lo, 1, Source->Size());
  Hi = std::clamp(Hi, 1, Source->Size());
  if (Hi < Lo) std::swap(Lo, Hi);
  // Within one array, read the source range before writing.
  std::vector<TColor> Snapshot;
  const TColor* From = Source->FColArray.data() + (Lo - 1);
  if (Source == this) {
    Snapshot.assign(From, From + (Hi - Lo + 1));
    From = Snapshot.data();
  }
  for (int64_t ix = Lo; ix <= Hi; ++ix) {
    const int64_t Pos = static_cast<int64_t>(Dest) + (ix - Lo);
    if (Pos >= 1 && Pos <= FNColors) FColArray[static_cast<size_t>(Pos - 1)] = From[ix - Lo];
  }
  Changed();
}

void TColorArray::MirrorColors() {
  std::reverse(FColArray.begin(), FColArray.end());
  Changed();
}

void TColorArray::InvertColors() {
  for (TColor& C : FColArray) C = InvertColor(C);
  Changed();
}

bool TColorArray::IsEqual(const TColorArray& Other) const {
  return FNColors == Other.FNColors && FColArray == Other.FColArray;
}

void TColorArray::Assign(TPersistent* Source) {
  const auto* From = dynamic_cast<const TColorArray*>(Source);
  if (From == nullptr) {
    TComponent::Assign(Source);
    return;
  }
  if (From == this) return;
  std::vector<TColor> Copy;
  try {
    Copy = From->FColArray;
  } catch (const std::bad_alloc&) {
    throw EKYRColArrayError(KYR_kyrbase::ComponentMessage(*this, u"not enough memory"));
  }
  FColArray.swap(Copy);
  FNColors = From->FNColors;
}

void TColorArray::AssignTo(TPersistent* Dest) {
  if (!KYR_kyrbase::AssignToKindOf(this, Dest)) TComponent::AssignTo(Dest);
}

}  // namespace KYR_kyrcolors
