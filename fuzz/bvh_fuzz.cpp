// BVH files from anywhere: the reader, then the import into a model that
// already has bones.
#include "anim/bvh_import.h"
#include "anim/bvh_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  BVH_DOC doc;
  if (!ReadBvhBytes(data, size, "fuzz.bvh", &doc, UMESS())) return 0;
  ApplyBvh(m, doc, BVH_SCALE);
  m->FullPoseUpdate();
  return 0;
}
