// A reference to a bone that survives loading before the bones exist: the
// bone's identifier, and the bone itself once resolved.
#pragma once

#include <stdint.h>

struct DL_BONE;
struct DL_MODEL;

struct DL_BONEREF {
  int32_t resolved = 1;
  int32_t bone_id = 0;
  DL_BONE* bone = nullptr;

  // A bone or none (identifier 0), resolved at once.
  void Set(DL_BONE* b);
  // An identifier alone, as stored; resolved later.
  void SetId(int32_t id);
  // The bone when resolved, else none.
  DL_BONE* Get() const { return resolved ? bone : nullptr; }
  // Looks an unresolved identifier up among the model's bones.
  void Resolve(const DL_MODEL* model);
  // Forgets b if this refers to it.
  void Clear(const DL_BONE* b) {
    if (bone == b && b != nullptr) Set(nullptr);
  }
};
