// Binding one object to its host object: the vertex table by unique ID,
// the display copy, and what is written to it.
#include <string.h>

#include <unordered_map>

#include "controller/dlmain.h"
#include "controller/log.h"
#include "host/host_table.h"
#include "math/geometry.h"
#include "mesh/morph.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/model.h"

MQObject DL_OBJ::FindSource(int32_t* index) const {
  MQDocument doc = owner != nullptr ? owner->document : nullptr;
  if (doc != nullptr) {
    int n = MQDoc_GetObjectCount(doc);
    for (int i = 0; i < n; ++i) {
      MQObject o = MQDoc_GetObject(doc, i);
      if (o != nullptr && MQObj_GetIntValue(o, 260) == object_uid) {
        if (index != nullptr) *index = i;
        return o;
      }
    }
  }
  if (index != nullptr) *index = -1;
  return nullptr;
}

void DL_OBJ::RebuildVertexTable() {
  if (source == nullptr) return;
  int n_new = MQObj_GetVertexCount(source);
  if (n_new < 0) n_new = 0;
  std::vector<int32_t> new_uid(static_cast<size_t>(n_new));
  std::vector<int> new_match(static_cast<size_t>(n_new), -1);
  std::unordered_map<uint32_t, int> new_index;  // the first vertex with each ID
  new_index.reserve(static_cast<size_t>(n_new));
  for (int j = 0; j < n_new; ++j) {
    new_uid[j] = static_cast<int32_t>(MQObj_GetVertexUniqueID(source, j));
    new_index.emplace(static_cast<uint32_t>(new_uid[j]), j);
  }
  // Each host vertex takes the first old record with its ID; the others go.
  std::vector<DL_OBJVERT*> old;
  old.swap(vertices);
  for (size_t i = 0; i < old.size(); ++i) {
    auto it = new_index.find(static_cast<uint32_t>(old[i]->vertex_uid));
    if (it != new_index.end() && new_match[it->second] < 0) new_match[it->second] = static_cast<int>(i);
  }
  std::vector<bool> kept(old.size(), false);
  for (int j = 0; j < n_new; ++j)
    if (new_match[j] >= 0) kept[new_match[j]] = true;
  for (size_t i = 0; i < old.size(); ++i)
    if (!kept[i]) delete old[i];

  size_t targets = morphs.size();
  int current = current_morph != nullptr ? current_morph->index : -1;
  vertices.resize(static_cast<size_t>(n_new));
  for (int j = 0; j < n_new; ++j) {
    MQPoint p = {0, 0, 0};
    MQObj_GetVertex(source, j, &p);
    VEC3 pos(p.x, p.y, p.z);
    DL_OBJVERT* v;
    if (new_match[j] >= 0) {
      v = old[new_match[j]];
    } else {
      // A vertex new to the plug-in starts at its host position in the base
      // shape and in every target.
      v = new DL_OBJVERT();
      v->owner = this;
      v->vertex_uid = new_uid[j];
      v->base_pos = v->morphed_pos = pos;
    }
    // Exactly one target position per target, whatever the record held.
    v->target_pos.resize(targets, pos);
    v->host_pos = v->skinned_pos = pos;
    if (current >= 0 && current < static_cast<int>(v->target_pos.size())) v->target_pos[current] = pos;
    else v->base_pos = pos;
    if (targets == 0) v->morphed_pos = v->base_pos;
    v->corners.clear();
    vertices[j] = v;
  }

  // The corners are rebuilt from the faces as they are now.
  int faces = MQObj_GetFaceCount(source);
  std::vector<int> points;
  for (int f = 0; f < faces; ++f) {
    int count = MQObj_GetFacePointCount(source, f);
    if (count <= 0) continue;
    points.assign(static_cast<size_t>(count), -1);
    MQObj_GetFacePointArray(source, f, points.data());
    for (int c = 0; c < count; ++c)
      if (points[c] >= 0 && points[c] < n_new) vertices[points[c]]->corners.push_back({f, c});
  }
  WeightsChanged();
}

void DL_OBJ::DeleteDisplay() {
  if (display != nullptr && owner != nullptr && owner->controller != nullptr)
    owner->controller->DeleteDrawObject(owner->document, display);
  display = nullptr;
  face_map.clear();
  face_facing.clear();
}

void DL_OBJ::CreateDisplay() {
  if (owner == nullptr || owner->document == nullptr) return;
  DeleteDisplay();
  MQDocument doc = owner->document;
  if (owner->controller != nullptr)
    display = owner->controller->CreateDrawObject(doc, owner->display_mode & 7, FALSE);
  if (display == nullptr) {
    DLLog("err1");
    return;
  }
  if (source == nullptr) {
    DLLog("err2");
    return;
  }
  char name[1024];
  GetName(name);
  MQObj_SetName(display, name);
  display_visibility = static_cast<int32_t>(MQObj_GetVisible(display));
  MQObj_SetVisible(display, HasFlag(OBJ_SHOWN) ? static_cast<uint32_t>(display_visibility) : 0);
  MQObj_SetPatchType(display, MQObj_GetPatchType(source));
  MQObj_SetPatchSegment(display, MQObj_GetPatchSegment(source));
  MQObj_SetShading(display, MQObj_GetShading(source));
  MQObj_SetSmoothAngle(display, MQObj_GetSmoothAngle(source));
  MQObj_SetMirrorType(display, MQObj_GetMirrorType(source));
  MQObj_SetMirrorAxis(display, MQObj_GetMirrorAxis(source));
  MQObj_SetMirrorDistance(display, MQObj_GetMirrorDistance(source));
  MQObj_SetLatheType(display, MQObj_GetLatheType(source));
  MQObj_SetLatheAxis(display, MQObj_GetLatheAxis(source));
  MQObj_SetLatheSegment(display, MQObj_GetLatheSegment(source));

  int n = MQObj_GetVertexCount(source);
  for (int i = 0; i < n; ++i) {
    MQPoint p = {0, 0, 0};
    MQObj_GetVertex(source, i, &p);
    MQObj_AddVertex(display, &p);
  }
  int faces = MQObj_GetFaceCount(source);
  face_map.assign(static_cast<size_t>(faces > 0 ? faces : 0), -1);
  bool selected_only = owner->HasFlag(MODEL_COMMAND_SET) && owner->HasFlag(MODEL_SELECTED_FACES);
  int source_at = MQDoc_GetObjectIndex(doc, source);
  std::vector<int> points;
  std::vector<MQCoordinate> uv;
  for (int f = 0; f < faces; ++f) {
    if (selected_only && !MQDoc_IsSelectFace(doc, source_at, f)) continue;
    int count = MQObj_GetFacePointCount(source, f);
    if (count <= 0) continue;
    points.assign(static_cast<size_t>(count), 0);
    MQObj_GetFacePointArray(source, f, points.data());
    int copy = MQObj_AddFace(display, count, points.data());
    face_map[f] = copy;
    if (copy < 0) continue;
    uv.assign(static_cast<size_t>(count), MQCoordinate{0, 0});
    MQObj_GetFaceCoordinateArray(source, f, uv.data());
    MQObj_SetFaceCoordinateArray(display, copy, uv.data());
  }
}

void DL_OBJ::WritePositions() {
  if (display == nullptr || MQObj_GetVertexCount(display) != VertexCount()) return;
  bool posed = owner != nullptr && owner->HasFlag(MODEL_MOTION);
  for (int j = 0; j < VertexCount(); ++j) {
    VEC3 p = posed ? vertices[j]->skinned_pos : EditedShape(vertices[j]);
    MQPoint q = {p.x, p.y, p.z};
    MQObj_SetVertex(display, j, &q);
  }
}

void DL_OBJ::WriteFaceColours() {
  if (display == nullptr || source == nullptr) return;
  int mapped = static_cast<int>(face_map.size());
  if (owner != nullptr && owner->HasFlag(MODEL_WEIGHT) && HasFlag(OBJ_USE_WEIGHT)) {
    for (DL_OBJVERT* v : vertices)
      for (const auto& fc : v->corners)
        if (fc.first >= 0 && fc.first < mapped && face_map[fc.first] >= 0)
          MQObj_SetFaceVertexColor(display, face_map[fc.first], fc.second, v->weights.colour);
    for (int f = 0; f < mapped; ++f)
      if (face_map[f] >= 0) MQObj_SetFaceMaterial(display, face_map[f], owner->vcol_material_index);
    return;
  }
  for (int f = 0; f < mapped; ++f) {
    if (face_map[f] < 0) continue;
    MQObj_SetFaceMaterial(display, face_map[f], MQObj_GetFaceMaterial(source, f));
    int count = MQObj_GetFacePointCount(display, face_map[f]);
    for (int j = 0; j < count; ++j)
      MQObj_SetFaceVertexColor(display, face_map[f], j, MQObj_GetFaceVertexColor(source, f, j));
  }
}

void DL_OBJ::SetShown(bool on) {
  SetFlag(OBJ_SHOWN, on);
  if (source != nullptr && display != nullptr)
    MQObj_SetVisible(display, on ? static_cast<uint32_t>(display_visibility) : 0);
}

void DL_OBJ::GetName(char (&buffer)[1024]) const {
  buffer[0] = '\0';
  if (source != nullptr) MQObj_GetName(source, buffer, sizeof buffer);
  buffer[sizeof buffer - 1] = '\0';
}

void DL_OBJ::UpdateScreen(MQScene scene, bool facing) {
  if (owner == nullptr || source == nullptr || display == nullptr) return;
  for (DL_OBJVERT* v : vertices) {
    float values[6] = {v->host_pos.x, v->host_pos.y, v->host_pos.z, 0, 0, 0};
    // A point the view cannot show is put where no pick reaches it.
    if (scene == nullptr || !MQScene_FloatValue(scene, 768, values)) values[3] = values[4] = -1.0e30f;
    v->screen_pos = VEC3(values[3], values[4], values[5]);
  }
  int faces = static_cast<int>(face_map.size());
  face_facing.assign(static_cast<size_t>(faces), 0);
  std::vector<int> points;
  for (int f = 0; f < faces; ++f) {
    if (face_map[f] < 0) continue;
    if (!facing) {
      face_facing[f] = 3;
      continue;
    }
    int count = MQObj_GetFacePointCount(source, f);
    if (count <= 2) continue;
    points.assign(static_cast<size_t>(count), 0);
    MQObj_GetFacePointArray(source, f, points.data());
    bool valid = true;
    for (int p : points) valid = valid && p >= 0 && p < VertexCount();
    if (!valid) continue;
    // Only "does any triangle of the fan face the view" is ever read.
    const VEC3& p0 = vertices[points[0]]->screen_pos;
    for (int k = 0; k + 2 < count; ++k) {
      const VEC3& a = vertices[points[k + 1]]->screen_pos;
      const VEC3& b = vertices[points[k + 2]]->screen_pos;
      if (TriangleArea2(p0.x, p0.y, a.x, a.y, b.x, b.y) > 0) {
        face_facing[f] = 1;
        break;
      }
    }
  }
}

bool DL_OBJ::PickVertices(float x, float y, float radius_sq, PICK_LIST* list) {
  if (!HasFlag(OBJ_SHOWN) || !HasFlag(OBJ_EDITABLE) || display == nullptr) return false;
  int faces = static_cast<int>(face_facing.size());
  bool any = false;
  for (int i = 0; i < VertexCount(); ++i) {
    const DL_OBJVERT* v = vertices[i];
    float dx = v->screen_pos.x - x, dy = v->screen_pos.y - y;
    float d2 = dx * dx + dy * dy;
    if (!(d2 < radius_sq)) continue;
    bool facing = false;
    for (const auto& fc : v->corners)
      if (fc.first >= 0 && fc.first < faces && face_facing[fc.first] != 0) facing = true;
    if (!facing) continue;
    list->Add({this, i, v->screen_pos, d2});
    any = true;
  }
  return any;
}
