// `kyr color` shows a colour in every colour model; `kyr colorscale` writes a colour-array
// file interpolated from key colours. `kyr call` gets the pure colour functions, with
// colours given and shown as hexadecimal text.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <span>

#include "KYR_kyrcolors.h"
#include "kyr_tool.h"

namespace kyr_tool {
namespace {

using namespace KYR_runtime;
using namespace KYR_kyrcolors;

constexpr int32_t kMaxScaleSize = 1000000;

// Hexadecimal colour text, strictly: blanks around, an optional "$", 1 to 8 digits.
TColor ParseColor(const std::string& Text) {
  const std::string Trimmed = [&] {
    const size_t B = Text.find_first_not_of(' ');
    if (B == std::string::npos) return std::string();
    return Text.substr(B, Text.find_last_not_of(' ') - B + 1);
  }();
  const std::string Digits = (!Trimmed.empty() && Trimmed[0] == '$') ? Trimmed.substr(1) : Trimmed;
  const bool AllHex = Digits.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
  if (Digits.empty() || Digits.size() > 8 || !AllHex)
    throw UsageError("not a hexadecimal colour: \"" + Text + "\" (e.g. 0000FF or $FF8000)");
  return HexStrToColor(Utf8ToString(Text));
}

std::string Hex(TColor C) {
  return StringToUtf8(ColorToHexStr(C));
}

int RunColor(const Args& Rest) {
  if (Rest.size() != 1) throw UsageError("color needs exactly one colour");
  const TColor C = ParseColor(Rest[0]);
  const int32_t R = C & 0xFF, G = (C >> 8) & 0xFF, B = (C >> 16) & 0xFF;

  std::printf("hex   %s\n", Hex(C).c_str());
  if (C >> 24)
    std::printf("      special value (top byte %02X); the models use the low 3 bytes\n", C >> 24);
  std::printf("RGB   %d %d %d\n", R, G, B);
  double H, S, I;
  RGBtoHSI(R, G, B, H, S, I);
  if (H < 0) {
    std::printf("HSI   H undefined (grey)  S %.4f  I %.4f\n", S, I);
  } else {
    std::printf("HSI   H %.4f  S %.4f  I %.4f\n", H, S, I);
  }
  double Cy, M, Y, K;
  RGBtoCMY(static_cast<uint8_t>(R), static_cast<uint8_t>(G), static_cast<uint8_t>(B), Cy, M, Y);
  std::printf("CMY   %.4f %.4f %.4f\n", Cy, M, Y);
  CMYtoCMYK(Cy, M, Y, K);
  std::printf("CMYK  %.4f %.4f %.4f %.4f\n", Cy, M, Y, K);
  std::printf("grey  %d (%s)\n", ColorToGray(C), Hex(ColorToGrayColor(C)).c_str());
  return 0;
}

// The key-colour palettes by name, for colorscale.
const std::map<std::string, std::span<const TColor>>& Palettes() {
  static const std::map<std::string, std::span<const TColor>> Table = {
      {"rainbow", ColorArray_Rainbow},   {"geo1", ColorArray_Geo1},
      {"geo2", ColorArray_Geo2},         {"geo3", ColorArray_Geo3},
      {"circle", ColorArray_Circle},     {"morgenstemning", ColorArray_MorgenStemning},
      {"contrast", ColorArray_Contrast},
  };
  return Table;
}

int32_t ParseCount(const Args& Rest, size_t& I, int32_t Lo, int32_t Hi) {
  if (I + 1 >= Rest.size()) throw UsageError(Rest[I] + " needs a number");
  const int32_t V = FromText<int32_t>(Utf8ToString(Rest[++I]));
  if (V < Lo || V > Hi)
    throw UsageError(Rest[I - 1] + " must lie in " + std::to_string(Lo) + ".." +
                     std::to_string(Hi));
  return V;
}

// Writes elements 1..Size to Path, or to standard output when Path is empty.
bool WriteScale(const TColorArray& A, const std::string& Path) {
  if (!Path.empty()) return A.StoreOnFile(1, A.Size(), Utf8ToString(Path));
  // The library writes files by name only, so standard output gets the bytes of a
  // temporary file (reopening /dev/stdout would not share the offset of the caller's
  // descriptor and could overwrite earlier or later output).
  std::string Temp = (std::filesystem::temp_directory_path() / "kyr-colorscale-XXXXXX").string();
  const int Fd = ::mkstemp(Temp.data());
  if (Fd < 0) return false;
  ::close(Fd);
  bool Ok = A.StoreOnFile(1, A.Size(), Utf8ToString(Temp));
  if (Ok) {
    const std::string Bytes = ReadFileBytes(Temp);
    Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), stdout) == Bytes.size() &&
         std::fflush(stdout) == 0;
  }
  ::unlink(Temp.c_str());
  return Ok;
}

int RunColorScale(const Args& Rest) {
  int32_t Levels = 0;
  int32_t Size = 1000;
  std::string Out;
  std::vector<TColor> Keys;
  for (size_t I = 0; I < Rest.size(); ++I) {
    const std::string& A = Rest[I];
    if (A == "--levels") {
      Levels = ParseCount(Rest, I, INT32_MIN, INT32_MAX);
    } else if (A == "--size") {
      Size = ParseCount(Rest, I, 1, kMaxScaleSize);
    } else if (A == "-o") {
      if (I + 1 >= Rest.size()) throw UsageError("-o needs a file name");
      Out = Rest[++I];
    } else if (auto P = Palettes().find(A); P != Palettes().end()) {
      Keys.insert(Keys.end(), P->second.begin(), P->second.end());
    } else {
      Keys.push_back(ParseColor(A));
    }
  }
  if (Keys.empty()) throw UsageError("colorscale needs at least one key colour");

  TColorArray Scale;
  Scale.Resize(Size);
  Scale.FillByInterpolation(Levels, Keys);
  if (!WriteScale(Scale, Out)) {
    std::fprintf(stderr, "kyr colorscale: cannot write %s\n",
                 Out.empty() ? "to standard output" : Out.c_str());
    return 1;
  }
  return 0;
}

// `kyr call` wrappers: colours in and out as hexadecimal text.
String HexOf(TColor C) {
  return ColorToHexStr(C);
}
TColor ColorOf(const String& S) {
  return HexStrToColor(S);
}

}  // namespace

void RegisterColorsCommands(CommandTable& Commands) {
  Commands["color"] = {"color VALUE",
                       "show a hexadecimal colour ($BBGGRR) as RGB, HSI, CMY, CMYK and grey",
                       RunColor};
  Commands["colorscale"] = {
      "colorscale [--levels N] [--size N] [-o FILE] COLOR...",
      "write a colour-array file interpolated from key colours (hex or a palette name)",
      RunColorScale};
}

void RegisterColorsCalls(CallTable& Calls) {
  Calls["InterpolateColor"] = MakeCall(
      "InterpolateColor(A, B, t)", +[](String A, String B, double t) {
        return HexOf(InterpolateColor(ColorOf(A), ColorOf(B), t));
      });
  Calls["Interpolate3Colors"] = MakeCall(
      "Interpolate3Colors(A, B, C, t)", +[](String A, String B, String C, double t) {
        return HexOf(Interpolate3Colors(ColorOf(A), ColorOf(B), ColorOf(C), t));
      });
  Calls["MeanColor"] = MakeCall(
      "MeanColor(A, B)",
      +[](String A, String B) { return HexOf(MeanColor(ColorOf(A), ColorOf(B))); });
  Calls["ReverseRGBColor"] = MakeCall(
      "ReverseRGBColor(Color)", +[](String C) { return HexOf(ReverseRGBColor(ColorOf(C))); });
  Calls["InvertColor"] = MakeCall(
      "InvertColor(Color)", +[](String C) { return HexOf(InvertColor(ColorOf(C))); });
  Calls["HexStrToColor"] = MakeCall(
      "HexStrToColor(S)", +[](String S) { return HexOf(HexStrToColor(S)); });
  Calls["RGBtoGray"] = MakeCall("RGBtoGray(R, G, B)", &RGBtoGray);
  Calls["RGBtoGrayColor"] = MakeCall(
      "RGBtoGrayColor(R, G, B)",
      +[](int32_t R, int32_t G, int32_t B) { return HexOf(RGBtoGrayColor(R, G, B)); });
  Calls["ColorToGray"] = MakeCall(
      "ColorToGray(Color)", +[](String C) { return ColorToGray(ColorOf(C)); });
  Calls["RGBColorDistance"] = MakeCall(
      "RGBColorDistance(A, B)",
      +[](String A, String B) { return RGBColorDistance(ColorOf(A), ColorOf(B)); });
  Calls["WavelengthToColor"] = MakeCall(
      "WavelengthToColor(W, Gamma)",
      +[](int32_t W, double Gamma) { return HexOf(WavelengthToColor(W, Gamma)); });
}

}  // namespace kyr_tool
