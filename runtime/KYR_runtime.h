// The runtime services the library stands on: objects, strings, numbers, variants,
// string lists, streams, text and untyped files, file handles, names and search.
#pragma once

#include "KYR_runtime_classes.h"
#include "KYR_runtime_files.h"
#include "KYR_runtime_numbers.h"
#include "KYR_runtime_objects.h"
#include "KYR_runtime_streams.h"
#include "KYR_runtime_strings.h"
#include "KYR_runtime_textfile.h"
#include "KYR_runtime_variant.h"
