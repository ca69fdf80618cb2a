// The library's entry routine and its fourteen exports.
#include <windows.h>

#include "host/host_table.h"
#include "host/plugin_entry.h"

namespace {

void* LookupInModule(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) SetModuleInstance(instance);
  // On FreeLibrary the plug-in object goes with the library; at process exit
  // the system tears everything down and windows may already be gone.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) DestroyPluginClass();
  return TRUE;
}

extern "C" {

__declspec(dllexport) DWORD MQAPI MQCheckVersion(DWORD host_version) { return EntryCheckVersion(host_version); }

__declspec(dllexport) BOOL MQAPI MQInit(const char* exe_name) {
  GetPluginClass();
  HMODULE host = LoadLibraryA(exe_name);
  if (host == nullptr) return FALSE;
  BOOL bound = BindHostFunctions(LookupInModule, host);
  // The host stays loaded, so the addresses stay valid.
  FreeLibrary(host);
  return bound;
}

__declspec(dllexport) void MQAPI MQGetPlugInID(DWORD* product, DWORD* id) {
  uint32_t p = 0, i = 0;
  EntryGetPlugInID(&p, &i);
  if (product != nullptr) *product = p;
  if (id != nullptr) *id = i;
}

__declspec(dllexport) const char* MQAPI MQGetPlugInName(void) { return EntryGetPlugInName(); }

__declspec(dllexport) int MQAPI MQGetPlugInType(void) { return EntryGetPlugInType(); }

__declspec(dllexport) const char* MQAPI MQEnumString(int index) { return EntryEnumString(index); }

__declspec(dllexport) int MQAPI MQOnEvent(MQDocument doc, int code, void* option) {
  return EntryOnEvent(doc, code, option);
}

// The remaining exports serve import, export, create and modify plug-ins.
__declspec(dllexport) const char* MQAPI MQEnumFileType(int) {
  GetPluginClass();
  return nullptr;
}

__declspec(dllexport) const char* MQAPI MQEnumFileExt(int) {
  GetPluginClass();
  return nullptr;
}

__declspec(dllexport) BOOL MQAPI MQImportFile(int, const char*, MQDocument) {
  GetPluginClass();
  return FALSE;
}

__declspec(dllexport) BOOL MQAPI MQExportFile(int, const char*, MQDocument) {
  GetPluginClass();
  return FALSE;
}

__declspec(dllexport) BOOL MQAPI MQCreate(MQDocument) {
  GetPluginClass();
  return FALSE;
}

__declspec(dllexport) BOOL MQAPI MQModifySelect(MQDocument) {
  GetPluginClass();
  return FALSE;
}

__declspec(dllexport) BOOL MQAPI MQModifyObject(MQDocument) {
  GetPluginClass();
  return FALSE;
}

}  // extern "C"
