#include <gtest/gtest.h>

#include "../mesh/mesh_fixture.h"
#include "../model/tree_check.h"
#include "model/undo_buffer.h"
#include "persist/records.h"

namespace {

class SnapshotTest : public MeshTest {
 protected:
  // A model with something of everything a snapshot must carry.
  void Build() {
    host = AddGrid("g", 2);
    doc()->AddMaterial("m");
    DL_MOT* a = model->NewNamedMotion();
    DL_MOT* b = model->NewNamedMotion();
    b->SetRate(120);
    b->SetEndFrame(480);
    b->SetCurrentFrame(7.5f);
    model->Synchronize();
    DL_BONE* root = AddBone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0));
    root->SetName("腰");
    DL_BONE* arm = AddBone(root, VEC3(0, 1, 0), VEC3(1, 1, 0));
    arm->SetName("bone2");
    DL_BONE* other = AddBone(nullptr, VEC3(2, 0, 0), VEC3(2, 1, 0));
    other->SetName("bone3");
    arm->mirror.Set(other);
    b->bone.Set(arm);
    arm->tracks.Find(b)->rot.SetKey(3, DL_VALUE::Quat(QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f)));
    root->tracks.Find(a)->trs.SetKey(1, DL_VALUE::Vec3(VEC3(1, 2, 3)));
    DL_OBJ* obj = model->objects[0];
    obj->SetObjBone(other);
    obj->SetVertexWeightForBone(0, root, 0.25f);
    obj->SetVertexWeightForBone(0, arm, 0.75f);
    obj->palette[2].Set(obj->weight_groups[0], 0.5f);
    obj->next_weit_col = 5;
    DL_MORPH* t = obj->NewMorph();
    obj->vertices[1]->target_pos[t->index] = VEC3(9, 9, 9);
    obj->current_morph = nullptr;  // host positions go to the base shape
    obj->tracks.Find(b)->visibility.SetKey(2, DL_VALUE::Step(0));
    model->materials[0]->tracks.Find(a)->alpha.SetKey(4, DL_VALUE::Float(0.5f));
    model->current_bone = arm;
    model->MakeCurrentMotion(b);
    model->FinishLoading();  // settled, as after any edit
  }
  RH_OBJECT* host = nullptr;
};

TEST_F(SnapshotTest, RestoreKeepsEverythingTheModelHad) {
  Build();
  DL_STREAM s;
  s.CreateMemory(65536);
  ASSERT_TRUE(WriteModel(s, model));
  DL_STREAM again;
  again.CreateMemory(16);
  ASSERT_TRUE(WriteModel(again, model));
  std::vector<uint8_t> before(s.Data(), s.Data() + s.DataLength());

  DL_STREAM in;
  in.OpenView(before.data(), before.size());
  ASSERT_TRUE(ReadModel(in, model));
  model->FinishLoading();
  EXPECT_TRUE(TreeIsConsistent(*model));
  EXPECT_EQ(TreeShape(*model), "腰 .bone2 bone3");  // names and order
  DL_BONE* arm = model->FindBoneById(2);
  ASSERT_NE(arm, nullptr);
  EXPECT_EQ(model->current_bone, arm);
  EXPECT_EQ(arm->mirror.Get(), model->FindBoneById(3));
  ASSERT_EQ(model->motions.size(), 2u);
  DL_MOT* b = model->motions[1];
  EXPECT_EQ(model->current_motion, b);
  EXPECT_STREQ(b->name, "mot2");
  EXPECT_EQ(b->id, 1);
  EXPECT_EQ(b->rate, 120.0f);
  EXPECT_EQ(b->end_frame, 480.0f);
  EXPECT_EQ(b->current_frame, 7.5f);
  EXPECT_EQ(b->bone.Get(), arm);
  EXPECT_EQ(arm->tracks.Find(b)->rot.KeyCount(), 1);
  EXPECT_EQ(model->FindBoneById(1)->tracks.Find(model->motions[0])->trs.keys[0]->value.AsVec3(), VEC3(1, 2, 3));
  DL_OBJ* obj = model->objects[0];
  EXPECT_EQ(obj->source, host);
  EXPECT_EQ(obj->obj_bone.Get(), model->FindBoneById(3));
  EXPECT_EQ(obj->GetVertexWeightForBone(0, arm), 0.75f);
  EXPECT_EQ(obj->palette[2].Count(), 1);
  EXPECT_EQ(obj->next_weit_col, 5);
  ASSERT_EQ(obj->morphs.size(), 1u);
  EXPECT_EQ(obj->vertices[1]->target_pos[0], VEC3(9, 9, 9));  // the morph shape survived
  EXPECT_EQ(obj->tracks.Find(b)->visibility.KeyCount(), 1);
  EXPECT_EQ(model->materials[0]->tracks.Find(model->motions[0])->alpha.KeyCount(), 1);
  EXPECT_EQ(b->key_table.EntryCount(), 2);

  // Writing again gives the same bytes.
  DL_STREAM after;
  after.CreateMemory(65536);
  ASSERT_TRUE(WriteModel(after, model));
  EXPECT_EQ(std::vector<uint8_t>(after.Data(), after.Data() + after.DataLength()), before);
}

TEST_F(SnapshotTest, TruncatedSnapshotsFailWithoutCrashing) {
  Build();
  DL_STREAM s;
  s.CreateMemory(65536);
  ASSERT_TRUE(WriteModel(s, model));
  std::vector<uint8_t> bytes(s.Data(), s.Data() + s.DataLength());
  for (size_t n = 0; n < bytes.size(); n += 11) {
    DL_STREAM in;
    in.OpenView(bytes.data(), n);
    EXPECT_FALSE(ReadModel(in, model)) << n;
    EXPECT_TRUE(TreeIsConsistent(*model)) << n;
  }
}

TEST_F(SnapshotTest, DuplicatingAMotionCopiesEveryTrack) {
  Build();
  DL_MOT* b = model->motions[1];
  DL_MOT* copy = model->DuplicateMotion(b);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(model->current_motion, copy);
  EXPECT_STREQ(copy->name, "mot3");
  EXPECT_NE(copy->id, b->id);
  EXPECT_NE(copy->id, model->motions[0]->id);
  EXPECT_EQ(copy->rate, 120.0f);
  EXPECT_EQ(copy->bone.Get(), b->bone.Get());
  DL_BONE* arm = model->FindBoneById(2);
  EXPECT_EQ(arm->tracks.Find(copy)->rot.KeyCount(), 1);
  EXPECT_EQ(model->objects[0]->tracks.Find(copy)->visibility.KeyCount(), 1);
  EXPECT_EQ(copy->key_table.EntryCount(), b->key_table.EntryCount());
  EXPECT_EQ(model->DuplicateMotion(nullptr), nullptr);
}

TEST_F(SnapshotTest, UndoBufferPrunesAndRestores) {
  Build();
  DL_UNDOBUFF u;
  for (int n = 1; n <= 6; ++n) ASSERT_TRUE(u.Record(n, 1, model));
  ASSERT_TRUE(u.Record(5, 3, model));
  std::vector<int32_t> numbers;
  for (const DL_UNDOSTATE* s : u.states) numbers.push_back(s->number);
  EXPECT_EQ(numbers, (std::vector<int32_t>{2, 3, 4, 5}));
  int32_t total = 0;
  for (const DL_UNDOSTATE* s : u.states) total += static_cast<int32_t>(s->snapshot.size());
  EXPECT_EQ(u.total_size, total);

  // With a keep count of 1 only the replaced redo branch goes.
  u.Record(3, 1, model);
  numbers.clear();
  for (const DL_UNDOSTATE* s : u.states) numbers.push_back(s->number);
  EXPECT_EQ(numbers, (std::vector<int32_t>{2, 3}));
  u.Clear();
  u.Record(0, 1, model);  // a new document's state 0
  u.Record(1, 1, model);
  EXPECT_EQ(u.states.size(), 2u);

  // Restoring: the model becomes the snapshot again.
  model->DeleteAllBones();
  ASSERT_TRUE(u.RestoreUndo(0, model));
  EXPECT_EQ(model->bone_count, 3);
  EXPECT_EQ(model->current_bone, model->FindBoneById(2));
  // A state never recorded: the data stays.
  EXPECT_FALSE(u.RestoreRedo(7, model));
  EXPECT_EQ(model->bone_count, 3);
  EXPECT_EQ(model->objects.size(), 1u);
}

}  // namespace
