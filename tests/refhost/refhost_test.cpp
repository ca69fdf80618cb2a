// The reference host behaves like the host: the plug-in's tests are only
// as good as the host they run against.
#include "refhost/refhost.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {

class RefHostTest : public ::testing::Test {
 protected:
  void SetUp() override { RefHostReset(); }
  RH_DOCUMENT* doc() { return RefHost().document; }
};

TEST_F(RefHostTest, VertexIdentifiersSurviveEdits) {
  RH_OBJECT* o = doc()->AddObject("box");
  for (int i = 0; i < 4; ++i) o->AddVertex(MQPoint{static_cast<float>(i), 0, 0});
  uint32_t uid2 = RH_MQObj_GetVertexUniqueID(o, 2);
  EXPECT_TRUE(o->ReorderVertices({3, 2, 1, 0}));
  EXPECT_EQ(RH_MQObj_GetVertexIndexFromUniqueID(o, uid2), 1);
  MQPoint p;
  RH_MQObj_GetVertex(o, 1, &p);
  EXPECT_EQ(p.x, 2.0f);
  EXPECT_TRUE(o->DeleteVertex(0));
  EXPECT_EQ(RH_MQObj_GetVertexIndexFromUniqueID(o, uid2), 0);
  MQPoint q = {9, 9, 9};
  int added = RH_MQObj_AddVertex(o, &q);
  EXPECT_EQ(added, 3);
  std::vector<uint32_t> uids;
  for (int i = 0; i < RH_MQObj_GetVertexCount(o); ++i) uids.push_back(RH_MQObj_GetVertexUniqueID(o, i));
  for (size_t i = 0; i < uids.size(); ++i)
    for (size_t j = i + 1; j < uids.size(); ++j) EXPECT_NE(uids[i], uids[j]);
  EXPECT_EQ(RH_MQObj_GetVertexIndexFromUniqueID(o, 12345), -1);
}

TEST_F(RefHostTest, FacesFollowTheirVertices) {
  RH_OBJECT* o = doc()->AddObject("quad");
  for (int i = 0; i < 5; ++i) o->AddVertex(MQPoint{static_cast<float>(i), 0, 0});
  int pts[] = {0, 1, 2, 3};
  EXPECT_EQ(RH_MQObj_AddFace(o, 4, pts), 0);
  int tri[] = {2, 3, 4};
  EXPECT_EQ(RH_MQObj_AddFace(o, 3, tri), 1);
  int bad[] = {0, 9, 1};
  EXPECT_LT(RH_MQObj_AddFace(o, 3, bad), 0);
  EXPECT_LT(RH_MQObj_AddFace(o, 2, pts), 0);
  EXPECT_EQ(RH_MQObj_GetFacePointCount(o, 0), 4);
  o->ReorderVertices({4, 3, 2, 1, 0});
  int got[4];
  RH_MQObj_GetFacePointArray(o, 0, got);
  EXPECT_EQ(got[0], 4);
  EXPECT_EQ(got[3], 1);
  o->DeleteVertex(0);  // the old vertex 4: only the triangle used it
  EXPECT_EQ(RH_MQObj_GetFaceCount(o), 1);
  RH_MQObj_GetFacePointArray(o, 0, got);
  EXPECT_EQ(got[0], 3);
  RH_MQObj_SetFaceVertexColor(o, 0, 2, 0xFF112233u);
  EXPECT_EQ(RH_MQObj_GetFaceVertexColor(o, 0, 2), 0xFF112233u);
  EXPECT_EQ(RH_MQObj_GetFaceVertexColor(o, 0, 7), 0u);
}

TEST_F(RefHostTest, IdentitiesAndMaterialsFollowEdits) {
  RH_OBJECT* a = doc()->AddObject("a");
  RH_OBJECT* b = doc()->AddObject("b");
  EXPECT_NE(RH_MQObj_GetIntValue(a, 260), RH_MQObj_GetIntValue(b, 260));
  int32_t m0_identity = doc()->AddMaterial("m0")->identity;
  doc()->AddMaterial("m1");
  RH_MATERIAL* m2 = doc()->AddMaterial("m2");
  for (int i = 0; i < 3; ++i) a->AddVertex(MQPoint{0, 0, 0});
  a->AddFace({0, 1, 2}, 2);
  EXPECT_TRUE(doc()->MoveMaterial(2, 0));
  EXPECT_EQ(RH_MQDoc_GetMaterial(doc(), 0), m2);
  EXPECT_EQ(a->faces[0].material, 0);  // still m2
  EXPECT_TRUE(doc()->DeleteMaterial(1));  // m0 now at 1 goes
  EXPECT_EQ(RH_MQMat_GetIntValue(RH_MQDoc_GetMaterial(doc(), 0), 259), m2->identity);
  EXPECT_NE(m0_identity, m2->identity);
  EXPECT_TRUE(doc()->DeleteObject(0));
  EXPECT_EQ(RH_MQDoc_GetObject(doc(), 0), b);
  EXPECT_EQ(RH_MQDoc_GetObject(doc(), 1), nullptr);
}

TEST_F(RefHostTest, ScreenMappingAndItsInverseAgree) {
  RH_SCENE& s = doc()->scene;
  RH_MQScene_InitSize(&s, 800, 600);
  s.LookAt(MQPoint{3, 4, 12}, MQPoint{0, 1, 0}, 40.0f, 0.5f, 500.0f);
  float center[6] = {0, 1, 0};
  ASSERT_TRUE(RH_MQScene_FloatValue(&s, 768, center));
  EXPECT_NEAR(center[3], 400.0f, 1e-3f);
  EXPECT_NEAR(center[4], 300.0f, 1e-3f);
  const float points[][3] = {{1, 2, 3}, {-2, 0.5f, -1}, {0, 0, 0}, {5, -3, 2}};
  for (const auto& w : points) {
    float v[6] = {w[0], w[1], w[2]};
    ASSERT_TRUE(RH_MQScene_FloatValue(&s, 768, v));
    float back[6] = {v[3], v[4], v[5]};
    ASSERT_TRUE(RH_MQScene_FloatValue(&s, 769, back));
    EXPECT_NEAR(back[3], w[0], 1e-3f);
    EXPECT_NEAR(back[4], w[1], 1e-3f);
    EXPECT_NEAR(back[5], w[2], 1e-3f);
  }
  // Up in the world is up on the screen, which counts pixels downwards.
  float low[6] = {0, 0, 0}, high[6] = {0, 2, 0};
  RH_MQScene_FloatValue(&s, 768, low);
  RH_MQScene_FloatValue(&s, 768, high);
  EXPECT_LT(high[4], low[4]);
  float behind[6] = {6, 8, 24};
  EXPECT_FALSE(RH_MQScene_FloatValue(&s, 768, behind));
}

int g_events[300];
int MQAPI CountEvents(MQDocument, int code, void*) {
  if (code >= 0 && code < 300) ++g_events[code];
  return 1;
}

TEST_F(RefHostTest, DrawingAndUndoCallThePluginBack) {
  memset(g_events, 0, sizeof g_events);
  RefHost().plugin_event = CountEvents;
  RH_OBJECT* keep = new RH_OBJECT();
  keep->draw_object = true;
  RH_OBJECT* instant = new RH_OBJECT();
  instant->draw_object = instant->instant = true;
  doc()->draw_objects = {keep, instant};
  RH_MQ_RefreshView(nullptr);
  EXPECT_EQ(g_events[110], 1);
  ASSERT_EQ(doc()->draw_objects.size(), 1u);
  EXPECT_EQ(doc()->draw_objects[0], keep);
  SEND_MSG_INFO info = {};
  KEYVALUE none[] = {{nullptr, nullptr}};
  info.option = none;
  RH_MQ_SendMessage(301, &info);
  RH_MQ_SendMessage(301, &info);
  EXPECT_EQ(g_events[212], 2);
  EXPECT_EQ(RefHost().undo_state, 2);
  RH_MQ_SendMessage(401, &info);
  EXPECT_EQ(g_events[110], 2);
  EXPECT_FALSE(RH_MQ_SendMessage(999, &info));  // unknown requests are recorded and refused
  EXPECT_EQ(RefHost().requests.back().code, 999);
}

TEST_F(RefHostTest, SelectionsAndLookup) {
  RH_OBJECT* o = doc()->AddObject("o");
  for (int i = 0; i < 3; ++i) o->AddVertex(MQPoint{0, 0, 0});
  o->AddFace({0, 1, 2});
  EXPECT_TRUE(RH_MQDoc_AddSelectFace(doc(), 0, 0));
  EXPECT_TRUE(RH_MQDoc_IsSelectFace(doc(), 0, 0));
  EXPECT_FALSE(RH_MQDoc_AddSelectFace(doc(), 0, 5));
  EXPECT_TRUE(RH_MQDoc_AddSelectVertex(doc(), 0, 2));
  EXPECT_TRUE(RH_MQDoc_IsSelectVertex(doc(), 0, 2));
  RH_MQDoc_ClearSelect(doc(), 0);
  EXPECT_FALSE(RH_MQDoc_IsSelectFace(doc(), 0, 0));
  EXPECT_EQ(RefHostLookup(nullptr, "MQ_NoSuchFunction"), nullptr);
  EXPECT_NE(RefHostLookup(nullptr, "MQXmlElem_Value"), nullptr);
}

}  // namespace

namespace {

MQXmlElement g_seen_element = nullptr;
int MQAPI SaveHandler(MQDocument, int code, void* option) {
  const KEYVALUE* list = static_cast<const KEYVALUE*>(option);
  for (const KEYVALUE* p = list; p->key != nullptr; ++p) {
    if (strcmp(p->key, "xml_elem") == 0) g_seen_element = p->value;
    if (code == 202 && strcmp(p->key, "save_uid") == 0) *static_cast<int*>(p->value) = 1;
  }
  if (code == 202) static_cast<RH_XML_ELEMENT*>(g_seen_element)->AddChild("model");
  return 1;
}

TEST(RefHostDocuments, TheDocumentEventsCarryThePluginElement) {
  RefHostReset();
  RefHost().plugin_event = SaveHandler;
  RefHost().document->plugin_data.AddChild("old");
  EXPECT_EQ(RefHostNewDocumentEvent(), 1);
  EXPECT_EQ(g_seen_element, &RefHost().document->plugin_data);
  int save_uid = 0;
  EXPECT_EQ(RefHostSaveDocumentEvent("a.mqo", &save_uid), 1);
  EXPECT_EQ(save_uid, 1);
  // The save started from an empty element, which the document now keeps.
  ASSERT_EQ(RefHost().document->plugin_data.children.size(), 1u);
  EXPECT_EQ(RefHost().document->plugin_data.children[0]->name, "model");
}

}  // namespace
