// The byte layouts in which the plug-in's records write themselves to a
// stream and read themselves back: undo snapshots, clipboard data and
// motion duplication.
#pragma once

#include <stdint.h>

#include <string>
#include <unordered_set>

#include "anim/value.h"
#include "persist/stream.h"

struct DL_MODEL;
struct DL_BONE;
struct DL_CHANNEL;
struct DL_MOT;
struct DL_MOTBONE;

// How keys read into a channel are changed on the way in.
enum KEY_TRANSFORM {
  KEYS_AS_STORED,
  KEYS_MIRROR_ROTATION,     // mirror S(-1, 1, 1): (x, y, z, w) -> (x, -y, -z, w), normalised
  KEYS_MIRROR_TRANSLATION,  // mirror S(-1, 1, 1): x negated
};

// The identifiers and names in use while bones are read, so that each new
// one is checked in constant time.
struct BONE_NAMES {
  std::unordered_set<int32_t> ids;
  std::unordered_set<std::string> names;
  void Collect(const DL_MODEL* model);
  int32_t FreshId(DL_MODEL* model);
  // name, or the first "%s_copy%d" (n = 1, 2, ...) that no bone has, cut so
  // that it fits 255 bytes.
  void UniqueName(const char* name, char (&out)[256]) const;
};

// How a bone record is read.
struct BONE_READ {
  bool snapshot = false;       // identifiers and names kept, points as stored
  const MAT44* matrix = nullptr;  // paste: points transformed
  bool mirror = false;         // mirror paste: rotation and translation keys mirrored too
  BONE_NAMES* names = nullptr; // paste: what is in use
};

bool WriteValue(DL_STREAM& s, const DL_VALUE& v);
bool ReadValue(DL_STREAM& s, DL_VALUE* v);

// The channel record; selected_only writes only the selected keys (the
// key clipboard's form).
bool WriteChannel(DL_STREAM& s, const DL_CHANNEL& c, bool selected_only);
// Reads a channel record into c, or only parses it when c is none. Each
// key goes in with set key at its frame plus offset; keys whose frame is
// not finite are dropped.
bool ReadChannel(DL_STREAM& s, DL_CHANNEL* c, float offset = 0, KEY_TRANSFORM transform = KEYS_AS_STORED);

// Rotation, translation, scale.
bool WriteMotBone(DL_STREAM& s, const DL_MOTBONE* t, bool selected_only);
bool ReadMotBone(DL_STREAM& s, DL_MOTBONE* t, float offset = 0, bool mirror = false);

// Bone records: every bone from the first (snapshot), or the selected ones
// over the tree they form (clipboard).
bool WriteAllBones(DL_STREAM& s, const DL_MODEL* model);
bool WriteSelectedBones(DL_STREAM& s, const DL_MODEL* model);
// Reads the records into first (already in the tree) and the bones they
// lead to, created as children and following siblings.
bool ReadBones(DL_STREAM& s, DL_MODEL* model, DL_BONE* first, const BONE_READ& how);

// The whole model, as an undo snapshot.
bool WriteModel(DL_STREAM& s, const DL_MODEL* model);
// Clears the model and reads a snapshot into it, keeping identifiers and
// names. The caller finishes loading (DL_MODEL::FinishLoading).
bool ReadModel(DL_STREAM& s, DL_MODEL* model);

// One motion with all its tracks (motion duplication).
bool WriteMotionWithTracks(DL_STREAM& s, const DL_MODEL* model, const DL_MOT* m);
bool ReadMotionWithTracks(DL_STREAM& s, DL_MODEL* model, DL_MOT* m);
