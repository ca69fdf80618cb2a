// The plug-in's diagnostic log and the one rule for formatted text.
#pragma once

#include <stdarg.h>

enum { FORMAT_BUFFER_SIZE = 1024 };

// Formats into a 1024-byte buffer as vsnprintf does, cut so that a newline
// and the terminator still fit (at most 1022 bytes of text) and never in the
// middle of a double-byte character. Returns the length of the text.
int FormatTextV(char (&buffer)[FORMAT_BUFFER_SIZE], const char* format, va_list args);
int FormatText(char (&buffer)[FORMAT_BUFFER_SIZE], const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Receives each finished log line, newline included.
typedef void (*LOG_SINK)(const char* line, void* context);

// Sets (or, with NULL, clears) the sink; without a sink lines are dropped.
void SetLogSink(LOG_SINK sink, void* context);

void DLLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
