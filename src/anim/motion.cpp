#include "anim/motion.h"

#include "anim/channel.h"
#include "anim/frame.h"
#include "host/text.h"
#include "model/model.h"

void DL_MOT::SetName(const char* text) { CopyText(name, sizeof name, text); }

void DL_MOT::SetStartFrame(float f) {
  if (IsFiniteFrame(f)) start_frame = f;
}

void DL_MOT::SetEndFrame(float f) {
  if (IsFiniteFrame(f)) end_frame = f;
}

void DL_MOT::SetCurrentFrame(float f) {
  if (IsFiniteFrame(f)) current_frame = f;
}

void DL_MOT::SetRate(float r) {
  if (isfinite(r)) rate = r;
}

void DL_MOT::Step(float d) {
  Stop();
  float f = current_frame + d;
  if (f < start_frame) f = start_frame;
  if (f > end_frame) f = end_frame;
  SetCurrentFrame(f);
}

void DL_MOT::PlayTick() {
  float f = current_frame + 1.0f;
  if (f >= end_frame) {
    if (Loops()) {
      f = start_frame;
    } else {
      f = end_frame;
      Stop();
    }
  }
  SetCurrentFrame(f);
}

void DL_MOT::Apply() {
  if (owner != nullptr) owner->FullPoseUpdate();
}

DL_VALUE ChannelValueNow(const DL_CHANNEL& channel, const DL_MOT* m) {
  if (m == nullptr) return channel.default_value;
  return channel.Evaluate(m->current_frame);
}
