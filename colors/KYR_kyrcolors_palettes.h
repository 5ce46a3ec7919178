// Constant colour tables: key-colour sets for colour scales, the platform's predefined
// colour constants, and the values of the X11/CSS named colours.
#pragma once

#include <array>

#include "KYR_kyrcolors_models.h"

namespace KYR_kyrcolors {

// Key colours for colour scales (TColorArray::FillByInterpolation), as $BBGGRR values.
extern const std::array<TColor, 11> ColorArray_Rainbow;
extern const std::array<TColor, 11> ColorArray_Geo1;
extern const std::array<TColor, 11> ColorArray_Geo2;
extern const std::array<TColor, 11> ColorArray_Geo3;
// Red, yellow, green, cyan, blue, magenta and red again.
extern const std::array<TColor, 7> ColorArray_Circle;
extern const std::array<TColor, 7> ColorArray_MorgenStemning;
// Sixteen colours that are easy to tell apart.
extern const std::array<TColor, 16> ColorArray_Contrast;

// The platform's 47 predefined colour constants: the 16 basic colours, four extra
// colours, the system colours and the two markers.
extern const std::array<TColor, 47> PredefinedColors;
// The 145 X11/CSS named colours in alphabetical order of their names, from alice blue
// to yellow green (values only).
extern const std::array<TColor, 145> X11Colors;

}  // namespace KYR_kyrcolors
