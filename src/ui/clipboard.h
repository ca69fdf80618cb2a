// Raw clipboard access: bytes under registered formats. On Windows this is
// the system clipboard; elsewhere an in-memory clipboard with the same
// contract (including the zero padding a system block may carry).
#pragma once

#include <stddef.h>
#include <stdint.h>

uint32_t ClipboardRegisterFormat(const char* name);
// Puts a copy of the bytes under the format, replacing the clipboard's
// contents. owner may be none: the clipboard is then opened with a hidden
// window of the plug-in's own, since Windows refuses data put without one.
bool ClipboardPut(void* owner, uint32_t format, const void* bytes, size_t size);
// A copy of the whole block under the format (it may be longer than what was
// put; the extra bytes are zero), or none with size 0.
uint8_t* ClipboardGet(void* owner, uint32_t format, size_t* size);
void ClipboardFree(uint8_t* bytes);
// Destroys the hidden owner window (at shutdown).
void ClipboardShutdown();
