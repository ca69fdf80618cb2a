#include "host/text.h"

#include <string.h>

size_t CharBoundary(const char* text, size_t length) {
  size_t end = 0;
  while (end < length) {
    size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > length) break;
    end += width;
  }
  return end;
}

void CopyText(char* dst, size_t size, const char* src) {
  if (size == 0) return;
  if (src == nullptr) {
    dst[0] = '\0';
    return;
  }
  size_t n = strlen(src);
  if (n > size - 1) n = CharBoundary(src, size - 1);
  memmove(dst, src, n);
  dst[n] = '\0';
}
