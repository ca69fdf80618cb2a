// Reading the host's key/value lists: exact, case-sensitive keys, the first
// match wins, and a missing key or a missing list gives the caller's default.
#pragma once

#include "host/host_types.h"

// The pair with this key, or NULL. A NULL list counts as empty.
const KEYVALUE* FindKey(const KEYVALUE* list, const char* key);

// The value pointer stored under key (a handle or a string), or NULL.
void* GetPointerValue(const KEYVALUE* list, const char* key);

// The int that key's value points to, or fallback when the key is absent
// or carries no pointer.
int GetIntValue(const KEYVALUE* list, const char* key, int fallback);
