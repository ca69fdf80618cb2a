#include "anim/channel.h"

#include <algorithm>

#include "anim/evaluate.h"
#include "anim/frame.h"
#include "anim/keytable.h"

DL_CHANNEL::~DL_CHANNEL() {
  if (key_table != nullptr) key_table->UnregisterChannel(this);
  for (DL_KEY* k : keys) delete k;
}

int DL_CHANNEL::FindKey(float f) const {
  // Keys ascend by frame, so their integer frames do too: the first key on
  // f's integer frame is where a search by integer frame lands.
  float n = FrameNumber(f);
  auto it = std::lower_bound(keys.begin(), keys.end(), n,
                             [](const DL_KEY* k, float v) { return FrameNumber(k->frame) < v; });
  if (it == keys.end() || FrameNumber((*it)->frame) != n) return -1;
  return static_cast<int>(it - keys.begin());
}

int DL_CHANNEL::InsertionIndex(float f) const {
  int n = KeyCount();
  if (n == 0) return 0;
  if (keys[0]->frame > f) return 0;
  if (f > keys[n - 1]->frame) return n;
  int lo = 0, hi = n - 1;
  while (hi - lo > 1) {
    int mid = (lo + hi) / 2;
    if (f >= keys[mid]->frame) lo = mid;
    else hi = mid;
  }
  return hi;
}

void DL_CHANNEL::InsertAt(int index, DL_KEY* key) { keys.insert(keys.begin() + index, key); }

bool DL_CHANNEL::SetKey(float f, const DL_VALUE& value) {
  if (!IsFiniteFrame(f)) return false;
  // Keys arriving in order (readers, recording) go straight to the end.
  if (!keys.empty() && f > keys.back()->frame && !SameFrame(f, keys.back()->frame)) {
    DL_KEY* key = new DL_KEY();
    keys.push_back(key);
    key->channel = this;
    key->SetFrame(f);
    key->value = value;
    return true;
  }
  int i = FindKey(f);
  if (i >= 0) {
    keys[i]->value = value;
    return false;
  }
  DL_KEY* key = new DL_KEY();
  InsertAt(InsertionIndex(f), key);
  key->channel = this;
  key->SetFrame(f);
  key->value = value;
  return true;
}

void DL_CHANNEL::Resort(DL_KEY* key) {
  int n = KeyCount();
  if (n <= 1) return;
  auto it = std::find(keys.begin(), keys.end(), key);
  if (it == keys.end()) return;
  int i = static_cast<int>(it - keys.begin());
  bool out_of_order = (i > 0 && keys[i - 1]->frame > key->frame) || (i < n - 1 && keys[i + 1]->frame < key->frame);
  if (!out_of_order) return;
  keys.erase(it);
  InsertAt(InsertionIndex(key->frame), key);
}

void DL_CHANNEL::Sort() {
  auto by_frame = [](const DL_KEY* a, const DL_KEY* b) { return a->frame < b->frame; };
  if (std::is_sorted(keys.begin(), keys.end(), by_frame)) return;  // the exchange sort would swap nothing
  std::vector<DL_KEY*> sorted(keys);
  std::sort(sorted.begin(), sorted.end(), by_frame);
  bool ties = std::adjacent_find(sorted.begin(), sorted.end(), [](const DL_KEY* a, const DL_KEY* b) {
                return a->frame == b->frame;
              }) != sorted.end();
  if (!ties) {
    keys.swap(sorted);
    return;
  }
  // Equal frames out of order: only the exchange sort itself says how they end.
  size_t n = keys.size();
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (keys[i]->frame > keys[j]->frame) std::swap(keys[i], keys[j]);
}

void DL_CHANNEL::RemoveDuplicateFrames() {
  std::vector<DL_KEY*> kept;
  kept.reserve(keys.size());
  std::vector<DL_KEY*> doomed;
  for (DL_KEY* k : keys) {
    if (!kept.empty() && SameFrame(kept.back()->frame, k->frame)) doomed.push_back(k);
    else kept.push_back(k);
  }
  keys.swap(kept);
  for (DL_KEY* k : doomed) delete k;
  Sort();
}

bool DL_CHANNEL::DeleteSelectedKeys() {
  std::vector<DL_KEY*> kept;
  kept.reserve(keys.size());
  bool any = false;
  for (DL_KEY* k : keys) {
    if (k->IsSelected()) {
      delete k;
      any = true;
    } else {
      kept.push_back(k);
    }
  }
  keys.swap(kept);
  Sort();
  return any;
}

int DL_CHANNEL::SelectedKeyCount() const {
  int n = 0;
  for (const DL_KEY* k : keys) n += k->IsSelected() ? 1 : 0;
  return n;
}

void DL_CHANNEL::ClearSelection() {
  for (DL_KEY* k : keys) k->SetSelected(false);
}

DL_VALUE DL_CHANNEL::Evaluate(float f) const { return EvaluateChannel(*this, f); }
