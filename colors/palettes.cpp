// The constant colour tables, constant-initialised.
#include "KYR_kyrcolors_palettes.h"

namespace KYR_kyrcolors {

namespace {

// A system colour is $FF000000 + the Windows system colour index.
constexpr TColor Sys(uint32_t Index) {
  return 0xFF000000u + Index;
}

constexpr TColor DefaultColorMarker = 0x20000000u;
constexpr TColor NoColorMarker = 0x1FFFFFFFu;

}  // namespace

constinit const std::array<TColor, 11> ColorArray_Rainbow = {0x400020, 0x800060, 0xEF1200, 0xF56E00,
                                                             0xFFF400, 0x00FF18, 0x00F6FF, 0x00C1FF,
                                                             0x0013FF, 0x00008D, 0x000040};

constinit const std::array<TColor, 11> ColorArray_Geo1 = {0xDED2BD, 0x639F63, 0x89BA88, 0xA7CFAD,
                                                          0xC5E5D2, 0xCBF1F5, 0x96CEEA, 0x6CAED8,
                                                          0x3586BD, 0x426594, 0xF0FAFC};

constinit const std::array<TColor, 11> ColorArray_Geo2 = {0xDFAE7F, 0xDEB68C, 0xE3BE9B, 0xE2C9AD,
                                                          0xDCCCBB, 0x90BBAC, 0x99C9C6, 0xA4D7DA,
                                                          0xA1C8DA, 0x9AB6C5, 0x96ACC8};

constinit const std::array<TColor, 11> ColorArray_Geo3 = {0xFF8A2B, 0xFF9C43, 0xFFAF61, 0xFFCA89,
                                                          0xF9D1A8, 0x4AA885, 0x5DCAC2, 0x74EDF4,
                                                          0x6DC7F4, 0x5F9CC0, 0x5685C7};

constinit const std::array<TColor, 7> ColorArray_Circle = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                                           0xFF0000, 0xFF00FF, 0x0000FF};

constinit const std::array<TColor, 7> ColorArray_MorgenStemning = {
    0x000000, 0x4E2F0E, 0x742880, 0x711BC2, 0x4C61EF, 0x2AFBFF, 0xFFFFFF};

constinit const std::array<TColor, 16> ColorArray_Contrast = {
    0x000000, 0xFF0000, 0x008000, 0x0000FF, 0x0080FF, 0x808080, 0x404080, 0xFF00FF,
    0x800000, 0x00FF00, 0xC5CD18, 0x808000, 0xFF0080, 0x41E1EE, 0x800080, 0x8000FF};

constinit const std::array<TColor, 47> PredefinedColors = {
    // black, maroon, green, olive, navy, purple, teal, grey
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    // silver, red, lime, yellow, blue, fuchsia, aqua, white
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    // money green, sky blue, cream, medium grey
    0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0,
    // active border, active caption, application workspace, desktop background,
    // button face, button highlight, button shadow, button text, caption text
    Sys(10), Sys(2), Sys(12), Sys(1), Sys(15), Sys(20), Sys(16), Sys(18), Sys(9),
    DefaultColorMarker,
    // grey text, highlight, highlight text, inactive border, inactive caption,
    // inactive caption text, tooltip background, tooltip text, menu, menu text
    Sys(17), Sys(13), Sys(14), Sys(11), Sys(3), Sys(19), Sys(24), Sys(23), Sys(4), Sys(7),
    NoColorMarker,
    // scroll bar, 3D dark shadow, 3D light, window, window frame, window text
    Sys(0), Sys(21), Sys(22), Sys(5), Sys(6), Sys(8)};

// Position 67 is the X11 light goldenrod, 126 the platform's sky blue, and 137 to 140
// the web variants of grey, green, maroon and purple.
constinit const std::array<TColor, 145> X11Colors = {
    0xFFF8F0, 0xD7EBFA, 0xFFFF00, 0xD4FF7F, 0xFFFFF0, 0xDCF5F5, 0xC4E4FF, 0x000000, 0xCDEBFF,
    0xFF0000,  // 1-10
    0xE22B8A, 0x2A2AA5, 0x87B8DE, 0xA09E5F, 0x00FF7F, 0x1E69D2, 0x507FFF, 0xED9564, 0xDCF8FF,
    0x3C14DC,  // 11-20
    0xFFFF00, 0x8B0000, 0x8B8B00, 0x0B86B8, 0xA9A9A9, 0x006400, 0x6BB7BD, 0x8B008B, 0x2F6B55,
    0x008CFF,  // 21-30
    0xCC3299, 0x00008B, 0x7A96E9, 0x8FBC8F, 0x8B3D48, 0x4F4F2F, 0xD1CE00, 0xD30094, 0x9314FF,
    0xFFBF00,  // 31-40
    0x696969, 0xFF901E, 0x2222B2, 0xF0FAFF, 0x228B22, 0xFF00FF, 0xDCDCDC, 0xFFF8F8, 0x00D7FF,
    0x20A5DA,  // 41-50
    0x808080, 0x008000, 0x2FFFAD, 0xF0FFF0, 0xB469FF, 0x5C5CCD, 0x82004B, 0xF0FFFF, 0x8CE6F0,
    0xFAE6E6,  // 51-60
    0xF5F0FF, 0x00FC7C, 0xCDFAFF, 0xE6D8AD, 0x8080F0, 0xFFFFE0, 0x82DDEE, 0xD3D3D3, 0x90EE90,
    0xC1B6FF,  // 61-70
    0x7AA0FF, 0xAAB220, 0xFACE87, 0xFF7084, 0x998877, 0xDEC4B0, 0xE0FFFF, 0x00FF00, 0x32CD32,
    0xE6F0FA,  // 71-80
    0xFF00FF, 0x000080, 0xAACD66, 0xCD0000, 0xD355BA, 0xDB7093, 0x71B33C, 0xEE687B, 0x9AFA00,
    0xCCD148,  // 81-90
    0x8515C7, 0x701919, 0xFAFFF5, 0xE1E4FF, 0xB5E4FF, 0xADDEFF, 0x800000, 0xE6F5FD, 0x008080,
    0x238E6B,  // 91-100
    0x00A5FF, 0x0045FF, 0xD670DA, 0xAAE8EE, 0x98FB98, 0xEEEEAF, 0x9370DB, 0xD5EFFF, 0xB9DAFF,
    0x3F85CD,  // 101-110
    0xCBC0FF, 0xDDA0DD, 0xE6E0B0, 0x800080, 0x993366, 0x0000FF, 0x8F8FBC, 0xE16941, 0x13458B,
    0x7280FA,  // 111-120
    0x60A4F4, 0x578B2E, 0xEEF5FF, 0x2D52A0, 0xC0C0C0, 0xF0CAA6, 0xCD5A6A, 0x908070, 0xFAFAFF,
    0x7FFF00,  // 121-130
    0xB48246, 0x8CB4D2, 0xD8BFD8, 0x4763FF, 0xD0E040, 0xEE82EE, 0x808080, 0x008000, 0x000080,
    0x800080,  // 131-140
    0xB3DEF5, 0xFFFFFF, 0xF5F5F5, 0x00FFFF, 0x32CD9A};

}  // namespace KYR_kyrcolors
