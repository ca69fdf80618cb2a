#include <string.h>

#include "refhost/refhost.h"

RH_DOCUMENT::~RH_DOCUMENT() {
  for (RH_OBJECT* o : objects) delete o;
  for (RH_MATERIAL* m : materials) delete m;
  for (RH_OBJECT* o : draw_objects) delete o;
  for (RH_MATERIAL* m : draw_materials) delete m;
}

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
