#include "controller/dlmain.h"

#include "host/plugin_entry.h"
#include "ui/clipboard.h"

namespace {
DLMAIN* g_plugin = nullptr;
}

MQBasePlugin* GetPluginClass() {
  if (g_plugin == nullptr) g_plugin = new DLMAIN();
  return g_plugin;
}

void DestroyPluginClass() {
  delete g_plugin;
  g_plugin = nullptr;
}

DLMAIN::DLMAIN() : active(FALSE) {}

DLMAIN::~DLMAIN() {}

void DLMAIN::GetPlugInID(uint32_t* product, uint32_t* id) {
  if (product != nullptr) *product = PLUGIN_PRODUCT;
  if (id != nullptr) *id = PLUGIN_ID;
}

const char* DLMAIN::GetPlugInName() { return "ボーンプラグイン Copyright (C) Rigvane developers"; }

const char* DLMAIN::EnumString() { return "Rigvane"; }

BOOL DLMAIN::Initialize() { return TRUE; }

void DLMAIN::Shutdown() { ClipboardShutdown(); }

BOOL DLMAIN::SetActive(MQDocument, BOOL on) {
  active = on;
  return on;
}

BOOL DLMAIN::IsActive(MQDocument) { return active; }

bool DLMAIN::RunCallback(MQDocument doc, void* option) {
  CALLBACK_REC* rec = static_cast<CALLBACK_REC*>(option);
  if (rec == nullptr || rec->proc == nullptr) return false;
  rec->proc(doc, rec->user_data);
  return true;
}
