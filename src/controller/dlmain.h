// The controller: the plug-in's single object.
#pragma once

#include "host/plugin_classes.h"

enum : uint32_t {
  PLUGIN_PRODUCT = 0x0A695FD7,
  PLUGIN_ID = 0x82FE07AC,
};

class DLMAIN : public MQCommandPlugin {
 public:
  DLMAIN();
  ~DLMAIN() override;

  void GetPlugInID(uint32_t* product, uint32_t* id) override;
  const char* GetPlugInName() override;
  const char* EnumString() override;
  BOOL Initialize() override;
  void Shutdown() override;
  BOOL SetActive(MQDocument doc, BOOL on) override;
  BOOL IsActive(MQDocument doc) override;
  bool RunCallback(MQDocument doc, void* option) override;

  BOOL active;
};
