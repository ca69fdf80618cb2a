#include "host/plugin_entry.h"

#include <gtest/gtest.h>
#include <string.h>

#include "host/event_dispatch.h"

TEST(PluginEntry, VersionCheck) {
  EXPECT_EQ(EntryCheckVersion(0), 0u);
  EXPECT_EQ(EntryCheckVersion(0x243F), 0u);
  EXPECT_EQ(EntryCheckVersion(0x2440), 0x241u);
  EXPECT_EQ(EntryCheckVersion(0xFFFFFFFFu), 0x241u);
}

TEST(PluginEntry, Identity) {
  uint32_t product = 0, id = 0;
  EntryGetPlugInID(&product, &id);
  EXPECT_EQ(product, 0x0A695FD7u);
  EXPECT_EQ(id, 0x82FE07ACu);
  EXPECT_EQ(EntryGetPlugInType(), 7);
  EXPECT_STREQ(EntryEnumString(0), "Rigvane");
  EXPECT_EQ(EntryEnumString(1), nullptr);
  EXPECT_EQ(EntryEnumString(-1), nullptr);
  // "ボーンプラグイン" in code page 932, a blank, then the notice.
  const char* name = EntryGetPlugInName();
  const char sjis[] = "\x83\x7B\x81\x5B\x83\x93\x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93 ";
  ASSERT_GE(strlen(name), sizeof sjis - 1);
  EXPECT_EQ(memcmp(name, sjis, sizeof sjis - 1), 0);
  EXPECT_STREQ(name + sizeof sjis - 1, "Copyright (C) Rigvane developers");
}

TEST(PluginEntry, OneObjectAnswersEveryEntry) {
  MQBasePlugin* first = GetPluginClass();
  EXPECT_EQ(GetPluginClass(), first);
  EXPECT_EQ(EntryOnEvent(nullptr, EV_INITIALIZE, nullptr), TRUE);
  int on = 1, off = 0;
  EXPECT_EQ(EntryOnEvent(nullptr, EV_ACTIVATE, &on), 1);
  EXPECT_EQ(EntryOnEvent(nullptr, EV_IS_ACTIVATED, nullptr), TRUE);
  EXPECT_EQ(EntryOnEvent(nullptr, EV_ACTIVATE, &off), 0);
  EXPECT_EQ(EntryOnEvent(nullptr, EV_IS_ACTIVATED, nullptr), FALSE);
  EXPECT_EQ(EntryOnEvent(nullptr, 131, nullptr), 0);
  DestroyPluginClass();
}
