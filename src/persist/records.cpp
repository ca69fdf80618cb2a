#include "persist/records.h"

#include <stdio.h>
#include <string.h>

#include <unordered_map>
#include <vector>

#include "anim/channel.h"
#include "anim/frame.h"
#include "anim/motion.h"
#include "controller/log.h"
#include "host/text.h"
#include "mesh/morph.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"
#include "model/bone.h"
#include "model/model.h"

// ---- names and identifiers while reading ----

void BONE_NAMES::Collect(const DL_MODEL* model) {
  ids.clear();
  names.clear();
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    ids.insert(b->id);
    names.insert(b->name);
  }
}

int32_t BONE_NAMES::FreshId(DL_MODEL* model) {
  while (ids.count(model->next_bone_id) != 0) ++model->next_bone_id;
  return model->next_bone_id++;
}

void BONE_NAMES::UniqueName(const char* name, char (&out)[256]) const {
  if (names.count(name) == 0) {
    CopyText(out, sizeof out, name);
    return;
  }
  for (long n = 1;; ++n) {
    char suffix[32];
    snprintf(suffix, sizeof suffix, "_copy%ld", n);
    // The base gives way so that base and suffix fit.
    size_t room = sizeof out - 1 - strlen(suffix);
    size_t len = strlen(name);
    if (len > room) len = CharBoundary(name, room);
    memcpy(out, name, len);
    memcpy(out + len, suffix, strlen(suffix) + 1);
    if (names.count(out) == 0) return;
  }
}

// ---- values, keys, channels, tracks ----

namespace {

// A record's fixed fields gathered and written at once, in the stream's
// byte order: snapshots consist of millions of small values.
struct PACK {
  uint8_t bytes[64];
  size_t n = 0;
  bool native;
  explicit PACK(const DL_STREAM& s) : native(s.native_order) {}
  void Put(const void* p, size_t size) {
    if (native) memcpy(bytes + n, p, size);
    else
      for (size_t i = 0; i < size; ++i) bytes[n + i] = static_cast<const uint8_t*>(p)[size - 1 - i];
    n += size;
  }
  void Int(int32_t v) { Put(&v, 4); }
  void UInt(uint32_t v) { Put(&v, 4); }
  void Float(float v) { Put(&v, 4); }
  void Byte(uint8_t v) { bytes[n++] = v; }
  void Vec3(const VEC3& v) { Float(v.x), Float(v.y), Float(v.z); }
  void Value(const DL_VALUE& v) {
    Int(v.tag);
    for (uint32_t w : v.data) UInt(w);
  }
  bool WriteTo(DL_STREAM& s) const { return s.Write(bytes, n); }
};

// The reading side: a record's fixed fields read at once, then decoded.
struct UNPACK {
  uint8_t bytes[64];
  size_t n = 0;
  bool native;
  bool ok;
  UNPACK(DL_STREAM& s, size_t size) : native(s.native_order) { ok = size <= sizeof bytes && s.Read(bytes, size); }
  void Get(void* p, size_t size) {
    if (native) memcpy(p, bytes + n, size);
    else
      for (size_t i = 0; i < size; ++i) static_cast<uint8_t*>(p)[size - 1 - i] = bytes[n + i];
    n += size;
  }
  int32_t Int() {
    int32_t v;
    Get(&v, 4);
    return v;
  }
  uint32_t UInt() {
    uint32_t v;
    Get(&v, 4);
    return v;
  }
  float Float() {
    float v;
    Get(&v, 4);
    return v;
  }
  uint8_t Byte() { return bytes[n++]; }
  VEC3 Vec3() {
    float x = Float(), y = Float();
    return VEC3(x, y, Float());
  }
  DL_VALUE Value() {
    int32_t tag = Int();
    uint32_t words[4];
    for (uint32_t& w : words) w = UInt();
    return DL_VALUE::Raw(tag, words);
  }
};

}  // namespace

bool WriteValue(DL_STREAM& s, const DL_VALUE& v) {
  PACK p(s);
  p.Value(v);
  return p.WriteTo(s);
}

bool ReadValue(DL_STREAM& s, DL_VALUE* v) {
  UNPACK p(s, 20);
  if (!p.ok) return false;
  *v = p.Value();
  return true;
}

namespace {

bool WriteKey(DL_STREAM& s, const DL_KEY& k) {
  PACK p(s);
  p.UInt(k.flags);
  p.Float(k.frame);
  p.Int(k.line_type);
  p.Value(k.value);
  return p.WriteTo(s);
}

DL_VALUE Transformed(const DL_VALUE& v, KEY_TRANSFORM t) {
  if (t == KEYS_MIRROR_ROTATION && v.tag == VALUE_QUAT) {
    QUAT q = v.AsQuat();
    return DL_VALUE::Quat(QUAT(q.x, -q.y, -q.z, q.w).Normalized());
  }
  if (t == KEYS_MIRROR_TRANSLATION && v.tag == VALUE_VEC3) {
    VEC3 p = v.AsVec3();
    return DL_VALUE::Vec3(VEC3(-p.x, p.y, p.z));
  }
  return v;
}

}  // namespace

bool WriteChannel(DL_STREAM& s, const DL_CHANNEL& c, bool selected_only) {
  int32_t n = selected_only ? c.SelectedKeyCount() : c.KeyCount();
  if (!s.WriteUInt(c.flags) || !WriteValue(s, c.default_value) || !s.WriteInt(n)) return false;
  for (const DL_KEY* k : c.keys)
    if ((!selected_only || k->IsSelected()) && !WriteKey(s, *k)) return false;
  return true;
}

bool ReadChannel(DL_STREAM& s, DL_CHANNEL* c, float offset, KEY_TRANSFORM transform) {
  uint32_t flags;
  DL_VALUE fallback;
  int32_t n;
  if (!s.ReadUInt(&flags) || !ReadValue(s, &fallback) || !s.ReadInt(&n)) return false;
  if (c != nullptr) {
    c->flags = flags;
    c->default_value = fallback;
  }
  for (int32_t i = 0; i < n; ++i) {
    // Flags and line type are not kept: only the frame and the value.
    UNPACK p(s, 32);
    if (!p.ok) return false;
    p.UInt();
    float frame = p.Float();
    p.Int();
    DL_VALUE value = p.Value();
    float at = frame + offset;
    if (c != nullptr && IsFiniteFrame(at)) c->SetKey(at, Transformed(value, transform));
  }
  return true;
}

bool WriteMotBone(DL_STREAM& s, const DL_MOTBONE* t, bool selected_only) {
  return WriteChannel(s, t->rot, selected_only) && WriteChannel(s, t->trs, selected_only) &&
         WriteChannel(s, t->scl, selected_only);
}

bool ReadMotBone(DL_STREAM& s, DL_MOTBONE* t, float offset, bool mirror) {
  return ReadChannel(s, t != nullptr ? &t->rot : nullptr, offset, mirror ? KEYS_MIRROR_ROTATION : KEYS_AS_STORED) &&
         ReadChannel(s, t != nullptr ? &t->trs : nullptr, offset,
                     mirror ? KEYS_MIRROR_TRANSLATION : KEYS_AS_STORED) &&
         ReadChannel(s, t != nullptr ? &t->scl : nullptr, offset);
}

// ---- bones ----

namespace {

bool WriteBoneFields(DL_STREAM& s, const DL_BONE* b) {
  if (!s.WriteInt(b->id) || !s.WriteUInt(b->flags) || !s.WriteText(b->name) || !s.WriteVec3(b->pivot) ||
      !s.WriteVec3(b->target) || !s.WriteVec3(b->roll) || !s.WriteFloat(b->attach_range[0]) ||
      !s.WriteFloat(b->attach_range[1]) || !s.WriteInt(b->mirror.bone_id) ||
      !s.WriteInt(static_cast<int32_t>(b->tracks.tracks.size())))
    return false;
  for (const DL_MOTBONE* t : b->tracks.tracks)
    if (!WriteMotBone(s, t, false)) return false;
  return true;
}

bool ReadBoneFields(DL_STREAM& s, DL_MODEL* model, DL_BONE* b, const BONE_READ& how) {
  int32_t id;
  uint32_t flags;
  char name[256];
  VEC3 pivot, target, roll;
  float a0, a1;
  int32_t mirror, n;
  if (!s.ReadInt(&id) || !s.ReadUInt(&flags) || !s.ReadText(name, sizeof name) || !s.ReadVec3(&pivot) ||
      !s.ReadVec3(&target) || !s.ReadVec3(&roll) || !s.ReadFloat(&a0) || !s.ReadFloat(&a1) ||
      !s.ReadInt(&mirror) || !s.ReadInt(&n))
    return false;
  b->flags = flags;
  if (how.snapshot) {
    b->id = id;
    b->SetName(name);
  } else {
    BONE_NAMES& names = *how.names;
    if (names.ids.count(id) != 0) {
      id = names.FreshId(model);
      DLLog("ID(%08x)", static_cast<unsigned>(id));
    }
    b->id = id;
    names.ids.insert(id);
    DLLog("DeSerialize:__Name:%s", name);
    char unique[256];
    names.UniqueName(name, unique);
    b->SetName(unique);
    names.names.insert(b->name);
    if (how.matrix != nullptr) DLLog("DeSerialize:Name:%s", b->name);
  }
  if (!how.snapshot && how.matrix != nullptr) {
    pivot = how.matrix->Transform(pivot);
    target = how.matrix->Transform(target);
    roll = how.matrix->Transform(roll);
  }
  b->pivot = pivot;
  b->target = target;
  b->roll = roll;
  b->attach_range[0] = a0;
  b->attach_range[1] = a1;
  b->mirror.SetId(mirror);
  // Tracks beyond the model's motions (data from another document) are
  // read and discarded.
  for (int32_t i = 0; i < n; ++i) {
    DL_MOTBONE* t = i < static_cast<int32_t>(b->tracks.tracks.size()) ? b->tracks.tracks[i] : nullptr;
    if (!ReadMotBone(s, t, 0, how.mirror)) return false;
  }
  return true;
}

}  // namespace

bool WriteAllBones(DL_STREAM& s, const DL_MODEL* model) {
  // Preorder writes each record, then its child's subtree, then its sibling:
  // the order the nested form has.
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!WriteBoneFields(s, b)) return false;
    if (!s.WriteByte(b->first_child != nullptr ? 1 : 0) || !s.WriteByte(b->next != nullptr ? 1 : 0)) return false;
  }
  return true;
}

bool WriteSelectedBones(DL_STREAM& s, const DL_MODEL* model) {
  // The selected bones form a tree of their own: a bone's parent there is
  // its nearest selected ancestor. Written like the whole tree, every record
  // is reached by the reader.
  std::vector<const DL_BONE*> selected;
  std::vector<int> up;  // index of the nearest selected ancestor, or -1
  std::unordered_map<const DL_BONE*, int> nearest;  // bone -> nearest selected at or above it
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    auto above = b->parent != nullptr ? nearest.find(b->parent) : nearest.end();
    int ancestor = above != nearest.end() ? above->second : -1;
    if (b->HasFlag(BONE_SELECTED)) {
      selected.push_back(b);
      up.push_back(ancestor);
      ancestor = static_cast<int>(selected.size()) - 1;
    }
    nearest[b] = ancestor;
  }
  size_t n = selected.size();
  std::vector<uint8_t> has_child(n, 0), has_sibling(n, 0);
  std::unordered_map<int, bool> later;  // ancestor index -> a later bone shares it
  for (size_t i = n; i-- > 0;) {
    if (up[i] >= 0) has_child[up[i]] = 1;
    if (later.count(up[i]) != 0) has_sibling[i] = 1;
    later[up[i]] = true;
  }
  for (size_t i = 0; i < n; ++i)
    if (!WriteBoneFields(s, selected[i]) || !s.WriteByte(has_child[i]) || !s.WriteByte(has_sibling[i])) return false;
  return true;
}

bool ReadBones(DL_STREAM& s, DL_MODEL* model, DL_BONE* first, const BONE_READ& how) {
  // Bones still owed a following sibling, innermost last.
  std::vector<DL_BONE*> owed;
  DL_BONE* b = first;
  while (b != nullptr) {
    uint8_t child, sibling;
    if (!ReadBoneFields(s, model, b, how) || !s.ReadByte(&child) || !s.ReadByte(&sibling)) return false;
    if (sibling) owed.push_back(b);
    if (child) {
      b = model->NewBoneAsLastChild(b);
      continue;
    }
    if (owed.empty()) break;
    DL_BONE* elder = owed.back();
    owed.pop_back();
    b = model->NewBoneAfter(elder);
  }
  return true;
}

// ---- mesh records ----

namespace {

bool WriteWeightList(DL_STREAM& s, const DL_WEITLIST& w) {
  PACK head(s);
  head.Byte(w.IsNormalized() ? 1 : 0);
  head.UInt(w.colour);
  head.Int(w.Count());
  if (!head.WriteTo(s)) return false;
  for (const DL_VWEIT& e : w.entries) {
    PACK p(s);
    p.Int(e.group != nullptr ? e.group->id : 0);
    p.Float(e.per);
    if (!p.WriteTo(s)) return false;
  }
  return true;
}

// The object's groups by identifier, the first of each.
typedef std::unordered_map<int32_t, DL_OBJWEIT*> GROUPS;

GROUPS GroupsById(const DL_OBJ* obj) {
  GROUPS map;
  for (DL_OBJWEIT* g : obj->weight_groups) map.emplace(g->id, g);
  return map;
}

bool ReadWeightList(DL_STREAM& s, const GROUPS& groups, DL_WEITLIST* w) {
  UNPACK head(s, 9);
  if (!head.ok) return false;
  uint8_t normalized = head.Byte();
  uint32_t colour = head.UInt();
  int32_t n = head.Int();
  w->entries.clear();
  // A count the remaining bytes cannot hold reserves nothing.
  if (n > 0 && static_cast<size_t>(n) <= s.Remaining() / 8) w->entries.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    UNPACK p(s, 8);
    if (!p.ok) return false;
    int32_t id = p.Int();
    float per = p.Float();
    auto it = groups.find(id);
    DL_OBJWEIT* g = it != groups.end() ? it->second : nullptr;
    if (g == nullptr) {
      DLLog("objweit==NULL");
      continue;
    }
    w->entries.push_back({per, g, w});
  }
  w->flags = (normalized & 1) != 0 ? static_cast<uint32_t>(WEITLIST_NORMALIZED) : 0u;
  w->colour = colour;
  WeightsChanged();
  return true;
}

template <typename LIST, typename T>
int32_t IndexIn(const LIST& list, const T* item) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return static_cast<int32_t>(i);
  return -1;
}

bool WriteMorph(DL_STREAM& s, const DL_MORPH* m) {
  if (!s.WriteText(m->name) || !s.WriteInt(m->group) || !s.WriteInt(static_cast<int32_t>(m->tracks.tracks.size())))
    return false;
  for (const DL_MORPHTRACK* t : m->tracks.tracks)
    if (!WriteChannel(s, t->weight, false)) return false;
  return s.WriteInt(IndexIn(m->tracks.tracks, m->tracks.current));
}

bool ReadMorph(DL_STREAM& s, DL_MODEL* model, DL_OBJ* obj) {
  DL_MORPH* m = new DL_MORPH();
  m->owner = obj;
  m->index = static_cast<int32_t>(obj->morphs.size());
  obj->morphs.push_back(m);
  for (DL_MOT* mot : model->motions) m->tracks.Add(m, mot);
  int32_t n, current;
  if (!s.ReadText(m->name, sizeof m->name) || !s.ReadInt(&m->group) || !s.ReadInt(&n)) return false;
  for (int32_t i = 0; i < n; ++i) {
    DL_MORPHTRACK* t = i < static_cast<int32_t>(m->tracks.tracks.size()) ? m->tracks.tracks[i] : nullptr;
    if (!ReadChannel(s, t != nullptr ? &t->weight : nullptr)) return false;
  }
  if (!s.ReadInt(&current)) return false;
  m->tracks.current = current >= 0 && current < static_cast<int32_t>(m->tracks.tracks.size()) ? m->tracks.tracks[current]
                                                                                                : nullptr;
  return true;
}

bool WriteGroup(DL_STREAM& s, const DL_OBJWEIT* g) {
  const DL_BONE* b = g->bone.Get();
  return s.WriteUInt(g->flags) && s.WriteInt(g->id) && s.WriteInt(g->auto_type) && s.WriteColor(g->col) &&
         s.WriteInt(b != nullptr ? b->id : g->bone.bone_id);
}

bool ReadGroup(DL_STREAM& s, DL_OBJ* obj) {
  DL_OBJWEIT* g = new DL_OBJWEIT();
  g->owner = obj;
  obj->weight_groups.push_back(g);
  int32_t bone;
  if (!s.ReadUInt(&g->flags) || !s.ReadInt(&g->id) || !s.ReadInt(&g->auto_type) || !s.ReadColor(&g->col) ||
      !s.ReadInt(&bone))
    return false;
  if (bone != 0) g->bone.SetId(bone);
  return true;
}

bool WriteVertex(DL_STREAM& s, const DL_OBJVERT* v) {
  PACK head(s);
  head.Vec3(v->host_pos);
  head.Vec3(v->skinned_pos);
  head.Int(v->vertex_uid);
  if (!head.WriteTo(s) || !WriteWeightList(s, v->weights)) return false;
  // The morph shapes: snapshots would lose every target without them.
  PACK base(s);
  base.Vec3(v->base_pos);
  base.Int(static_cast<int32_t>(v->target_pos.size()));
  if (!base.WriteTo(s)) return false;
  for (const VEC3& t : v->target_pos)
    if (!s.WriteVec3(t)) return false;
  return true;
}

bool ReadVertex(DL_STREAM& s, DL_OBJ* obj, const GROUPS& groups) {
  DL_OBJVERT* v = new DL_OBJVERT();
  v->owner = obj;
  obj->vertices.push_back(v);
  UNPACK head(s, 28);
  if (!head.ok) return false;
  v->host_pos = head.Vec3();
  v->skinned_pos = head.Vec3();
  v->vertex_uid = head.Int();
  if (!ReadWeightList(s, groups, &v->weights)) return false;
  UNPACK base(s, 16);
  if (!base.ok) return false;
  v->base_pos = base.Vec3();
  int32_t targets = base.Int();
  for (int32_t i = 0; i < targets; ++i) {
    VEC3 p;
    if (!s.ReadVec3(&p)) return false;
    v->target_pos.push_back(p);
  }
  // One position per target, whatever was stored.
  v->target_pos.resize(obj->morphs.size(), v->base_pos);
  v->morphed_pos = v->base_pos;
  return true;
}

bool WriteObject(DL_STREAM& s, const DL_OBJ* o) {
  if (!s.WriteInt(o->object_uid) || !s.WriteUInt(o->flags) || !s.WriteInt(o->saved_source_visibility) ||
      !s.WriteInt(static_cast<int32_t>(o->morphs.size())))
    return false;
  for (const DL_MORPH* m : o->morphs)
    if (!WriteMorph(s, m)) return false;
  if (!s.WriteInt(IndexIn(o->morphs, o->current_morph)) || !s.WriteInt(static_cast<int32_t>(o->weight_groups.size())))
    return false;
  for (const DL_OBJWEIT* g : o->weight_groups)
    if (!WriteGroup(s, g)) return false;
  if (!s.WriteInt(IndexIn(o->weight_groups, o->current_weight_group)) || !s.WriteInt(o->VertexCount())) return false;
  for (const DL_OBJVERT* v : o->vertices)
    if (!WriteVertex(s, v)) return false;
  if (!s.WriteInt(static_cast<int32_t>(o->tracks.tracks.size()))) return false;
  for (const DL_OBJTRACK* t : o->tracks.tracks)
    if (!WriteChannel(s, t->visibility, false)) return false;
  // What an undo would otherwise lose: the object bone, the group
  // counters and the palette.
  const DL_BONE* ob = o->obj_bone.Get();
  if (!s.WriteInt(ob != nullptr ? ob->id : o->obj_bone.bone_id) || !s.WriteInt(o->next_weit_id) ||
      !s.WriteInt(o->next_weit_col) || !s.WriteInt(o->palette_slot) || !s.WriteInt(o->palette_entry))
    return false;
  for (const DL_WEITLIST& w : o->palette)
    if (!WriteWeightList(s, w)) return false;
  return true;
}

bool ReadObject(DL_STREAM& s, DL_MODEL* model) {
  int32_t uid, vis, count, current;
  uint32_t flags;
  if (!s.ReadInt(&uid)) return false;
  DL_OBJ* o = model->NewObject(uid);
  if (!s.ReadUInt(&flags) || !s.ReadInt(&vis) || !s.ReadInt(&count)) return false;
  o->flags = flags;
  o->saved_source_visibility = vis;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadMorph(s, model, o)) return false;
  if (!s.ReadInt(&current)) return false;
  o->current_morph = current >= 0 && current < static_cast<int32_t>(o->morphs.size()) ? o->morphs[current] : nullptr;
  if (!s.ReadInt(&count)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadGroup(s, o)) return false;
  if (!s.ReadInt(&current)) return false;
  o->current_weight_group =
      current >= 0 && current < static_cast<int32_t>(o->weight_groups.size()) ? o->weight_groups[current] : nullptr;
  if (!s.ReadInt(&count)) return false;
  GROUPS groups = GroupsById(o);
  for (int32_t i = 0; i < count; ++i)
    if (!ReadVertex(s, o, groups)) return false;
  if (!s.ReadInt(&count)) return false;
  for (int32_t i = 0; i < count; ++i) {
    DL_OBJTRACK* t = i < static_cast<int32_t>(o->tracks.tracks.size()) ? o->tracks.tracks[i] : nullptr;
    if (!ReadChannel(s, t != nullptr ? &t->visibility : nullptr)) return false;
  }
  int32_t bone;
  if (!s.ReadInt(&bone) || !s.ReadInt(&o->next_weit_id) || !s.ReadInt(&o->next_weit_col) ||
      !s.ReadInt(&o->palette_slot) || !s.ReadInt(&o->palette_entry))
    return false;
  if (bone != 0) o->obj_bone.SetId(bone);
  for (DL_WEITLIST& w : o->palette)
    if (!ReadWeightList(s, groups, &w)) return false;
  return true;
}

bool WriteMaterial(DL_STREAM& s, const DL_MTL* t) {
  if (!s.WriteInt(t->material_id) || !s.WriteUInt(t->flags) || !s.WriteInt(static_cast<int32_t>(t->tracks.tracks.size())))
    return false;
  for (const DL_MTLTRACK* k : t->tracks.tracks)
    if (!WriteChannel(s, k->alpha, false) || !WriteChannel(s, k->colour, false)) return false;
  return true;
}

bool ReadMaterial(DL_STREAM& s, DL_MODEL* model) {
  int32_t id, n;
  if (!s.ReadInt(&id)) return false;
  DL_MTL* t = model->NewMaterial(id);
  if (!s.ReadUInt(&t->flags) || !s.ReadInt(&n)) return false;
  for (int32_t i = 0; i < n; ++i) {
    DL_MTLTRACK* k = i < static_cast<int32_t>(t->tracks.tracks.size()) ? t->tracks.tracks[i] : nullptr;
    if (!ReadChannel(s, k != nullptr ? &k->alpha : nullptr) || !ReadChannel(s, k != nullptr ? &k->colour : nullptr))
      return false;
  }
  return true;
}

// The motion header, with the frame rate an undo would otherwise reset.
bool WriteMotionHeader(DL_STREAM& s, const DL_MOT* m) {
  const DL_BONE* b = m->bone.Get();
  return s.WriteUInt(m->flags) && s.WriteInt(m->id) && s.WriteText(m->name) && s.WriteFloat(m->start_frame) &&
         s.WriteFloat(m->end_frame) && s.WriteFloat(m->current_frame) &&
         s.WriteInt(b != nullptr ? b->id : m->bone.bone_id) && s.WriteFloat(m->rate);
}

bool ReadMotionHeader(DL_STREAM& s, DL_MOT* m, bool keep_id) {
  uint32_t flags;
  int32_t id, bone;
  char name[256];
  float start, end, current, rate;
  if (!s.ReadUInt(&flags) || !s.ReadInt(&id) || !s.ReadText(name, sizeof name) || !s.ReadFloat(&start) ||
      !s.ReadFloat(&end) || !s.ReadFloat(&current) || !s.ReadInt(&bone) || !s.ReadFloat(&rate))
    return false;
  m->flags = flags & ~MOT_PLAYING;
  if (keep_id) m->id = id;
  m->SetName(name);
  m->SetStartFrame(start);
  m->SetEndFrame(end);
  m->SetCurrentFrame(current);
  m->SetRate(rate);
  if (bone != 0) m->bone.SetId(bone);
  else m->bone.Set(nullptr);
  return true;
}

}  // namespace

// ---- the whole model ----

bool WriteModel(DL_STREAM& s, const DL_MODEL* model) {
  if (!s.WriteInt(static_cast<int32_t>(model->motions.size()))) return false;
  for (const DL_MOT* m : model->motions)
    if (!WriteMotionHeader(s, m)) return false;
  if (!s.WriteInt(model->IndexOfMotion(model->current_motion)) || !s.WriteInt(model->bone_count)) return false;
  if (model->bone_count != 0 && !WriteAllBones(s, model)) return false;
  if (!s.WriteInt(model->current_bone != nullptr ? model->IndexOfBone(model->current_bone) : -1) ||
      !s.WriteInt(static_cast<int32_t>(model->materials.size())))
    return false;
  for (const DL_MTL* t : model->materials)
    if (!WriteMaterial(s, t)) return false;
  if (!s.WriteInt(static_cast<int32_t>(model->objects.size()))) return false;
  for (const DL_OBJ* o : model->objects)
    if (!WriteObject(s, o)) return false;
  return true;
}

bool ReadModel(DL_STREAM& s, DL_MODEL* model) {
  model->Clear();
  int32_t count, index;
  if (!s.ReadInt(&count)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadMotionHeader(s, model->AddMotion(), true)) return false;
  if (!s.ReadInt(&index)) return false;
  DL_MOT* current = index >= 0 && index < static_cast<int32_t>(model->motions.size()) ? model->motions[index] : nullptr;
  model->MakeCurrentMotion(current);
  if (!s.ReadInt(&count)) return false;
  if (count != 0) {
    BONE_READ how;
    how.snapshot = true;
    if (!ReadBones(s, model, model->NewBoneAsLastChild(nullptr), how)) return false;
  }
  if (!s.ReadInt(&index)) return false;
  model->current_bone = model->BoneAt(index);
  if (!s.ReadInt(&count)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadMaterial(s, model)) return false;
  if (!s.ReadInt(&count)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadObject(s, model)) return false;
  model->MakeCurrentMotion(current);
  return true;
}

// ---- one motion with its tracks ----

bool WriteMotionWithTracks(DL_STREAM& s, const DL_MODEL* model, const DL_MOT* m) {
  if (!WriteMotionHeader(s, m)) return false;
  for (const DL_OBJ* o : model->objects) {
    for (const DL_MORPH* t : o->morphs) {
      const DL_MORPHTRACK* k = t->tracks.Find(m);
      if (k != nullptr && !WriteChannel(s, k->weight, false)) return false;
    }
    const DL_OBJTRACK* k = o->tracks.Find(m);
    if (k != nullptr && !WriteChannel(s, k->visibility, false)) return false;
  }
  for (const DL_MTL* t : model->materials) {
    const DL_MTLTRACK* k = t->tracks.Find(m);
    if (k != nullptr && (!WriteChannel(s, k->alpha, false) || !WriteChannel(s, k->colour, false))) return false;
  }
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    const DL_MOTBONE* k = b->tracks.Find(m);
    if (k == nullptr || !WriteMotBone(s, k, false)) return false;
    if (!s.WriteByte(b->first_child != nullptr ? 1 : 0) || !s.WriteByte(b->next != nullptr ? 1 : 0)) return false;
  }
  return true;
}

bool ReadMotionWithTracks(DL_STREAM& s, DL_MODEL* model, DL_MOT* m) {
  int32_t id = m->id;
  if (!ReadMotionHeader(s, m, false)) return false;
  m->id = id;  // a copy keeps its own identifier
  for (DL_OBJ* o : model->objects) {
    for (DL_MORPH* t : o->morphs) {
      DL_MORPHTRACK* k = t->tracks.Find(m);
      if (k != nullptr && !ReadChannel(s, &k->weight)) return false;
    }
    DL_OBJTRACK* k = o->tracks.Find(m);
    if (k != nullptr && !ReadChannel(s, &k->visibility)) return false;
  }
  for (DL_MTL* t : model->materials) {
    DL_MTLTRACK* k = t->tracks.Find(m);
    if (k != nullptr && (!ReadChannel(s, &k->alpha) || !ReadChannel(s, &k->colour))) return false;
  }
  // The same tree as when written: the bytes need only be consumed.
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    uint8_t child, sibling;
    if (!ReadMotBone(s, b->tracks.Find(m)) || !s.ReadByte(&child) || !s.ReadByte(&sibling)) return false;
  }
  return true;
}
