// CF_UPL_BONE bytes from any program: paste must fail cleanly or succeed.
#include "fuzz_support.h"
#include "model/clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  ReadBoneClipboard(m, data, size, m->current_bone, size % 2 == 1);
  m->FullPoseUpdate();
  return 0;
}
