#include "model/bone.h"

#include <gtest/gtest.h>

#include "../math/math_test_util.h"
#include "anim/motion.h"
#include "tree_check.h"

namespace {

TEST(BoneRoll, RuleMovesTheRollPointPerpendicularAtThreeTenthsOfTheLength) {
  DL_BONE b;
  b.pivot = VEC3(1, 1, 1);
  b.target = VEC3(1, 11, 1);
  b.SetRoll(VEC3(4, 5, 1));  // off the perpendicular plane
  ExpectNear(b.roll, VEC3(4, 1, 1));
  // Degenerate bone: the roll point collapses onto the pivot.
  DL_BONE z;
  z.pivot = z.target = VEC3(2, 3, 4);
  z.SetRoll(VEC3(9, 9, 9));
  EXPECT_EQ(z.roll, VEC3(2, 3, 4));
}

TEST(BoneRoll, DefaultRollOfABonePointingStraightUp) {
  DL_BONE b;
  b.pivot = VEC3(0, 0, 0);
  b.target = VEC3(0, 10, 0);
  b.SetDefaultRoll();
  EXPECT_EQ(b.roll, VEC3(-3, 0, 0));
  DL_BONE x;
  x.pivot = VEC3(0, 0, 0);
  x.target = VEC3(2, 0, 0);
  x.SetDefaultRoll();
  ExpectNear(x.roll, VEC3(0, 0.6f, 0));
}

TEST(BoneTree, LinkingWithAndWithoutElder) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, nullptr, "b");
  DL_BONE* first = new DL_BONE();
  first->SetName("first");
  first->Link(&m, nullptr, nullptr);  // neither: first among the top level
  DL_BONE* tail = new DL_BONE();
  tail->SetName("tail");
  tail->Link(&m, nullptr, b);  // after the last sibling: appended
  DL_BONE* front = new DL_BONE();
  front->SetName("front");
  front->Link(&m, a, nullptr);
  DL_BONE* front2 = new DL_BONE();
  front2->SetName("front2");
  front2->Link(&m, a, nullptr);  // in front of the existing children
  EXPECT_EQ(TreeShape(m), "first a .front2 .front b tail");
  EXPECT_EQ(m.bone_count, 6);
  EXPECT_EQ(b->next, tail);
  EXPECT_EQ(tail->parent, nullptr);
}

TEST(BoneTree, UnlinkingTheMiddleSiblingKeepsItsChildrenInItsPlace) {
  DL_MODEL m;
  DL_BONE* p = AddBone(m, nullptr, "p");
  AddBone(m, p, "s1");
  DL_BONE* mid = AddBone(m, p, "mid");
  AddBone(m, mid, "c1");
  AddBone(m, mid, "c2");
  AddBone(m, p, "s3");
  mid->UnlinkKeepingChildren();
  EXPECT_EQ(TreeShape(m), "p .s1 .c1 .c2 .s3");
  EXPECT_EQ(mid->model, nullptr);
  EXPECT_EQ(mid->parent, nullptr);
  EXPECT_EQ(mid->first_child, nullptr);
  EXPECT_TRUE(TreeIsConsistent(m));
  delete mid;
  // The first bone with children, and a childless first bone.
  DL_BONE* q = m.first_bone;
  q->UnlinkKeepingChildren();
  EXPECT_EQ(TreeShape(m), "s1 c1 c2 s3");
  delete q;
  DL_BONE* s1 = m.first_bone;
  s1->UnlinkKeepingChildren();
  EXPECT_EQ(TreeShape(m), "c1 c2 s3");
  delete s1;
  EXPECT_TRUE(TreeIsConsistent(m));
}

TEST(BoneTree, WalksAndQueries) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  DL_BONE* c = AddBone(m, b, "c");
  DL_BONE* d = AddBone(m, a, "d");
  DL_BONE* e = AddBone(m, nullptr, "e");
  EXPECT_EQ(c->NextInPreorder(), d);
  EXPECT_EQ(d->NextInPreorder(), e);
  EXPECT_EQ(e->NextInPreorder(), nullptr);
  EXPECT_EQ(d->PreviousInTree(), b);
  EXPECT_EQ(b->PreviousInTree(), a);
  EXPECT_EQ(a->PreviousInTree(), nullptr);
  EXPECT_EQ(b->LastSibling(), d);
  EXPECT_EQ(c->Depth(), 2);
  EXPECT_TRUE(c->ShownInTree());
  b->SetFlag(BONE_EXPANDED, false);
  EXPECT_FALSE(c->ShownInTree());
  EXPECT_TRUE(b->ShownInTree());
  EXPECT_FALSE(a->HasSelectedBelow());
  c->SetFlag(BONE_SELECTED, true);
  EXPECT_TRUE(a->HasSelectedBelow());
  EXPECT_FALSE(a->HasSelectedInFollowing());  // e is not selected
  EXPECT_TRUE(b->HasSelectedBelow());
  EXPECT_FALSE(c->HasSelectedBelow());
  EXPECT_FALSE(b->HasSelectedInFollowing());
  e->SetFlag(BONE_SELECTED, true);
  EXPECT_TRUE(a->HasSelectedInFollowing());
}

TEST(BoneFlags, TreeFormReachesDescendantsOnlyOfCollapsedBones) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  DL_BONE* c = AddBone(m, b, "c");
  DL_BONE* next = AddBone(m, nullptr, "next");
  a->SetFlagTree(BONE_SHOW, false);  // expanded: only itself
  EXPECT_FALSE(a->HasFlag(BONE_SHOW));
  EXPECT_TRUE(b->HasFlag(BONE_SHOW));
  a->SetFlag(BONE_EXPANDED, false);
  a->SetFlagTree(BONE_SHOW, false);  // collapsed: the whole subtree
  EXPECT_FALSE(b->HasFlag(BONE_SHOW));
  EXPECT_FALSE(c->HasFlag(BONE_SHOW));
  EXPECT_TRUE(next->HasFlag(BONE_SHOW));
  b->SetFlagSubtree(BONE_SELECTED, true);  // b, its subtree, its following siblings
  EXPECT_TRUE(b->HasFlag(BONE_SELECTED));
  EXPECT_TRUE(c->HasFlag(BONE_SELECTED));
  EXPECT_FALSE(a->HasFlag(BONE_SELECTED));
  EXPECT_FALSE(next->HasFlag(BONE_SELECTED));
  a->SetFlagSubtree(BONE_LOCK_ROLL, true);
  EXPECT_TRUE(next->HasFlag(BONE_LOCK_ROLL));
}

TEST(BoneMatrix, PoseActsAboutThePivotAndFollowsTheParent) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  a->pivot = VEC3(1, 0, 0);
  a->target = VEC3(1, 2, 0);
  b->pivot = VEC3(1, 2, 0);
  b->target = VEC3(1, 4, 0);
  a->pose_rot = QUAT::FromAxisAngle(VEC3(0, 0, 1), 1.5707964f);
  a->pose_trs = VEC3(0, 0, 5);
  a->pose_scl = VEC3(2, 2, 2);
  UpdateBoneMatrices(m.first_bone, true, MAT44());
  EXPECT_EQ(a->posed_target, VEC3(0, 0, 0));  // the second pass is separate
  UpdatePosedPoints(m.first_bone, true);
  // ((v - p) S R) + t + p for the top-level bone.
  VEC3 v(1, 2, 0);
  VEC3 expected = MAT44::FromQuat(a->pose_rot).Transform((v - a->pivot) * 2.0f) + a->pose_trs + a->pivot;
  ExpectNear(a->matrix.Transform(v), expected);
  ExpectNear(a->posed_target, expected);
  // The child without a pose of its own moves with its parent.
  ExpectNear(b->PosedPivot(), expected);
  EXPECT_EQ(b->matrix, b->DeformationMatrix(MAT44()) * a->matrix);
  ExpectNear(b->posed_roll, b->matrix.Transform(b->roll));
}

TEST(BonePose, SettersKeyTheCurrentTrack) {
  DL_MODEL m;
  DL_BONE* b = AddBone(m, nullptr, "b");
  b->SetPoseTranslation(VEC3(1, 2, 3));  // no motion: only the pose changes
  EXPECT_EQ(b->pose_trs, VEC3(1, 2, 3));
  DL_MOT* mot = m.NewNamedMotion();
  mot->SetCurrentFrame(12.5f);
  b->SetPoseRotation(QUAT(0, 0, 1, 0));
  b->SetPoseTranslation(VEC3(4, 5, 6));
  b->SetPoseScale(VEC3(2, 2, 2));
  DL_MOTBONE* t = b->tracks.current;
  ASSERT_EQ(t->rot.KeyCount(), 1);
  EXPECT_EQ(t->rot.keys[0]->frame, 12.5f);
  EXPECT_EQ(t->rot.keys[0]->value, DL_VALUE::Quat(QUAT(0, 0, 1, 0)));
  EXPECT_EQ(t->trs.keys[0]->value.AsVec3(), VEC3(4, 5, 6));
  EXPECT_EQ(t->scl.keys[0]->value.AsVec3(), VEC3(2, 2, 2));
  EXPECT_EQ(mot->key_table.EntryCount(), 1);
}

TEST(BoneRef, SetResolveAndClear) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONEREF r;
  EXPECT_EQ(r.Get(), nullptr);
  r.SetId(a->id);
  EXPECT_EQ(r.Get(), nullptr);
  EXPECT_FALSE(r.resolved);
  r.Resolve(&m);
  EXPECT_EQ(r.Get(), a);
  r.SetId(999);
  r.Resolve(&m);
  EXPECT_EQ(r.Get(), nullptr);
  EXPECT_EQ(r.bone_id, 999);  // stays unresolved
  r.Set(a);
  r.Clear(a);
  EXPECT_EQ(r.Get(), nullptr);
  EXPECT_EQ(r.bone_id, 0);
  EXPECT_TRUE(r.resolved);
}

}  // namespace
