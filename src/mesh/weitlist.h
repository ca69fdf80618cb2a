// A vertex's weight list: any number of (group, weight) entries. The same
// type holds the weight palette's slots.
#pragma once

#include <stdint.h>

#include <vector>

struct DL_OBJWEIT;
struct DL_WEITLIST;

enum : uint32_t { WEITLIST_NORMALIZED = 0x1 };

// Below 0.0002 a weight is no weight, and a list with a smaller sum cannot be
// normalised. The comparison is with the exact decimal value, so that two
// weights of 0.0001 (whose float sum equals the float nearest 0.0002) still
// fall below it.
inline bool BelowWeightEpsilon(float w) { return static_cast<double>(w) < 0.0002; }

struct DL_VWEIT {
  float per;
  DL_OBJWEIT* group;
  DL_WEITLIST* list;
};

struct DL_WEITLIST {
  uint32_t flags = 0;
  uint32_t colour = 0;  // 0xFF000000 | B << 16 | G << 8 | R
  std::vector<DL_VWEIT> entries;

  DL_WEITLIST() = default;
  DL_WEITLIST(const DL_WEITLIST& other) { CopyExactly(other); }
  DL_WEITLIST& operator=(const DL_WEITLIST& other) {
    CopyExactly(other);
    return *this;
  }

  int Count() const { return static_cast<int>(entries.size()); }
  bool IsNormalized() const { return (flags & WEITLIST_NORMALIZED) != 0; }

  // Only paintable groups change; |w| below the epsilon removes the entry.
  void Set(DL_OBJWEIT* group, float w);
  void Remove(const DL_OBJWEIT* group);
  void SetByIndex(int i, float w);
  void RemoveByIndex(int i);
  float Get(const DL_OBJWEIT* group) const;
  float GetByIndex(int i) const;
  void Clear();
  // announce: count it as a change of the weights; deforming normalises
  // quietly, since the result it deforms with is the same either way.
  void Normalize(bool announce = true);
  // The positive entries of paintable groups, then the colour.
  void CopyFrom(const DL_WEITLIST& other);
  // Flags, colour and entries as they are.
  void CopyExactly(const DL_WEITLIST& other);
  // Recomputes colour from the visible groups' colours.
  void UpdateColour();
  // Drops every entry of the group (it is being destroyed).
  void Forget(const DL_OBJWEIT* group);

 private:
  void Changed();
};

// Bumped by every change of any weight list, group or group bone, so that
// derived forms of the weights know when to rebuild.
uint32_t WeightGeneration();
void WeightsChanged();
