#include "host/keyvalue.h"

#include <string.h>

const KEYVALUE* FindKey(const KEYVALUE* list, const char* key) {
  if (list == nullptr) return nullptr;
  for (const KEYVALUE* p = list; p->key != nullptr; ++p) {
    if (strcmp(p->key, key) == 0) return p;
  }
  return nullptr;
}

void* GetPointerValue(const KEYVALUE* list, const char* key) {
  const KEYVALUE* p = FindKey(list, key);
  return p != nullptr ? p->value : nullptr;
}

int GetIntValue(const KEYVALUE* list, const char* key, int fallback) {
  const KEYVALUE* p = FindKey(list, key);
  if (p == nullptr || p->value == nullptr) return fallback;
  return *static_cast<const int*>(p->value);
}
