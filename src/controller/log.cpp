#include "controller/log.h"

#include <stdio.h>

#include "host/text.h"

namespace {

LOG_SINK g_sink = nullptr;
void* g_sink_context = nullptr;

}  // namespace

int FormatTextV(char (&buffer)[FORMAT_BUFFER_SIZE], const char* format, va_list args) {
  const int limit = FORMAT_BUFFER_SIZE - 2;
  int n = vsnprintf(buffer, FORMAT_BUFFER_SIZE, format, args);
  if (n < 0) n = 0;
  if (n > limit) n = limit;
  // Walking from the start is the only way to know where a pair begins.
  int end = static_cast<int>(CharBoundary(buffer, static_cast<size_t>(n)));
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
