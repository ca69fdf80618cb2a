#include "controller/log.h"

#include <stdio.h>

namespace {

LOG_SINK g_sink = nullptr;
void* g_sink_context = nullptr;

// Lead bytes of double-byte characters in code page 932.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

int FormatTextV(char (&buffer)[FORMAT_BUFFER_SIZE], const char* format, va_list args) {
  const int limit = FORMAT_BUFFER_SIZE - 2;
  int n = vsnprintf(buffer, FORMAT_BUFFER_SIZE, format, args);
  if (n < 0) n = 0;
  if (n > limit) n = limit;
  // Walk characters from the start: only this finds where a pair begins.
  int end = 0;
  while (end < n) {
    int width = IsLeadByte(static_cast<unsigned char>(buffer[end])) ? 2 : 1;
    if (end + width > n) break;
    end += width;
  }
  buffer[end] = '\0';
  return end;
}

int FormatText(char (&buffer)[FORMAT_BUFFER_SIZE], const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = FormatTextV(buffer, format, args);
  va_end(args);
  return n;
}

void SetLogSink(LOG_SINK sink, void* context) {
  g_sink = sink;
  g_sink_context = context;
}

void DLLog(const char* format, ...) {
  if (g_sink == nullptr) return;
  char buffer[FORMAT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  int n = FormatTextV(buffer, format, args);
  va_end(args);
  buffer[n] = '\n';
  buffer[n + 1] = '\0';
  g_sink(buffer, g_sink_context);
}
