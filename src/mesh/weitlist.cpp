#include "mesh/weitlist.h"

#include "math/rgba8.h"
#include "mesh/objweit.h"

namespace {
uint32_t g_weight_generation = 1;

bool Paintable(const DL_OBJWEIT* g) {
  return g != nullptr && (g->flags & OBJWEIT_SHOW) != 0 && (g->flags & OBJWEIT_EDITABLE) != 0;
}

float Magnitude(float w) { return w < 0 ? -w : w; }
}  // namespace

uint32_t WeightGeneration() { return g_weight_generation; }
void WeightsChanged() { ++g_weight_generation; }

void DL_WEITLIST::Changed() {
  flags &= ~WEITLIST_NORMALIZED;
  WeightsChanged();
}

void DL_WEITLIST::Set(DL_OBJWEIT* group, float w) {
  if (!Paintable(group)) return;
  if (BelowWeightEpsilon(Magnitude(w))) {
    Remove(group);
    flags &= ~WEITLIST_NORMALIZED;
    return;
  }
  for (DL_VWEIT& e : entries) {
    if (e.group == group) {
      e.per = w;
      Changed();
      return;
    }
  }
  entries.push_back({w, group, this});
  Changed();
}

void DL_WEITLIST::Remove(const DL_OBJWEIT* group) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].group == group) {
      entries.erase(entries.begin() + static_cast<long>(i));
      Changed();
      return;
    }
  }
}

void DL_WEITLIST::SetByIndex(int i, float w) {
  if (i < 0 || i >= Count()) return;
  if (BelowWeightEpsilon(Magnitude(w))) entries.erase(entries.begin() + i);
  else entries[i].per = w;
  Changed();
}

void DL_WEITLIST::RemoveByIndex(int i) {
  if (i < 0 || i >= Count()) return;
  entries.erase(entries.begin() + i);
  Changed();
}

float DL_WEITLIST::Get(const DL_OBJWEIT* group) const {
  for (const DL_VWEIT& e : entries)
    if (e.group == group) return e.per;
  return 0;
}

float DL_WEITLIST::GetByIndex(int i) const { return i >= 0 && i < Count() ? entries[i].per : 0.0f; }

void DL_WEITLIST::Clear() {
  entries.clear();
  flags = 0;
  colour = 0;
  WeightsChanged();
}

void DL_WEITLIST::Normalize(bool announce) {
  if (entries.empty()) return;
  if (entries.size() == 1) {
    entries[0].per = 1.0f;
  } else {
    float s = 0;
    for (const DL_VWEIT& e : entries) s += e.per;
    if (BelowWeightEpsilon(s) || s != s) return;
    float k = 1.0f / s;
    for (DL_VWEIT& e : entries) e.per = e.per * k;
  }
  flags |= WEITLIST_NORMALIZED;
  if (announce) WeightsChanged();
}

void DL_WEITLIST::CopyFrom(const DL_WEITLIST& other) {
  if (&other == this) return;
  Clear();
  for (const DL_VWEIT& e : other.entries)
    if (e.per > 0 && Paintable(e.group)) Set(e.group, e.per);
  UpdateColour();
}

void DL_WEITLIST::CopyExactly(const DL_WEITLIST& other) {
  if (&other == this) return;
  flags = other.flags;
  colour = other.colour;
  entries = other.entries;
  for (DL_VWEIT& e : entries) e.list = this;
  WeightsChanged();
}

void DL_WEITLIST::UpdateColour() {
  RGBA8 c(0, 0, 0, 255);
  for (const DL_VWEIT& e : entries)
    if (e.group != nullptr && (e.group->flags & OBJWEIT_SHOW) != 0) c = c + e.group->col * e.per;
  colour = 0xFF000000u | static_cast<uint32_t>(c.b) << 16 | static_cast<uint32_t>(c.g) << 8 | c.r;
}

void DL_WEITLIST::Forget(const DL_OBJWEIT* group) {
  bool any = false;
  for (size_t i = entries.size(); i-- > 0;) {
    if (entries[i].group == group) {
      entries.erase(entries.begin() + static_cast<long>(i));
      any = true;
    }
  }
  if (any) Changed();
}
