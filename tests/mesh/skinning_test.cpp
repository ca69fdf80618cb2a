#include <random>

#include "../math/math_test_util.h"
#include "mesh_fixture.h"

namespace {

class SkinTest : public MeshTest {
 protected:
  void SetUp() override {
    MeshTest::SetUp();
    doc()->AddObject("v")->AddVertex(MQPoint{1, 2, 3});
    model->Synchronize();
    obj = model->objects[0];
    b = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
    c = AddBone(nullptr, VEC3(0, 0, 0), VEC3(1, 0, 0));
    b->pose_trs = VEC3(10, 0, 0);
    c->pose_trs = VEC3(0, 20, 0);
    gb = obj->GroupForBone(b);
    gc = obj->GroupForBone(c);
    v = obj->vertices[0];
  }
  DL_OBJ* obj;
  DL_BONE *b, *c;
  DL_OBJWEIT *gb, *gc;
  DL_OBJVERT* v;
};

TEST_F(SkinTest, OneEntryMovesFullyWhateverItsWeight) {
  v->weights.Set(gb, 0.3f);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(11, 2, 3));
}

TEST_F(SkinTest, TwoEntriesAreNormalisedOnceAndBlended) {
  v->weights.Set(gb, 0.3f);
  v->weights.Set(gc, 0.3f);
  model->FullPoseUpdate();
  EXPECT_TRUE(v->weights.IsNormalized());
  EXPECT_EQ(v->weights.Get(gb), 0.5f);
  ExpectNear(v->skinned_pos, VEC3(6, 12, 3));
}

TEST_F(SkinTest, UnnormalisableListsUseTheirRawWeights) {
  v->weights.entries = {{0.0001f, gb, &v->weights}, {0.0001f, gc, &v->weights}};
  WeightsChanged();
  model->FullPoseUpdate();
  EXPECT_FALSE(v->weights.IsNormalized());
  EXPECT_LT(v->skinned_pos.Length(), 0.01f);  // near the origin
}

TEST_F(SkinTest, AGroupWithoutBoneHoldsItsShareAtTheUnposedShape) {
  DL_OBJWEIT* loose = obj->NewGroup();
  v->weights.Set(gb, 0.5f);
  v->weights.Set(loose, 0.5f);
  model->FullPoseUpdate();
  ExpectNear(v->skinned_pos, VEC3(6, 2, 3));
  v->weights.Clear();
  v->weights.Set(loose, 1);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(1, 2, 3));
}

TEST_F(SkinTest, WithoutVertexWeightsTheObjectBoneDecides) {
  v->weights.Set(gb, 1);
  obj->SetFlag(OBJ_USE_WEIGHT, false);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(1, 2, 3));
  obj->SetObjBone(c);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(1, 22, 3));
}

TEST_F(SkinTest, MorphEditSkinsTheCurrentTarget) {
  DL_MORPH* t = obj->NewMorph();
  v->target_pos[t->index] = VEC3(0, 0, 9);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(0, 0, 9));  // morph_edit is on by default
  obj->SetMorphEdit(false);
  t->weight = 0;
  EXPECT_EQ(v->skinned_pos, v->morphed_pos);
}

TEST_F(SkinTest, BoneDeletionAndWeightEditsReachTheNextDeformation) {
  v->weights.Set(gb, 1);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(11, 2, 3));
  model->DeleteBone(b, false);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(1, 2, 3));
  // The boneless entry holds half of the vertex where it was.
  v->weights.Set(gc, 1);
  model->FullPoseUpdate();
  EXPECT_EQ(v->skinned_pos, VEC3(1, 12, 3));
}

uint32_t Bits(float f) {
  uint32_t u;
  memcpy(&u, &f, sizeof u);
  return u;
}

TEST_F(MeshTest, FastDeformationGivesTheReferenceLoopsBits) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> coord(-5, 5), weight(0, 1);
  RH_OBJECT* host = doc()->AddObject("cloud");
  for (int i = 0; i < 2000; ++i) host->AddVertex(MQPoint{coord(rng), coord(rng), coord(rng)});
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  std::vector<DL_BONE*> bones;
  for (int i = 0; i < 8; ++i) {
    DL_BONE* bone = AddBone(i == 0 ? nullptr : bones.back(), VEC3(0, static_cast<float>(i), 0),
                            VEC3(0, static_cast<float>(i + 1), 0));
    bone->pose_rot = QUAT::FromAxisAngle(VEC3(coord(rng), coord(rng), coord(rng)), coord(rng));
    bone->pose_trs = VEC3(coord(rng), 0, coord(rng));
    bone->pose_scl = VEC3(1.1f, 0.9f, 1.0f);
    bones.push_back(bone);
  }
  DL_OBJWEIT* loose = obj->NewGroup();
  for (int i = 0; i < obj->VertexCount(); ++i) {
    int n = static_cast<int>(rng() % 5);
    for (int k = 0; k < n; ++k) obj->SetVertexWeightForBone(i, bones[rng() % bones.size()], weight(rng));
    if (rng() % 7 == 0) obj->SetVertexWeight(i, loose, weight(rng));
  }
  UpdateBoneMatrices(model->first_bone, true, MAT44());
  obj->Deform();
  std::vector<VEC3> fast;
  for (DL_OBJVERT* v : obj->vertices) fast.push_back(v->skinned_pos);
  obj->DeformReference();
  for (int i = 0; i < obj->VertexCount(); ++i) {
    const VEC3& r = obj->vertices[i]->skinned_pos;
    ASSERT_EQ(Bits(fast[i].x), Bits(r.x)) << i;
    ASSERT_EQ(Bits(fast[i].y), Bits(r.y)) << i;
    ASSERT_EQ(Bits(fast[i].z), Bits(r.z)) << i;
  }
}

TEST_F(MeshTest, FreezeWritesThePoseIntoTheHostAndStartsAfresh) {
  RH_OBJECT* host = AddGrid("g", 2);
  model->NewNamedMotion();
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  DL_BONE* bone = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
  for (int i = 0; i < obj->VertexCount(); ++i) obj->SetVertexWeightForBone(i, bone, 1);
  bone->tracks.current->trs.SetKey(0, DL_VALUE::Vec3(VEC3(0, 0, 4)));
  model->SetFlag(MODEL_ACTIVE | MODEL_MOTION, true);
  model->SwitchDisplay(true);
  obj->saved_source_visibility = 0x3;
  model->FullPoseUpdate();
  host->DeleteVertex(3);  // the host lost a vertex since: only existing ones are written
  ASSERT_TRUE(model->Freeze());
  for (const RH_VERTEX& v : host->vertices) EXPECT_EQ(v.pos.z, 4.0f);
  EXPECT_EQ(model->bone_count, 0);
  ASSERT_EQ(model->motions.size(), 1u);
  EXPECT_EQ(model->current_motion, model->motions[0]);
  ASSERT_EQ(model->objects.size(), 1u);
  EXPECT_EQ(model->objects[0]->saved_source_visibility, 0x3);
  EXPECT_NE(model->objects[0]->display, nullptr);
  EXPECT_EQ(doc()->draw_objects.size(), 1u);  // the old copy went with its record
  EXPECT_EQ(model->current_object, model->objects[0]);
}

}  // namespace
