// One key of a channel: a frame and a typed value.
#pragma once

#include <stdint.h>

#include "anim/pool.h"
#include "anim/value.h"

struct DL_CHANNEL;
struct DL_KEYFRAME;

enum : uint32_t { KEY_SELECTED = 0x1 };

struct DL_KEY {
  uint32_t flags = 0;
  float frame = 0;
  int32_t line_type = 0;
  DL_CHANNEL* channel = nullptr;
  DL_KEYFRAME* key_frame = nullptr;  // the key table entry that lists it
  DL_VALUE value;

  DL_KEY() = default;
  DL_KEY(const DL_KEY&) = delete;
  DL_KEY& operator=(const DL_KEY&) = delete;
  // Leaves its key frame entry.
  ~DL_KEY();

  bool IsSelected() const { return (flags & KEY_SELECTED) != 0; }
  void SetSelected(bool on) { flags = on ? (flags | KEY_SELECTED) : (flags & ~KEY_SELECTED); }
  // Sets the frame and registers the key again in its channel's key table.
  void SetFrame(float f);

  POOLED_RECORD(DL_KEY)
};
