// The requests the plug-in sends, as the reference host receives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/dlmain.h"
#include "host/host_table.h"
#include "refhost/refhost.h"

namespace {

class Requests : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(BindHostFunctions(RefHostLookup, nullptr));
    RefHostReset();
  }
  std::vector<std::string> Keys(const RH_REQUEST& r) {
    std::vector<std::string> keys;
    for (const RH_REQUEST_KEY& k : r.keys) keys.push_back(k.key);
    return keys;
  }
  const RH_REQUEST& Only() {
    EXPECT_EQ(RefHost().requests.size(), 1u);
    const RH_REQUEST& r = RefHost().requests.back();
    EXPECT_EQ(r.product, PLUGIN_PRODUCT);
    EXPECT_EQ(r.id, PLUGIN_ID);
    EXPECT_EQ(r.index, 0);
    return r;
  }
  DLMAIN plugin;
};

TEST_F(Requests, CreateDrawObject) {
  MQDocument doc = RefHost().document;
  MQObject obj = plugin.CreateDrawObject(doc, DRAW_EDGES | DRAW_FACES, TRUE);
  const RH_REQUEST& r = Only();
  EXPECT_EQ(r.code, 200);
  EXPECT_EQ(Keys(r), (std::vector<std::string>{"document", "visibility", "instant", "result"}));
  EXPECT_EQ(r.Find("document")->value, doc);
  EXPECT_EQ(r.Find("visibility")->int_value, 6);
  EXPECT_EQ(r.Find("instant")->int_value, 1);
  EXPECT_EQ(r.Find("result")->result_before, nullptr);
  ASSERT_NE(obj, nullptr);
  ASSERT_EQ(RefHost().document->draw_objects.size(), 1u);
  EXPECT_EQ(RefHost().document->draw_objects[0], obj);
  EXPECT_TRUE(RefHost().document->draw_objects[0]->instant);
}

TEST_F(Requests, CreateDrawMaterialAnswersHandleAndIndex) {
  MQDocument doc = RefHost().document;
  int index = 99;
  MQMaterial mat = plugin.CreateDrawMaterial(doc, FALSE, &index);
  const RH_REQUEST& r = Only();
  EXPECT_EQ(r.code, 201);
  EXPECT_EQ(Keys(r), (std::vector<std::string>{"document", "index", "instant", "result"}));
  EXPECT_EQ(r.Find("index")->int_value, -1);
  EXPECT_EQ(r.Find("instant")->int_value, 0);
  EXPECT_EQ(r.Find("result")->result_before, nullptr);
  EXPECT_NE(mat, nullptr);
  EXPECT_EQ(index, 0);
  plugin.CreateDrawMaterial(doc, FALSE, &index);
  EXPECT_EQ(index, 1);
}

TEST_F(Requests, DeleteDrawObjectAndMaterial) {
  MQDocument doc = RefHost().document;
  MQObject obj = plugin.CreateDrawObject(doc, DRAW_FACES, FALSE);
  MQMaterial mat = plugin.CreateDrawMaterial(doc, FALSE, nullptr);
  RefHost().requests.clear();
  plugin.DeleteDrawObject(doc, obj);
  plugin.DeleteDrawMaterial(doc, mat);
  ASSERT_EQ(RefHost().requests.size(), 2u);
  const RH_REQUEST& a = RefHost().requests[0];
  const RH_REQUEST& b = RefHost().requests[1];
  EXPECT_EQ(a.code, 210);
  EXPECT_EQ(Keys(a), (std::vector<std::string>{"document", "object"}));
  EXPECT_EQ(a.Find("object")->value, obj);
  EXPECT_EQ(b.code, 211);
  EXPECT_EQ(Keys(b), (std::vector<std::string>{"document", "material"}));
  EXPECT_EQ(b.Find("material")->value, mat);
  EXPECT_TRUE(RefHost().document->draw_objects.empty());
  EXPECT_TRUE(RefHost().document->draw_materials.empty());
}

TEST_F(Requests, RecordUndoAndRedrawCarryNoKeys) {
  plugin.RecordUndo();
  plugin.RedrawViews();
  ASSERT_EQ(RefHost().requests.size(), 2u);
  EXPECT_EQ(RefHost().requests[0].code, 301);
  EXPECT_TRUE(RefHost().requests[0].keys.empty());
  EXPECT_EQ(RefHost().requests[1].code, 401);
  EXPECT_TRUE(RefHost().requests[1].keys.empty());
}

TEST_F(Requests, GetViewOptionsZeroesTheSwitchesThenReadsThem) {
  RefHost().view_options.front_only = 1;
  RefHost().view_options.show_vertex = 0;
  MQScene scene = RH_MQDoc_GetScene(RefHost().document, 0);
  VIEW_OPTIONS v = plugin.GetViewOptions(scene);
  const RH_REQUEST& r = Only();
  EXPECT_EQ(r.code, 410);
  EXPECT_EQ(Keys(r), (std::vector<std::string>{"scene", "show_vertex", "show_line", "show_face", "front_only",
                                               "show_bkimg"}));
  EXPECT_EQ(r.Find("scene")->value, scene);
  for (size_t i = 1; i < r.keys.size(); ++i) EXPECT_EQ(r.keys[i].int_value, 0) << r.keys[i].key;
  EXPECT_EQ(v.front_only, 1);
  EXPECT_EQ(v.show_vertex, 0);
  EXPECT_EQ(v.show_face, 1);
}

struct CALLBACK_SEEN {
  MQDocument doc = nullptr;
  int calls = 0;
};

void Remember(MQDocument doc, void* user_data) {
  CALLBACK_SEEN* seen = static_cast<CALLBACK_SEEN*>(user_data);
  seen->doc = doc;
  ++seen->calls;
}

TEST_F(Requests, RunInHostCallsTheProcedureWithTheCurrentDocument) {
  CALLBACK_SEEN seen;
  EXPECT_EQ(plugin.RunInHost(Remember, &seen), 1);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(seen.doc, RefHost().document);
  EXPECT_EQ(RefHost().station_callbacks, 1);
  // Without a procedure the plug-in's callback refuses and nothing runs.
  EXPECT_EQ(plugin.RunInHost(nullptr, &seen), 0);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_FALSE(plugin.RunCallback(RefHost().document, nullptr));
}

}  // namespace
