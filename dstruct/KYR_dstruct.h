// Data structures: the string table TStringArray (storage, access, sorting, searching
// and its XML form).
#pragma once

#include "KYR_dstruct_error.h"
#include "KYR_dstruct_stringarray.h"
