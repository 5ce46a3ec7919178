// KYR_stringl: the string library: general utilities, number and time formatting, the
// regular-expression matcher TGrep, and words, tokens, lines and scrambling.
#pragma once

#include "KYR_stringl_format.h"
#include "KYR_stringl_grep.h"
#include "KYR_stringl_utils.h"
#include "KYR_stringl_words.h"
