// Duplicating a motion with all its tracks, through the byte stream.
#include <string.h>

#include "anim/motion.h"
#include "model/model.h"
#include "persist/records.h"

DL_MOT* DL_MODEL::DuplicateMotion(DL_MOT* m) {
  if (IndexOfMotion(m) < 0) return nullptr;
  DL_STREAM s;
  s.CreateMemory(65536);
  if (!WriteMotionWithTracks(s, this, m)) return nullptr;
  DL_MOT* copy = NewNamedMotion();
  char name[256];
  memcpy(name, copy->name, sizeof name);
  DL_STREAM in;
  in.OpenView(s.Data(), s.DataLength());
  if (!ReadMotionWithTracks(in, this, copy)) {
    RemoveMotion(copy);
    MakeCurrentMotion(m);
    return nullptr;
  }
  copy->SetName(name);
  copy->bone.Resolve(this);
  return copy;
}
