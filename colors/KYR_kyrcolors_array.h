// TColorArray: an ordered list of colours (a colour scale), filled by interpolating key
// colours, searched, mirrored, copied in parts and kept in a small text file.
//
// The file holds one item per line: the first and the last element number separated by
// one blank, then one line per element with the colour as 8 upper-case hexadecimal
// digits of its 32-bit value.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "KYR_kyrbase.h"
#include "KYR_kyrcolors_models.h"

namespace KYR_kyrcolors {

// Raised when a colour array cannot get the memory for its colours.
class EKYRColArrayError : public KYR_kyrbase::EKYRError {
 public:
  using EKYRError::EKYRError;
};

// A colour scale of at least one colour, addressed from 1 to Size(). A new array holds
// 1000 colours interpolated from ColorArray_Rainbow. Bulk operations (filling,
// mirroring, inverting, copying) notify once at their end.
class TColorArray : public TComponent, public KYR_kyrbase::TChangeNotifier<TColorArray> {
 public:
  // Raises EKYRColArrayError when the 1000 initial colours cannot be allocated.
  explicit TColorArray(TComponent* AOwner = nullptr);

  // The largest size a colour file can set: 2^24, as many as there are 24-bit colours
  // (64 MiB).
  static constexpr int32_t MaxFileColors = int32_t{1} << 24;

  int32_t Size() const { return FNColors; }
  // Resizes to N when N > 0 and N differs from Size(); otherwise does nothing.
  void SetSize(int32_t N);
  // N equal to Size(): true, no change, no notification. N < 1: false, no change.
  // Otherwise keeps the first colours, fills new ones with black, notifies and returns
  // true. Without memory raises EKYRColArrayError and leaves the array as it was.
  bool Resize(int32_t N);

  // Element Ix; Ix < 1 gives the first element, Ix > Size() the last.
  TColor GetColorElem(int32_t Ix) const;
  // Stores Color at Ix in 1..Size() and notifies; any other Ix is ignored silently.
  void SetColorElem(int32_t Ix, TColor Color);

  // Every element becomes Color.
  void Fill(TColor Color);
  // Interpolates the key colours over the whole array. Levels <= 0 gives a smooth
  // scale; Levels > 0 gives that many runs of equal colours. Elements that would fall
  // before the first key colour get the first key colour; with one key colour every
  // element is that colour (all 32 bits, as given). An empty key list leaves the array
  // unchanged and does not notify.
  void FillByInterpolation(int32_t Levels, std::span<const TColor> Colors);
  void FillByInterpolation(int32_t Levels, std::initializer_list<TColor> Colors) {
    FillByInterpolation(Levels, std::span<const TColor>(Colors.begin(), Colors.size()));
  }
  // Position of the element nearest to Color (RGBColorDistance); Distance receives the
  // distance. Ties keep the earlier element; when nothing is nearer than 1.0 the result
  // is 1 with Distance 1.0.
  int32_t ColorToIndex(TColor Color, double& Distance) const;
  // Copies source elements Lo..Hi (clamped to the source, exchanged when Hi < Lo) to
  // positions Dest, Dest + 1, ...; positions outside this array are skipped. Copying
  // within one array behaves as if the source range were read first. A null Source
  // does nothing.
  void CopyFrom(const TColorArray* Source, int32_t Lo, int32_t Hi, int32_t Dest);
  // Reverses the order of the elements.
  void MirrorColors();
  // Every element becomes InvertColor of itself.
  void InvertColors();
  // True when Other has the same size and the same 32-bit values.
  bool IsEqual(const TColorArray& Other) const;

  // From another TColorArray: copies size and colours (not OnChange), no notification.
  // Otherwise the runtime's default (EConvertError when nobody can copy).
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  // Writes the header and elements First..Last (exchanged when First > Last, then
  // clamped to 1..Size()). False when writing fails; the file stays open.
  bool WriteToOpenTextFile(TextFile& F, int32_t First, int32_t Last) const;
  // Creates or truncates FileName and writes as WriteToOpenTextFile. False when the
  // file cannot be created, written or closed.
  bool StoreOnFile(int32_t First, int32_t Last, const String& FileName) const;
  // Reads the file format from the current position of F. With AdjustSize the array is
  // resized to the last element number first (when it is at least 1). Element lines are
  // scanned as hexadecimal (leading blanks, a "$" as first character of the line, then
  // digits up to the first other character); numbers outside 1..Size() are read and
  // dropped, and each stored element notifies, then the array notifies once more.
  // False, with the array unchanged, when the header is no pair of integers or the file
  // ends before the announced lines. False when the last number exceeds Size() without
  // AdjustSize: no element line is read, but the array still notifies. With AdjustSize a
  // last number above MaxFileColors gives false with the array unchanged: the header
  // alone would otherwise make a tiny damaged file allocate gigabytes.
  bool ReadFromOpenTextFile(TextFile& F, bool AdjustSize);
  // Opens FileName and reads as ReadFromOpenTextFile. False when it cannot be opened.
  bool LoadFromFile(const String& FileName, bool AdjustSize);

 private:
  // Replaces the storage by N colours, keeping the first ones; raises
  // EKYRColArrayError with Detail when memory runs out.
  void ResizeStorage(int32_t N, const char16_t* Detail);

  int32_t FNColors = 0;
  std::vector<TColor> FColArray;
};

}  // namespace KYR_kyrcolors
