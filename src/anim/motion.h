// A motion: a named animation over a frame range, with its playback state
// and the key frame table of its channels.
#pragma once

#include <stdint.h>

#include "anim/keytable.h"
#include "anim/value.h"
#include "mesh/boneref.h"

struct DL_MODEL;
struct DL_CHANNEL;

enum : uint32_t {
  MOT_LOOP = 0x1,     // "loop_flg"
  MOT_PLAYING = 0x4,  // runtime only
};

struct DL_MOT {
  DL_MODEL* owner = nullptr;
  uint32_t flags = MOT_LOOP;
  DL_KEYTABLE key_table;
  int32_t id = 0;
  char name[256] = {};
  float start_frame = 0;
  float end_frame = 100.0f;
  float current_frame = 0;
  float rate = 30.0f;
  DL_BONEREF bone;  // chosen in the motion property panel; no computation reads it

  explicit DL_MOT(DL_MODEL* model) : owner(model) { key_table.motion = this; }
  DL_MOT(const DL_MOT&) = delete;
  DL_MOT& operator=(const DL_MOT&) = delete;

  void SetName(const char* text);
  bool Loops() const { return (flags & MOT_LOOP) != 0; }
  void SetLoop(bool on) { flags = on ? (flags | MOT_LOOP) : (flags & ~MOT_LOOP); }
  // Frames that are not finite are ignored; the current frame is unclamped.
  void SetStartFrame(float f);
  void SetEndFrame(float f);
  void SetCurrentFrame(float f);
  void SetRate(float r);

  // Stops playback, then moves by d within start_frame .. end_frame.
  void Step(float d);
  void Play() { flags |= MOT_PLAYING; }
  void Stop() { flags &= ~MOT_PLAYING; }
  void TogglePlaying() { flags ^= MOT_PLAYING; }
  bool IsPlaying() const { return (flags & MOT_PLAYING) != 0; }
  // One timer tick of playback: the next frame, wrapping or stopping at the end.
  void PlayTick();
  // Evaluates the whole model at the current frame.
  void Apply();
};

// A channel's value at m's current frame, or its default without a motion.
DL_VALUE ChannelValueNow(const DL_CHANNEL& channel, const DL_MOT* m);
