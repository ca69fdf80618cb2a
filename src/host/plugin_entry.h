// What the exported entry points answer, independent of how they are
// exported: the DLL forwards each export here, native tests call it directly.
#pragma once

#include "host/plugin_classes.h"

enum : uint32_t {
  PLUGIN_INTERFACE_VERSION = 0x241,  // answered to the host
  LOWEST_HOST_VERSION = 0x2440,      // older hosts are refused
};

// The single plug-in object, created on first use (by the controller).
MQBasePlugin* GetPluginClass();
// Destroys it when the library is unloaded.
void DestroyPluginClass();

// The module instance handle stored by the library's entry routine.
void SetModuleInstance(void* instance);
void* GetModuleInstance();

uint32_t EntryCheckVersion(uint32_t host_version);
void EntryGetPlugInID(uint32_t* product, uint32_t* id);
const char* EntryGetPlugInName();
int EntryGetPlugInType();
const char* EntryEnumString(int index);
int EntryOnEvent(MQDocument doc, int code, void* option);
