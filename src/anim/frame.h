// Frames are floats; two frames are the same key frame when their values
// truncated toward zero are equal. Truncation stays in float, so frames far
// outside the int range are compared without undefined behaviour.
#pragma once

#include <math.h>

inline float FrameNumber(float frame) { return truncf(frame); }
inline bool SameFrame(float a, float b) { return truncf(a) == truncf(b); }
inline bool IsFiniteFrame(float frame) { return isfinite(frame) != 0; }
