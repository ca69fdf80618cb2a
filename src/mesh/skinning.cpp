// Linear blend skinning: every vertex's edited shape moved by its weighted
// bones, each matrix applied separately and the results blended.
#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "mesh/morph.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"
#include "model/bone.h"

VEC3 DL_OBJ::EditedShape(const DL_OBJVERT* v) const {
  if (v->owner == nullptr) return VEC3(0, 0, 0);
  if (!HasFlag(OBJ_MORPH_EDIT)) return v->morphed_pos;
  int i = current_morph != nullptr ? current_morph->index : -1;
  if (i >= 0 && i < static_cast<int>(v->target_pos.size())) return v->target_pos[i];
  return v->base_pos;
}

namespace {

const MAT44* BoneMatrix(const DL_OBJWEIT* g) {
  const DL_BONE* b = g != nullptr ? g->bone.Get() : nullptr;
  return b != nullptr ? &b->matrix : nullptr;
}

// The plain per-entry formula; the fast path must give the same bits.
VEC3 SkinVertex(DL_OBJVERT* v, const VEC3& p) {
  DL_WEITLIST& w = v->weights;
  if (w.entries.empty()) return p;
  if (w.entries.size() == 1) {
    const MAT44* m = BoneMatrix(w.entries[0].group);
    return m != nullptr ? m->Transform(p) : p;
  }
  if (!w.IsNormalized()) w.Normalize(false);
  VEC3 sum(0, 0, 0);
  for (const DL_VWEIT& e : w.entries) {
    const MAT44* m = BoneMatrix(e.group);
    sum += (m != nullptr ? m->Transform(p) : p) * e.per;
  }
  return sum;
}

}  // namespace

void DL_OBJ::DeformReference() {
  if (!HasFlag(OBJ_USE_WEIGHT)) {
    const DL_BONE* b = obj_bone.Get();
    for (DL_OBJVERT* v : vertices) {
      VEC3 p = EditedShape(v);
      v->skinned_pos = b != nullptr ? b->matrix.Transform(p) : p;
    }
    return;
  }
  for (DL_OBJVERT* v : vertices) v->skinned_pos = SkinVertex(v, EditedShape(v));
}

namespace {

// Normalises the lists that need it (as deforming would) and flattens the
// weights, in entry order, with each entry's bone matrix.
void BuildSkinCache(std::vector<DL_OBJVERT*>& vertices, SKIN_CACHE* cache) {
  size_t n = vertices.size();
  cache->kind.assign(n, SKIN_STATIC);
  cache->start.assign(n + 1, 0);
  cache->entries.clear();
  for (size_t i = 0; i < n; ++i) {
    DL_WEITLIST& w = vertices[i]->weights;
    cache->start[i] = static_cast<uint32_t>(cache->entries.size());
    if (w.entries.size() == 1) {
      const MAT44* m = BoneMatrix(w.entries[0].group);
      if (m != nullptr) {
        cache->kind[i] = SKIN_ONE;
        cache->entries.push_back({m, 1.0f});
      }
    } else if (w.entries.size() > 1) {
      if (!w.IsNormalized()) w.Normalize(false);
      cache->kind[i] = SKIN_BLEND;
      for (const DL_VWEIT& e : w.entries) cache->entries.push_back({BoneMatrix(e.group), e.per});
    }
  }
  cache->start[n] = static_cast<uint32_t>(cache->entries.size());
  cache->generation = WeightGeneration();
}

}  // namespace

namespace {

#if defined(__SSE2__)
// p . M with the four columns in one register: every lane does exactly the
// scalar operations in the scalar order, so the bits are the same.
inline __m128 TransformLanes(const MAT44& m, __m128 x, __m128 y, __m128 z) {
  __m128 r = _mm_add_ps(_mm_mul_ps(x, _mm_loadu_ps(m.m[0])), _mm_mul_ps(y, _mm_loadu_ps(m.m[1])));
  r = _mm_add_ps(r, _mm_mul_ps(z, _mm_loadu_ps(m.m[2])));
  return _mm_add_ps(r, _mm_loadu_ps(m.m[3]));
}

inline VEC3 Store(__m128 v) {
  float out[4];
  _mm_storeu_ps(out, v);
  return VEC3(out[0], out[1], out[2]);
}

VEC3 Blend(const SKIN_ENTRY* e, const SKIN_ENTRY* end, const VEC3& p) {
  __m128 x = _mm_set1_ps(p.x), y = _mm_set1_ps(p.y), z = _mm_set1_ps(p.z);
  __m128 unposed = _mm_setr_ps(p.x, p.y, p.z, 0);
  __m128 sum = _mm_setzero_ps();
  for (; e != end; ++e) {
    __m128 t = e->matrix != nullptr ? TransformLanes(*e->matrix, x, y, z) : unposed;
    sum = _mm_add_ps(sum, _mm_mul_ps(t, _mm_set1_ps(e->weight)));
  }
  return Store(sum);
}

VEC3 TransformOne(const MAT44& m, const VEC3& p) {
  return Store(TransformLanes(m, _mm_set1_ps(p.x), _mm_set1_ps(p.y), _mm_set1_ps(p.z)));
}
#else
VEC3 Blend(const SKIN_ENTRY* e, const SKIN_ENTRY* end, const VEC3& p) {
  VEC3 sum(0, 0, 0);
  for (; e != end; ++e) sum += (e->matrix != nullptr ? e->matrix->Transform(p) : p) * e->weight;
  return sum;
}

VEC3 TransformOne(const MAT44& m, const VEC3& p) { return m.Transform(p); }
#endif

}  // namespace

void DL_OBJ::Deform() {
  if (!HasFlag(OBJ_USE_WEIGHT)) {
    DeformReference();
    return;
  }
  if (skin.generation != WeightGeneration() || skin.kind.size() != vertices.size()) BuildSkinCache(vertices, &skin);
  const SKIN_ENTRY* entries = skin.entries.data();
  const uint32_t* start = skin.start.data();
  const uint8_t* kind = skin.kind.data();
  size_t n = vertices.size();
  for (size_t i = 0; i < n; ++i) {
    DL_OBJVERT* v = vertices[i];
    VEC3 p = EditedShape(v);
    if (kind[i] == SKIN_STATIC) v->skinned_pos = p;
    else if (kind[i] == SKIN_ONE) v->skinned_pos = TransformOne(*entries[start[i]].matrix, p);
    else v->skinned_pos = Blend(entries + start[i], entries + start[i + 1], p);
  }
}
