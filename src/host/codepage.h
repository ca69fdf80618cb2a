// Conversion between the plug-in's text (the ANSI code page, 932) and the
// UTF-8 of the host's XML interface. A character code page 932 cannot hold
// becomes '?', never a look-alike: the Windows functions are called with
// WC_NO_BEST_FIT_CHARS, and the native build gives the same bytes.
#pragma once

#include <string>

std::string AnsiToUtf8(const char* ansi);
std::string Utf8ToAnsi(const char* utf8);
