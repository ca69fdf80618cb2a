// The key frame table of a motion: its channels, and one entry per integer
// frame on which any listed channel has a key.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

struct DL_MOT;
struct DL_KEY;
struct DL_CHANNEL;
struct DL_KEYTABLE;

struct DL_KEYFRAME {
  int32_t selected = 0;
  float frame = 0;
  std::vector<DL_KEY*> keys;  // not owned, in registration order
  DL_KEYTABLE* table = nullptr;
};

struct DL_KEYTABLE {
  DL_MOT* motion = nullptr;
  std::vector<DL_KEYFRAME*> key_frames;  // owned, ascending by frame
  DL_CHANNEL* first_channel = nullptr;
  DL_CHANNEL* last_channel = nullptr;
  DL_KEYFRAME* current_key_frame = nullptr;  // the timeline's cursor entry
  // Moving or scaling entries leaves the list in any order until the next
  // rebuild; until then entries are found by the plain scan.
  bool maybe_unsorted = false;
  // Where the last key was registered: keys mostly arrive channel by
  // channel in ascending frames, so the next one belongs there or just after.
  size_t last_index = 0;

  DL_KEYTABLE() = default;
  DL_KEYTABLE(const DL_KEYTABLE&) = delete;
  DL_KEYTABLE& operator=(const DL_KEYTABLE&) = delete;
  ~DL_KEYTABLE();

  // Maintenance.
  void RegisterChannel(DL_CHANNEL* channel);
  void UnregisterChannel(DL_CHANNEL* channel);
  void RegisterKey(DL_KEY* key);
  void KeyFrameChanged(DL_KEY* key);
  void KeyDestroyed(DL_KEY* key);
  void Rebuild();
  // Destroys every entry (the keys stay, unlisted).
  void ClearEntries();

  // Selection.
  int EntryCount() const { return static_cast<int>(key_frames.size()); }
  DL_KEYFRAME* Entry(int i) const { return i >= 0 && i < EntryCount() ? key_frames[i] : nullptr; }
  void SelectEntry(DL_KEYFRAME* entry, bool on);
  void SelectAll();
  void DeselectAll();
  void InvertSelection();
  void SelectIndexRange(int a, int b);
  void SelectFrameRange(float a, float b);
  int IndexOf(const DL_KEYFRAME* entry) const;
  // Index of the first entry at or after f: -1 for an empty table, the
  // entry count when all are below f.
  int FirstIndexAtOrAfter(float f) const;

  // Editing.
  void MoveSelected(float d);
  void ScaleSelected(float center, float scale);
  bool DeleteSelectedKeys();
  // After a drag: one key per integer frame in every channel, then a rebuild.
  void RemoveDuplicateFrames();

 private:
  // The cursor entry, remembered by its integer frame across a rebuild.
  struct CURSOR {
    bool set;
    float frame;
  };
  CURSOR SaveCursor() const;
  void RestoreCursor(const CURSOR& cursor);
  void RegisterAllKeys();
  int FindEntryIndex(float frame) const;
  void DestroyEntry(DL_KEYFRAME* entry);
  void LeaveEntry(DL_KEY* key);
};
