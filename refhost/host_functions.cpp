// The reference host's implementations of the host functions. Those the
// plug-in relies on behave as the host does; the rest are harmless.
#include <string.h>

#include <algorithm>

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

void MQAPI RH_MQ_RefreshView(void*) {}

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
    case 401:
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

int MQAPI RH_MQDoc_GetObjectCount(MQDocument doc) {
  return doc != nullptr ? static_cast<int>(Doc(doc)->objects.size()) : 0;
}

MQObject MQAPI RH_MQDoc_GetObject(MQDocument doc, int index) {
  if (doc == nullptr || index < 0 || index >= static_cast<int>(Doc(doc)->objects.size())) return nullptr;
  return Doc(doc)->objects[index];
}

int MQAPI RH_MQDoc_GetCurrentObjectIndex(MQDocument) { return -1; }
void MQAPI RH_MQDoc_SetCurrentObjectIndex(MQDocument, int) {}
int MQAPI RH_MQDoc_AddObject(MQDocument, MQObject) { return -1; }
void MQAPI RH_MQDoc_DeleteObject(MQDocument, int) {}

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

int MQAPI RH_MQDoc_GetCurrentMaterialIndex(MQDocument) { return -1; }
void MQAPI RH_MQDoc_SetCurrentMaterialIndex(MQDocument, int) {}
int MQAPI RH_MQDoc_AddMaterial(MQDocument, MQMaterial) { return -1; }
void MQAPI RH_MQDoc_DeleteMaterial(MQDocument, int) {}
void MQAPI RH_MQDoc_Compact(MQDocument) {}
void MQAPI RH_MQDoc_ClearSelect(MQDocument, uint32_t) {}
BOOL MQAPI RH_MQDoc_AddSelectVertex(MQDocument, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_DeleteSelectVertex(MQDocument, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_IsSelectVertex(MQDocument, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_AddSelectLine(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_DeleteSelectLine(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_IsSelectLine(MQDocument, int, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_AddSelectFace(MQDocument, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_DeleteSelectFace(MQDocument, int, int) { return FALSE; }
BOOL MQAPI RH_MQDoc_IsSelectFace(MQDocument, int, int) { return FALSE; }
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
  if (matrix == nullptr) return;
  for (int i = 0; i < 16; ++i) matrix[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

void MQAPI RH_MQDoc_GetGlobalInverseMatrix(MQDocument doc, MQObject obj, float* matrix) {
  RH_MQDoc_GetGlobalMatrix(doc, obj, matrix);
}

int MQAPI RH_MQDoc_InsertObject(MQDocument, MQObject, MQObject) { return -1; }

void MQAPI RH_MQScene_InitSize(MQScene scene, int width, int height) {
  if (scene == nullptr) return;
  static_cast<RH_SCENE*>(scene)->width = width;
  static_cast<RH_SCENE*>(scene)->height = height;
}

void MQAPI RH_MQScene_GetProjMatrix(MQScene, float* matrix) { RH_MQDoc_GetGlobalMatrix(nullptr, nullptr, matrix); }
void MQAPI RH_MQScene_GetViewMatrix(MQScene, float* matrix) { RH_MQDoc_GetGlobalMatrix(nullptr, nullptr, matrix); }
BOOL MQAPI RH_MQScene_FloatValue(MQScene, int, float*) { return FALSE; }
BOOL MQAPI RH_MQScene_GetVisibleFace(MQScene, MQObject, BOOL*) { return FALSE; }

void MQAPI RH_MQObj_Delete(MQObject obj) { delete Obj(obj); }
MQObject MQAPI RH_MQObj_Clone(MQObject obj) { return obj != nullptr ? new RH_OBJECT(*Obj(obj)) : nullptr; }
void MQAPI RH_MQObj_Merge(MQObject, MQObject) {}
void MQAPI RH_MQObj_Freeze(MQObject, uint32_t) {}

void MQAPI RH_MQObj_GetName(MQObject obj, char* buffer, int size) {
  if (obj == nullptr) return ClearText(buffer, size);
  CopyName(Obj(obj)->name, buffer, size);
}

int MQAPI RH_MQObj_GetVertexCount(MQObject) { return 0; }
void MQAPI RH_MQObj_GetVertex(MQObject, int, MQPoint*) {}
void MQAPI RH_MQObj_SetVertex(MQObject, int, MQPoint*) {}
void MQAPI RH_MQObj_GetVertexArray(MQObject, MQPoint*) {}
int MQAPI RH_MQObj_GetFaceCount(MQObject) { return 0; }
int MQAPI RH_MQObj_GetFacePointCount(MQObject, int) { return 0; }
void MQAPI RH_MQObj_GetFacePointArray(MQObject, int, int*) {}
void MQAPI RH_MQObj_GetFaceCoordinateArray(MQObject, int, MQCoordinate*) {}
int MQAPI RH_MQObj_GetFaceMaterial(MQObject, int) { return -1; }
uint32_t MQAPI RH_MQObj_GetFaceUniqueID(MQObject, int) { return 0; }
int MQAPI RH_MQObj_GetFaceIndexFromUniqueID(MQObject, uint32_t) { return -1; }

void MQAPI RH_MQObj_SetName(MQObject obj, const char* name) {
  if (obj != nullptr) Obj(obj)->name = name != nullptr ? name : "";
}

int MQAPI RH_MQObj_AddVertex(MQObject, MQPoint*) { return -1; }
BOOL MQAPI RH_MQObj_DeleteVertex(MQObject, int, BOOL) { return FALSE; }
int MQAPI RH_MQObj_GetVertexRefCount(MQObject, int) { return 0; }
uint32_t MQAPI RH_MQObj_GetVertexUniqueID(MQObject, int) { return 0; }
int MQAPI RH_MQObj_GetVertexIndexFromUniqueID(MQObject, uint32_t) { return -1; }
float MQAPI RH_MQObj_GetVertexWeight(MQObject, int) { return 0.0f; }
void MQAPI RH_MQObj_SetVertexWeight(MQObject, int, float) {}
void MQAPI RH_MQObj_CopyVertexAttribute(MQObject, int, MQObject, int) {}
int MQAPI RH_MQObj_AddFace(MQObject, int, int*) { return -1; }
BOOL MQAPI RH_MQObj_DeleteFace(MQObject, int, BOOL) { return FALSE; }
BOOL MQAPI RH_MQObj_InvertFace(MQObject, int) { return FALSE; }
void MQAPI RH_MQObj_SetFaceMaterial(MQObject, int, int) {}
void MQAPI RH_MQObj_SetFaceCoordinateArray(MQObject, int, MQCoordinate*) {}
uint32_t MQAPI RH_MQObj_GetFaceVertexColor(MQObject, int, int) { return 0; }
void MQAPI RH_MQObj_SetFaceVertexColor(MQObject, int, int, uint32_t) {}
void MQAPI RH_MQObj_OptimizeVertex(MQObject, float, BOOL*) {}
void MQAPI RH_MQObj_Compact(MQObject) {}
uint32_t MQAPI RH_MQObj_GetVisible(MQObject) { return 0; }
void MQAPI RH_MQObj_SetVisible(MQObject, uint32_t) {}
uint32_t MQAPI RH_MQObj_GetPatchType(MQObject) { return 0; }
void MQAPI RH_MQObj_SetPatchType(MQObject, uint32_t) {}
int MQAPI RH_MQObj_GetPatchSegment(MQObject) { return 1; }
void MQAPI RH_MQObj_SetPatchSegment(MQObject, int) {}
int MQAPI RH_MQObj_GetShading(MQObject) { return 0; }
void MQAPI RH_MQObj_SetShading(MQObject, int) {}
float MQAPI RH_MQObj_GetSmoothAngle(MQObject) { return 0.0f; }
void MQAPI RH_MQObj_SetSmoothAngle(MQObject, float) {}
uint32_t MQAPI RH_MQObj_GetMirrorType(MQObject) { return 0; }
void MQAPI RH_MQObj_SetMirrorType(MQObject, uint32_t) {}
uint32_t MQAPI RH_MQObj_GetMirrorAxis(MQObject) { return 0; }
void MQAPI RH_MQObj_SetMirrorAxis(MQObject, uint32_t) {}
float MQAPI RH_MQObj_GetMirrorDistance(MQObject) { return 0.0f; }
void MQAPI RH_MQObj_SetMirrorDistance(MQObject, float) {}
uint32_t MQAPI RH_MQObj_GetLatheType(MQObject) { return 0; }
void MQAPI RH_MQObj_SetLatheType(MQObject, uint32_t) {}
uint32_t MQAPI RH_MQObj_GetLatheAxis(MQObject) { return 0; }
void MQAPI RH_MQObj_SetLatheAxis(MQObject, uint32_t) {}
int MQAPI RH_MQObj_GetLatheSegment(MQObject) { return 0; }
void MQAPI RH_MQObj_SetLatheSegment(MQObject, int) {}
int MQAPI RH_MQObj_GetIntValue(MQObject, int) { return 0; }
void MQAPI RH_MQObj_GetFloatArray(MQObject, int, float*) {}
void MQAPI RH_MQObj_SetIntValue(MQObject, int, int) {}
void MQAPI RH_MQObj_SetFloatArray(MQObject, int, const float*) {}

void MQAPI RH_MQMat_Delete(MQMaterial mat) { delete Mat(mat); }
int MQAPI RH_MQMat_GetIntValue(MQMaterial, int) { return 0; }
void MQAPI RH_MQMat_GetFloatArray(MQMaterial, int, float*) {}

void MQAPI RH_MQMat_GetName(MQMaterial mat, char* buffer, int size) {
  if (mat == nullptr) return ClearText(buffer, size);
  CopyName(Mat(mat)->name, buffer, size);
}

void MQAPI RH_MQMat_GetColor(MQMaterial, MQColor* color) {
  if (color != nullptr) color->r = color->g = color->b = 1.0f;
}

float MQAPI RH_MQMat_GetAlpha(MQMaterial) { return 1.0f; }
float MQAPI RH_MQMat_GetDiffuse(MQMaterial) { return 0.8f; }
float MQAPI RH_MQMat_GetAmbient(MQMaterial) { return 0.6f; }
float MQAPI RH_MQMat_GetEmission(MQMaterial) { return 0.0f; }
float MQAPI RH_MQMat_GetSpecular(MQMaterial) { return 0.0f; }
float MQAPI RH_MQMat_GetPower(MQMaterial) { return 5.0f; }
void MQAPI RH_MQMat_GetTextureName(MQMaterial, char* buffer, int size) { ClearText(buffer, size); }
void MQAPI RH_MQMat_GetAlphaName(MQMaterial, char* buffer, int size) { ClearText(buffer, size); }
void MQAPI RH_MQMat_GetBumpName(MQMaterial, char* buffer, int size) { ClearText(buffer, size); }
void MQAPI RH_MQMat_SetIntValue(MQMaterial, int, int) {}
void MQAPI RH_MQMat_SetFloatArray(MQMaterial, int, const float*) {}

void MQAPI RH_MQMat_SetName(MQMaterial mat, const char* name) {
  if (mat != nullptr) Mat(mat)->name = name != nullptr ? name : "";
}

void MQAPI RH_MQMat_SetColor(MQMaterial, MQColor*) {}
void MQAPI RH_MQMat_SetAlpha(MQMaterial, float) {}
void MQAPI RH_MQMat_SetDiffuse(MQMaterial, float) {}
void MQAPI RH_MQMat_SetAmbient(MQMaterial, float) {}
void MQAPI RH_MQMat_SetEmission(MQMaterial, float) {}
void MQAPI RH_MQMat_SetSpecular(MQMaterial, float) {}
void MQAPI RH_MQMat_SetPower(MQMaterial, float) {}
void MQAPI RH_MQMat_SetTextureName(MQMaterial, const char*) {}
void MQAPI RH_MQMat_SetAlphaName(MQMaterial, const char*) {}
void MQAPI RH_MQMat_SetBumpName(MQMaterial, const char*) {}
void MQAPI RH_MQMatrix_FloatValue(float*, int, float*) {}
BOOL MQAPI RH_MQXmlElem_Value(MQXmlElement, int, void*) { return FALSE; }
