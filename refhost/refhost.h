// The reference host: our stand-in for the host modeller. It implements
// every host function under its own name (RH_ plus the host's name), so
// that native test binaries can hold it beside the plug-in's function table;
// refhost.exe exports the same functions under the host's names.
#pragma once

#include <string>
#include <vector>

#include "host/host_functions.h"

extern "C" {
#define RH_DECLARE(ret, name, params, args) ret MQAPI RH_##name params;
MQ_HOST_FUNCTIONS(RH_DECLARE)
#undef RH_DECLARE
}

struct RH_OBJECT {
  std::string name;
  bool draw_object = false;  // created by a drawing request
  bool instant = false;      // discarded after the drawing pass
  int visibility = 0;        // drawing flags of a drawing object
};

struct RH_MATERIAL {
  std::string name;
  bool draw_material = false;
  bool instant = false;
};

struct RH_SCENE {
  int width = 1;
  int height = 1;
};

struct RH_DOCUMENT {
  std::vector<RH_OBJECT*> objects;
  std::vector<RH_MATERIAL*> materials;
  std::vector<RH_OBJECT*> draw_objects;
  std::vector<RH_MATERIAL*> draw_materials;
  RH_SCENE scene;
  ~RH_DOCUMENT();
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

struct REFHOST {
  RH_DOCUMENT* document = nullptr;
  MQWindow main_window = nullptr;
  RH_VIEW_OPTIONS view_options;
  std::vector<RH_REQUEST> requests;
  int station_callbacks = 0;
};

// The host's state: one current document.
REFHOST& RefHost();
// Discards the document and the recorded requests and opens a new document.
void RefHostReset();

// Maps a host function name to the reference host's implementation; NULL
// for names the host does not have. A name listed in `missing` (for tests of
// incomplete hosts) is reported absent.
void* RefHostLookup(void* missing, const char* name);
