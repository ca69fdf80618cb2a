// How a channel yields a value at a frame.
#pragma once

#include "anim/channel.h"

struct SEGMENT {
  int b;    // the earlier key
  int d;    // the later key; equal to b when no blend is needed
  float t;  // blend factor from b to d
};

// The keys to blend at f; the channel has at least one key.
SEGMENT FindSegment(const DL_CHANNEL& channel, float f);

// p and q blended at t by their tag; differing tags give p.
DL_VALUE Interpolate(const DL_VALUE& p, const DL_VALUE& q, float t);

DL_VALUE EvaluateChannel(const DL_CHANNEL& channel, float f);
