#include "model/clipboard.h"

#include <string.h>

#include <algorithm>

#include "anim/motion.h"
#include "controller/log.h"
#include "mesh/morph.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "model/bone.h"
#include "model/bone_edit.h"
#include "model/model.h"
#include "persist/records.h"
#include "ui/clipboard.h"

namespace {

enum : uint32_t { CHUNK_OBJECT = 4096, CHUNK_MATERIAL = 4097, CHUNK_BONE = 4098 };

const float kNoLowestFrame = 3.4028235e38f;
const float kNoHighestFrame = 1.1754944e-38f;

void Take(const DL_STREAM& s, std::vector<uint8_t>* bytes) { bytes->assign(s.Data(), s.Data() + s.DataLength()); }

bool Put(uint32_t format, const std::vector<uint8_t>& bytes) {
  return ClipboardPut(nullptr, format, bytes.data(), bytes.size());
}

std::vector<uint8_t> Get(uint32_t format, bool* present) {
  size_t size = 0;
  uint8_t* data = ClipboardGet(nullptr, format, &size);
  *present = data != nullptr;
  std::vector<uint8_t> bytes(data, data + size);
  ClipboardFree(data);
  return bytes;
}

}  // namespace

const CLIPBOARD_FORMATS& ClipboardFormats() {
  static CLIPBOARD_FORMATS formats;
  if (formats.bone == 0) {
    formats.bone = ClipboardRegisterFormat("CF_UPL_BONE");
    formats.morphvert = ClipboardRegisterFormat("CF_UPL_MORPHVERT");
    formats.key = ClipboardRegisterFormat("CF_UPL_KEY");
  }
  return formats;
}

// ---- bones ----

bool WriteBoneClipboard(const DL_MODEL* model, std::vector<uint8_t>* bytes) {
  int32_t selected = 0;
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    selected += b->HasFlag(BONE_SELECTED) ? 1 : 0;
  if (selected == 0) return false;
  DLLog("CopySelectBoneSub++++++++++++++++++++++++++++++++++++++");
  DLLog("select_bone_num(%d)", selected);
  DL_STREAM s;
  s.CreateMemory(65536);
  if (!s.WriteInt(selected) || !WriteSelectedBones(s, model)) return false;
  s.ShrinkToFit();
  Take(s, bytes);
  return true;
}

namespace {

// Reads the bone data under parent. Returns false when the records are cut
// short; what was created is then left for the caller to throw away.
bool ReadBonesInto(DL_MODEL* model, const uint8_t* bytes, size_t size, DL_BONE* parent, bool mirror, bool log,
                   std::vector<DL_BONE*>* pasted) {
  DL_STREAM s;
  s.OpenView(bytes, size);
  int32_t count;
  if (!s.ReadInt(&count)) return false;
  if (log) DLLog("num(%d)", count);
  if (count == 0) return true;
  MAT44 matrix = mirror ? MAT44::Scale(VEC3(-1, 1, 1)) : MAT44();
  BONE_NAMES names;
  names.Collect(model);
  BONE_READ how;
  how.matrix = &matrix;
  how.mirror = mirror;
  how.names = &names;
  DL_BONE* first = model->NewBoneAsLastChild(parent != nullptr && model->HasBone(parent) ? parent : nullptr);
  DL_BONE* after = first->next;
  bool ok = ReadBones(s, model, first, how);
  for (DL_BONE* b = first; b != nullptr && b != after; b = b->NextBelow(first->parent)) pasted->push_back(b);
  return ok;
}

}  // namespace

bool ReadBoneClipboard(DL_MODEL* model, const uint8_t* bytes, size_t size, DL_BONE* parent, bool mirror) {
  // First into a scratch model with as many motions: only bytes that parse
  // reach the real one.
  {
    DL_MODEL scratch;
    for (size_t i = 0; i < model->motions.size(); ++i) scratch.AddMotion();
    std::vector<DL_BONE*> ignored;
    if (!ReadBonesInto(&scratch, bytes, size, nullptr, mirror, false, &ignored)) return false;
  }
  std::vector<DL_BONE*> pasted;
  if (!ReadBonesInto(model, bytes, size, parent, mirror, true, &pasted)) return false;
  for (DL_BONE* b : pasted) b->mirror.Resolve(model);
  return true;
}

bool CopyBones(DL_MODEL* model) {
  if (model->HasFlag(MODEL_MOTION)) return false;
  std::vector<uint8_t> bytes;
  if (!WriteBoneClipboard(model, &bytes)) return false;
  DLLog("CopyBone");
  return Put(ClipboardFormats().bone, bytes);
}

bool CutBones(DL_MODEL* model) {
  if (!CopyBones(model)) return false;
  return DeleteSelectedBones(model);
}

bool PasteBones(DL_MODEL* model, bool mirror) {
  if (model->HasFlag(MODEL_MOTION)) return false;
  bool present;
  std::vector<uint8_t> bytes = Get(ClipboardFormats().bone, &present);
  if (!present) return false;
  return ReadBoneClipboard(model, bytes.data(), bytes.size(), model->current_bone, mirror);
}

// ---- keys ----

namespace {

void Widen(const DL_CHANNEL& c, float* lo, float* hi) {
  for (const DL_KEY* k : c.keys)
    if (k->IsSelected()) {
      *lo = std::min(*lo, k->frame);
      *hi = std::max(*hi, k->frame);
    }
}

}  // namespace

bool WriteKeyClipboard(const DL_MODEL* model, std::vector<uint8_t>* bytes) {
  const DL_MOT* m = model->current_motion;
  if (m == nullptr) return false;
  float lo = kNoLowestFrame, hi = kNoHighestFrame;
  for (const DL_OBJ* o : model->objects) {
    for (const DL_MORPH* t : o->morphs)
      if (const DL_MORPHTRACK* k = t->tracks.Find(m)) Widen(k->weight, &lo, &hi);
    if (const DL_OBJTRACK* k = o->tracks.Find(m)) Widen(k->visibility, &lo, &hi);
  }
  for (const DL_MTL* t : model->materials)
    if (const DL_MTLTRACK* k = t->tracks.Find(m)) {
      Widen(k->alpha, &lo, &hi);
      Widen(k->colour, &lo, &hi);
    }
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    if (const DL_MOTBONE* k = b->tracks.Find(m)) {
      Widen(k->rot, &lo, &hi);
      Widen(k->trs, &lo, &hi);
      Widen(k->scl, &lo, &hi);
    }
  DLLog("Range(%f,%f)", lo, hi);

  DL_STREAM s;
  s.CreateMemory(65536);
  bool ok = s.WriteFloat(lo) && s.WriteFloat(hi);
  for (const DL_OBJ* o : model->objects) {
    ok = ok && s.BeginChunk(CHUNK_OBJECT) && s.WriteInt(o->object_uid);
    for (const DL_MORPH* t : o->morphs)
      if (const DL_MORPHTRACK* k = t->tracks.Find(m)) ok = ok && WriteChannel(s, k->weight, true);
    if (const DL_OBJTRACK* k = o->tracks.Find(m)) ok = ok && WriteChannel(s, k->visibility, true);
    ok = ok && s.EndChunk();
  }
  for (const DL_MTL* t : model->materials) {
    const DL_MTLTRACK* k = t->tracks.Find(m);
    if (k == nullptr) continue;
    ok = ok && s.BeginChunk(CHUNK_MATERIAL) && s.WriteInt(t->material_id) && WriteChannel(s, k->alpha, true) &&
         WriteChannel(s, k->colour, true) && s.EndChunk();
  }
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    ok = ok && s.BeginChunk(CHUNK_BONE) && s.WriteInt(b->id);
    if (const DL_MOTBONE* k = b->tracks.Find(m)) ok = ok && WriteMotBone(s, k, true);
    ok = ok && s.EndChunk();
  }
  if (!ok) return false;
  s.ShrinkToFit();
  Take(s, bytes);
  return true;
}

namespace {

// Reads the key data into the model's current motion, or with apply false
// only checks that every record in it is whole.
bool ReadKeys(DL_MODEL* model, const uint8_t* bytes, size_t size, float frame, bool apply) {
  DL_MOT* m = model->current_motion;
  DL_STREAM s;
  s.OpenView(bytes, size);
  float lo, hi;
  if (!s.ReadFloat(&lo) || !s.ReadFloat(&hi)) return false;
  float offset = frame - lo;
  uint32_t tag;
  size_t end;
  // Fewer than eight bytes, or a header that is no chunk, end the data.
  while (s.ReadChunkHeader(&tag, &end)) {
    int32_t id;
    if (s.Remaining() > 0 && end > s.Tell() + 3) {
      if (!s.ReadInt(&id)) return false;
      if (tag == CHUNK_OBJECT) {
        DL_OBJ* o = apply ? model->FindObjectByUid(id) : nullptr;
        // The chunk carries no count: the last channel is the object
        // track, the ones before it the targets in order.
        std::vector<size_t> starts;
        while (!s.AtOrAfter(end)) {
          starts.push_back(s.Tell());
          if (!ReadChannel(s, nullptr)) return false;
        }
        if (o != nullptr) {
          for (size_t i = 0; i < starts.size(); ++i) {
            DL_CHANNEL* c = nullptr;
            if (i + 1 == starts.size()) {
              DL_OBJTRACK* k = o->tracks.Find(m);
              c = k != nullptr ? &k->visibility : nullptr;
            } else if (i < o->morphs.size()) {
              DL_MORPHTRACK* k = o->morphs[i]->tracks.Find(m);
              c = k != nullptr ? &k->weight : nullptr;
            }
            if (c == nullptr) continue;
            s.Seek(starts[i]);
            ReadChannel(s, c, offset);
          }
        }
      } else if (tag == CHUNK_MATERIAL) {
        DL_MTL* t = apply ? model->FindMaterialById(id) : nullptr;
        DL_MTLTRACK* k = t != nullptr ? t->tracks.Find(m) : nullptr;
        if (!ReadChannel(s, k != nullptr ? &k->alpha : nullptr, offset) ||
            !ReadChannel(s, k != nullptr ? &k->colour : nullptr, offset))
          return false;
      } else if (tag == CHUNK_BONE) {
        DL_BONE* b = apply ? model->FindBoneById(id) : nullptr;
        DL_MOTBONE* k = b != nullptr ? b->tracks.Find(m) : nullptr;
        if (!s.AtOrAfter(end) && !ReadMotBone(s, k, offset)) return false;
      }
    }
    if (!s.SkipToChunkEnd(end)) break;
  }
  return true;
}

}  // namespace

bool ReadKeyClipboard(DL_MODEL* model, const uint8_t* bytes, size_t size, float frame) {
  if (model->current_motion == nullptr) return false;
  if (!ReadKeys(model, bytes, size, frame, false)) return false;
  return ReadKeys(model, bytes, size, frame, true);
}

bool CopyKeys(DL_MODEL* model) {
  std::vector<uint8_t> bytes;
  if (!WriteKeyClipboard(model, &bytes)) return false;
  return Put(ClipboardFormats().key, bytes);
}

bool CutKeys(DL_MODEL* model) {
  if (!CopyKeys(model)) return false;
  model->current_motion->key_table.DeleteSelectedKeys();
  return true;
}

bool PasteKeys(DL_MODEL* model, float frame) {
  if (model->current_motion == nullptr) return false;
  bool present;
  std::vector<uint8_t> bytes = Get(ClipboardFormats().key, &present);
  if (!present) return false;
  return ReadKeyClipboard(model, bytes.data(), bytes.size(), frame);
}
