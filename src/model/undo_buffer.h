// Whole-model snapshots kept under the host's undo state numbers.
#pragma once

#include <stdint.h>

#include <vector>

#include "persist/stream.h"

struct DL_MODEL;

struct DL_UNDOSTATE {
  int32_t number;
  std::vector<uint8_t> snapshot;
};

struct DL_UNDOBUFF {
  std::vector<DL_UNDOSTATE*> states;  // oldest first
  int32_t total_size = 0;

  DL_UNDOBUFF() = default;
  DL_UNDOBUFF(const DL_UNDOBUFF&) = delete;
  DL_UNDOBUFF& operator=(const DL_UNDOBUFF&) = delete;
  ~DL_UNDOBUFF() { Clear(); }

  void Clear();
  // Stores the model under state n after pruning with (n, keep). A snapshot
  // that could not be written is not stored; returns whether one was.
  bool Record(int32_t n, int32_t keep, const DL_MODEL* model);
  DL_UNDOSTATE* Find(int32_t n) const;
  // Restores the snapshot of state n; without one the model keeps its data
  // and is only synchronised with the document. Returns whether a snapshot
  // was restored.
  bool RestoreUndo(int32_t n, DL_MODEL* model) { return Restore(n, model); }
  bool RestoreRedo(int32_t n, DL_MODEL* model) { return Restore(n, model); }

 private:
  bool Restore(int32_t n, DL_MODEL* model);
  void Prune(int32_t n, int32_t keep);

  // Snapshots are large and made at every step: the writing buffer and the
  // storage of pruned states are reused rather than allocated anew.
  DL_STREAM scratch_;
  std::vector<std::vector<uint8_t>> spare_;
};
