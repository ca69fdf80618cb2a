#include "model/undo_buffer.h"

#include "controller/log.h"
#include "model/model.h"
#include "persist/records.h"

void DL_UNDOBUFF::Clear() {
  for (DL_UNDOSTATE* s : states) delete s;
  states.clear();
  total_size = 0;
}

void DL_UNDOBUFF::Prune(int32_t n, int32_t keep) {
  std::vector<DL_UNDOSTATE*> kept;
  for (DL_UNDOSTATE* s : states) {
    // The redo branch a new state replaces goes whatever the keep count;
    // with more than one kept state, so do states older than that many.
    bool replaced = s->number >= n;
    bool too_old = keep > 1 && s->number < n - keep;
    if (replaced || too_old) {
      total_size -= static_cast<int32_t>(s->snapshot.size());
      if (spare_.size() < 2) spare_.push_back(std::move(s->snapshot));
      delete s;
    } else {
      kept.push_back(s);
    }
  }
  states.swap(kept);
}

bool DL_UNDOBUFF::Record(int32_t n, int32_t keep, const DL_MODEL* model) {
  if (n > 0) Prune(n, keep);
  if (scratch_.Data() == nullptr) scratch_.CreateMemory(65536);
  scratch_.Rewind();
  if (!WriteModel(scratch_, model)) return false;
  DL_UNDOSTATE* state = new DL_UNDOSTATE();
  state->number = n;
  if (!spare_.empty()) {
    state->snapshot = std::move(spare_.back());
    spare_.pop_back();
  }
  state->snapshot.assign(scratch_.Data(), scratch_.Data() + scratch_.DataLength());
  total_size += static_cast<int32_t>(state->snapshot.size());
  states.push_back(state);
  return true;
}

DL_UNDOSTATE* DL_UNDOBUFF::Find(int32_t n) const {
  for (DL_UNDOSTATE* s : states)
    if (s->number == n) return s;
  DLLog("GetUndoBuffOneFromState=NULL");
  return nullptr;
}

bool DL_UNDOBUFF::Restore(int32_t n, DL_MODEL* model) {
  DL_UNDOSTATE* state = Find(n);
  if (state == nullptr) {
    // Clearing here would make the next step snapshot an empty model: keep
    // the data, and follow the host's objects as a restore would.
    model->Synchronize();
    return false;
  }
  DL_STREAM s;
  s.OpenView(state->snapshot.data(), state->snapshot.size());
  bool ok = ReadModel(s, model);
  model->FinishLoading();
  return ok;
}
