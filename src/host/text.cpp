#include "host/text.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

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

bool NumberedName(const char* name, const char* prefix, long* n) {
  size_t len = strlen(prefix);
  if (strncmp(name, prefix, len) != 0) return false;
  const char* digits = name + len;
  if (digits[0] < '1' || digits[0] > '9') return false;
  for (const char* p = digits; *p != '\0'; ++p)
    if (*p < '0' || *p > '9' || p - digits > 9) return false;
  *n = strtol(digits, nullptr, 10);
  return true;
}

long FirstFreeNumber(std::vector<long> used) {
  std::sort(used.begin(), used.end());
  long n = 1;
  for (long u : used) {
    if (u == n) ++n;
    else if (u > n) break;
  }
  return n;
}
