#include "anim/posing.h"

#include <gtest/gtest.h>

#include "../math/math_test_util.h"
#include "anim/motion.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

class PosingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mot = m.NewNamedMotion();
    mot->SetCurrentFrame(4);
  }
  DL_BONE* Bone(DL_BONE* parent, const VEC3& pivot, const VEC3& target, bool connect) {
    DL_BONE* b = m.NewBoneAsLastChild(parent);
    b->id = m.MakeBoneId();
    b->pivot = pivot;
    b->target = target;
    b->SetDefaultRoll();
    b->SetFlag(BONE_CONNECT, connect);
    return b;
  }
  void Settle() { m.FullPoseUpdate(); }
  int RotKeys(const DL_BONE* b) { return b->tracks.current->rot.KeyCount(); }
  DL_MODEL m;
  DL_MOT* mot;
};

TEST_F(PosingTest, IkOverAConnectedChain) {
  // A bent chain: a straight one pointed at the goal by its first step
  // would leave nothing for the later steps to turn.
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), false);
  DL_BONE* b = Bone(a, VEC3(0, 1, 0), VEC3(0.7f, 1.7f, 0), true);
  DL_BONE* c = Bone(b, VEC3(0.7f, 1.7f, 0), VEC3(1.7f, 1.7f, 0), true);
  Settle();
  VEC3 goal(1.5f, 1.5f, 0);
  BeginPoseDrag(&m, c);
  PoseIk(&m, c, goal, false);
  EXPECT_LT((c->PosedTarget() - goal).Length(), 0.05f);
  // Every bone of the chain was turned and keyed at the current frame.
  for (DL_BONE* x : {a, b, c}) {
    ASSERT_EQ(RotKeys(x), 1);
    EXPECT_EQ(x->tracks.current->rot.keys[0]->frame, 4.0f);
  }
  // The pose update reproduces the pose from the keys.
  VEC3 before = c->PosedTarget();
  Settle();
  ExpectNear(c->PosedTarget(), before, 1e-5f);
}

TEST_F(PosingTest, IkStopsAtAnIkStopAndAtTheTopOfTheTree) {
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), true);  // connected, but no parent
  DL_BONE* b = Bone(a, VEC3(0, 1, 0), VEC3(0, 2, 0), true);
  DL_BONE* c = Bone(b, VEC3(0, 2, 0), VEC3(0, 3, 0), true);
  b->SetFlag(BONE_IK_PIVOT, true);
  Settle();
  PoseIk(&m, c, VEC3(1, 2, 0), false);
  EXPECT_EQ(RotKeys(a), 0);  // above the stop
  EXPECT_EQ(RotKeys(b), 1);
  b->SetFlag(BONE_IK_PIVOT, false);
  PoseIk(&m, c, VEC3(1, 2.5f, 0), false);  // climbs to a, then stops: no endless loop
  EXPECT_EQ(RotKeys(a), 1);
  // A bone that is not connected forms a chain of one.
  DL_BONE* loose = Bone(c, VEC3(0, 3, 0), VEC3(0, 4, 0), false);
  Settle();
  int b_keys = RotKeys(b);
  PoseIk(&m, loose, VEC3(1, 3, 0), false);
  EXPECT_EQ(RotKeys(loose), 1);
  EXPECT_EQ(RotKeys(b), b_keys);
}

TEST_F(PosingTest, AGoalBehindThePivotIsAHalfTurnAboutY) {
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(1, 0, 0), false);
  Settle();
  PoseAim(&m, a, VEC3(-2, 0, 0), false);
  ExpectNear(QUAT(a->pose_rot.x, a->pose_rot.y, a->pose_rot.z, a->pose_rot.w), QUAT(0, 1, 0, 0));
  ExpectNear(a->PosedTarget(), VEC3(-1, 0, 0));
}

TEST_F(PosingTest, ANonEditableParentStaysWhileTheBoneTurns) {
  DL_BONE* p = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), false);
  DL_BONE* c = Bone(p, VEC3(0, 1, 0), VEC3(0, 2, 0), true);
  p->SetFlag(BONE_EDIT_ALLOWED, false);
  Settle();
  PoseIk(&m, c, VEC3(1, 1, 0), false);
  EXPECT_EQ(RotKeys(p), 0);
  EXPECT_EQ(RotKeys(c), 1);
  ExpectNear(c->PosedTarget(), VEC3(1, 1, 0), 1e-5f);
  c->SetFlag(BONE_SHOW, false);  // not editable: nothing at all
  PoseAim(&m, c, VEC3(-1, 1, 0), false);
  ExpectNear(c->PosedTarget(), VEC3(1, 1, 0), 1e-5f);
}

TEST_F(PosingTest, FollowReaimsTheChildrenButNotPastAnIkStop) {
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), false);
  DL_BONE* child = Bone(a, VEC3(0, 1, 0), VEC3(0, 2, 0), false);
  DL_BONE* stop = Bone(a, VEC3(0, 1, 0), VEC3(1, 1, 0), false);
  stop->SetFlag(BONE_IK_PIVOT, true);
  Settle();
  BeginPoseDrag(&m, a);
  VEC3 child_target = child->PosedTarget();
  VEC3 stop_target = stop->PosedTarget();
  PoseAim(&m, a, VEC3(1, 0.2f, 0), true);
  // The child turns back towards where its target was; the IK-stop child
  // (after it) is left alone and moves with its parent.
  VEC3 dir = (child->PosedTarget() - child->PosedPivot()).Normalized();
  VEC3 want = (child_target - child->PosedPivot()).Normalized();
  ExpectNear(dir, want, 1e-4f);
  EXPECT_EQ(RotKeys(stop), 0);
  EXPECT_GT((stop->PosedTarget() - stop_target).Length(), 0.1f);
}

TEST_F(PosingTest, TranslateUnderARotatedParentLandsOnTheGoal) {
  DL_BONE* p = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), false);
  DL_BONE* c = Bone(p, VEC3(0, 1, 0), VEC3(0, 2, 0), false);
  p->SetPoseRotation(QUAT::FromAxisAngle(VEC3(1, 2, 3), 0.8f));
  Settle();
  VEC3 goal(3, -1, 2);
  PoseTranslate(&m, c, goal, false);
  ExpectNear(c->PosedPivot(), goal, 1e-4f);
  ASSERT_EQ(c->tracks.current->trs.KeyCount(), 1);
  EXPECT_EQ(RotKeys(c), 0);
  Settle();
  ExpectNear(c->PosedPivot(), goal, 1e-4f);
}

TEST_F(PosingTest, TwistTurnsTheRollTowardsTheGoal) {
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 2, 0), false);
  DL_BONE* c = Bone(a, VEC3(0, 2, 0), VEC3(1, 2, 0), false);
  Settle();
  BeginPoseDrag(&m, a);
  VEC3 child_target = c->posed_target;
  PoseTwist(&m, a, VEC3(0, 1, 5), true);  // projected onto the plane: (0, 0, 5) direction
  VEC3 roll = (a->PosedRoll() - a->PosedPivot()).Normalized();
  ExpectNear(roll, VEC3(0, 0, 1), 1e-4f);
  ExpectNear(a->PosedTarget(), VEC3(0, 2, 0), 1e-4f);  // the axis stays
  // With follow the child keeps its direction in the world.
  ExpectNear(c->PosedTarget(), child_target, 1e-3f);
  EXPECT_EQ(RotKeys(a), 1);
}

TEST_F(PosingTest, ZeroLengthBonesAreLeftAlone) {
  DL_BONE* z = Bone(nullptr, VEC3(1, 1, 1), VEC3(1, 1, 1), false);
  Settle();
  PoseAim(&m, z, VEC3(5, 5, 5), false);
  PoseTwist(&m, z, VEC3(5, 5, 5), false);
  PoseIk(&m, z, VEC3(5, 5, 5), false);
  EXPECT_EQ(RotKeys(z), 0);
  EXPECT_EQ(z->pose_rot, QUAT::Identity());
  DL_BONE* a = Bone(nullptr, VEC3(0, 0, 0), VEC3(0, 1, 0), false);
  Settle();
  PoseAim(&m, a, VEC3(0, 0, 0), false);  // the goal on the pivot
  EXPECT_EQ(RotKeys(a), 0);
}

}  // namespace
