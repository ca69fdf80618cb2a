// The reference host's implementations of the host functions. Those the
// plug-in relies on behave as the host does; the rest are harmless.
#include <string.h>

#include <algorithm>
#include <utility>

#include "refhost/refhost.h"

namespace {

RH_DOCUMENT* Doc(MQDocument doc) { return static_cast<RH_DOCUMENT*>(doc); }
RH_OBJECT* Obj(MQObject obj) { return static_cast<RH_OBJECT*>(obj); }
RH_MATERIAL* Mat(MQMaterial mat) { return static_cast<RH_MATERIAL*>(mat); }

void CopyName(const std::string& name, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  size_t n = std::min(name.size(), static_cast<size_t>(size - 1));
  memcpy(buffer, name.data(), n);
  buffer[n] = '\0';
}

void ClearText(char* buffer, int size) {
  if (buffer != nullptr && size > 0) buffer[0] = '\0';
}

// Keys that the host reads as integers.
bool IsIntKey(const char* key) {
  static const char* const kIntKeys[] = {"visibility", "instant",    "index",     "show_vertex",
                                         "show_line",  "show_face",  "front_only", "show_bkimg"};
  for (const char* k : kIntKeys)
    if (strcmp(k, key) == 0) return true;
  return false;
}

void* Value(KEYVALUE* list, const char* key) {
  for (KEYVALUE* p = list; p != nullptr && p->key != nullptr; ++p)
    if (strcmp(p->key, key) == 0) return p->value;
  return nullptr;
}

void SetInt(KEYVALUE* list, const char* key, int value) {
  int* p = static_cast<int*>(Value(list, key));
  if (p != nullptr) *p = value;
}

void SetHandle(KEYVALUE* list, const char* key, void* handle) {
  void** p = static_cast<void**>(Value(list, key));
  if (p != nullptr) *p = handle;
}

int GetInt(KEYVALUE* list, const char* key) {
  int* p = static_cast<int*>(Value(list, key));
  return p != nullptr ? *p : 0;
}

RH_DOCUMENT* RequestDocument(KEYVALUE* list) {
  RH_DOCUMENT* doc = Doc(Value(list, "document"));
  return doc != nullptr ? doc : RefHost().document;
}

template <typename T>
void EraseAndDelete(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return;
  list.erase(it);
  delete item;
}

}  // namespace

MQWindow MQAPI RH_MQ_GetWindowHandle(void) {
  REFHOST& host = RefHost();
  // Native runs have no window system: a fixed non-NULL handle stands in.
  if (host.main_window == nullptr) host.main_window = reinterpret_cast<MQWindow>(static_cast<intptr_t>(0x10010));
  return host.main_window;
}

MQObject MQAPI RH_MQ_CreateObject(void) { return new RH_OBJECT(); }
MQMaterial MQAPI RH_MQ_CreateMaterial(void) { return new RH_MATERIAL(); }
BOOL MQAPI RH_MQ_ShowFileDialog(const char*, void*) { return FALSE; }
void MQAPI RH_MQ_ImportAxis(void*, MQPoint*, int) {}
void MQAPI RH_MQ_ExportAxis(void*, MQPoint*, int) {}
BOOL MQAPI RH_MQ_LoadImage(const char*, void**, void**, uint32_t) { return FALSE; }

BOOL MQAPI RH_MQ_GetSystemPath(char* buffer, int) {
  if (buffer != nullptr) buffer[0] = '\0';
  return FALSE;
}

void MQAPI RH_MQ_RefreshView(void*) { RefHostDrawViews(); }

BOOL MQAPI RH_MQ_StationCallback(MQStationCallbackProc proc, void* option) {
  REFHOST& host = RefHost();
  ++host.station_callbacks;
  if (proc == nullptr) return FALSE;
  return proc(host.document, option);
}

BOOL MQAPI RH_MQ_SendMessage(int code, SEND_MSG_INFO* info) {
  if (info == nullptr) return FALSE;
  REFHOST& host = RefHost();
  RH_REQUEST request;
  request.code = code;
  request.product = info->product;
  request.id = info->id;
  request.index = info->index;
  for (KEYVALUE* p = info->option; p != nullptr && p->key != nullptr; ++p) {
    bool has_int = IsIntKey(p->key) && p->value != nullptr;
    void* result_before = strcmp(p->key, "result") == 0 && p->value != nullptr ? *static_cast<void**>(p->value) : nullptr;
    request.keys.push_back({p->key, p->value, has_int, has_int ? *static_cast<int*>(p->value) : 0, result_before});
  }
  host.requests.push_back(request);

  KEYVALUE* list = info->option;
  switch (code) {
    case 200: {
      RH_DOCUMENT* doc = RequestDocument(list);
      RH_OBJECT* obj = new RH_OBJECT();
      obj->draw_object = true;
      obj->visibility = GetInt(list, "visibility");
      obj->instant = GetInt(list, "instant") != 0;
      doc->draw_objects.push_back(obj);
      SetHandle(list, "result", obj);
      return TRUE;
    }
    case 201: {
      RH_DOCUMENT* doc = RequestDocument(list);
      RH_MATERIAL* mat = new RH_MATERIAL();
      mat->draw_material = true;
      mat->instant = GetInt(list, "instant") != 0;
      // Drawing materials are numbered after the document's own.
      SetInt(list, "index", static_cast<int>(doc->materials.size() + doc->draw_materials.size()));
      doc->draw_materials.push_back(mat);
      SetHandle(list, "result", mat);
      return TRUE;
    }
    case 210:
      EraseAndDelete(RequestDocument(list)->draw_objects, Obj(Value(list, "object")));
      return TRUE;
    case 211:
      EraseAndDelete(RequestDocument(list)->draw_materials, Mat(Value(list, "material")));
      return TRUE;
    case 301:
      RefHostRecordUndo();
      return TRUE;
    case 401:
      RefHostDrawViews();
      return TRUE;
    case 410: {
      const RH_VIEW_OPTIONS& v = host.view_options;
      SetInt(list, "show_vertex", v.show_vertex);
      SetInt(list, "show_line", v.show_line);
      SetInt(list, "show_face", v.show_face);
      SetInt(list, "front_only", v.front_only);
      SetInt(list, "show_bkimg", v.show_bkimg);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

namespace {

bool ValidObjectIndex(RH_DOCUMENT* d, int i) { return d != nullptr && i >= 0 && i < static_cast<int>(d->objects.size()); }
bool ValidVertex(RH_OBJECT* o, int i) { return o != nullptr && i >= 0 && i < static_cast<int>(o->vertices.size()); }
bool ValidFace(RH_OBJECT* o, int i) { return o != nullptr && i >= 0 && i < static_cast<int>(o->faces.size()); }

bool Has(const std::vector<std::pair<int, int>>& list, int a, int b) {
  return std::find(list.begin(), list.end(), std::make_pair(a, b)) != list.end();
}

BOOL AddPair(std::vector<std::pair<int, int>>& list, int a, int b) {
  if (Has(list, a, b)) return FALSE;
  list.push_back(std::make_pair(a, b));
  return TRUE;
}

BOOL RemovePair(std::vector<std::pair<int, int>>& list, int a, int b) {
  auto it = std::find(list.begin(), list.end(), std::make_pair(a, b));
  if (it == list.end()) return FALSE;
  list.erase(it);
  return TRUE;
}

void Identity(float* m) {
  for (int i = 0; i < 16; ++i) m[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

}  // namespace

int MQAPI RH_MQDoc_GetObjectCount(MQDocument doc) {
  return doc != nullptr ? static_cast<int>(Doc(doc)->objects.size()) : 0;
}

MQObject MQAPI RH_MQDoc_GetObject(MQDocument doc, int index) {
  return ValidObjectIndex(Doc(doc), index) ? Doc(doc)->objects[index] : nullptr;
}

int MQAPI RH_MQDoc_GetCurrentObjectIndex(MQDocument doc) { return doc != nullptr ? Doc(doc)->current_object : -1; }

void MQAPI RH_MQDoc_SetCurrentObjectIndex(MQDocument doc, int index) {
  if (ValidObjectIndex(Doc(doc), index)) Doc(doc)->current_object = index;
}

int MQAPI RH_MQDoc_AddObject(MQDocument doc, MQObject obj) {
  if (doc == nullptr || obj == nullptr) return -1;
  RH_DOCUMENT* d = Doc(doc);
  RH_OBJECT* o = Obj(obj);
  if (std::find(d->objects.begin(), d->objects.end(), o) != d->objects.end()) return -1;
  o->identity = d->next_object_identity++;
  d->objects.push_back(o);
  if (d->current_object < 0) d->current_object = 0;
  return static_cast<int>(d->objects.size()) - 1;
}

void MQAPI RH_MQDoc_DeleteObject(MQDocument doc, int index) {
  if (doc != nullptr) Doc(doc)->DeleteObject(index);
}

int MQAPI RH_MQDoc_GetObjectIndex(MQDocument doc, MQObject obj) {
  if (doc == nullptr) return -1;
  auto& list = Doc(doc)->objects;
  auto it = std::find(list.begin(), list.end(), Obj(obj));
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int MQAPI RH_MQDoc_GetMaterialCount(MQDocument doc) {
  return doc != nullptr ? static_cast<int>(Doc(doc)->materials.size()) : 0;
}

MQMaterial MQAPI RH_MQDoc_GetMaterial(MQDocument doc, int index) {
  if (doc == nullptr || index < 0 || index >= static_cast<int>(Doc(doc)->materials.size())) return nullptr;
  return Doc(doc)->materials[index];
}

int MQAPI RH_MQDoc_GetCurrentMaterialIndex(MQDocument doc) { return doc != nullptr ? Doc(doc)->current_material : -1; }

void MQAPI RH_MQDoc_SetCurrentMaterialIndex(MQDocument doc, int index) {
  if (doc != nullptr && index >= 0 && index < static_cast<int>(Doc(doc)->materials.size()))
    Doc(doc)->current_material = index;
}

int MQAPI RH_MQDoc_AddMaterial(MQDocument doc, MQMaterial mat) {
  if (doc == nullptr || mat == nullptr) return -1;
  RH_DOCUMENT* d = Doc(doc);
  Mat(mat)->identity = d->next_material_identity++;
  d->materials.push_back(Mat(mat));
  if (d->current_material < 0) d->current_material = 0;
  return static_cast<int>(d->materials.size()) - 1;
}

void MQAPI RH_MQDoc_DeleteMaterial(MQDocument doc, int index) {
  if (doc != nullptr) Doc(doc)->DeleteMaterial(index);
}

void MQAPI RH_MQDoc_Compact(MQDocument) {}

void MQAPI RH_MQDoc_ClearSelect(MQDocument doc, uint32_t) {
  if (doc == nullptr) return;
  Doc(doc)->selected_vertices.clear();
  Doc(doc)->selected_faces.clear();
}

BOOL MQAPI RH_MQDoc_AddSelectVertex(MQDocument doc, int obj, int vert) {
  if (!ValidObjectIndex(Doc(doc), obj) || !ValidVertex(Doc(doc)->objects[obj], vert)) return FALSE;
  return AddPair(Doc(doc)->selected_vertices, obj, vert);
}

BOOL MQAPI RH_MQDoc_DeleteSelectVertex(MQDocument doc, int obj, int vert) {
  return doc != nullptr ? RemovePair(Doc(doc)->selected_vertices, obj, vert) : FALSE;
}

BOOL MQAPI RH_MQDoc_IsSelectVertex(MQDocument doc, int obj, int vert) {
  return doc != nullptr && Has(Doc(doc)->selected_vertices, obj, vert);
}

BOOL MQAPI RH_MQDoc_AddSelectLine(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_DeleteSelectLine(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_IsSelectLine(MQDocument, int, int, int) { return FALSE; }

BOOL MQAPI RH_MQDoc_AddSelectFace(MQDocument doc, int obj, int face) {
  if (!ValidObjectIndex(Doc(doc), obj) || !ValidFace(Doc(doc)->objects[obj], face)) return FALSE;
  return AddPair(Doc(doc)->selected_faces, obj, face);
}

BOOL MQAPI RH_MQDoc_DeleteSelectFace(MQDocument doc, int obj, int face) {
  return doc != nullptr ? RemovePair(Doc(doc)->selected_faces, obj, face) : FALSE;
}

BOOL MQAPI RH_MQDoc_IsSelectFace(MQDocument doc, int obj, int face) {
  return doc != nullptr && Has(Doc(doc)->selected_faces, obj, face);
}

BOOL MQAPI RH_MQDoc_AddSelectUVVertex(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_DeleteSelectUVVertex(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_IsSelectUVVertex(MQDocument, int, int, int) { return FALSE; }

BOOL MQAPI RH_MQDoc_FindMappingFile(MQDocument, char* out_path, const char*, uint32_t) {
  if (out_path != nullptr) out_path[0] = '\0';
  return FALSE;
}

MQScene MQAPI RH_MQDoc_GetScene(MQDocument doc, int index) {
  return doc != nullptr && index == 0 ? &Doc(doc)->scene : nullptr;
}

MQObject MQAPI RH_MQDoc_GetParentObject(MQDocument, MQObject) { return nullptr; }
int MQAPI RH_MQDoc_GetChildObjectCount(MQDocument, MQObject) { return 0; }
MQObject MQAPI RH_MQDoc_GetChildObject(MQDocument, MQObject, int) { return nullptr; }

void MQAPI RH_MQDoc_GetGlobalMatrix(MQDocument, MQObject, float* matrix) {
  if (matrix != nullptr) Identity(matrix);
}

void MQAPI RH_MQDoc_GetGlobalInverseMatrix(MQDocument, MQObject, float* matrix) {
  if (matrix != nullptr) Identity(matrix);
}

int MQAPI RH_MQDoc_InsertObject(MQDocument doc, MQObject obj, MQObject) { return RH_MQDoc_AddObject(doc, obj); }

void MQAPI RH_MQScene_InitSize(MQScene scene, int width, int height) {
  if (scene == nullptr || width <= 0 || height <= 0) return;
  RH_SCENE* s = static_cast<RH_SCENE*>(scene);
  s->proj[0] = s->proj[5] * static_cast<float>(height) / static_cast<float>(width);
  s->width = width;
  s->height = height;
}

void MQAPI RH_MQScene_GetProjMatrix(MQScene scene, float* matrix) {
  if (scene != nullptr && matrix != nullptr) memcpy(matrix, static_cast<RH_SCENE*>(scene)->proj, 16 * sizeof(float));
}

void MQAPI RH_MQScene_GetViewMatrix(MQScene scene, float* matrix) {
  if (scene != nullptr && matrix != nullptr) memcpy(matrix, static_cast<RH_SCENE*>(scene)->view, 16 * sizeof(float));
}

BOOL MQAPI RH_MQScene_FloatValue(MQScene scene, int code, float* values) {
  if (scene == nullptr || values == nullptr) return FALSE;
  RH_SCENE* s = static_cast<RH_SCENE*>(scene);
  if (code == 768) return s->WorldToScreen(values, values + 3) ? TRUE : FALSE;
  if (code == 769) return s->ScreenToWorld(values, values + 3) ? TRUE : FALSE;
  return FALSE;
}

BOOL MQAPI RH_MQScene_GetVisibleFace(MQScene, MQObject, BOOL*) { return FALSE; }

void MQAPI RH_MQObj_Delete(MQObject obj) {
  // Objects in a document belong to it; only free-standing ones go here.
  RH_DOCUMENT* d = RefHost().document;
  if (obj == nullptr || std::find(d->objects.begin(), d->objects.end(), Obj(obj)) != d->objects.end() ||
      d->IsDrawObject(Obj(obj)))
    return;
  delete Obj(obj);
}

MQObject MQAPI RH_MQObj_Clone(MQObject obj) { return obj != nullptr ? new RH_OBJECT(*Obj(obj)) : nullptr; }
void MQAPI RH_MQObj_Merge(MQObject, MQObject) {}
void MQAPI RH_MQObj_Freeze(MQObject, uint32_t) {}

void MQAPI RH_MQObj_GetName(MQObject obj, char* buffer, int size) {
  if (obj == nullptr) return ClearText(buffer, size);
  CopyName(Obj(obj)->name, buffer, size);
}

int MQAPI RH_MQObj_GetVertexCount(MQObject obj) { return obj != nullptr ? static_cast<int>(Obj(obj)->vertices.size()) : 0; }

void MQAPI RH_MQObj_GetVertex(MQObject obj, int index, MQPoint* point) {
  if (point != nullptr && ValidVertex(Obj(obj), index)) *point = Obj(obj)->vertices[index].pos;
}

void MQAPI RH_MQObj_SetVertex(MQObject obj, int index, MQPoint* point) {
  if (point != nullptr && ValidVertex(Obj(obj), index)) Obj(obj)->vertices[index].pos = *point;
}

void MQAPI RH_MQObj_GetVertexArray(MQObject obj, MQPoint* points) {
  if (obj == nullptr || points == nullptr) return;
  for (size_t i = 0; i < Obj(obj)->vertices.size(); ++i) points[i] = Obj(obj)->vertices[i].pos;
}

int MQAPI RH_MQObj_GetFaceCount(MQObject obj) { return obj != nullptr ? static_cast<int>(Obj(obj)->faces.size()) : 0; }

int MQAPI RH_MQObj_GetFacePointCount(MQObject obj, int face) {
  return ValidFace(Obj(obj), face) ? static_cast<int>(Obj(obj)->faces[face].points.size()) : 0;
}

void MQAPI RH_MQObj_GetFacePointArray(MQObject obj, int face, int* points) {
  if (points == nullptr || !ValidFace(Obj(obj), face)) return;
  const RH_FACE& f = Obj(obj)->faces[face];
  std::copy(f.points.begin(), f.points.end(), points);
}

void MQAPI RH_MQObj_GetFaceCoordinateArray(MQObject obj, int face, MQCoordinate* uv) {
  if (uv == nullptr || !ValidFace(Obj(obj), face)) return;
  const RH_FACE& f = Obj(obj)->faces[face];
  std::copy(f.uv.begin(), f.uv.end(), uv);
}

int MQAPI RH_MQObj_GetFaceMaterial(MQObject obj, int face) {
  return ValidFace(Obj(obj), face) ? Obj(obj)->faces[face].material : -1;
}

uint32_t MQAPI RH_MQObj_GetFaceUniqueID(MQObject obj, int face) {
  return ValidFace(Obj(obj), face) ? Obj(obj)->faces[face].uid : 0;
}

int MQAPI RH_MQObj_GetFaceIndexFromUniqueID(MQObject obj, uint32_t unique_id) {
  return obj != nullptr ? Obj(obj)->IndexOfFaceUid(unique_id) : -1;
}

void MQAPI RH_MQObj_SetName(MQObject obj, const char* name) {
  if (obj != nullptr) Obj(obj)->name = name != nullptr ? name : "";
}

int MQAPI RH_MQObj_AddVertex(MQObject obj, MQPoint* point) {
  if (obj == nullptr || point == nullptr) return -1;
  return Obj(obj)->AddVertex(*point);
}

BOOL MQAPI RH_MQObj_DeleteVertex(MQObject obj, int index, BOOL) {
  return obj != nullptr && Obj(obj)->DeleteVertex(index) ? TRUE : FALSE;
}

int MQAPI RH_MQObj_GetVertexRefCount(MQObject obj, int index) {
  if (!ValidVertex(Obj(obj), index)) return 0;
  int n = 0;
  for (const RH_FACE& f : Obj(obj)->faces)
    for (int p : f.points) n += p == index ? 1 : 0;
  return n;
}

uint32_t MQAPI RH_MQObj_GetVertexUniqueID(MQObject obj, int index) {
  return ValidVertex(Obj(obj), index) ? Obj(obj)->vertices[index].uid : 0;
}

int MQAPI RH_MQObj_GetVertexIndexFromUniqueID(MQObject obj, uint32_t unique_id) {
  return obj != nullptr ? Obj(obj)->IndexOfVertexUid(unique_id) : -1;
}

float MQAPI RH_MQObj_GetVertexWeight(MQObject, int) { return 0.0f; }
void MQAPI RH_MQObj_SetVertexWeight(MQObject, int, float) {}
void MQAPI RH_MQObj_CopyVertexAttribute(MQObject, int, MQObject, int) {}

int MQAPI RH_MQObj_AddFace(MQObject obj, int count, int* points) {
  if (obj == nullptr || points == nullptr || count < 0) return -1;
  return Obj(obj)->AddFace(std::vector<int>(points, points + count));
}

BOOL MQAPI RH_MQObj_DeleteFace(MQObject obj, int index, BOOL) {
  return obj != nullptr && Obj(obj)->DeleteFace(index) ? TRUE : FALSE;
}

BOOL MQAPI RH_MQObj_InvertFace(MQObject obj, int index) {
  if (!ValidFace(Obj(obj), index)) return FALSE;
  RH_FACE& f = Obj(obj)->faces[index];
  std::reverse(f.points.begin(), f.points.end());
  std::reverse(f.uv.begin(), f.uv.end());
  std::reverse(f.colours.begin(), f.colours.end());
  return TRUE;
}

void MQAPI RH_MQObj_SetFaceMaterial(MQObject obj, int face, int material) {
  if (ValidFace(Obj(obj), face)) Obj(obj)->faces[face].material = material;
}

void MQAPI RH_MQObj_SetFaceCoordinateArray(MQObject obj, int face, MQCoordinate* uv) {
  if (uv == nullptr || !ValidFace(Obj(obj), face)) return;
  RH_FACE& f = Obj(obj)->faces[face];
  std::copy(uv, uv + f.uv.size(), f.uv.begin());
}

uint32_t MQAPI RH_MQObj_GetFaceVertexColor(MQObject obj, int face, int corner) {
  if (!ValidFace(Obj(obj), face)) return 0;
  const RH_FACE& f = Obj(obj)->faces[face];
  return corner >= 0 && corner < static_cast<int>(f.colours.size()) ? f.colours[corner] : 0;
}

void MQAPI RH_MQObj_SetFaceVertexColor(MQObject obj, int face, int corner, uint32_t color) {
  if (!ValidFace(Obj(obj), face)) return;
  RH_FACE& f = Obj(obj)->faces[face];
  if (corner >= 0 && corner < static_cast<int>(f.colours.size())) f.colours[corner] = color;
}

void MQAPI RH_MQObj_OptimizeVertex(MQObject, float, BOOL*) {}
void MQAPI RH_MQObj_Compact(MQObject) {}
uint32_t MQAPI RH_MQObj_GetVisible(MQObject obj) { return obj != nullptr ? Obj(obj)->visible : 0; }

void MQAPI RH_MQObj_SetVisible(MQObject obj, uint32_t visible) {
  if (obj != nullptr) Obj(obj)->visible = visible;
}

#define RH_OBJ_PROPERTY(Name, field, type)                                                  \
  type MQAPI RH_MQObj_Get##Name(MQObject obj) { return obj != nullptr ? Obj(obj)->field : type(); } \
  void MQAPI RH_MQObj_Set##Name(MQObject obj, type v) {                                     \
    if (obj != nullptr) Obj(obj)->field = v;                                                \
  }
RH_OBJ_PROPERTY(PatchType, patch_type, uint32_t)
RH_OBJ_PROPERTY(PatchSegment, patch_segment, int)
RH_OBJ_PROPERTY(Shading, shading, int)
RH_OBJ_PROPERTY(SmoothAngle, smooth_angle, float)
RH_OBJ_PROPERTY(MirrorType, mirror_type, uint32_t)
RH_OBJ_PROPERTY(MirrorAxis, mirror_axis, uint32_t)
RH_OBJ_PROPERTY(MirrorDistance, mirror_distance, float)
RH_OBJ_PROPERTY(LatheType, lathe_type, uint32_t)
RH_OBJ_PROPERTY(LatheAxis, lathe_axis, uint32_t)
RH_OBJ_PROPERTY(LatheSegment, lathe_segment, int)
#undef RH_OBJ_PROPERTY

int MQAPI RH_MQObj_GetIntValue(MQObject obj, int code) {
  if (obj == nullptr) return 0;
  if (code == 260) return Obj(obj)->identity;
  if (code == 513) return Obj(obj)->display_colour_on;
  return 0;
}

void MQAPI RH_MQObj_GetFloatArray(MQObject obj, int code, float* values) {
  if (obj != nullptr && values != nullptr && code == 513) memcpy(values, Obj(obj)->display_colour, 3 * sizeof(float));
}

void MQAPI RH_MQObj_SetIntValue(MQObject obj, int code, int value) {
  if (obj != nullptr && code == 513) Obj(obj)->display_colour_on = value;
}

void MQAPI RH_MQObj_SetFloatArray(MQObject obj, int code, const float* values) {
  if (obj != nullptr && values != nullptr && code == 513) memcpy(Obj(obj)->display_colour, values, 3 * sizeof(float));
}

void MQAPI RH_MQMat_Delete(MQMaterial mat) {
  RH_DOCUMENT* d = RefHost().document;
  if (mat == nullptr || std::find(d->materials.begin(), d->materials.end(), Mat(mat)) != d->materials.end() ||
      d->IsDrawMaterial(Mat(mat)))
    return;
  delete Mat(mat);
}

int MQAPI RH_MQMat_GetIntValue(MQMaterial mat, int code) {
  if (mat == nullptr) return 0;
  if (code == 259) return Mat(mat)->identity;
  if (code == 258) return Mat(mat)->value_258;
  return 0;
}

void MQAPI RH_MQMat_GetFloatArray(MQMaterial, int, float*) {}

void MQAPI RH_MQMat_GetName(MQMaterial mat, char* buffer, int size) {
  if (mat == nullptr) return ClearText(buffer, size);
  CopyName(Mat(mat)->name, buffer, size);
}

void MQAPI RH_MQMat_GetColor(MQMaterial mat, MQColor* color) {
  if (mat != nullptr && color != nullptr) *color = Mat(mat)->colour;
}

#define RH_MAT_FLOAT(Name, field)                                                        \
  float MQAPI RH_MQMat_Get##Name(MQMaterial mat) { return mat != nullptr ? Mat(mat)->field : 0.0f; } \
  void MQAPI RH_MQMat_Set##Name(MQMaterial mat, float v) {                               \
    if (mat != nullptr) Mat(mat)->field = v;                                             \
  }
RH_MAT_FLOAT(Alpha, alpha)
RH_MAT_FLOAT(Diffuse, diffuse)
RH_MAT_FLOAT(Ambient, ambient)
RH_MAT_FLOAT(Emission, emission)
RH_MAT_FLOAT(Specular, specular)
RH_MAT_FLOAT(Power, power)
#undef RH_MAT_FLOAT

#define RH_MAT_TEXT(Name, field)                                                 \
  void MQAPI RH_MQMat_Get##Name(MQMaterial mat, char* buffer, int size) {         \
    if (mat == nullptr) return ClearText(buffer, size);                          \
    CopyName(Mat(mat)->field, buffer, size);                                     \
  }                                                                              \
  void MQAPI RH_MQMat_Set##Name(MQMaterial mat, const char* name) {               \
    if (mat != nullptr) Mat(mat)->field = name != nullptr ? name : "";           \
  }
RH_MAT_TEXT(TextureName, texture)
RH_MAT_TEXT(AlphaName, alpha_map)
RH_MAT_TEXT(BumpName, bump_map)
#undef RH_MAT_TEXT

void MQAPI RH_MQMat_SetIntValue(MQMaterial mat, int code, int value) {
  if (mat != nullptr && code == 258) Mat(mat)->value_258 = value;
}

void MQAPI RH_MQMat_SetFloatArray(MQMaterial, int, const float*) {}

void MQAPI RH_MQMat_SetName(MQMaterial mat, const char* name) {
  if (mat != nullptr) Mat(mat)->name = name != nullptr ? name : "";
}

void MQAPI RH_MQMat_SetColor(MQMaterial mat, MQColor* color) {
  if (mat != nullptr && color != nullptr) Mat(mat)->colour = *color;
}

void MQAPI RH_MQMatrix_FloatValue(float*, int, float*) {}
