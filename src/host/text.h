// Text in the system's ANSI code page (932): double-byte characters are a
// lead byte followed by a second byte that may look like anything.
#pragma once

#include <stddef.h>

#include <vector>

inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The length of the longest prefix of text[0..length) that ends on a
// character boundary, walking from the start.
size_t CharBoundary(const char* text, size_t length);

// Copies src into dst[size], cut at a character boundary so that the
// terminator fits. A NULL src gives an empty text.
void CopyText(char* dst, size_t size, const char* src);

// Whether name is exactly prefix followed by "%d" of some n >= 1; gives n.
bool NumberedName(const char* name, const char* prefix, long* n);
// The smallest n >= 1 that is not in used.
long FirstFreeNumber(std::vector<long> used);
