#include <string.h>

#include "refhost/refhost.h"

const RH_REQUEST_KEY* RH_REQUEST::Find(const char* key) const {
  for (const RH_REQUEST_KEY& k : keys)
    if (k.key == key) return &k;
  return nullptr;
}

REFHOST& RefHost() {
  static REFHOST host;
  if (host.document == nullptr) host.document = new RH_DOCUMENT();
  return host;
}

void RefHostReset() {
  REFHOST& host = RefHost();
  delete host.document;
  host.document = new RH_DOCUMENT();
  host.view_options = RH_VIEW_OPTIONS();
  host.requests.clear();
  host.station_callbacks = 0;
  host.plugin_event = nullptr;
  host.undo_state = 0;
  host.draw_passes = 0;
}

void RefHostDrawViews() {
  REFHOST& host = RefHost();
  // A redraw asked for while drawing is folded into the pass under way.
  if (host.drawing) return;
  host.drawing = true;
  RH_DOCUMENT* doc = host.document;
  if (host.plugin_event != nullptr) {
    int width = doc->scene.width, height = doc->scene.height;
    KEYVALUE option[] = {{"scene", &doc->scene}, {"width", &width}, {"height", &height}, {nullptr, nullptr}};
    host.plugin_event(doc, 110, option);
  }
  ++host.draw_passes;
  // Instant drawing objects and materials last for one pass.
  std::vector<RH_OBJECT*> objects;
  for (RH_OBJECT* o : doc->draw_objects) {
    if (o->instant) delete o;
    else objects.push_back(o);
  }
  doc->draw_objects.swap(objects);
  std::vector<RH_MATERIAL*> materials;
  for (RH_MATERIAL* m : doc->draw_materials) {
    if (m->instant) delete m;
    else materials.push_back(m);
  }
  doc->draw_materials.swap(materials);
  host.drawing = false;
}

void RefHostRecordUndo() {
  REFHOST& host = RefHost();
  ++host.undo_state;
  if (host.plugin_event == nullptr) return;
  int state = host.undo_state, size = 1;
  KEYVALUE option[] = {{"state", &state}, {"size", &size}, {nullptr, nullptr}};
  host.plugin_event(host.document, 212, option);
}

namespace {

struct NAMED_FUNCTION {
  const char* name;
  void* address;
};

const NAMED_FUNCTION kFunctions[] = {
#define RH_ENTRY(ret, name, params, args) {#name, reinterpret_cast<void*>(&RH_##name)},
    MQ_HOST_FUNCTIONS(RH_ENTRY)
#undef RH_ENTRY
};

}  // namespace

void* RefHostLookup(void* missing, const char* name) {
  if (missing != nullptr && strcmp(static_cast<const char*>(missing), name) == 0) return nullptr;
  for (const NAMED_FUNCTION& f : kFunctions)
    if (strcmp(f.name, name) == 0) return f.address;
  return nullptr;
}

int RefHostNewDocumentEvent() {
  REFHOST& host = RefHost();
  if (host.plugin_event == nullptr) return 0;
  char filename[] = "";
  KEYVALUE option[] = {{"filename", filename}, {"xml_elem", &host.document->plugin_data}, {nullptr, nullptr}};
  return host.plugin_event(host.document, 200, option);
}

int RefHostSaveDocumentEvent(const char* filename, int* save_uid) {
  REFHOST& host = RefHost();
  if (host.plugin_event == nullptr) return 0;
  RH_XML_ELEMENT fresh("Plugin");
  int uid = 0;
  KEYVALUE option[] = {{"filename", const_cast<char*>(filename != nullptr ? filename : "")},
                       {"xml_elem", &fresh},
                       {"save_uid", &uid},
                       {nullptr, nullptr}};
  int result = host.plugin_event(host.document, 202, option);
  host.document->plugin_data = fresh;
  if (save_uid != nullptr) *save_uid = uid;
  return result;
}
