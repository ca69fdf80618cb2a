#include "anim/keytable.h"

#include <algorithm>

#include "anim/channel.h"
#include "anim/frame.h"

DL_KEYTABLE::~DL_KEYTABLE() {
  ClearEntries();
  // Channels that outlive the table no longer refer to it.
  for (DL_CHANNEL* c = first_channel; c != nullptr;) {
    DL_CHANNEL* next = c->next;
    c->key_table = nullptr;
    c->prev = c->next = nullptr;
    c = next;
  }
}

void DL_KEYTABLE::RegisterChannel(DL_CHANNEL* channel) {
  channel->key_table = this;
  channel->prev = last_channel;
  channel->next = nullptr;
  if (last_channel != nullptr) last_channel->next = channel;
  else first_channel = channel;
  last_channel = channel;
}

void DL_KEYTABLE::UnregisterChannel(DL_CHANNEL* channel) {
  if (channel->key_table != this) return;
  if (channel->prev != nullptr) channel->prev->next = channel->next;
  else first_channel = channel->next;
  if (channel->next != nullptr) channel->next->prev = channel->prev;
  else last_channel = channel->prev;
  channel->prev = channel->next = nullptr;
  channel->key_table = nullptr;
}

int DL_KEYTABLE::FindEntryIndex(float frame) const {
  float n = FrameNumber(frame);
  if (maybe_unsorted) {
    // The entries may be in any order: scan, giving up past the frame.
    for (size_t i = 0; i < key_frames.size(); ++i) {
      if (FrameNumber(key_frames[i]->frame) == n) return static_cast<int>(i);
      if (key_frames[i]->frame > frame) return -1;
    }
    return -1;
  }
  // Ascending entries ascend by integer frame too, so the scan's answer is
  // the first entry on that integer frame; while sorted, no two entries share
  // an integer frame, so a hit near the last one is that entry.
  for (size_t i = last_index; i < last_index + 2 && i < key_frames.size(); ++i)
    if (FrameNumber(key_frames[i]->frame) == n) return static_cast<int>(i);
  auto it = std::lower_bound(key_frames.begin(), key_frames.end(), n,
                             [](const DL_KEYFRAME* e, float v) { return FrameNumber(e->frame) < v; });
  if (it == key_frames.end() || FrameNumber((*it)->frame) != n) return -1;
  return static_cast<int>(it - key_frames.begin());
}

void DL_KEYTABLE::RegisterKey(DL_KEY* key) {
  int i = FindEntryIndex(key->frame);
  if (i < 0) {
    DL_KEYFRAME* entry = new DL_KEYFRAME();
    entry->frame = key->frame;
    entry->table = this;
    if (maybe_unsorted) {
      key_frames.push_back(entry);
      size_t n = key_frames.size();
      for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n; ++b)
          if (key_frames[a]->frame > key_frames[b]->frame) std::swap(key_frames[a], key_frames[b]);
      i = IndexOf(entry);
    } else {
      // Its integer frame is new, so its frame differs from every entry's:
      // the sorted place is the only one an exchange sort could give it.
      auto at = std::upper_bound(key_frames.begin(), key_frames.end(), entry->frame,
                                 [](float v, const DL_KEYFRAME* e) { return v < e->frame; });
      auto placed = key_frames.insert(at, entry);
      i = static_cast<int>(placed - key_frames.begin());
    }
  }
  DL_KEYFRAME* entry = key_frames[i];
  last_index = static_cast<size_t>(i);
  entry->keys.push_back(key);
  key->key_frame = entry;
  if (key->IsSelected()) SelectEntry(entry, true);
}

void DL_KEYTABLE::LeaveEntry(DL_KEY* key) {
  DL_KEYFRAME* entry = key->key_frame;
  key->key_frame = nullptr;
  if (entry == nullptr) return;
  auto it = std::find(entry->keys.begin(), entry->keys.end(), key);
  if (it != entry->keys.end()) entry->keys.erase(it);
  if (entry->keys.empty()) DestroyEntry(entry);
}

void DL_KEYTABLE::DestroyEntry(DL_KEYFRAME* entry) {
  auto it = key_frames.begin();
  if (!maybe_unsorted) {
    it = std::lower_bound(key_frames.begin(), key_frames.end(), entry->frame,
                          [](const DL_KEYFRAME* e, float v) { return e->frame < v; });
  }
  it = std::find(it, key_frames.end(), entry);
  if (it != key_frames.end()) key_frames.erase(it);
  for (DL_KEY* k : entry->keys) k->key_frame = nullptr;
  if (current_key_frame == entry) current_key_frame = nullptr;
  delete entry;
}

void DL_KEYTABLE::KeyFrameChanged(DL_KEY* key) {
  if (key->key_frame != nullptr && SameFrame(key->key_frame->frame, key->frame)) return;
  LeaveEntry(key);
  RegisterKey(key);
}

void DL_KEYTABLE::KeyDestroyed(DL_KEY* key) { LeaveEntry(key); }

void DL_KEYTABLE::ClearEntries() {
  for (DL_KEYFRAME* e : key_frames) {
    for (DL_KEY* k : e->keys) k->key_frame = nullptr;
    delete e;
  }
  key_frames.clear();
  current_key_frame = nullptr;
}

void DL_KEYTABLE::RegisterAllKeys() {
  maybe_unsorted = false;
  for (DL_CHANNEL* c = first_channel; c != nullptr; c = c->next) {
    if ((c->flags & CHANNEL_USE) == 0) continue;
    for (DL_KEY* k : c->keys) RegisterKey(k);
  }
  // Registration keeps the entries ascending: the final sort has nothing to do.
}

DL_KEYTABLE::CURSOR DL_KEYTABLE::SaveCursor() const {
  CURSOR c = {current_key_frame != nullptr, current_key_frame != nullptr ? current_key_frame->frame : 0};
  return c;
}

void DL_KEYTABLE::RestoreCursor(const CURSOR& cursor) {
  int i = cursor.set ? FindEntryIndex(cursor.frame) : -1;
  current_key_frame = i >= 0 ? key_frames[i] : nullptr;
}

void DL_KEYTABLE::Rebuild() {
  CURSOR cursor = SaveCursor();
  ClearEntries();
  RegisterAllKeys();
  RestoreCursor(cursor);
}

void DL_KEYTABLE::SelectEntry(DL_KEYFRAME* entry, bool on) {
  entry->selected = on ? 1 : 0;
  for (DL_KEY* k : entry->keys) k->SetSelected(on);
}

void DL_KEYTABLE::SelectAll() {
  for (DL_KEYFRAME* e : key_frames) SelectEntry(e, true);
}

void DL_KEYTABLE::DeselectAll() {
  for (DL_KEYFRAME* e : key_frames) SelectEntry(e, false);
}

void DL_KEYTABLE::InvertSelection() {
  for (DL_KEYFRAME* e : key_frames) SelectEntry(e, e->selected == 0);
}

void DL_KEYTABLE::SelectIndexRange(int a, int b) {
  if (a < 0 || b < 0) return;
  int lo = std::min(a, b), hi = std::max(a, b);
  for (int i = lo; i <= hi && i < EntryCount(); ++i) SelectEntry(key_frames[i], true);
}

void DL_KEYTABLE::SelectFrameRange(float a, float b) {
  float lo = a, hi = b;
  if (a > b) {
    lo = b;
    hi = truncf(a);
  }
  for (DL_KEYFRAME* e : key_frames) {
    if (e->frame < lo) continue;
    if (e->frame > hi) break;
    SelectEntry(e, true);
  }
}

int DL_KEYTABLE::IndexOf(const DL_KEYFRAME* entry) const {
  auto it = std::find(key_frames.begin(), key_frames.end(), entry);
  return it == key_frames.end() ? -1 : static_cast<int>(it - key_frames.begin());
}

int DL_KEYTABLE::FirstIndexAtOrAfter(float f) const {
  if (key_frames.empty()) return -1;
  for (size_t i = 0; i < key_frames.size(); ++i)
    if (key_frames[i]->frame >= f) return static_cast<int>(i);
  return EntryCount();
}

void DL_KEYTABLE::MoveSelected(float d) {
  for (DL_KEYFRAME* e : key_frames) {
    if (!e->selected) continue;
    e->frame += d;
    for (DL_KEY* k : e->keys) {
      if (!k->IsSelected()) continue;
      k->frame = e->frame;
      if (k->channel != nullptr) k->channel->Resort(k);
    }
  }
  maybe_unsorted = true;
}

void DL_KEYTABLE::ScaleSelected(float center, float scale) {
  for (DL_KEYFRAME* e : key_frames) {
    if (!e->selected) continue;
    e->frame = center + (e->frame - center) * scale;
    for (DL_KEY* k : e->keys) {
      if (!k->IsSelected()) continue;
      k->frame = e->frame;
      if (k->channel != nullptr) k->channel->Resort(k);
    }
  }
  maybe_unsorted = true;
}

bool DL_KEYTABLE::DeleteSelectedKeys() {
  // The table is rebuilt afterwards, so the entries go first: destroying
  // keys then costs nothing per entry.
  CURSOR cursor = SaveCursor();
  ClearEntries();
  bool any = false;
  for (DL_CHANNEL* c = first_channel; c != nullptr; c = c->next) any = c->DeleteSelectedKeys() || any;
  RegisterAllKeys();
  RestoreCursor(cursor);
  return any;
}

void DL_KEYTABLE::RemoveDuplicateFrames() {
  CURSOR cursor = SaveCursor();
  ClearEntries();
  for (DL_CHANNEL* c = first_channel; c != nullptr; c = c->next) c->RemoveDuplicateFrames();
  RegisterAllKeys();
  RestoreCursor(cursor);
}
