#include "mesh_fixture.h"

namespace {

TEST_F(MeshTest, MaterialRecordsFollowTheirIdentities) {
  RH_MATERIAL* a = doc()->AddMaterial("a");
  RH_MATERIAL* b = doc()->AddMaterial("b");
  DL_MOT* mot = model->NewNamedMotion();
  model->Synchronize();
  ASSERT_EQ(model->materials.size(), 2u);
  DL_MTL* ra = model->FindMaterialById(a->identity);
  DL_MTL* rb = model->FindMaterialById(b->identity);
  rb->tracks.current->alpha.SetKey(2, DL_VALUE::Float(0.5f));
  a->name = "renamed";
  doc()->MoveMaterial(1, 0);
  model->Synchronize();
  EXPECT_EQ(model->FindMaterialById(a->identity), ra);
  EXPECT_EQ(ra->host_index, 1);
  EXPECT_EQ(rb->host_index, 0);
  EXPECT_EQ(rb->HostIndexByIdentity(), 0);
  EXPECT_EQ(mot->key_table.EntryCount(), 1);
  int32_t b_identity = b->identity;
  doc()->DeleteMaterial(0);  // b
  RH_MATERIAL* c = doc()->AddMaterial("c");
  model->Synchronize();
  ASSERT_EQ(model->materials.size(), 2u);
  EXPECT_EQ(model->FindMaterialById(b_identity), nullptr);
  EXPECT_EQ(mot->key_table.EntryCount(), 0);
  DL_MTL* rc = model->FindMaterialById(c->identity);
  ASSERT_NE(rc, nullptr);
  EXPECT_EQ(rc->tracks.current->alpha.KeyCount(), 0);
  // A motion added later gives every record a track; one removed takes it.
  DL_MOT* second = model->AddMotion();
  EXPECT_EQ(rc->tracks.tracks.size(), 2u);
  model->RemoveMotion(second);
  EXPECT_EQ(rc->tracks.tracks.size(), 1u);
  rc->tracks.tracks.push_back(new DL_MTLTRACK(rc, nullptr));  // a track of no motion in the model
  rc->AddMissingTracks();
  EXPECT_EQ(rc->tracks.tracks.size(), 1u);
}

}  // namespace
