// The reference host's documents: objects, materials and host-side edits.
#include <algorithm>

#include "refhost/refhost.h"

int RH_OBJECT::AddVertex(const MQPoint& p) {
  vertices.push_back({p, next_vertex_uid++});
  return static_cast<int>(vertices.size()) - 1;
}

bool RH_OBJECT::DeleteVertex(int index) {
  if (index < 0 || index >= static_cast<int>(vertices.size())) return false;
  std::vector<RH_FACE> kept;
  for (RH_FACE& f : faces) {
    if (std::find(f.points.begin(), f.points.end(), index) != f.points.end()) continue;
    for (int& p : f.points)
      if (p > index) --p;
    kept.push_back(f);
  }
  faces.swap(kept);
  vertices.erase(vertices.begin() + index);
  return true;
}

bool RH_OBJECT::ReorderVertices(const std::vector<int>& order) {
  if (order.size() != vertices.size()) return false;
  std::vector<int> new_index(vertices.size(), -1);
  std::vector<RH_VERTEX> moved;
  for (size_t i = 0; i < order.size(); ++i) {
    int o = order[i];
    if (o < 0 || o >= static_cast<int>(vertices.size()) || new_index[o] >= 0) return false;
    new_index[o] = static_cast<int>(i);
    moved.push_back(vertices[o]);
  }
  vertices.swap(moved);
  for (RH_FACE& f : faces)
    for (int& p : f.points) p = new_index[p];
  return true;
}

int RH_OBJECT::AddFace(const std::vector<int>& points, int material) {
  if (points.size() < 3) return -1;
  for (int p : points)
    if (p < 0 || p >= static_cast<int>(vertices.size())) return -1;
  RH_FACE f;
  f.points = points;
  f.material = material;
  f.uv.assign(points.size(), MQCoordinate{0, 0});
  f.colours.assign(points.size(), 0xFFFFFFFFu);
  f.uid = next_face_uid++;
  faces.push_back(f);
  return static_cast<int>(faces.size()) - 1;
}

bool RH_OBJECT::DeleteFace(int index) {
  if (index < 0 || index >= static_cast<int>(faces.size())) return false;
  faces.erase(faces.begin() + index);
  return true;
}

int RH_OBJECT::IndexOfVertexUid(uint32_t uid) const {
  auto it = uid_index.find(uid);
  if (it != uid_index.end() && it->second < static_cast<int>(vertices.size()) && vertices[it->second].uid == uid)
    return it->second;
  // Edited since: index afresh (the first vertex with each ID).
  uid_index.clear();
  for (size_t i = 0; i < vertices.size(); ++i) uid_index.emplace(vertices[i].uid, static_cast<int>(i));
  it = uid_index.find(uid);
  return it != uid_index.end() ? it->second : -1;
}

int RH_OBJECT::IndexOfFaceUid(uint32_t uid) const {
  for (size_t i = 0; i < faces.size(); ++i)
    if (faces[i].uid == uid) return static_cast<int>(i);
  return -1;
}

RH_DOCUMENT::~RH_DOCUMENT() {
  for (RH_OBJECT* o : objects) delete o;
  for (RH_MATERIAL* m : materials) delete m;
  for (RH_OBJECT* o : draw_objects) delete o;
  for (RH_MATERIAL* m : draw_materials) delete m;
}

RH_OBJECT* RH_DOCUMENT::AddObject(const char* name) {
  RH_OBJECT* o = new RH_OBJECT();
  o->name = name != nullptr ? name : "";
  o->identity = next_object_identity++;
  objects.push_back(o);
  if (current_object < 0) current_object = 0;
  return o;
}

bool RH_DOCUMENT::DeleteObject(int index) {
  if (index < 0 || index >= static_cast<int>(objects.size())) return false;
  delete objects[index];
  objects.erase(objects.begin() + index);
  auto drop = [index](std::vector<std::pair<int, int>>& sel) {
    std::vector<std::pair<int, int>> kept;
    for (auto s : sel) {
      if (s.first == index) continue;
      if (s.first > index) --s.first;
      kept.push_back(s);
    }
    sel.swap(kept);
  };
  drop(selected_vertices);
  drop(selected_faces);
  if (current_object >= static_cast<int>(objects.size())) current_object = static_cast<int>(objects.size()) - 1;
  return true;
}

RH_MATERIAL* RH_DOCUMENT::AddMaterial(const char* name) {
  RH_MATERIAL* m = new RH_MATERIAL();
  m->name = name != nullptr ? name : "";
  m->identity = next_material_identity++;
  materials.push_back(m);
  if (current_material < 0) current_material = 0;
  return m;
}

bool RH_DOCUMENT::DeleteMaterial(int index) {
  if (index < 0 || index >= static_cast<int>(materials.size())) return false;
  delete materials[index];
  materials.erase(materials.begin() + index);
  for (RH_OBJECT* o : objects)
    for (RH_FACE& f : o->faces) {
      if (f.material == index) f.material = -1;
      else if (f.material > index) --f.material;
    }
  if (current_material >= static_cast<int>(materials.size())) current_material = static_cast<int>(materials.size()) - 1;
  return true;
}

bool RH_DOCUMENT::MoveMaterial(int from, int to) {
  int n = static_cast<int>(materials.size());
  if (from < 0 || from >= n || to < 0 || to >= n) return false;
  RH_MATERIAL* m = materials[from];
  materials.erase(materials.begin() + from);
  materials.insert(materials.begin() + to, m);
  // Faces keep their material, whatever its new index.
  for (RH_OBJECT* o : objects)
    for (RH_FACE& f : o->faces) {
      if (f.material < 0) continue;
      int i = f.material;
      if (i == from) f.material = to;
      else if (from < to && i > from && i <= to) --f.material;
      else if (to < from && i >= to && i < from) ++f.material;
    }
  return true;
}

bool RH_DOCUMENT::IsDrawObject(const RH_OBJECT* o) const {
  return std::find(draw_objects.begin(), draw_objects.end(), o) != draw_objects.end();
}

bool RH_DOCUMENT::IsDrawMaterial(const RH_MATERIAL* m) const {
  return std::find(draw_materials.begin(), draw_materials.end(), m) != draw_materials.end();
}
