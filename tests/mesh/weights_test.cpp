#include "mesh_fixture.h"

namespace {

TEST(WeightList, SetRemoveNormaliseAndColour) {
  DL_OBJWEIT red, green, hidden;
  red.col = RGBA8(255, 0, 0);
  green.col = RGBA8(0, 255, 0);
  hidden.col = RGBA8(0, 0, 255);
  DL_WEITLIST w;
  w.Set(&red, 0.0001f);
  EXPECT_EQ(w.Count(), 0);
  w.Set(&red, -0.5f);  // stored as given
  EXPECT_EQ(w.Get(&red), -0.5f);
  w.Set(&red, 0.2f);
  w.Set(&green, 0.2f);
  EXPECT_EQ(w.Count(), 2);
  w.Normalize();
  EXPECT_TRUE(w.IsNormalized());
  EXPECT_EQ(w.Get(&red), 0.5f);
  EXPECT_EQ(w.Get(&green), 0.5f);
  w.UpdateColour();
  EXPECT_EQ(w.colour, 0xFF007F7Fu);
  hidden.flags &= ~OBJWEIT_SHOW;
  w.Set(&hidden, 1.0f);  // not paintable: refused
  EXPECT_EQ(w.Count(), 2);
  hidden.flags |= OBJWEIT_SHOW;
  w.Set(&hidden, 1.0f);
  hidden.flags &= ~OBJWEIT_SHOW;
  w.UpdateColour();
  EXPECT_EQ(w.colour, 0xFF007F7Fu);  // hidden groups add nothing
  EXPECT_FALSE(w.IsNormalized());

  DL_WEITLIST tiny;
  tiny.Set(&red, 0.0001f * 2);
  tiny.Set(&green, 0.0002f);
  DL_WEITLIST two;
  two.entries = {{0.0001f, &red, &two}, {0.0001f, &green, &two}};
  two.Normalize();
  EXPECT_FALSE(two.IsNormalized());  // too small to normalise
  EXPECT_EQ(two.Get(&red), 0.0001f);
  DL_WEITLIST one;
  one.Set(&red, 0.3f);
  one.Normalize();
  EXPECT_EQ(one.Get(&red), 1.0f);

  DL_WEITLIST copy;
  copy.CopyFrom(w);  // only positive entries of paintable groups
  EXPECT_EQ(copy.Count(), 2);
  copy.CopyExactly(w);
  EXPECT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.colour, w.colour);
  copy.Clear();
  EXPECT_EQ(copy.flags, 0u);
  EXPECT_EQ(copy.colour, 0u);
}

TEST_F(MeshTest, GroupIdentifiersAndColoursCycle) {
  AddGrid("g", 2);
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  DL_OBJWEIT* a = obj->NewGroup();
  DL_OBJWEIT* b = obj->NewGroup();
  a->id = 2;
  b->id = 1;
  obj->next_weit_id = 1;
  EXPECT_EQ(obj->NextGroupId(), 3);
  EXPECT_EQ(obj->next_weit_id, 4);
  for (int i = 2; i < 7; ++i) obj->NewGroup();
  EXPECT_EQ(obj->NewGroup()->col, RGBA8(255, 0, 0));  // the eighth is red again
  EXPECT_EQ(obj->weight_groups[6]->col, RGBA8(255, 255, 255));
  EXPECT_EQ(obj->current_weight_group, obj->weight_groups.back());
  char name[256];
  GroupName(a, name);
  EXPECT_STREQ(name, "- weit002 -");
  DL_BONE* bone = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  bone->SetName("腕");
  GroupName(obj->GroupForBone(bone), name);
  EXPECT_STREQ(name, "腕");
}

TEST_F(MeshTest, DeletingAGroupRemovesItsEntriesEverywhere) {
  AddGrid("g", 2);
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  DL_OBJWEIT* a = obj->NewGroup();
  DL_OBJWEIT* b = obj->NewGroup();
  obj->SetVertexWeight(0, a, 1);
  obj->SetVertexWeight(1, a, 0.5f);
  obj->SetVertexWeight(1, b, 0.5f);
  obj->palette[3].Set(a, 1);
  obj->palette[3].UpdateColour();
  obj->current_weight_group = a;
  obj->DeleteGroup(a);
  EXPECT_EQ(obj->vertices[0]->weights.Count(), 0);
  EXPECT_EQ(obj->vertices[1]->weights.Count(), 1);
  EXPECT_EQ(obj->palette[3].Count(), 0);
  EXPECT_EQ(obj->palette[3].colour, 0xFF000000u);
  EXPECT_EQ(obj->current_weight_group, b);
}

TEST_F(MeshTest, ObjectWeightCommands) {
  AddGrid("g", 2);
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  DL_OBJWEIT* a = obj->NewGroup();
  DL_OBJWEIT* b = obj->NewGroup();
  obj->SetVertexWeight(0, a, 0.2f);
  obj->SetVertexWeight(0, b, 0.6f);
  obj->current_weight_group = a;
  EXPECT_TRUE(obj->NormalizeAll());
  EXPECT_FLOAT_EQ(obj->GetVertexWeight(0, b), 0.75f);
  EXPECT_TRUE(obj->ClearCurrentGroup());
  EXPECT_EQ(obj->vertices[0]->weights.Count(), 1);
  EXPECT_TRUE(obj->FillCurrentGroup());
  for (DL_OBJVERT* v : obj->vertices) EXPECT_EQ(v->weights.Get(a), 1.0f);
  a->flags &= ~OBJWEIT_SHOW;  // fill on a hidden group clears every vertex
  obj->FillCurrentGroup();
  for (DL_OBJVERT* v : obj->vertices) EXPECT_EQ(v->weights.Count(), 0);
  obj->current_weight_group = nullptr;
  EXPECT_FALSE(obj->FillCurrentGroup());
  DL_BONE* bone = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
  obj->SetVertexWeightForBone(2, bone, 0.4f);
  DL_OBJWEIT* g = obj->FindGroupByBone(bone);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(obj->GetVertexWeightForBone(2, bone), 0.4f);
  EXPECT_EQ(obj->GroupForBone(bone), g);
  model->DeleteBone(bone, false);  // the group stays, without a bone
  EXPECT_EQ(g->bone.Get(), nullptr);
}

TEST_F(MeshTest, AutomaticWeights) {
  RH_OBJECT* host = doc()->AddObject("pts");
  const MQPoint points[] = {
      {0, 0.5f, 0},   // along the root, far from its ends
      {0, 1, 0},      // exactly on the joint: the child's pivot, t = 0
      {0, 1.5f, 0},   // middle of the child
      {0, 2.05f, 0},  // past the child's end
      {0, 5, 0},      // near the zero-length end bone
  };
  for (const MQPoint& p : points) host->AddVertex(p);
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  EXPECT_FALSE(obj->AutoWeights());  // no bones
  DL_BONE* root = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
  DL_BONE* child = AddBone(root, VEC3(0, 1, 0), VEC3(0, 2, 0));
  DL_BONE* end = AddBone(child, VEC3(0, 5, 0), VEC3(0, 5, 0));
  ASSERT_TRUE(obj->AutoWeights());
  EXPECT_EQ(obj->GetVertexWeightForBone(0, root), 1.0f);
  // On the joint both distances are 0: half each, never NaN.
  EXPECT_EQ(obj->GetVertexWeightForBone(1, root), 0.5f);
  EXPECT_EQ(obj->GetVertexWeightForBone(1, child), 0.5f);
  EXPECT_EQ(obj->GetVertexWeightForBone(2, child), 1.0f);
  EXPECT_GT(obj->GetVertexWeightForBone(4, end), 0.0f);
  for (DL_OBJVERT* v : obj->vertices)
    for (const DL_VWEIT& e : v->weights.entries) EXPECT_FALSE(isnan(e.per));
  // A vertex at a bone's pivot shares with the parent by distance.
  EXPECT_EQ(obj->weight_groups.size(), 3u);
  EXPECT_NE(obj->vertices[0]->weights.colour, 0u);
}

}  // namespace
