// Undo snapshot bytes: our own format, but a reader must never crash.
#include "fuzz_support.h"
#include "persist/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FUZZ_WORLD world;
  DL_MODEL* m = world.Fresh();
  DL_STREAM s;
  s.OpenView(data, size);
  ReadModel(s, m);
  m->FinishLoading();
  return 0;
}
