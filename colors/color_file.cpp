// The colour-array text file: a header line "first last", then one line of 8
// hexadecimal digits per element.
//
// File errors never escape these functions: they run with I/O checking off and turn
// every pending error code into their Boolean result, so no code is left pending for
// the caller's next file operation.
#include <algorithm>

#include "KYR_kyrcolors_array.h"
#include "kyrcolors_internal.h"

namespace KYR_kyrcolors {

namespace {

// True when the last file operations failed; clears the pending code.
bool IOFailed() {
  return IOResult() != 0;
}

}  // namespace

bool TColorArray::WriteToOpenTextFile(TextFile& F, int32_t First, int32_t Last) const {
  if (First > Last) std::swap(First, Last);
  First = std::max(First, 1);
  Last = std::min(Last, FNColors);
  IOCheckingOff NoChecks;
  WriteLn(F, IntToStr(First) + u" " + IntToStr(Last));
  if (IOFailed()) return false;
  for (int32_t Ix = First; Ix <= Last; ++Ix) {
    WriteLn(F, ColorToHexStr(FColArray[static_cast<size_t>(Ix - 1)]));
    if (IOFailed()) return false;
  }
  return true;
}

bool TColorArray::StoreOnFile(int32_t First, int32_t Last, const String& FileName) const {
  IOCheckingOff NoChecks;
  TextFile F;
  AssignFile(F, FileName);
  Rewrite(F);
  if (IOFailed()) return false;
  bool Ok = WriteToOpenTextFile(F, First, Last);
  // Closing writes the buffered rest of the file, so its failure loses data too.
  CloseFile(F);
  if (IOFailed()) Ok = false;
  return Ok;
}

bool TColorArray::ReadFromOpenTextFile(TextFile& F, bool AdjustSize) {
  IOCheckingOff NoChecks;
  int32_t First = 0;
  int32_t Last = 0;
  Read(F, First);
  Read(F, Last);
  if (IOFailed()) return false;
  ReadLn(F);  // the rest of the header line
  if (IOFailed()) return false;

  // The size comes from the header alone (a file may hold just part of a scale), so it
  // is capped: a damaged header is not a request for gigabytes.
  if (AdjustSize && Last > MaxFileColors) return false;
  const int32_t NewSize = (AdjustSize && Last >= 1) ? Last : FNColors;
  if (Last > NewSize) {
    Changed();
    return false;
  }
  // Read every announced line before changing anything, so that a file that ends
  // early leaves the array (and its size) as it was. Only lines that land inside the
  // array are kept; the buffer grows with the lines actually present, never with the
  // numbers of a damaged header.
  std::vector<TColor> Values;
  for (int64_t Ix = First; Ix <= Last; ++Ix) {
    const bool AtEnd = Eof(F);
    if (IOFailed() || AtEnd) return false;
    const String Line = ReadLn(F);
    if (IOFailed()) return false;
    if (Ix >= 1) Values.push_back(internal::ScanHexColor(Line));
  }

  if (AdjustSize) Resize(Last);
  int32_t Ix = std::max(First, 1);
  for (TColor Value : Values) SetColorElem(Ix++, Value);
  Changed();
  return true;
}

bool TColorArray::LoadFromFile(const String& FileName, bool AdjustSize) {
  IOCheckingOff NoChecks;
  TextFile F;
  AssignFile(F, FileName);
  Reset(F);
  if (IOFailed()) return false;
  const bool Ok = ReadFromOpenTextFile(F, AdjustSize);
  CloseFile(F);
  IOFailed();  // a failed close of a file that was only read loses nothing
  return Ok;
}

}  // namespace KYR_kyrcolors
