#include "mesh_fixture.h"

namespace {

TEST_F(MeshTest, RecordsFollowVertexIdentitiesThroughHostEdits) {
  RH_OBJECT* host = AddGrid("grid", 3);
  model->NewNamedMotion();
  model->Synchronize();
  ASSERT_EQ(model->objects.size(), 1u);
  DL_OBJ* obj = model->objects[0];
  EXPECT_EQ(obj->object_uid, host->identity);
  ASSERT_EQ(obj->VertexCount(), 9);
  DL_OBJWEIT* g = obj->NewGroup();
  for (int i = 0; i < 9; ++i) obj->SetVertexWeight(i, g, 0.1f * (i + 1));
  DL_MORPH* t = obj->NewMorph();
  (void)t;
  std::vector<std::vector<std::pair<int32_t, int32_t>>> corners_by_uid(20);
  for (DL_OBJVERT* v : obj->vertices) corners_by_uid[v->vertex_uid] = v->corners;

  // Reverse the vertex order in the host: records follow their identities.
  std::vector<int> order;
  for (int i = 8; i >= 0; --i) order.push_back(i);
  host->ReorderVertices(order);
  model->Synchronize();
  for (int j = 0; j < 9; ++j) {
    DL_OBJVERT* v = obj->vertices[j];
    EXPECT_EQ(static_cast<uint32_t>(v->vertex_uid), host->vertices[j].uid);
    EXPECT_FLOAT_EQ(v->weights.Get(g), 0.1f * (9 - j));
    EXPECT_EQ(v->host_pos, VEC3(host->vertices[j].pos.x, host->vertices[j].pos.y, 0));
    EXPECT_EQ(v->corners.size(), corners_by_uid[v->vertex_uid].size());
  }

  // Delete one vertex (with its faces) and add one.
  uint32_t gone = host->vertices[4].uid;
  host->DeleteVertex(4);
  int added = host->AddVertex(MQPoint{7, 7, 7});
  model->Synchronize();
  ASSERT_EQ(obj->VertexCount(), 9);
  for (DL_OBJVERT* v : obj->vertices) EXPECT_NE(static_cast<uint32_t>(v->vertex_uid), gone);
  DL_OBJVERT* fresh = obj->vertices[added];
  EXPECT_EQ(fresh->weights.Count(), 0);
  EXPECT_EQ(fresh->base_pos, VEC3(7, 7, 7));
  ASSERT_EQ(fresh->target_pos.size(), 1u);  // one position per target, at the host position
  EXPECT_EQ(fresh->target_pos[0], VEC3(7, 7, 7));
  // The middle vertex took all four faces with it: no corner refers to them.
  for (DL_OBJVERT* v : obj->vertices)
    for (const auto& c : v->corners) EXPECT_LT(c.first, RH_MQObj_GetFaceCount(host));
  EXPECT_TRUE(fresh->corners.empty());
}

TEST_F(MeshTest, ObjectRecordsComeAndGoWithTheirHostObjects) {
  RH_OBJECT* a = AddGrid("a", 2);
  AddGrid("b", 2);
  DL_MOT* mot = model->NewNamedMotion();
  model->Synchronize();
  ASSERT_EQ(model->objects.size(), 2u);
  DL_OBJ* ra = Record(a);
  ra->tracks.current->visibility.SetKey(3, DL_VALUE::Step(0));
  EXPECT_EQ(mot->key_table.EntryCount(), 1);
  doc()->DeleteObject(0);
  RH_OBJECT* c = AddGrid("c", 2);
  model->Synchronize();
  ASSERT_EQ(model->objects.size(), 2u);
  EXPECT_EQ(model->objects[0]->source, doc()->objects[0]);
  EXPECT_EQ(model->objects[1]->source, c);
  EXPECT_EQ(mot->key_table.EntryCount(), 0);  // the deleted object's keys left the table
  EXPECT_EQ(Record(c)->tracks.tracks.size(), 1u);
}

TEST_F(MeshTest, HostEditsGoIntoTheCurrentTargetOrTheBase) {
  RH_OBJECT* host = AddGrid("g", 2);
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  host->vertices[1].pos = MQPoint{5, 0, 0};
  model->Synchronize();
  EXPECT_EQ(obj->vertices[1]->base_pos, VEC3(5, 0, 0));
  DL_MORPH* t = obj->NewMorph();
  host->vertices[1].pos = MQPoint{9, 0, 0};
  model->Synchronize();
  EXPECT_EQ(obj->vertices[1]->base_pos, VEC3(5, 0, 0));
  EXPECT_EQ(obj->vertices[1]->target_pos[t->index], VEC3(9, 0, 0));
}

TEST_F(MeshTest, DisplayCopyMirrorsTheSourceAndRemembersVisibility) {
  RH_OBJECT* host = AddGrid("grid", 3, 0);
  host->smooth_angle = 30;
  host->faces[2].uv = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}, {0.7f, 0.8f}};
  model->Synchronize();
  model->SetFlag(MODEL_ACTIVE, true);
  model->SwitchDisplay(true);
  DL_OBJ* obj = model->objects[0];
  ASSERT_NE(obj->display, nullptr);
  RH_OBJECT* copy = static_cast<RH_OBJECT*>(obj->display);
  EXPECT_EQ(host->visible, 0u);  // the source is hidden
  EXPECT_EQ(copy->name, "grid");
  EXPECT_EQ(copy->smooth_angle, 30.0f);
  EXPECT_EQ(copy->visibility, 4);
  EXPECT_EQ(copy->vertices.size(), 9u);
  ASSERT_EQ(copy->faces.size(), 4u);
  EXPECT_EQ(obj->face_map, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(copy->faces[2].uv[3].v, 0.8f);
  EXPECT_EQ(copy->faces[0].material, 0);

  copy->visible = 0x5;  // what the copy had when created stands for "shown"
  obj->display_visibility = 0x5;
  model->ChangeShownOnAllObjects(FLAG_CLEAR);
  EXPECT_EQ(copy->visible, 0u);
  model->ChangeShownOnAllObjects(FLAG_TOGGLE);
  EXPECT_EQ(copy->visible, 0x5u);

  model->SwitchDisplay(false);
  EXPECT_EQ(obj->display, nullptr);
  EXPECT_TRUE(doc()->draw_objects.empty());
  EXPECT_TRUE(doc()->draw_materials.empty());
  EXPECT_EQ(host->visible, 0xFFFFFFFFu);  // restored
}

TEST_F(MeshTest, SelectedFacesOnlyWithNoSelectionCopiesNoFaces) {
  AddGrid("grid", 3);
  model->Synchronize();
  model->SetFlag(MODEL_COMMAND_SET | MODEL_SELECTED_FACES, true);
  model->CreateAllDisplays();
  DL_OBJ* obj = model->objects[0];
  RH_OBJECT* copy = static_cast<RH_OBJECT*>(obj->display);
  EXPECT_EQ(copy->vertices.size(), 9u);
  EXPECT_TRUE(copy->faces.empty());
  EXPECT_EQ(obj->face_map, (std::vector<int32_t>{-1, -1, -1, -1}));
  RH_MQDoc_AddSelectFace(doc(), 0, 3);
  model->CreateAllDisplays();
  EXPECT_EQ(obj->face_map, (std::vector<int32_t>{-1, -1, -1, 0}));
  EXPECT_EQ(doc()->draw_objects.size(), 1u);  // the old copy went
}

TEST_F(MeshTest, VertexColourMaterialIsMadeOnceAndAnewAfterSwitchingOff) {
  AddGrid("grid", 2);
  doc()->AddMaterial("m");
  model->Synchronize();
  model->SwitchDisplay(true);
  MQMaterial first = model->vcol_material;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(model->vcol_material_index, 1);  // after the document's material
  RH_MATERIAL* m = static_cast<RH_MATERIAL*>(first);
  EXPECT_EQ(m->name, "$$vcol_tmp$$");
  EXPECT_EQ(m->value_258, 1);
  EXPECT_EQ(m->emission, 1.0f);
  EXPECT_EQ(m->diffuse, 0.0f);
  model->WriteAllFaceColours();
  model->WriteAllFaceColours();
  EXPECT_EQ(doc()->draw_materials.size(), 1u);
  model->SwitchDisplay(false);
  EXPECT_EQ(model->vcol_material, nullptr);
  EXPECT_EQ(model->vcol_material_index, -1);
  doc()->AddMaterial("m2");
  model->SwitchDisplay(true);
  EXPECT_EQ(doc()->draw_materials.size(), 1u);
  EXPECT_EQ(model->vcol_material_index, 2);
}

TEST_F(MeshTest, FaceColoursShowWeightsOrTheSourceColours) {
  RH_OBJECT* host = AddGrid("grid", 2, 0);
  host->faces[0].colours = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu};
  doc()->AddMaterial("m");
  model->Synchronize();
  model->CreateAllDisplays();
  DL_OBJ* obj = model->objects[0];
  RH_OBJECT* copy = static_cast<RH_OBJECT*>(obj->display);
  EXPECT_EQ(copy->faces[0].colours, host->faces[0].colours);
  EXPECT_EQ(copy->faces[0].material, 0);
  DL_OBJWEIT* g = obj->NewGroup();  // red
  obj->SetVertexWeight(2, g, 0.5f);
  obj->Recolour();
  model->SetFlag(MODEL_WEIGHT, true);
  model->WriteAllFaceColours();
  EXPECT_EQ(copy->faces[0].material, model->vcol_material_index);
  // Grid vertex 2 is corner 3 of the quad (0, 1, 3, 2).
  EXPECT_EQ(copy->faces[0].colours[3], 0xFF00007Fu);
  EXPECT_EQ(copy->faces[0].colours[0], 0xFF000000u);
}

TEST_F(MeshTest, PositionsWrittenArePosedOrTheEditedShape) {
  AddGrid("grid", 2);
  model->Synchronize();
  model->CreateAllDisplays();
  DL_OBJ* obj = model->objects[0];
  RH_OBJECT* copy = static_cast<RH_OBJECT*>(obj->display);
  for (DL_OBJVERT* v : obj->vertices) v->skinned_pos = v->host_pos + VEC3(0, 0, 3);
  model->WriteAllPositions();
  EXPECT_EQ(copy->vertices[1].pos.z, 0.0f);
  model->SetFlag(MODEL_MOTION, true);
  model->WriteAllPositions();
  EXPECT_EQ(copy->vertices[1].pos.z, 3.0f);
  copy->AddVertex(MQPoint{0, 0, 0});  // counts differ: nothing is written
  for (DL_OBJVERT* v : obj->vertices) v->skinned_pos = VEC3(9, 9, 9);
  model->WriteAllPositions();
  EXPECT_EQ(copy->vertices[1].pos.z, 3.0f);
}

TEST_F(MeshTest, RecordsDestroyedTakeTheirDisplayCopies) {
  AddGrid("a", 2);
  AddGrid("b", 2);
  model->Synchronize();
  model->CreateAllDisplays();
  EXPECT_EQ(doc()->draw_objects.size(), 2u);
  doc()->DeleteObject(1);
  model->Synchronize();
  EXPECT_EQ(doc()->draw_objects.size(), 1u);
  model->Clear();
  EXPECT_TRUE(doc()->draw_objects.empty());
}

TEST_F(MeshTest, PickingRespectsFacing) {
  AddGrid("grid", 2);
  model->Synchronize();
  model->CreateAllDisplays();
  DL_OBJ* obj = model->objects[0];
  MQScene scene = &doc()->scene;
  obj->UpdateScreen(scene, false);
  EXPECT_EQ(obj->face_facing, (std::vector<uint8_t>{3}));
  VEC3 s = obj->vertices[0]->screen_pos;
  PICK_LIST list;
  EXPECT_TRUE(obj->PickVertices(s.x, s.y, 1.0f, &list));
  ASSERT_EQ(list.picks.size(), 1u);
  EXPECT_EQ(list.picks[0].vertex, 0);
  // The camera looks at the quad's front (counter-clockwise from +z) or back:
  // turning the view around flips which side counts.
  obj->UpdateScreen(scene, true);
  bool front = obj->face_facing[0] != 0;
  doc()->scene.LookAt(MQPoint{0.5f, 0.5f, -10}, MQPoint{0.5f, 0.5f, 0}, 45, 0.1f, 1000);
  obj->UpdateScreen(scene, true);
  EXPECT_NE(obj->face_facing[0] != 0, front);
  PICK_LIST back;
  s = obj->vertices[0]->screen_pos;
  EXPECT_EQ(obj->PickVertices(s.x, s.y, 1.0f, &back), !front);
  obj->SetFlag(OBJ_EDITABLE, false);
  EXPECT_FALSE(obj->PickVertices(s.x, s.y, 1.0e9f, &back));
}

}  // namespace
