// Stream primitives: strings and lines, little-endian binary numbers, the rest of a
// stream as text, line counting, finding a byte and reading up to a search text.
//
// The readers leave the stream right after the last byte they used, exactly as if they
// read one byte per Read call. Memory and string streams are read in place; file streams
// are read in larger pieces and the position is set back with one Seek; streams of any
// other class are read one byte per Read call, so they need not be able to seek (except
// in ReadStreamUntil, which reads ahead and seeks back).
#pragma once

#include <cstdint>

#include "KYR_kyrbase.h"

namespace KYR_streams {

using namespace KYR_runtime;

// --- Text ------------------------------------------------------------------------------

// Writes S as one byte per character (its low 8 bits) through a 4096-byte buffer.
void WriteStringStream(TStream& Stream, const String& S);
// Writes S as WriteStringStream does, followed by CR LF (13, 10).
void WriteLnStream(TStream& Stream, const String& S);
// Reads one line. Bytes of 32 and above and the tab are kept; other control bytes are
// dropped, except the one that ends the line in LineBreakMode: 0 LF, 1 CR, 2 CR or LF,
// 3 a CR right after an LF, 4 an LF right after a CR; any other mode reads to the end.
// The stream is left after the byte that ended the line. EndReached is set when the end
// of the stream came first (the line read so far is returned).
String ReadLnStream(TStream& Stream, bool& EndReached, int32_t LineBreakMode);
// The same, reading into Line (cleared first) so that a loop over many lines reuses one
// buffer instead of allocating a string per line.
void ReadLnStream(TStream& Stream, String& Line, bool& EndReached, int32_t LineBreakMode);

// --- Binary numbers (little-endian) ---------------------------------------------------

// Writes Value as 4 bytes, two's complement, least significant byte first.
void WriteLongintToStream(TStream& Stream, int32_t Value);
// Reads 4 bytes. Error is set (and nothing is raised) when fewer are left; the missing
// high bytes then count as zero, and an exhausted stream gives 0.
int32_t ReadLongintFromStream(TStream& Stream, bool& Error);
// Writes Value as the 10-byte extended layout: a 64-bit significand with its explicit
// integer bit, then a word holding the sign (bit 15) and the exponent biased by 16383.
// The bytes are computed from the value, so the layout does not depend on the machine's
// long double format.
void WriteExtendedToStream(TStream& Stream, Extended Value);
// Reads the 10-byte layout of WriteExtendedToStream; errors as ReadLongintFromStream.
Extended ReadExtendedFromStream(TStream& Stream, bool& Error);
// Reads 8 bytes of an IEEE 754 double; errors as ReadLongintFromStream.
double ReadDoubleFromStream(TStream& Stream, bool& Error);

// --- Reading text ------------------------------------------------------------------------

// The rest of the stream as text; leaves the stream at its end.
String StreamAsString(TStream& Stream);
// The number of line feeds (10) from the current position to the end; the stream is
// left at its end. A last line without a line feed is not counted. Counts beyond
// 2147483647 stay at 2147483647.
int32_t CountLinesInStream(TStream& Stream);
// Reads up to and including the first byte equal to Value: true, with the stream right
// after it; false, with the stream at its end, when there is none.
bool FindInStream(TStream& Stream, uint8_t Value);
// Reads up to and including the first occurrence of SearchText, ASCII letters compared
// without regard to case, and returns the text read (which ends with the match as it
// stands in the stream); Status 0 and the stream right after the match. When SearchText
// does not occur, or is empty: Status -1, the whole rest of the stream is returned and
// the stream is left at its end.
String ReadStreamUntil(TStream& Stream, const String& SearchText, int32_t& Status);

}  // namespace KYR_streams
