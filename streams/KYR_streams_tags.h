// The tag reader for XML-like markup on streams and text files, and the attribute
// scanner.
//
// Tag syntax. A tag runs from "<" to the first ">" after it; the tag text is what lies
// between. Text outside tags is skipped. A tag text beginning with "!" (comment,
// declaration) is skipped up to its first ">". The name is the tag text before its first
// blank (only code 32 separates), folded to lower case (ASCII); the attribute text is the
// rest without blanks at both ends. A tag text ending in "/" is an empty element: the
// final "/" belongs to neither name nor attributes, and there is no content. A name
// beginning with "/" is an end tag (the name keeps the slash) and has no content. Any
// other tag is a start tag: its content is everything up to the first closing tag
// "</name>" (ASCII case ignored), kept as read and not trimmed, and the closing tag is
// consumed; without a closing tag the content runs to the end of the input. A "<" whose
// ">" never comes is not a tag: the reader then reports the end of the input.
//
// Attribute syntax: name=value pairs. A name is what comes before "=", without blanks at
// both ends; blanks after "=" are skipped; a value is either quoted (up to the next
// double quote, blanks and "=" allowed) or plain (up to the next blank or double quote).
#pragma once

#include <cstdint>
#include <vector>

#include "KYR_kyrbase.h"

namespace KYR_streams {

using namespace KYR_runtime;

// Reads the next element from the stream and returns its index in TagList: the name is
// compared exactly with entries 0 to n-2 (write them in lower case, end tags with their
// "/"); when none is equal the result is n-1, so lists end with a placeholder such as
// "dummy". Attributes and Content receive the element's attribute text and content.
// At the end of the input the name is empty, both texts are empty and the result is the
// index of an empty entry, or n-1. An empty TagList gives -1.
int32_t ReadNextTagInStream(TStream& Stream, const std::vector<String>& TagList, String& Attributes,
                            String& Content);
// As ReadNextTagInStream, reading characters from an open text file.
int32_t ReadNextTagInTextFile(TextFile& F, const std::vector<String>& TagList, String& Attributes,
                              String& Content);

// One element as the tag reader sees it.
struct TTagElement {
  String Name;                // folded to lower case; an end tag keeps its "/"
  String Attributes;          // without blanks at both ends
  String Content;             // empty for end tags and empty elements
  bool EmptyElement = false;  // written as <name .../>
  bool Found = false;         // false: no further complete tag in the input
};

// Reads the next element as ReadNextTagInStream does and returns it with its name.
TTagElement ReadNextTagElement(TStream& Stream);
// As above, from an open text file.
TTagElement ReadNextTagElement(TextFile& F);

// The value of the first attribute in AttribText whose name equals AttribName (ASCII
// case ignored); empty when there is none or the text is malformed before it.
String ScanForXMLAttrib(const String& AttribText, const String& AttribName);

// Scan codes of ScanNextXMLAttrib.
inline constexpr int32_t xaRead = 0;           // an attribute was read
inline constexpr int32_t xaQuoteInName = 1;    // a double quote came before any "="
inline constexpr int32_t xaSecondEquals = 2;   // "=" where a value should begin
inline constexpr int32_t xaEqualsInValue = 3;  // "=" inside a value without quotes
inline constexpr int32_t xaNothingLeft = 4;    // Position is beyond the end

// Scans one attribute of AttribText from Position (1-based), which it moves past the
// characters examined, and returns the scan code. Name (without blanks at both ends)
// and Value hold what was read; the text ending inside an attribute still gives xaRead.
int32_t ScanNextXMLAttrib(const String& AttribText, int32_t& Position, String& Name, String& Value);

}  // namespace KYR_streams
