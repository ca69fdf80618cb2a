// The host functions that the plug-in binds by name, in binding order.
// X(result, name, parameters, arguments): one list serves the plug-in's
// function table, the reference host's implementations and its exports.
#pragma once

#include "host/host_types.h"

#define MQ_HOST_FUNCTIONS(X)                                                                        \
  X(MQWindow, MQ_GetWindowHandle, (void), ())                                                      \
  X(MQObject, MQ_CreateObject, (void), ())                                                         \
  X(MQMaterial, MQ_CreateMaterial, (void), ())                                                     \
  X(BOOL, MQ_ShowFileDialog, (const char* caption, void* info), (caption, info))                    \
  X(void, MQ_ImportAxis, (void* info, MQPoint* points, int count), (info, points, count))           \
  X(void, MQ_ExportAxis, (void* info, MQPoint* points, int count), (info, points, count))           \
  X(BOOL, MQ_LoadImage, (const char* name, void** header, void** bits, uint32_t reserved),         \
    (name, header, bits, reserved))                                                                 \
  X(BOOL, MQ_GetSystemPath, (char* buffer, int type), (buffer, type))                              \
  X(void, MQ_RefreshView, (void* reserved), (reserved))                                            \
  X(BOOL, MQ_StationCallback, (MQStationCallbackProc proc, void* option), (proc, option))          \
  X(BOOL, MQ_SendMessage, (int code, SEND_MSG_INFO* info), (code, info))                           \
  X(int, MQDoc_GetObjectCount, (MQDocument doc), (doc))                                            \
  X(MQObject, MQDoc_GetObject, (MQDocument doc, int index), (doc, index))                          \
  X(int, MQDoc_GetCurrentObjectIndex, (MQDocument doc), (doc))                                     \
  X(void, MQDoc_SetCurrentObjectIndex, (MQDocument doc, int index), (doc, index))                  \
  X(int, MQDoc_AddObject, (MQDocument doc, MQObject obj), (doc, obj))                              \
  X(void, MQDoc_DeleteObject, (MQDocument doc, int index), (doc, index))                           \
  X(int, MQDoc_GetObjectIndex, (MQDocument doc, MQObject obj), (doc, obj))                         \
  X(int, MQDoc_GetMaterialCount, (MQDocument doc), (doc))                                          \
  X(MQMaterial, MQDoc_GetMaterial, (MQDocument doc, int index), (doc, index))                      \
  X(int, MQDoc_GetCurrentMaterialIndex, (MQDocument doc), (doc))                                   \
  X(void, MQDoc_SetCurrentMaterialIndex, (MQDocument doc, int index), (doc, index))                \
  X(int, MQDoc_AddMaterial, (MQDocument doc, MQMaterial mat), (doc, mat))                          \
  X(void, MQDoc_DeleteMaterial, (MQDocument doc, int index), (doc, index))                         \
  X(void, MQDoc_Compact, (MQDocument doc), (doc))                                                  \
  X(void, MQDoc_ClearSelect, (MQDocument doc, uint32_t flags), (doc, flags))                       \
  X(BOOL, MQDoc_AddSelectVertex, (MQDocument doc, int obj, int vert), (doc, obj, vert))            \
  X(BOOL, MQDoc_DeleteSelectVertex, (MQDocument doc, int obj, int vert), (doc, obj, vert))         \
  X(BOOL, MQDoc_IsSelectVertex, (MQDocument doc, int obj, int vert), (doc, obj, vert))             \
  X(BOOL, MQDoc_AddSelectLine, (MQDocument doc, int obj, int face, int line), (doc, obj, face, line))    \
  X(BOOL, MQDoc_DeleteSelectLine, (MQDocument doc, int obj, int face, int line), (doc, obj, face, line)) \
  X(BOOL, MQDoc_IsSelectLine, (MQDocument doc, int obj, int face, int line), (doc, obj, face, line))     \
  X(BOOL, MQDoc_AddSelectFace, (MQDocument doc, int obj, int face), (doc, obj, face))              \
  X(BOOL, MQDoc_DeleteSelectFace, (MQDocument doc, int obj, int face), (doc, obj, face))           \
  X(BOOL, MQDoc_IsSelectFace, (MQDocument doc, int obj, int face), (doc, obj, face))               \
  X(BOOL, MQDoc_AddSelectUVVertex, (MQDocument doc, int obj, int face, int vert), (doc, obj, face, vert))    \
  X(BOOL, MQDoc_DeleteSelectUVVertex, (MQDocument doc, int obj, int face, int vert), (doc, obj, face, vert)) \
  X(BOOL, MQDoc_IsSelectUVVertex, (MQDocument doc, int obj, int face, int vert), (doc, obj, face, vert))     \
  X(BOOL, MQDoc_FindMappingFile, (MQDocument doc, char* out_path, const char* name, uint32_t type),          \
    (doc, out_path, name, type))                                                                    \
  X(MQScene, MQDoc_GetScene, (MQDocument doc, int index), (doc, index))                            \
  X(MQObject, MQDoc_GetParentObject, (MQDocument doc, MQObject obj), (doc, obj))                   \
  X(int, MQDoc_GetChildObjectCount, (MQDocument doc, MQObject obj), (doc, obj))                    \
  X(MQObject, MQDoc_GetChildObject, (MQDocument doc, MQObject obj, int index), (doc, obj, index))  \
  X(void, MQDoc_GetGlobalMatrix, (MQDocument doc, MQObject obj, float* matrix), (doc, obj, matrix))        \
  X(void, MQDoc_GetGlobalInverseMatrix, (MQDocument doc, MQObject obj, float* matrix), (doc, obj, matrix)) \
  X(int, MQDoc_InsertObject, (MQDocument doc, MQObject obj, MQObject before), (doc, obj, before))  \
  X(void, MQScene_InitSize, (MQScene scene, int width, int height), (scene, width, height))        \
  X(void, MQScene_GetProjMatrix, (MQScene scene, float* matrix), (scene, matrix))                  \
  X(void, MQScene_GetViewMatrix, (MQScene scene, float* matrix), (scene, matrix))                  \
  X(BOOL, MQScene_FloatValue, (MQScene scene, int code, float* values), (scene, code, values))     \
  X(BOOL, MQScene_GetVisibleFace, (MQScene scene, MQObject obj, BOOL* visible), (scene, obj, visible))     \
  X(void, MQObj_Delete, (MQObject obj), (obj))                                                     \
  X(MQObject, MQObj_Clone, (MQObject obj), (obj))                                                  \
  X(void, MQObj_Merge, (MQObject dest, MQObject source), (dest, source))                           \
  X(void, MQObj_Freeze, (MQObject obj, uint32_t flags), (obj, flags))                              \
  X(void, MQObj_GetName, (MQObject obj, char* buffer, int size), (obj, buffer, size))              \
  X(int, MQObj_GetVertexCount, (MQObject obj), (obj))                                              \
  X(void, MQObj_GetVertex, (MQObject obj, int index, MQPoint* point), (obj, index, point))         \
  X(void, MQObj_SetVertex, (MQObject obj, int index, MQPoint* point), (obj, index, point))         \
  X(void, MQObj_GetVertexArray, (MQObject obj, MQPoint* points), (obj, points))                    \
  X(int, MQObj_GetFaceCount, (MQObject obj), (obj))                                                \
  X(int, MQObj_GetFacePointCount, (MQObject obj, int face), (obj, face))                           \
  X(void, MQObj_GetFacePointArray, (MQObject obj, int face, int* points), (obj, face, points))     \
  X(void, MQObj_GetFaceCoordinateArray, (MQObject obj, int face, MQCoordinate* uv), (obj, face, uv))       \
  X(int, MQObj_GetFaceMaterial, (MQObject obj, int face), (obj, face))                             \
  X(uint32_t, MQObj_GetFaceUniqueID, (MQObject obj, int face), (obj, face))                        \
  X(int, MQObj_GetFaceIndexFromUniqueID, (MQObject obj, uint32_t unique_id), (obj, unique_id))     \
  X(void, MQObj_SetName, (MQObject obj, const char* name), (obj, name))                            \
  X(int, MQObj_AddVertex, (MQObject obj, MQPoint* point), (obj, point))                            \
  X(BOOL, MQObj_DeleteVertex, (MQObject obj, int index, BOOL del_faces), (obj, index, del_faces))  \
  X(int, MQObj_GetVertexRefCount, (MQObject obj, int index), (obj, index))                         \
  X(uint32_t, MQObj_GetVertexUniqueID, (MQObject obj, int index), (obj, index))                    \
  X(int, MQObj_GetVertexIndexFromUniqueID, (MQObject obj, uint32_t unique_id), (obj, unique_id))   \
  X(float, MQObj_GetVertexWeight, (MQObject obj, int index), (obj, index))                         \
  X(void, MQObj_SetVertexWeight, (MQObject obj, int index, float value), (obj, index, value))      \
  X(void, MQObj_CopyVertexAttribute, (MQObject obj, int vert, MQObject source, int source_vert),   \
    (obj, vert, source, source_vert))                                                               \
  X(int, MQObj_AddFace, (MQObject obj, int count, int* points), (obj, count, points))              \
  X(BOOL, MQObj_DeleteFace, (MQObject obj, int index, BOOL del_vertices), (obj, index, del_vertices))      \
  X(BOOL, MQObj_InvertFace, (MQObject obj, int index), (obj, index))                               \
  X(void, MQObj_SetFaceMaterial, (MQObject obj, int face, int material), (obj, face, material))    \
  X(void, MQObj_SetFaceCoordinateArray, (MQObject obj, int face, MQCoordinate* uv), (obj, face, uv))       \
  X(uint32_t, MQObj_GetFaceVertexColor, (MQObject obj, int face, int corner), (obj, face, corner)) \
  X(void, MQObj_SetFaceVertexColor, (MQObject obj, int face, int corner, uint32_t color),          \
    (obj, face, corner, color))                                                                     \
  X(void, MQObj_OptimizeVertex, (MQObject obj, float distance, BOOL* apply), (obj, distance, apply))       \
  X(void, MQObj_Compact, (MQObject obj), (obj))                                                    \
  X(uint32_t, MQObj_GetVisible, (MQObject obj), (obj))                                             \
  X(void, MQObj_SetVisible, (MQObject obj, uint32_t visible), (obj, visible))                      \
  X(uint32_t, MQObj_GetPatchType, (MQObject obj), (obj))                                           \
  X(void, MQObj_SetPatchType, (MQObject obj, uint32_t type), (obj, type))                          \
  X(int, MQObj_GetPatchSegment, (MQObject obj), (obj))                                             \
  X(void, MQObj_SetPatchSegment, (MQObject obj, int segment), (obj, segment))                      \
  X(int, MQObj_GetShading, (MQObject obj), (obj))                                                  \
  X(void, MQObj_SetShading, (MQObject obj, int shading), (obj, shading))                           \
  X(float, MQObj_GetSmoothAngle, (MQObject obj), (obj))                                            \
  X(void, MQObj_SetSmoothAngle, (MQObject obj, float degrees), (obj, degrees))                     \
  X(uint32_t, MQObj_GetMirrorType, (MQObject obj), (obj))                                          \
  X(void, MQObj_SetMirrorType, (MQObject obj, uint32_t type), (obj, type))                         \
  X(uint32_t, MQObj_GetMirrorAxis, (MQObject obj), (obj))                                          \
  X(void, MQObj_SetMirrorAxis, (MQObject obj, uint32_t axis), (obj, axis))                         \
  X(float, MQObj_GetMirrorDistance, (MQObject obj), (obj))                                         \
  X(void, MQObj_SetMirrorDistance, (MQObject obj, float distance), (obj, distance))                \
  X(uint32_t, MQObj_GetLatheType, (MQObject obj), (obj))                                           \
  X(void, MQObj_SetLatheType, (MQObject obj, uint32_t type), (obj, type))                          \
  X(uint32_t, MQObj_GetLatheAxis, (MQObject obj), (obj))                                           \
  X(void, MQObj_SetLatheAxis, (MQObject obj, uint32_t axis), (obj, axis))                          \
  X(int, MQObj_GetLatheSegment, (MQObject obj), (obj))                                             \
  X(void, MQObj_SetLatheSegment, (MQObject obj, int segment), (obj, segment))                      \
  X(int, MQObj_GetIntValue, (MQObject obj, int code), (obj, code))                                 \
  X(void, MQObj_GetFloatArray, (MQObject obj, int code, float* values), (obj, code, values))       \
  X(void, MQObj_SetIntValue, (MQObject obj, int code, int value), (obj, code, value))              \
  X(void, MQObj_SetFloatArray, (MQObject obj, int code, const float* values), (obj, code, values)) \
  X(void, MQMat_Delete, (MQMaterial mat), (mat))                                                   \
  X(int, MQMat_GetIntValue, (MQMaterial mat, int code), (mat, code))                               \
  X(void, MQMat_GetFloatArray, (MQMaterial mat, int code, float* values), (mat, code, values))     \
  X(void, MQMat_GetName, (MQMaterial mat, char* buffer, int size), (mat, buffer, size))            \
  X(void, MQMat_GetColor, (MQMaterial mat, MQColor* color), (mat, color))                          \
  X(float, MQMat_GetAlpha, (MQMaterial mat), (mat))                                                \
  X(float, MQMat_GetDiffuse, (MQMaterial mat), (mat))                                              \
  X(float, MQMat_GetAmbient, (MQMaterial mat), (mat))                                              \
  X(float, MQMat_GetEmission, (MQMaterial mat), (mat))                                             \
  X(float, MQMat_GetSpecular, (MQMaterial mat), (mat))                                             \
  X(float, MQMat_GetPower, (MQMaterial mat), (mat))                                                \
  X(void, MQMat_GetTextureName, (MQMaterial mat, char* buffer, int size), (mat, buffer, size))     \
  X(void, MQMat_GetAlphaName, (MQMaterial mat, char* buffer, int size), (mat, buffer, size))       \
  X(void, MQMat_GetBumpName, (MQMaterial mat, char* buffer, int size), (mat, buffer, size))        \
  X(void, MQMat_SetIntValue, (MQMaterial mat, int code, int value), (mat, code, value))            \
  X(void, MQMat_SetFloatArray, (MQMaterial mat, int code, const float* values), (mat, code, values))       \
  X(void, MQMat_SetName, (MQMaterial mat, const char* name), (mat, name))                          \
  X(void, MQMat_SetColor, (MQMaterial mat, MQColor* color), (mat, color))                          \
  X(void, MQMat_SetAlpha, (MQMaterial mat, float value), (mat, value))                             \
  X(void, MQMat_SetDiffuse, (MQMaterial mat, float value), (mat, value))                           \
  X(void, MQMat_SetAmbient, (MQMaterial mat, float value), (mat, value))                           \
  X(void, MQMat_SetEmission, (MQMaterial mat, float value), (mat, value))                          \
  X(void, MQMat_SetSpecular, (MQMaterial mat, float value), (mat, value))                          \
  X(void, MQMat_SetPower, (MQMaterial mat, float value), (mat, value))                             \
  X(void, MQMat_SetTextureName, (MQMaterial mat, const char* name), (mat, name))                   \
  X(void, MQMat_SetAlphaName, (MQMaterial mat, const char* name), (mat, name))                     \
  X(void, MQMat_SetBumpName, (MQMaterial mat, const char* name), (mat, name))                      \
  X(void, MQMatrix_FloatValue, (float* matrix, int code, float* values), (matrix, code, values))   \
  X(BOOL, MQXmlElem_Value, (MQXmlElement elem, int code, void* values), (elem, code, values))

// The type of each host function: MQ_GetWindowHandle_FN and so on.
#define MQ_HOST_FUNCTION_TYPE(ret, name, params, args) typedef ret(MQAPI* name##_FN) params;
MQ_HOST_FUNCTIONS(MQ_HOST_FUNCTION_TYPE)
#undef MQ_HOST_FUNCTION_TYPE

enum { MQ_HOST_FUNCTION_COUNT = 0
#define MQ_HOST_FUNCTION_ONE(ret, name, params, args) +1
  MQ_HOST_FUNCTIONS(MQ_HOST_FUNCTION_ONE)
#undef MQ_HOST_FUNCTION_ONE
};
static_assert(MQ_HOST_FUNCTION_COUNT == 140, "the host interface has 140 functions");
