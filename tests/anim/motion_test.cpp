#include "anim/motion.h"

#include <gtest/gtest.h>

#include "anim/key_commands.h"
#include "anim/motbone.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

TEST(Motion, PlayTickLoopsOrStopsAtTheEnd) {
  DL_MOT m(nullptr);
  EXPECT_TRUE(m.Loops());
  m.SetCurrentFrame(99);
  m.Play();
  m.PlayTick();
  EXPECT_EQ(m.current_frame, 0.0f);  // frame 100 is never shown while looping
  EXPECT_TRUE(m.IsPlaying());
  m.SetLoop(false);
  m.SetCurrentFrame(98);
  m.PlayTick();
  EXPECT_EQ(m.current_frame, 99.0f);
  m.PlayTick();
  EXPECT_EQ(m.current_frame, 100.0f);
  EXPECT_FALSE(m.IsPlaying());
  m.TogglePlaying();
  EXPECT_TRUE(m.IsPlaying());
}

TEST(Motion, StepStopsAndClamps) {
  DL_MOT m(nullptr);
  m.SetCurrentFrame(95);
  m.Play();
  m.Step(10);
  EXPECT_EQ(m.current_frame, 100.0f);
  EXPECT_FALSE(m.IsPlaying());
  m.SetCurrentFrame(0);
  m.Step(-1);
  EXPECT_EQ(m.current_frame, 0.0f);
  m.SetCurrentFrame(150);  // setting is unclamped
  EXPECT_EQ(m.current_frame, 150.0f);
  m.Step(1);
  EXPECT_EQ(m.current_frame, 100.0f);
}

TEST(Motion, FramesAndRatesStayFinite) {
  DL_MOT m(nullptr);
  m.SetCurrentFrame(NAN);
  m.SetStartFrame(INFINITY);
  m.SetEndFrame(-INFINITY);
  m.SetRate(NAN);
  EXPECT_EQ(m.current_frame, 0.0f);
  EXPECT_EQ(m.start_frame, 0.0f);
  EXPECT_EQ(m.end_frame, 100.0f);
  EXPECT_EQ(m.rate, 30.0f);
  m.SetRate(0);  // kept as given; the timeline decides what playback does with it
  EXPECT_EQ(m.rate, 0.0f);
}

TEST(Tracks, ChannelsRegisterInFieldOrder) {
  DL_MODEL model;
  DL_BONE* b = model.NewBoneAsLastChild(nullptr);
  DL_MTL* mtl = model.NewMaterial(4);
  DL_MOT* m = model.NewNamedMotion();
  DL_MOTBONE* t = b->tracks.current;
  DL_MTLTRACK* mt = mtl->tracks.current;
  // Materials existed first: alpha, colour, then the bone's trs, rot, scl.
  const DL_CHANNEL* expected[] = {&mt->alpha, &mt->colour, &t->trs, &t->rot, &t->scl};
  const DL_CHANNEL* c = m->key_table.first_channel;
  for (const DL_CHANNEL* e : expected) {
    ASSERT_EQ(c, e);
    c = c->next;
  }
  EXPECT_EQ(c, nullptr);
  EXPECT_EQ(m->key_table.last_channel, &t->scl);
  EXPECT_EQ(t->trs.default_value, DL_VALUE::Vec3(VEC3(0, 0, 0)));
  EXPECT_EQ(t->rot.default_value, DL_VALUE::Quat(QUAT::Identity()));
  EXPECT_EQ(t->scl.default_value, DL_VALUE::Vec3(VEC3(1, 1, 1)));
  EXPECT_EQ(mt->colour.default_value, DL_VALUE::Color(RGBA8(255, 255, 255, 255)));
  EXPECT_EQ(mt->alpha.default_value, DL_VALUE::Float(1));
}

TEST(Tracks, MotionBoneResetKeysTheIdentityPose) {
  DL_MODEL model;
  DL_BONE* b = model.NewBoneAsLastChild(nullptr);
  model.NewNamedMotion();
  b->pose_trs = VEC3(1, 2, 3);
  b->pose_rot = QUAT(0, 1, 0, 0);
  b->tracks.current->ResetAt(7);
  EXPECT_EQ(b->pose_trs, VEC3(0, 0, 0));
  EXPECT_EQ(b->pose_rot, QUAT::Identity());
  EXPECT_EQ(b->pose_scl, VEC3(1, 1, 1));
  for (DL_CHANNEL* c : {&b->tracks.current->trs, &b->tracks.current->rot, &b->tracks.current->scl}) {
    ASSERT_EQ(c->KeyCount(), 1);
    EXPECT_EQ(c->keys[0]->frame, 7.0f);
  }
}

TEST(PoseUpdate, EvaluatesTracksThenMatricesThenObjects) {
  DL_MODEL model;
  DL_BONE* a = model.NewBoneAsLastChild(nullptr);
  DL_BONE* c = model.NewBoneAsLastChild(a);
  a->target = VEC3(0, 1, 0);
  c->pivot = VEC3(0, 1, 0);
  c->target = VEC3(0, 2, 0);
  DL_OBJ* obj = model.NewObject(1);
  DL_MOT* m = model.NewNamedMotion();
  a->tracks.current->trs.SetKey(0, DL_VALUE::Vec3(VEC3(0, 0, 0)));
  a->tracks.current->trs.SetKey(10, DL_VALUE::Vec3(VEC3(10, 0, 0)));
  obj->tracks.current->visibility.SetKey(0, DL_VALUE::Step(1));
  obj->tracks.current->visibility.SetKey(5, DL_VALUE::Step(0));
  a->SetFlag(BONE_APPLY_TRS, false);  // flags do not stop evaluation
  m->SetCurrentFrame(5);
  model.FullPoseUpdate();
  EXPECT_EQ(a->pose_trs, VEC3(5, 0, 0));
  EXPECT_EQ(c->pose_trs, VEC3(0, 0, 0));  // no keys: the default
  EXPECT_EQ(c->PosedPivot(), VEC3(5, 1, 0));
  EXPECT_EQ(c->PosedTarget(), VEC3(5, 2, 0));
  EXPECT_FALSE(obj->HasFlag(OBJ_VISIBLE_IN_POSE));
  EXPECT_TRUE(model.HasFlag(MODEL_POSE_UPDATED));
  m->SetCurrentFrame(2);
  m->Apply();
  EXPECT_TRUE(obj->HasFlag(OBJ_VISIBLE_IN_POSE));
  // A bone without a current track keeps its pose.
  model.MakeCurrentMotion(nullptr);
  a->pose_trs = VEC3(7, 7, 7);
  model.FullPoseUpdate();
  EXPECT_EQ(a->pose_trs, VEC3(7, 7, 7));
}

TEST(KeyCommands, CreateKeysFollowsTheBonesKeyingFlags) {
  DL_MODEL model;
  DL_BONE* a = model.NewBoneAsLastChild(nullptr);
  DL_BONE* hidden = model.NewBoneAsLastChild(nullptr);
  hidden->SetFlag(BONE_SHOW, false);
  DL_MOT* m = model.NewNamedMotion();
  m->SetCurrentFrame(3);
  a->SetFlag(BONE_APPLY_TRS, false);
  EXPECT_TRUE(CreateKeys(&model));
  EXPECT_EQ(a->tracks.current->trs.KeyCount(), 0);
  EXPECT_EQ(a->tracks.current->rot.KeyCount(), 1);
  EXPECT_EQ(a->tracks.current->scl.KeyCount(), 1);
  EXPECT_EQ(hidden->tracks.current->rot.KeyCount(), 0);  // not editable
  a->SetFlag(BONE_TRACKED, false);
  m->SetCurrentFrame(4);
  CreateKeys(&model);
  EXPECT_EQ(a->tracks.current->rot.KeyCount(), 1);
  EXPECT_EQ(m->key_table.EntryCount(), 1);
  model.MakeCurrentMotion(nullptr);
  EXPECT_FALSE(CreateKeys(&model));
}

}  // namespace
