// Searching, extracting and replacing on streams, built on the tag syntax of
// KYR_streams_tags.h.
#pragma once

#include <cstdint>
#include <vector>

#include "KYR_kyrbase.h"

namespace KYR_streams {

using namespace KYR_runtime;

// Looks from the current position for the next tag named TagName (ASCII case ignored;
// tags of other names are stepped over, not their content, so nested elements are found).
// When found, Attributes and Content receive its attribute text and content as the tag
// reader reads them, the stream is left after the element (after its closing tag), and
// the result is true. Otherwise Attributes and Content keep what they held, so they may
// carry defaults, the stream is at its end and the result is false.
bool ScanStreamForXMLTag(TStream& Stream, const String& TagName, String& Attributes,
                         String& Content);

// Reads from the current position up to the next tag whose name is in TagList (names
// compared after ASCII folding; end tags are listed with their "/") and returns the text
// before that tag. The stream is left at the tag's "<", ready for ReadNextTagInStream, and
// TagIndex is set to the tag's index in TagList. Comments and other tags are part of the
// text returned. When no listed tag comes, TagIndex is -1, the whole rest is returned and
// the stream is at its end. The stream must be able to seek back.
String ReadStreamUntilTagList(TStream& Stream, const std::vector<String>& TagList,
                              int32_t& TagIndex);

// Copies every element whose name is in TagNames (compared after ASCII folding) from the
// current position of Source to Dest, at Dest's position, byte for byte as it stands in
// Source: a start tag through its closing tag (or to the end of Source when the closing
// tag is missing), an empty element or end tag alone. Elements inside a copied element
// are copied with it. Returns the number of elements copied; Source is left at its end.
int32_t ExtractFromStream(TStream& Source, TMemoryStream& Dest, const TStringList& TagNames);

// Called for a modifier of the replacement text that SearchAndReplace does not know.
// Substring holds the matched text on entry; what it holds on return is inserted.
using TSRUnknownModifierEvent = void (*)(String Command, String& Substring);

// Replaces occurrences of SearchText in the whole data of InStream by ReplaceText and
// puts the result into OutStream, whose content it replaces (position 0 afterwards).
// Matches are found from the left without overlapping; with IgnoreCase ASCII letters
// match regardless of case. FirstMatch (1-based; values below 1 count as 1) is the first
// occurrence replaced, earlier ones stay; MaxCount limits the number of replacements (0
// or less: no limit). Text is 8-bit: SearchText and ReplaceText stand for the low 8 bits
// of their characters, and a character above 255 in SearchText never matches.
//
// When ModifierDelim is not empty, ReplaceText may hold modifiers written ModifierDelim +
// command + ModifierDelim: "match" inserts the matched text as found, "upper" and
// "lower" insert it ASCII upper- or lower-cased, "n" inserts the running number of the
// replacement; an empty command inserts ModifierDelim itself. Commands are compared
// without regard to ASCII case. Any other command goes to OnUnknownModifier, or, when
// that is null, is inserted as written; a delimiter without its closing partner is
// literal text.
//
// InStream keeps its data and position; OutStream may be the same stream, which then
// receives the result. The result is built apart and stored only at the end, so an
// exception (from the handler, or memory exhaustion) leaves both streams unchanged.
// Returns the number of replacements.
int32_t SearchAndReplace(TMemoryStream& InStream, TMemoryStream& OutStream,
                         const String& SearchText, const String& ReplaceText, bool IgnoreCase,
                         int32_t FirstMatch, int32_t MaxCount, const String& ModifierDelim,
                         TSRUnknownModifierEvent OnUnknownModifier);

}  // namespace KYR_streams
