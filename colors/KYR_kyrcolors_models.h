// Colour values and their models: mixing and interpolation, channel operations,
// hexadecimal text, HSI, CMY and CMYK, grey values, distance, spectral colours and
// random colours.
//
// A TColor holds red in bits 0-7, green in bits 8-15 and blue in bits 16-23; the top
// byte marks special values (system colours, the default and no-colour markers).
// Functions that return a TColor compose it from the low 8 bits of each channel, so the
// top byte is 0; functions that take a TColor read only its three channel bytes, except
// ColorToHexStr and HexStrToColor, which handle all 32 bits. Intermediate values are
// computed in extended precision; "round" means nearest with ties to even, "truncate"
// drops the fraction toward zero.
#pragma once

#include <cstdint>

#include "KYR_kyrbase.h"

namespace KYR_kyrcolors {

using namespace KYR_runtime;
using KYR_kyrbase::TColor;

// --- Mixing ------------------------------------------------------------------------

// The colour at fraction t on the way from A to B: each channel is
// truncate(a + (b - a) * t). t is clamped to 0..1; NaN counts as 1.
TColor InterpolateColor(TColor A, TColor B, double t);
// The colour at fraction t on the path A -> B -> C (t = 0.5 gives B). t is clamped to
// 0..1 as in InterpolateColor.
TColor Interpolate3Colors(TColor A, TColor B, TColor C, double t);
// InterpolateColor(A, B, 0.5).
TColor MeanColor(TColor A, TColor B);

// --- Channel operations and text ---------------------------------------------------

// Red and blue exchanged; green stays.
TColor ReverseRGBColor(TColor Color);
// Every channel becomes 255 minus itself.
TColor InvertColor(TColor Color);
// Exactly 8 upper-case hexadecimal digits of the full 32-bit value, no prefix.
String ColorToHexStr(TColor Color);
// Blanks at both ends removed, an optional leading "$" and further blanks skipped, then
// hexadecimal digits of either case up to the first other character (wrapping in 32
// bits). Text with no leading digit gives 0.
TColor HexStrToColor(const String& S);

// --- HSI (hue in degrees, saturation and intensity in 0..1) ---------------------------

// S and I are clamped to 0..1 (NaN counts as 0); a hue outside [0, 360), or NaN,
// counts as 0. Channels are rounded to 0..255.
void HSItoRGB(double H, double S, double I, int32_t& R, int32_t& G, int32_t& B);
// I is the largest channel / 255. Black gives H = 0, S = 0; a grey gives H = -1 (no
// hue). The inputs are not clamped.
void RGBtoHSI(int32_t R, int32_t G, int32_t B, double& H, double& S, double& I);

// --- CMY and CMYK (components in 0..1) ----------------------------------------------

// Components clamped to 0..1 (NaN counts as 0); R = round((1 - C) * 255) and so on.
void CMYtoRGB(double C, double M, double Y, uint8_t& R, uint8_t& G, uint8_t& B);
// C = 1 - R / 255 and so on.
void RGBtoCMY(uint8_t R, uint8_t G, uint8_t B, double& C, double& M, double& Y);
// Adds K to C, M and Y and clamps each to 0..1 (NaN counts as 0).
void CMYKtoCMY(double& C, double& M, double& Y, double K);
// Clamps C, M and Y to 0..1 (NaN counts as 0), takes K as the smallest of them and
// subtracts it from each.
void CMYtoCMYK(double& C, double& M, double& Y, double& K);

// --- Grey and distance ---------------------------------------------------------------

// round(R * 0.3 + G * 0.59 + B * 0.11); the inputs are not clamped.
int32_t RGBtoGray(int32_t R, int32_t G, int32_t B);
// The grey colour (v, v, v) of v = RGBtoGray(R, G, B), each channel taken modulo 256.
TColor RGBtoGrayColor(int32_t R, int32_t G, int32_t B);
// RGBtoGray of the colour's channels.
int32_t ColorToGray(TColor Color);
// RGBtoGrayColor of the colour's channels.
TColor ColorToGrayColor(TColor Color);
// Euclidean RGB distance scaled to 0..1: black to white is 1.0, equal colours 0.0.
double RGBColorDistance(TColor A, TColor B);

// --- Spectral and random colours -------------------------------------------------------

// The colour of light of wavelength W nanometres (380..779; anything else is black),
// each channel 255 * (factor * weight) ^ Gamma rounded. A channel that comes out as NaN
// (a NaN or infinite Gamma) is 0, and one above 255 (a negative Gamma) is 255.
TColor WavelengthToColor(int32_t W, double Gamma);
// Three draws Random(256) of the runtime's generator: blue, then green, then red.
TColor RandomColor();
// Each channel drawn from low..high, in the order blue, green, red (one draw each).
// A channel whose low bound is above its high bound gets its low bound.
TColor RandomColor(uint8_t rl, uint8_t rh, uint8_t gl, uint8_t gh, uint8_t bl, uint8_t bh);

}  // namespace KYR_kyrcolors
