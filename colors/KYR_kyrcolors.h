// KYR_kyrcolors: colour models and conversions, colour arrays (colour scales) with their
// text file, and constant palettes.
#pragma once

#include "KYR_kyrcolors_array.h"
#include "KYR_kyrcolors_models.h"
#include "KYR_kyrcolors_palettes.h"
