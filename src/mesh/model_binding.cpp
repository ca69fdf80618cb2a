// The model's side of binding: records for the document's objects and
// materials, the deformation display, and freezing the pose into the host.
#include <unordered_map>

#include "anim/motion.h"
#include "controller/dlmain.h"
#include "host/host_table.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/bone_edit.h"
#include "model/model.h"

namespace {

struct HOST_OBJECT {
  MQObject object;
  int index;
};

// The document's objects by identity, the first of each identity.
std::unordered_map<int32_t, HOST_OBJECT> HostObjects(MQDocument doc) {
  std::unordered_map<int32_t, HOST_OBJECT> map;
  if (doc == nullptr) return map;
  int n = MQDoc_GetObjectCount(doc);
  for (int i = 0; i < n; ++i) {
    MQObject o = MQDoc_GetObject(doc, i);
    if (o != nullptr) map.emplace(MQObj_GetIntValue(o, 260), HOST_OBJECT{o, i});
  }
  return map;
}

}  // namespace

void DL_MODEL::Synchronize() {
  std::unordered_map<int32_t, HOST_OBJECT> host = HostObjects(document);
  // Records whose host object is gone go; the others keep their order.
  std::vector<DL_OBJ*> kept;
  for (DL_OBJ* o : objects) {
    auto it = host.find(o->object_uid);
    if (it == host.end()) {
      if (current_object == o) current_object = nullptr;
      delete o;
      continue;
    }
    o->source = it->second.object;
    o->source_index = it->second.index;
    kept.push_back(o);
  }
  objects.swap(kept);
  // Host objects without a record get one, in document order.
  std::unordered_map<int32_t, DL_OBJ*> bound;
  for (DL_OBJ* o : objects) bound.emplace(o->object_uid, o);
  if (document != nullptr) {
    int n = MQDoc_GetObjectCount(document);
    for (int i = 0; i < n; ++i) {
      MQObject p = MQDoc_GetObject(document, i);
      if (p == nullptr) continue;
      int32_t uid = MQObj_GetIntValue(p, 260);
      if (bound.count(uid) != 0) continue;
      DL_OBJ* o = NewObject(uid);
      o->source = p;
      o->source_index = i;
      bound.emplace(uid, o);
    }
  }
  for (DL_OBJ* o : objects) {
    o->RebuildVertexTable();
    o->Recolour();
  }
  SynchronizeMaterials();
}

void DL_MODEL::SynchronizeMaterials() {
  std::unordered_map<int32_t, DL_MTL*> records;
  for (DL_MTL* t : materials) records.emplace(t->material_id, t);
  for (DL_MTL* t : materials) t->host_index = -1;
  int n = document != nullptr ? MQDoc_GetMaterialCount(document) : 0;
  for (int i = 0; i < n; ++i) {
    MQMaterial m = MQDoc_GetMaterial(document, i);
    if (m == nullptr) continue;
    int32_t id = MQMat_GetIntValue(m, 259);
    auto it = records.find(id);
    DL_MTL* t = it != records.end() ? it->second : nullptr;
    if (t == nullptr) {
      t = NewMaterial(id);
      records.emplace(id, t);
    }
    if (t->host_index < 0) {
      t->host_material = m;
      t->host_index = i;
    }
  }
  // A record whose identity no document material has goes (duplicates of a
  // bound identity stay, as the scan by identity still finds a material).
  std::unordered_map<int32_t, bool> present;
  for (DL_MTL* t : materials)
    if (t->host_index >= 0) present[t->material_id] = true;
  std::vector<DL_MTL*> kept;
  for (DL_MTL* t : materials) {
    if (present.count(t->material_id) != 0) kept.push_back(t);
    else delete t;
  }
  materials.swap(kept);
}

void DL_MODEL::SelectCurrentObject() {
  current_object = nullptr;
  if (document == nullptr) return;
  int i = MQDoc_GetCurrentObjectIndex(document);
  MQObject o = i >= 0 ? MQDoc_GetObject(document, i) : nullptr;
  for (DL_OBJ* r : objects)
    if (o != nullptr && r->source == o) {
      current_object = r;
      return;
    }
}

void DL_MODEL::SwitchDisplay(bool on) {
  if (on) {
    for (DL_OBJ* o : objects)
      if (o->source != nullptr) o->saved_source_visibility = static_cast<int32_t>(MQObj_GetVisible(o->source));
    CreateAllDisplays();
    for (DL_OBJ* o : objects)
      if (o->source != nullptr) MQObj_SetVisible(o->source, 0);
    return;
  }
  DeleteAllDisplays();
  DeleteVcolMaterial();
  for (DL_OBJ* o : objects)
    if (o->source != nullptr) MQObj_SetVisible(o->source, static_cast<uint32_t>(o->saved_source_visibility));
}

void DL_MODEL::CreateAllDisplays() {
  DeleteAllDisplays();
  for (DL_OBJ* o : objects) o->CreateDisplay();
  object_index_table.clear();
  if (document != nullptr) {
    int n = MQDoc_GetObjectCount(document);
    for (int i = 0; i < n; ++i) {
      int found = -1;
      for (size_t k = 0; k < objects.size() && found < 0; ++k)
        if (objects[k]->source_index == i) found = static_cast<int>(k);
      object_index_table.push_back(found);
    }
  }
  EnsureVcolMaterial();
  WriteAllFaceColours();
  WriteAllPositions();
}

void DL_MODEL::DeleteAllDisplays() {
  for (DL_OBJ* o : objects) o->DeleteDisplay();
}

void DL_MODEL::WriteAllPositions() {
  for (DL_OBJ* o : objects) o->WritePositions();
}

void DL_MODEL::WriteAllFaceColours() {
  EnsureVcolMaterial();
  for (DL_OBJ* o : objects) o->WriteFaceColours();
}

void DL_MODEL::EnsureVcolMaterial() {
  if (vcol_material != nullptr || controller == nullptr || document == nullptr) return;
  int index = -1;
  MQMaterial m = controller->CreateDrawMaterial(document, FALSE, &index);
  if (m == nullptr) return;
  vcol_material = m;
  vcol_material_index = index;
  MQMat_SetName(m, "$$vcol_tmp$$");
  MQMat_SetIntValue(m, 258, 1);
  MQMat_SetAlpha(m, 1.0f);
  MQMat_SetEmission(m, 1.0f);
  MQMat_SetDiffuse(m, 0);
  MQMat_SetAmbient(m, 0);
  MQMat_SetSpecular(m, 0);
  MQMat_SetPower(m, 0);
}

void DL_MODEL::DeleteVcolMaterial() {
  if (vcol_material != nullptr && controller != nullptr) controller->DeleteDrawMaterial(document, vcol_material);
  vcol_material = nullptr;
  vcol_material_index = -1;
}

void DL_MODEL::SetDisplayMode(int32_t mode) {
  if (mode == display_mode) return;
  display_mode = mode;
  if (IsActive()) CreateAllDisplays();
}

void DL_MODEL::ChangeShownOnAllObjects(int change) {
  for (DL_OBJ* o : objects)
    o->SetShown(change == FLAG_SET || (change == FLAG_TOGGLE && !o->HasFlag(OBJ_SHOWN)));
}

void DL_MODEL::ChangeEditableOnAllObjects(int change) {
  for (DL_OBJ* o : objects)
    o->SetFlag(OBJ_EDITABLE, change == FLAG_SET || (change == FLAG_TOGGLE && !o->HasFlag(OBJ_EDITABLE)));
}

void DL_MODEL::DeformAll() {
  for (DL_OBJ* o : objects) o->Deform();
}

bool DL_MODEL::Freeze() {
  if (document == nullptr) return false;
  std::unordered_map<int32_t, int32_t> visibility;
  for (DL_OBJ* o : objects) {
    if (o->source == nullptr) continue;
    visibility.emplace(o->object_uid, o->saved_source_visibility);
    // Only vertices the host object still has.
    int n = MQObj_GetVertexCount(o->source);
    for (int j = 0; j < n && j < o->VertexCount(); ++j) {
      const VEC3& p = o->vertices[j]->skinned_pos;
      MQPoint q = {p.x, p.y, p.z};
      MQObj_SetVertex(o->source, j, &q);
    }
  }
  Clear();
  NewNamedMotion();
  Synchronize();
  for (DL_OBJ* o : objects) {
    auto it = visibility.find(o->object_uid);
    if (it != visibility.end()) o->saved_source_visibility = it->second;
  }
  CreateAllDisplays();
  SelectCurrentObject();
  return true;
}
