// A channel: the keys of one animated value, ascending by frame, at most
// one per integer frame.
#pragma once

#include <stdint.h>

#include <vector>

#include "anim/key.h"

struct DL_KEYTABLE;

enum : uint32_t { CHANNEL_USE = 0x1 };  // listed in the key table, saved with "use"

struct DL_CHANNEL {
  uint32_t flags = CHANNEL_USE;
  DL_KEYTABLE* key_table = nullptr;
  DL_CHANNEL* prev = nullptr;  // links of the key table's channel list
  DL_CHANNEL* next = nullptr;
  DL_VALUE default_value;
  std::vector<DL_KEY*> keys;  // owned

  explicit DL_CHANNEL(const DL_VALUE& fallback) : default_value(fallback) {}
  DL_CHANNEL(const DL_CHANNEL&) = delete;
  DL_CHANNEL& operator=(const DL_CHANNEL&) = delete;
  // Leaves the key table, then destroys the keys.
  ~DL_CHANNEL();

  int KeyCount() const { return static_cast<int>(keys.size()); }
  DL_KEY* Key(int i) const { return i >= 0 && i < KeyCount() ? keys[i] : nullptr; }

  // Index of the first key on the same integer frame as f, or -1.
  int FindKey(float f) const;
  // Replaces the value of the key on f's integer frame (its frame stays) or
  // inserts a new key at f. Returns whether a key was created; a frame that
  // is not finite is refused.
  bool SetKey(float f, const DL_VALUE& value);
  // Where a key at f is inserted among the keys (bisection).
  int InsertionIndex(float f) const;
  // Moves one key whose frame changed back into order.
  void Resort(DL_KEY* key);
  // Ascending by frame, with ties ordered as an exchange sort leaves them.
  void Sort();
  // Keeps the first key of every integer frame and destroys the others.
  void RemoveDuplicateFrames();
  // Destroys the selected keys; returns whether any was.
  bool DeleteSelectedKeys();
  int SelectedKeyCount() const;
  // Deselects every key.
  void ClearSelection();

  // The value at frame f: the default without keys, else the keys blended.
  DL_VALUE Evaluate(float f) const;

 private:
  void InsertAt(int index, DL_KEY* key);
};
