// A bone's track in one motion: translation, rotation and scale channels.
#pragma once

#include <stdint.h>

#include "anim/channel.h"

struct DL_BONE;
struct DL_MOT;

struct DL_MOTBONE {
  uint32_t flags = 0;
  DL_MOT* motion;
  DL_BONE* bone;
  DL_CHANNEL trs;
  DL_CHANNEL rot;
  DL_CHANNEL scl;

  // Registers the channels with the motion's key table: trs, rot, scl.
  DL_MOTBONE(DL_BONE* owner, DL_MOT* m);
  DL_MOTBONE(const DL_MOTBONE&) = delete;
  DL_MOTBONE& operator=(const DL_MOTBONE&) = delete;

  // A channel's value at the motion's current frame; its default without a motion.
  DL_VALUE ValueNow(const DL_CHANNEL& channel) const;
  // Sets a key at the motion's current frame (nothing without a motion).
  void KeyNow(DL_CHANNEL& channel, const DL_VALUE& value);
  // Keys the current value of each channel the bone's flags enable.
  void KeyEnabledChannels();
  // The bone takes the identity pose and all three channels get it at f.
  void ResetAt(float f);
};
