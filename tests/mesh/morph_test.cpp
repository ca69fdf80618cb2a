#include "../math/math_test_util.h"
#include "mesh_fixture.h"

namespace {

class MorphTest : public MeshTest {
 protected:
  void SetUp() override {
    MeshTest::SetUp();
    RH_OBJECT* host = doc()->AddObject("m");
    host->AddVertex(MQPoint{0, 0, 0});
    host->AddVertex(MQPoint{1, 0, 0});
    mot = model->NewNamedMotion();
    model->Synchronize();
    obj = model->objects[0];
  }
  DL_MOT* mot;
  DL_OBJ* obj;
};

TEST_F(MorphTest, SettingAWeightLimitsItsGroupAndKeysWhatChanged) {
  DL_MORPH* a = obj->NewMorph();
  DL_MORPH* b = obj->NewMorph();
  EXPECT_STREQ(a->name, "target1");
  EXPECT_STREQ(b->name, "target2");
  mot->SetCurrentFrame(4);
  obj->SetMorphWeight(b, 0.6f);
  obj->SetMorphWeight(a, 0.7f);
  EXPECT_FLOAT_EQ(a->weight, 0.7f);
  EXPECT_FLOAT_EQ(b->weight, 0.3f);
  ASSERT_EQ(b->tracks.current->weight.KeyCount(), 1);
  EXPECT_FLOAT_EQ(b->tracks.current->weight.keys[0]->value.AsFloat(), 0.3f);
  EXPECT_EQ(b->tracks.current->weight.keys[0]->value.tag, VALUE_FLOAT);
  EXPECT_FLOAT_EQ(obj->base_weight, 0.0f);
  obj->SetMorphWeight(a, 1.5f);
  EXPECT_EQ(a->weight, 1.0f);
}

TEST_F(MorphTest, DifferentGroupsExtrapolateWithANegativeBaseWeight) {
  DL_MORPH* a = obj->NewMorph();
  DL_MORPH* b = obj->NewMorph();
  b->group = 1;
  DL_OBJVERT* v = obj->vertices[1];
  v->target_pos[0] = VEC3(1, 1, 0);
  v->target_pos[1] = VEC3(1, 0, 1);
  obj->SetMorphWeight(a, 0.8f);
  obj->SetMorphWeight(b, 0.8f);
  EXPECT_FLOAT_EQ(obj->base_weight, -0.6f);
  model->FullPoseUpdate();  // weights come from the keys just set
  ExpectNear(v->morphed_pos, v->base_pos + (v->target_pos[0] - v->base_pos) * 0.8f +
                                 (v->target_pos[1] - v->base_pos) * 0.8f);
}

TEST_F(MorphTest, GroupLimitDuringPoseUpdate) {
  DL_MORPH* a = obj->NewMorph();
  DL_MORPH* b = obj->NewMorph();
  a->tracks.current->weight.SetKey(0, DL_VALUE::Float(0.9f));
  b->tracks.current->weight.SetKey(0, DL_VALUE::Float(0.6f));
  model->FullPoseUpdate();
  EXPECT_FLOAT_EQ(a->weight, 0.9f / 1.5f);
  EXPECT_FLOAT_EQ(b->weight, 0.6f / 1.5f);
  a->tracks.current->weight.SetKey(0, DL_VALUE::Float(0.2f));
  b->tracks.current->weight.SetKey(0, DL_VALUE::Float(0.3f));
  model->FullPoseUpdate();
  EXPECT_EQ(a->weight, 0.2f);  // a sum below 1 is blended as keyed
  EXPECT_FLOAT_EQ(obj->base_weight, 0.5f);
}

TEST_F(MorphTest, DeletingTheFirstTargetKeepsTheOthersShapes) {
  DL_MORPH* t1 = obj->NewMorph();
  DL_MORPH* t2 = obj->NewMorph();
  DL_MORPH* t3 = obj->NewMorph();
  DL_OBJVERT* v = obj->vertices[1];
  v->target_pos = {VEC3(1, 0, 0), VEC3(2, 0, 0), VEC3(3, 0, 0)};
  obj->current_morph = t1;
  obj->DeleteMorph(t1);
  EXPECT_EQ(t2->index, 0);
  EXPECT_EQ(t3->index, 1);
  EXPECT_EQ(v->target_pos, (std::vector<VEC3>{VEC3(2, 0, 0), VEC3(3, 0, 0)}));
  EXPECT_EQ(obj->current_morph, t2);
  EXPECT_STREQ(obj->NewMorph()->name, "target1");  // the first free name
}

TEST_F(MorphTest, ANewTargetStartsAsTheCurrentBlend) {
  DL_MORPH* a = obj->NewMorph();
  obj->vertices[1]->target_pos[0] = VEC3(1, 4, 0);
  obj->SetMorphEdit(false);
  obj->SetMorphWeight(a, 0.5f);
  VEC3 blend = obj->vertices[1]->morphed_pos;
  DL_MORPH* b = obj->NewMorph();
  EXPECT_EQ(obj->vertices[1]->target_pos[b->index], blend);
  EXPECT_EQ(obj->current_morph, b);
  EXPECT_EQ(b->tracks.tracks.size(), 1u);
  b->group = 3;
  DL_MORPH* dup = obj->DuplicateMorph();
  ASSERT_NE(dup, nullptr);
  EXPECT_EQ(dup->group, 3);
  EXPECT_EQ(dup->tracks.current->weight.KeyCount(), 0);
  obj->SetMorphProperties(dup, "smile", 5);
  EXPECT_EQ(obj->FindMorphByName("smile"), dup);
  EXPECT_EQ(dup->group, 5);
}

}  // namespace
