// KYR_streams: reading and writing text and binary numbers on streams, the tag reader
// for XML-like markup on streams and text files, the attribute scanner and the number
// scanners, and searching, extracting and replacing on streams.
//
// All functions work from the stream's current position and keep no state between
// calls. Text on a stream is 8-bit: writing stores the low 8 bits of each character,
// reading turns each byte into the character with the same code (0 to 255).
#pragma once

#include "KYR_streams_extract.h"
#include "KYR_streams_primitives.h"
#include "KYR_streams_scan.h"
#include "KYR_streams_tags.h"
