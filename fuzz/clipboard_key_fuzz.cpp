// CF_UPL_KEY bytes from any program.
#include "fuzz_support.h"
#include "model/clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  ReadKeyClipboard(m, data, size, 12.5f);
  m->FullPoseUpdate();
  m->current_motion->key_table.Rebuild();
  return 0;
}
