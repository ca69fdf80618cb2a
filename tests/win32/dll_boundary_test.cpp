// Loads Rigvane.dll as the host does. This test program is a complete host
// (it exports the 140 host functions); the generated host_without_*.dll
// each lack one of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "host/host_types.h"

namespace {

typedef DWORD(MQAPI* CHECK_VERSION_FN)(DWORD);
typedef BOOL(MQAPI* INIT_FN)(const char*);
typedef void(MQAPI* GET_ID_FN)(DWORD*, DWORD*);
typedef const char*(MQAPI* GET_TEXT_FN)(void);
typedef int(MQAPI* GET_TYPE_FN)(void);
typedef const char*(MQAPI* ENUM_FN)(int);
typedef int(MQAPI* ON_EVENT_FN)(MQDocument, int, void*);
typedef BOOL(MQAPI* DOC_FN)(MQDocument);
typedef BOOL(MQAPI* FILE_FN)(int, const char*, MQDocument);

std::string ModuleDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of('\\') + 1);
}

class PluginDll : public ::testing::Test {
 protected:
  void SetUp() override {
    dll = LoadLibraryA((ModuleDir() + "Rigvane.dll").c_str());
    ASSERT_NE(dll, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (dll != nullptr) FreeLibrary(dll);
  }
  template <typename T>
  T Get(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  }
  HMODULE dll = nullptr;
};

TEST_F(PluginDll, ExportsTheFourteenEntryPointsUndecorated) {
  const char* names[] = {"MQCheckVersion", "MQInit",        "MQGetPlugInID", "MQGetPlugInName", "MQGetPlugInType",
                         "MQEnumString",   "MQOnEvent",     "MQEnumFileType", "MQEnumFileExt", "MQImportFile",
                         "MQExportFile",   "MQCreate",      "MQModifySelect", "MQModifyObject"};
  for (const char* name : names) EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
}

TEST_F(PluginDll, AnswersTheIdentityQueries) {
  auto check_version = Get<CHECK_VERSION_FN>("MQCheckVersion");
  EXPECT_EQ(check_version(0x243F), 0u);
  EXPECT_EQ(check_version(0x2440), 0x241u);
  EXPECT_EQ(check_version(0xFFFFFFFF), 0x241u);

  DWORD product = 0, id = 0;
  Get<GET_ID_FN>("MQGetPlugInID")(&product, &id);
  EXPECT_EQ(product, 0x0A695FD7u);
  EXPECT_EQ(id, 0x82FE07ACu);

  EXPECT_STREQ(Get<GET_TEXT_FN>("MQGetPlugInName")(), "ボーンプラグイン Copyright (C) Rigvane developers");
  EXPECT_EQ(Get<GET_TYPE_FN>("MQGetPlugInType")(), 7);
  EXPECT_STREQ(Get<ENUM_FN>("MQEnumString")(0), "Rigvane");
  EXPECT_EQ(Get<ENUM_FN>("MQEnumString")(1), nullptr);
  EXPECT_EQ(Get<ENUM_FN>("MQEnumFileType")(0), nullptr);
  EXPECT_EQ(Get<ENUM_FN>("MQEnumFileExt")(0), nullptr);
  EXPECT_EQ(Get<FILE_FN>("MQImportFile")(0, "a.mqo", nullptr), 0);
  EXPECT_EQ(Get<FILE_FN>("MQExportFile")(0, "a.mqo", nullptr), 0);
  EXPECT_EQ(Get<DOC_FN>("MQCreate")(nullptr), 0);
  EXPECT_EQ(Get<DOC_FN>("MQModifySelect")(nullptr), 0);
  EXPECT_EQ(Get<DOC_FN>("MQModifyObject")(nullptr), 0);
}

TEST_F(PluginDll, InitRefusesHostsThatLackAFunction) {
  auto init = Get<INIT_FN>("MQInit");
  EXPECT_FALSE(init((ModuleDir() + "no_such_host.exe").c_str()));
  EXPECT_FALSE(init((ModuleDir() + "host_without_MQ_GetWindowHandle.dll").c_str()));
  EXPECT_FALSE(init((ModuleDir() + "host_without_MQXmlElem_Value.dll").c_str()));
}

TEST_F(PluginDll, InitBindsACompleteHostAndEventsArrive) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_TRUE(Get<INIT_FN>("MQInit")(exe));

  auto on_event = Get<ON_EVENT_FN>("MQOnEvent");
  EXPECT_EQ(on_event(nullptr, 1, nullptr), TRUE);
  EXPECT_EQ(on_event(nullptr, 101, nullptr), FALSE);
  int on = 1;
  EXPECT_EQ(on_event(nullptr, 100, &on), 1);
  EXPECT_EQ(on_event(nullptr, 101, nullptr), TRUE);
  EXPECT_EQ(on_event(nullptr, 100, nullptr), 0);  // no option reads as off
  EXPECT_EQ(on_event(nullptr, 101, nullptr), FALSE);
  int width = 640;
  KEYVALUE draw[] = {{"width", &width}, {nullptr, nullptr}};
  EXPECT_EQ(on_event(nullptr, 110, draw), 1);
  EXPECT_EQ(on_event(nullptr, 120, nullptr), TRUE);   // left button: consumed by default
  EXPECT_EQ(on_event(nullptr, 123, nullptr), FALSE);  // middle button: not consumed
  EXPECT_EQ(on_event(nullptr, 131, nullptr), 0);
  EXPECT_EQ(on_event(nullptr, 2, nullptr), 1);
}

}  // namespace
