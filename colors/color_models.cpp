// Colour conversions: mixing, channel operations, hexadecimal text, HSI, CMY(K), grey,
// distance, spectral and random colours. Intermediate values are extended precision.
#include <algorithm>
#include <cmath>

#include "KYR_kyrcolors_models.h"
#include "KYR_stringl_utils.h"
#include "kyrcolors_internal.h"

namespace KYR_kyrcolors {

using internal::BlueOf;
using internal::ComposeColor;
using internal::GreenOf;
using internal::RedOf;

namespace {

// X clamped to 0..1; NaN gives IfNaN.
Extended ClampUnit(Extended X, Extended IfNaN) {
  if (std::isnan(X)) return IfNaN;
  return std::clamp<Extended>(X, 0, 1);
}

int32_t HexDigitValue(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return -1;
}

int32_t ToInt32(int64_t V) {
  return static_cast<int32_t>(std::clamp<int64_t>(V, INT32_MIN, INT32_MAX));
}

}  // namespace

TColor internal::InterpolateColorExt(TColor A, TColor B, Extended t) {
  t = ClampUnit(t, 1);
  auto Mix = [t](Extended a, Extended b) { return Trunc(a + (b - a) * t); };
  return ComposeColor(Mix(RedOf(A), RedOf(B)), Mix(GreenOf(A), GreenOf(B)),
                      Mix(BlueOf(A), BlueOf(B)));
}

TColor InterpolateColor(TColor A, TColor B, double t) {
  return internal::InterpolateColorExt(A, B, t);
}

TColor Interpolate3Colors(TColor A, TColor B, TColor C, double t) {
  const Extended T = ClampUnit(t, 1);
  auto Mix = [T](Extended a, Extended b, Extended c) {
    if (T > 0.5L) return Trunc((T - 0.5L) * 2 * (c - b) + b);
    return Trunc(2 * T * (b - a) + a);
  };
  return ComposeColor(Mix(RedOf(A), RedOf(B), RedOf(C)), Mix(GreenOf(A), GreenOf(B), GreenOf(C)),
                      Mix(BlueOf(A), BlueOf(B), BlueOf(C)));
}

TColor MeanColor(TColor A, TColor B) {
  return InterpolateColor(A, B, 0.5);
}

TColor ReverseRGBColor(TColor Color) {
  return ComposeColor(BlueOf(Color), GreenOf(Color), RedOf(Color));
}

TColor InvertColor(TColor Color) {
  return ComposeColor(255 - RedOf(Color), 255 - GreenOf(Color), 255 - BlueOf(Color));
}

String ColorToHexStr(TColor Color) {
  return IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor internal::ScanHexColor(const String& S) {
  size_t I = (!S.empty() && S[0] == u'$') ? 1 : 0;
  while (I < S.size() && S[I] == u' ') ++I;
  uint32_t Value = 0;
  for (; I < S.size(); ++I) {
    const int32_t D = HexDigitValue(S[I]);
    if (D < 0) break;
    Value = Value * 16 + static_cast<uint32_t>(D);
  }
  return Value;
}

TColor HexStrToColor(const String& S) {
  return internal::ScanHexColor(KYR_stringl::StripLTBlanks(S));
}

void HSItoRGB(double H, double S, double I, int32_t& R, int32_t& G, int32_t& B) {
  const Extended Sat = ClampUnit(S, 0);
  const Extended Int = ClampUnit(I, 0);
  const Extended Hue = (H >= 0 && H < 360) ? H : 0;  // also catches NaN
  auto Channel = [](Extended V) { return static_cast<int32_t>(Round(255 * V)); };
  if (Sat == 0) {
    R = G = B = Channel(Int);
    return;
  }
  const Extended h = Hue / 60;
  const int64_t Sector = Trunc(h);
  const Extended f = h - Sector;
  const Extended p = (1 - Sat) * Int;
  const Extended q = (1 - Sat * f) * Int;
  const Extended t = (1 - (1 - f) * Sat) * Int;
  Extended r, g, b;
  switch (Sector) {
    case 0:
      r = Int, g = t, b = p;
      break;
    case 1:
      r = q, g = Int, b = p;
      break;
    case 2:
      r = p, g = Int, b = t;
      break;
    case 3:
      r = p, g = q, b = Int;
      break;
    case 4:
      r = t, g = p, b = Int;
      break;
    default:
      r = Int, g = p, b = q;
      break;
  }
  R = Channel(r);
  G = Channel(g);
  B = Channel(b);
}

void RGBtoHSI(int32_t R, int32_t G, int32_t B, double& H, double& S, double& I) {
  // Ties favour red, then green.
  enum { kRed, kGreen, kBlue } MaxChannel = kRed;
  int64_t Max = R;
  if (G > Max) MaxChannel = kGreen, Max = G;
  if (B > Max) MaxChannel = kBlue, Max = B;
  const int64_t Min = std::min({R, G, B});
  const Extended Delta = static_cast<Extended>(Max - Min);
  I = static_cast<double>(Max / 255.0L);
  if (Max == 0) {
    S = 0;
    H = 0;
    return;
  }
  const Extended Sat = Delta / Max;
  S = static_cast<double>(Sat);
  if (Sat == 0) {
    H = -1;
    return;
  }
  Extended Hue;
  switch (MaxChannel) {
    case kRed:
      Hue = (static_cast<Extended>(G) - B) / Delta;
      break;
    case kGreen:
      Hue = (static_cast<Extended>(B) - R) / Delta + 2;
      break;
    default:
      Hue = (static_cast<Extended>(R) - G) / Delta + 4;
      break;
  }
  Hue *= 60;
  if (Hue < 0) Hue += 360;
  H = static_cast<double>(Hue);
}

void CMYtoRGB(double C, double M, double Y, uint8_t& R, uint8_t& G, uint8_t& B) {
  auto Channel = [](double V) { return static_cast<uint8_t>(Round((1 - ClampUnit(V, 0)) * 255)); };
  R = Channel(C);
  G = Channel(M);
  B = Channel(Y);
}

void RGBtoCMY(uint8_t R, uint8_t G, uint8_t B, double& C, double& M, double& Y) {
  C = static_cast<double>(1 - R / 255.0L);
  M = static_cast<double>(1 - G / 255.0L);
  Y = static_cast<double>(1 - B / 255.0L);
}

void CMYKtoCMY(double& C, double& M, double& Y, double K) {
  auto Add = [K](double& V) {
    V = static_cast<double>(ClampUnit(static_cast<Extended>(V) + K, 0));
  };
  Add(C);
  Add(M);
  Add(Y);
}

void CMYtoCMYK(double& C, double& M, double& Y, double& K) {
  const Extended c = ClampUnit(C, 0);
  const Extended m = ClampUnit(M, 0);
  const Extended y = ClampUnit(Y, 0);
  const Extended k = std::min({c, m, y});
  C = static_cast<double>(c - k);
  M = static_cast<double>(m - k);
  Y = static_cast<double>(y - k);
  K = static_cast<double>(k);
}

int32_t RGBtoGray(int32_t R, int32_t G, int32_t B) {
  const Extended Sum = static_cast<Extended>(R) * 0.3L + static_cast<Extended>(G) * 0.59L +
                       static_cast<Extended>(B) * 0.11L;
  return ToInt32(Round(Sum));
}

TColor RGBtoGrayColor(int32_t R, int32_t G, int32_t B) {
  const int32_t V = RGBtoGray(R, G, B);
  return ComposeColor(V, V, V);
}

int32_t ColorToGray(TColor Color) {
  return RGBtoGray(RedOf(Color), GreenOf(Color), BlueOf(Color));
}

TColor ColorToGrayColor(TColor Color) {
  return RGBtoGrayColor(RedOf(Color), GreenOf(Color), BlueOf(Color));
}

double RGBColorDistance(TColor A, TColor B) {
  const Extended dr = RedOf(A) - RedOf(B);
  const Extended dg = GreenOf(A) - GreenOf(B);
  const Extended db = BlueOf(A) - BlueOf(B);
  return static_cast<double>(std::sqrt((dr * dr + dg * dg + db * db) / 195075.0L));
}

TColor WavelengthToColor(int32_t W, double Gamma) {
  const Extended w = W;
  Extended r = 0, g = 0, b = 0;
  if (W >= 380 && W < 440) {
    r = (440 - w) / 60, b = 1;
  } else if (W >= 440 && W < 490) {
    g = (w - 440) / 50, b = 1;
  } else if (W >= 490 && W < 510) {
    g = 1, b = (510 - w) / 20;
  } else if (W >= 510 && W < 580) {
    r = (w - 510) / 70, g = 1;
  } else if (W >= 580 && W < 645) {
    r = 1, g = (645 - w) / 65;
  } else if (W >= 645 && W < 780) {
    r = 1;
  }
  Extended Factor = 1;
  if (W > 700) {
    Factor = (780 - w) * 0.7L / 80 + 0.3L;
  } else if (W < 420) {
    Factor = (w - 380) * 0.7L / 40 + 0.3L;
  }
  if (Factor < 0) Factor = 0;
  auto Channel = [Factor, Gamma](Extended Weight) -> int64_t {
    if (Factor == 0 || Weight == 0) return 0;
    const Extended V = 255 * std::exp(Gamma * std::log(Factor * Weight));
    if (std::isnan(V)) return 0;
    if (V > 255) return 255;
    return Round(V);
  };
  return ComposeColor(Channel(r), Channel(g), Channel(b));
}

TColor RandomColor() {
  const int32_t B = Random(256);
  const int32_t G = Random(256);
  const int32_t R = Random(256);
  return ComposeColor(R, G, B);
}

TColor RandomColor(uint8_t rl, uint8_t rh, uint8_t gl, uint8_t gh, uint8_t bl, uint8_t bh) {
  // Every channel draws once, also when its range is empty, so the sequence of draws
  // does not depend on the bounds.
  auto Draw = [](int32_t Lo, int32_t Hi) {
    const int32_t R = Random(Hi + 1 - Lo);
    return Hi < Lo ? Lo : Lo + R;
  };
  const int32_t B = Draw(bl, bh);
  const int32_t G = Draw(gl, gh);
  const int32_t R = Draw(rl, rh);
  return ComposeColor(R, G, B);
}

}  // namespace KYR_kyrcolors
