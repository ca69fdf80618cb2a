#include "host/plugin_entry.h"

#include "host/event_dispatch.h"

namespace {
void* g_module_instance = nullptr;
}

void SetModuleInstance(void* instance) { g_module_instance = instance; }
void* GetModuleInstance() { return g_module_instance; }

uint32_t EntryCheckVersion(uint32_t host_version) {
  GetPluginClass();
  if (host_version < LOWEST_HOST_VERSION) return 0;
  return PLUGIN_INTERFACE_VERSION;
}

void EntryGetPlugInID(uint32_t* product, uint32_t* id) { GetPluginClass()->GetPlugInID(product, id); }

const char* EntryGetPlugInName() { return GetPluginClass()->GetPlugInName(); }

int EntryGetPlugInType() { return GetPluginClass()->GetPlugInType(); }

// Station and command plug-ins name one menu entry, at index 0.
const char* EntryEnumString(int index) {
  MQBasePlugin* plugin = GetPluginClass();
  int type = plugin->GetPlugInType();
  MQStationPlugin* station = dynamic_cast<MQStationPlugin*>(plugin);
  if ((type == 6 || type == 7) && station != nullptr && index == 0) return station->EnumString();
  return nullptr;
}

int EntryOnEvent(MQDocument doc, int code, void* option) {
  return DispatchEvent(GetPluginClass(), doc, code, option);
}
