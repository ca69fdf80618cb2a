// The reference host: our stand-in for the host modeller. It implements
// every host function under its own name (RH_ plus the host's name), so
// that native test binaries can hold it beside the plug-in's function table;
// refhost.exe exports the same functions under the host's names.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/host_functions.h"
#include "refhost/xml_store.h"

extern "C" {
#define RH_DECLARE(ret, name, params, args) ret MQAPI RH_##name params;
MQ_HOST_FUNCTIONS(RH_DECLARE)
#undef RH_DECLARE
}

struct RH_VERTEX {
  MQPoint pos;
  uint32_t uid;
};

struct RH_FACE {
  std::vector<int> points;
  int material = -1;
  std::vector<MQCoordinate> uv;    // one per point
  std::vector<uint32_t> colours;   // one per point, packed 0xAABBGGRR
  uint32_t uid = 0;
};

// A host object: vertices with unique identifiers that survive reordering,
// additions and deletions, faces of any size, and display settings.
struct RH_OBJECT {
  std::string name;
  int32_t identity = 0;  // the value 260, unique in its document
  uint32_t visible = 0xFFFFFFFFu;
  std::vector<RH_VERTEX> vertices;
  std::vector<RH_FACE> faces;
  uint32_t next_vertex_uid = 1;
  uint32_t next_face_uid = 1;
  uint32_t patch_type = 0;
  int patch_segment = 1;
  int shading = 1;
  float smooth_angle = 59.5f;
  uint32_t mirror_type = 0;
  uint32_t mirror_axis = 1;
  float mirror_distance = 0;
  uint32_t lathe_type = 0;
  uint32_t lathe_axis = 0;
  int lathe_segment = 12;
  // Drawing objects (requests 200 and 210).
  bool draw_object = false;
  bool instant = false;        // discarded after the drawing pass
  int visibility = 0;          // drawing flags: 1 vertices, 2 edges, 4 faces
  int display_colour_on = 0;   // value 513
  float display_colour[3] = {1, 1, 1};

  int AddVertex(const MQPoint& p);
  // Removes the vertex and every face that uses it.
  bool DeleteVertex(int index);
  // New vertex i is old vertex order[i]; faces follow their vertices.
  bool ReorderVertices(const std::vector<int>& order);
  // Returns the new face's index, or -1 for fewer than three points or a
  // point that is not a vertex.
  int AddFace(const std::vector<int>& points, int material = -1);
  bool DeleteFace(int index);
  int IndexOfVertexUid(uint32_t uid) const;
  // Unique ID -> index, rebuilt whenever an answer no longer holds.
  mutable std::unordered_map<uint32_t, int> uid_index;
  int IndexOfFaceUid(uint32_t uid) const;
};

struct RH_MATERIAL {
  std::string name;
  int32_t identity = 0;  // the value 259
  MQColor colour = {1, 1, 1};
  float alpha = 1, diffuse = 0.8f, ambient = 0.6f, emission = 0, specular = 0, power = 5;
  int value_258 = 0;
  std::string texture, alpha_map, bump_map;
  bool draw_material = false;
  bool instant = false;
};

// A view: a camera (view matrix) and a perspective projection onto a
// width x height pixel screen. Screen x grows to the right, y downwards;
// the depth is 0 at the near plane and 1 at the far plane.
struct RH_SCENE {
  int width = 640;
  int height = 480;
  float view[16];  // row-major, row vectors: camera = world * view
  float proj[16];  // clip = camera * proj

  RH_SCENE();
  // A camera at eye looking at target, y up, with the vertical field of view.
  void LookAt(const MQPoint& eye, const MQPoint& target, float fov_y_degrees, float near_z, float far_z);
  bool WorldToScreen(const float world[3], float screen[3]) const;
  bool ScreenToWorld(const float screen[3], float world[3]) const;
};

struct RH_DOCUMENT {
  std::vector<RH_OBJECT*> objects;
  std::vector<RH_MATERIAL*> materials;
  std::vector<RH_OBJECT*> draw_objects;
  std::vector<RH_MATERIAL*> draw_materials;
  int current_object = -1;
  int current_material = -1;
  int32_t next_object_identity = 1;
  int32_t next_material_identity = 1;
  // Selections as (object index, vertex or face index).
  std::vector<std::pair<int, int>> selected_vertices;
  std::vector<std::pair<int, int>> selected_faces;
  RH_SCENE scene;
  RH_XML_ELEMENT plugin_data{"Plugin"};  // the element plug-ins store their data in
  ~RH_DOCUMENT();

  // Host-side edits, as the user makes them in the host.
  RH_OBJECT* AddObject(const char* name);
  bool DeleteObject(int index);
  RH_MATERIAL* AddMaterial(const char* name);
  bool DeleteMaterial(int index);
  bool MoveMaterial(int from, int to);
  bool IsDrawObject(const RH_OBJECT* o) const;
  bool IsDrawMaterial(const RH_MATERIAL* m) const;
};

// One key of a recorded request: its name, the value pointer as passed and
// what it pointed at when the request arrived: the integer, for the keys the
// host reads as integers; the handle, for "result".
struct RH_REQUEST_KEY {
  std::string key;
  void* value;
  bool has_int;
  int int_value;
  void* result_before;
};

struct RH_REQUEST {
  int code;
  uint32_t product;
  uint32_t id;
  int32_t index;
  std::vector<RH_REQUEST_KEY> keys;

  const RH_REQUEST_KEY* Find(const char* key) const;
};

// The view switches that GetViewOptions answers.
struct RH_VIEW_OPTIONS {
  int show_vertex = 1;
  int show_line = 1;
  int show_face = 1;
  int front_only = 0;
  int show_bkimg = 0;
};

typedef int(MQAPI* RH_PLUGIN_EVENT)(MQDocument doc, int code, void* option);

struct REFHOST {
  RH_DOCUMENT* document = nullptr;
  MQWindow main_window = nullptr;
  RH_VIEW_OPTIONS view_options;
  std::vector<RH_REQUEST> requests;
  int station_callbacks = 0;
  RH_PLUGIN_EVENT plugin_event = nullptr;  // the plug-in's MQOnEvent
  int undo_state = 0;
  int draw_passes = 0;
  bool drawing = false;
};

// The host's state: one current document.
REFHOST& RefHost();
// Discards the document and the recorded requests and opens a new document.
void RefHostReset();

// Draws every view: event 110 for each, then the instant drawing objects
// and materials are discarded.
void RefHostDrawViews();
// Records an undo step: a new undo state, announced with event 212.
void RefHostRecordUndo();
// The document events, as the host sends them: a document opened (200,
// with its plug-in element) and saved (202, into a fresh element that then
// becomes the document's). Returns what the plug-in answered; *save_uid
// tells whether the plug-in asked for unique identifiers to be kept.
int RefHostNewDocumentEvent();
int RefHostSaveDocumentEvent(const char* filename, int* save_uid);

// Maps a host function name to the reference host's implementation; NULL
// for names the host does not have. A name listed in `missing` (for tests of
// incomplete hosts) is reported absent.
void* RefHostLookup(void* missing, const char* name);
