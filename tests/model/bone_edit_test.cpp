#include "model/bone_edit.h"

#include <gtest/gtest.h>

#include "../math/math_test_util.h"
#include "tree_check.h"

namespace {

DL_BONE* Bone(DL_MODEL& m, const char* name) { return m.FindBoneByName(name); }

void Select(DL_MODEL& m, std::initializer_list<const char*> names) {
  for (const char* n : names) Bone(m, n)->SetFlag(BONE_SELECTED, true);
}

TEST(BoneEdit, SelectionCommandsTouchOnlyEditableBones) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* hidden = AddBone(m, a, "hidden");
  DL_BONE* locked = AddBone(m, hidden, "locked");
  hidden->SetFlag(BONE_SHOW, false);
  locked->SetFlag(BONE_EDIT_ALLOWED, false);
  SelectAllBones(&m);
  EXPECT_TRUE(a->HasFlag(BONE_SELECTED));
  EXPECT_FALSE(hidden->HasFlag(BONE_SELECTED));
  InvertBoneSelection(&m);
  EXPECT_FALSE(a->HasFlag(BONE_SELECTED));
  a->SetFlag(BONE_SEL_PIVOT | BONE_SEL_ROLL, true);
  locked->SetFlag(BONE_SEL_TARGET, true);
  DeselectAllBones(&m);
  EXPECT_FALSE(a->HasFlag(BONE_ANY_SELECTION));
  EXPECT_TRUE(locked->HasFlag(BONE_SEL_TARGET));
  // "子供まで選択" selects hidden and locked descendants too.
  m.current_bone = a;
  SelectChildBones(&m);
  EXPECT_TRUE(hidden->HasFlag(BONE_SELECTED));
  EXPECT_TRUE(locked->HasFlag(BONE_SELECTED));
  EXPECT_FALSE(a->HasFlag(BONE_SELECTED));
  // Without the bones display nothing is editable.
  m.SetFlag(MODEL_SHOW_BONES, false);
  EXPECT_FALSE(SelectAllBones(&m));
}

TEST(BoneEdit, FlagsOnAllBones) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  a->SetFlag(BONE_IK_PIVOT, true);
  b->SetFlag(BONE_SHOW, false);
  ClearIkStops(&m);
  EXPECT_FALSE(a->HasFlag(BONE_IK_PIVOT));
  ChangeFlagOnAllBones(&m, BONE_SHOW, FLAG_TOGGLE);
  EXPECT_FALSE(a->HasFlag(BONE_SHOW));
  EXPECT_TRUE(b->HasFlag(BONE_SHOW));
  ChangeFlagOnAllBones(&m, BONE_EXPANDED, FLAG_CLEAR);
  EXPECT_FALSE(b->HasFlag(BONE_EXPANDED));
  ChangeFlagOnAllBones(&m, BONE_EDIT_ALLOWED, FLAG_SET);
  EXPECT_TRUE(a->HasFlag(BONE_EDIT_ALLOWED));
  m.current_bone = a;
  EXPECT_TRUE(ResetCurrentBone(&m));
  EXPECT_EQ(m.current_bone, nullptr);
}

TEST(BoneEdit, DeletingTheSelectionKeepsUnselectedChildrenInPlace) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  AddBone(m, b, "c");
  AddBone(m, a, "d");
  AddBone(m, nullptr, "e");
  Select(m, {"b", "e"});
  m.SetFlag(MODEL_MOTION, true);
  EXPECT_FALSE(DeleteSelectedBones(&m));  // refused in the motion command
  EXPECT_FALSE(DeleteAllBonesCommand(&m));
  EXPECT_EQ(m.bone_count, 5);
  m.SetFlag(MODEL_MOTION, false);
  EXPECT_TRUE(DeleteSelectedBones(&m));
  EXPECT_EQ(TreeShape(m), "a .c .d");
  EXPECT_TRUE(TreeIsConsistent(m));
  EXPECT_FALSE(DeleteSelectedBones(&m));
  EXPECT_TRUE(DeleteAllBonesCommand(&m));
  EXPECT_EQ(m.bone_count, 0);
}

struct REPARENT_CASE {
  const char* what;
  std::initializer_list<const char*> selected;
  REPARENT_MODE mode;
  const char* expected;
};

TEST(BoneEdit, Reparenting) {
  // Tree: T, A (X (C), Y), B2 (Q)
  const REPARENT_CASE cases[] = {
      {"flat children: a bone and its child", {"A", "X"}, REPARENT_CHILDREN, "T .A .X C Y B2 .Q"},
      {"flat siblings", {"A", "Q"}, REPARENT_SIBLINGS, "T A Q X .C Y B2"},
      {"keeping levels, children: grandchild and later child",
       {"A", "C", "Y"},
       REPARENT_CHILDREN_KEEP_LEVELS,
       "T .A ..C ..Y X B2 .Q"},
      {"keeping levels: different branches go directly under T",
       {"X", "Q"},
       REPARENT_CHILDREN_KEEP_LEVELS,
       "T .X .Q A .C .Y B2"},
      {"keeping levels, siblings", {"A", "Y"}, REPARENT_SIBLINGS_KEEP_LEVELS, "T A .Y X .C B2 .Q"},
  };
  for (const REPARENT_CASE& t : cases) {
    DL_MODEL m;
    DL_BONE* tt = AddBone(m, nullptr, "T");
    AddBone(m, tt, "S");
    DL_BONE* a = AddBone(m, nullptr, "A");
    DL_BONE* x = AddBone(m, a, "X");
    AddBone(m, x, "C");
    AddBone(m, a, "Y");
    DL_BONE* b2 = AddBone(m, nullptr, "B2");
    AddBone(m, b2, "Q");
    m.DeleteBone(Bone(m, "S"), false);  // T starts childless
    Select(m, t.selected);
    m.current_bone = a;
    ASSERT_TRUE(ReparentSelected(&m, tt, t.mode)) << t.what;
    EXPECT_EQ(TreeShape(m), t.expected) << t.what;
    EXPECT_TRUE(TreeIsConsistent(m)) << t.what;
    EXPECT_EQ(m.current_bone, nullptr) << t.what;
    for (DL_BONE* b = m.first_bone; b != nullptr; b = b->NextInPreorder())
      EXPECT_FALSE(b->HasFlag(BONE_ANY_SELECTION)) << t.what;
  }
}

TEST(BoneEdit, ReparentingRefusals) {
  DL_MODEL m;
  DL_BONE* t = AddBone(m, nullptr, "T");
  DL_BONE* a = AddBone(m, nullptr, "A");
  EXPECT_FALSE(ReparentSelected(&m, t, REPARENT_CHILDREN));  // nothing selected
  a->SetFlag(BONE_SELECTED, true);
  EXPECT_FALSE(ReparentSelected(&m, nullptr, REPARENT_CHILDREN));
  t->SetFlag(BONE_SELECTED, true);
  EXPECT_FALSE(ReparentSelected(&m, t, REPARENT_CHILDREN));  // the item itself is selected
  EXPECT_EQ(TreeShape(m), "T A");
}

TEST(BoneEdit, ReparentingUnderADescendantOfTheSelection) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "A");
  DL_BONE* c = AddBone(m, a, "C");
  a->SetFlag(BONE_SELECTED, true);
  ASSERT_TRUE(ReparentSelected(&m, c, REPARENT_CHILDREN));
  EXPECT_EQ(TreeShape(m), "C .A");
  EXPECT_TRUE(TreeIsConsistent(m));
}

TEST(BoneEdit, AlignOnAWorldAxis) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  a->pivot = VEC3(1, 2, 3);
  a->target = VEC3(1, 6, 3);
  a->SetRoll(VEC3(2, 2, 3));
  DL_BONE* b = AddBone(m, nullptr, "b");
  b->pivot = VEC3(0, -1, 0);
  b->target = VEC3(0, 5, 1);
  b->roll = VEC3(1, -1, 0);
  b->SetFlag(BONE_LOCK_TARGET, true);
  Select(m, {"a", "b"});
  VEC3 center;
  ASSERT_TRUE(SelectionCenter(&m, &center));
  ExpectNear(center, (a->pivot + a->target + a->roll + b->pivot + b->target + b->roll) / 6.0f);
  ALIGN_SETTINGS s;
  s.axis = 1;
  s.value = VEC3(9, 0, 9);
  ASSERT_TRUE(AlignSelected(&m, s));
  EXPECT_EQ(a->pivot.y, 0.0f);
  EXPECT_EQ(a->target.y, 0.0f);
  EXPECT_EQ(b->pivot.y, 0.0f);
  EXPECT_EQ(b->target, VEC3(0, 5, 1));  // locked
  EXPECT_EQ(a->pivot.x, 1.0f);          // other coordinates stay
  DL_MODEL none;
  EXPECT_FALSE(SelectionCenter(&none, &center));
}

TEST(BoneEdit, AlignInAReferenceBoneFrame) {
  DL_MODEL m;
  DL_BONE* r = AddBone(m, nullptr, "r");
  r->pivot = VEC3(0, 0, 5);
  r->target = VEC3(0, 0, 6);  // axis along +z
  r->SetRoll(VEC3(0, 1, 5));  // roll along +y
  DL_BONE* b = AddBone(m, nullptr, "b");
  b->pivot = VEC3(1, 2, 3);
  b->target = VEC3(4, 5, 9);
  b->roll = VEC3(1, 3, 3);
  b->SetFlag(BONE_SELECTED, true);
  ALIGN_SETTINGS s;
  s.axis = 2;
  s.use_reference = true;
  s.reference = r;
  s.exclude_roll = true;
  ASSERT_TRUE(AlignSelected(&m, s));
  // Projected onto the plane through r's pivot perpendicular to its axis.
  ExpectNear(b->pivot, VEC3(1, 2, 5));
  ExpectNear(b->target, VEC3(4, 5, 5));

  // The switch on without a reference bone: the world coordinate becomes 0.
  s.reference = nullptr;
  s.axis = 0;
  AlignSelected(&m, s);
  EXPECT_NEAR(b->pivot.x, 0.0f, 1e-6f);

  // A reference bone of no length has no frame: its pivot stands in.
  r->target = r->pivot;
  r->roll = r->pivot;
  s.reference = r;
  s.axis = 1;
  ASSERT_TRUE(AlignSelected(&m, s));
  EXPECT_EQ(b->pivot.y, 0.0f);
  EXPECT_FALSE(isnan(b->target.x));
}

TEST(BoneEdit, MovingAConnectedBoneDragsItsParentsTarget) {
  DL_MODEL m;
  DL_BONE* p = AddBone(m, nullptr, "p");
  p->pivot = VEC3(0, 0, 0);
  p->target = VEC3(0, 2, 0);
  p->SetRoll(VEC3(1, 0, 0));
  DL_BONE* c = AddBone(m, p, "c");
  c->SetFlag(BONE_CONNECT, true);
  c->pivot = VEC3(0, 2, 0);
  c->target = VEC3(0, 4, 0);
  c->SetRoll(VEC3(1, 2, 0));
  DL_BONE* g = AddBone(m, c, "g");
  g->SetFlag(BONE_CONNECT, true);
  g->pivot = VEC3(0, 4, 0);
  g->target = VEC3(0, 6, 0);
  g->SetRoll(VEC3(1, 4, 0));
  c->SetFlag(BONE_SELECTED, true);
  ASSERT_TRUE(MoveSelection(&m, MAT44::Translation(VEC3(1, 0, 0))));
  EXPECT_EQ(p->pivot, VEC3(0, 0, 0));
  EXPECT_EQ(p->target, VEC3(1, 2, 0));
  DL_BONE expected_parent;
  expected_parent.pivot = VEC3(0, 0, 0);
  expected_parent.target = VEC3(1, 2, 0);
  expected_parent.roll = VEC3(0.6f, 0, 0);
  expected_parent.ApplyRollRule();
  ExpectNear(p->roll, expected_parent.roll);
  EXPECT_EQ(c->pivot, VEC3(1, 2, 0));
  EXPECT_EQ(c->target, VEC3(1, 4, 0));
  EXPECT_EQ(g->pivot, VEC3(1, 4, 0));  // the connected child follows
  EXPECT_EQ(g->target, VEC3(0, 6, 0));

  // Moving only a child's pivot point leaves the parent alone.
  c->SetFlag(BONE_SELECTED, false);
  c->SetFlag(BONE_SEL_PIVOT, true);
  MoveSelection(&m, MAT44::Translation(VEC3(0, 0, 1)));
  EXPECT_EQ(p->target, VEC3(1, 2, 0));
  EXPECT_EQ(c->pivot, VEC3(1, 2, 1));
  EXPECT_EQ(c->target, VEC3(1, 4, 0));

  // A locked-out (not editable) bone keeps its points even when marked.
  c->SetFlag(BONE_SEL_PIVOT, false);
  p->SetFlag(BONE_SEL_TARGET, true);
  c->SetFlag(BONE_EDIT_ALLOWED, false);
  MoveSelection(&m, MAT44::Translation(VEC3(0, 1, 0)));
  EXPECT_EQ(p->target, VEC3(1, 3, 0));
  EXPECT_EQ(c->pivot, VEC3(1, 2, 1));
}

VEC3 Flat(void*, const VEC3& p) { return VEC3(p.x, p.y, 0); }
bool InUnitSquare(void*, const VEC3& s) { return s.x >= 0 && s.x <= 1 && s.y >= 0 && s.y <= 1; }

TEST(BoneEdit, RegionSelectionSetsPointsAndWholeBones) {
  DL_MODEL m;
  DL_BONE* in = AddBone(m, nullptr, "in");
  in->pivot = VEC3(0.5f, 0.5f, 0);
  in->target = VEC3(0.5f, 0.9f, 0);
  in->roll = VEC3(3, 3, 0);
  DL_BONE* half = AddBone(m, nullptr, "half");
  half->pivot = VEC3(0.2f, 0.2f, 0);
  half->target = VEC3(5, 5, 0);
  half->roll = VEC3(0.3f, 0.3f, 0);
  DL_BONE* out = AddBone(m, nullptr, "out");
  out->pivot = VEC3(4, 4, 0);
  out->target = VEC3(5, 4, 0);
  out->roll = VEC3(4, 5, 0);
  m.FullPoseUpdate();
  VIEW_REGION region = {nullptr, Flat, InUnitSquare};
  EXPECT_TRUE(SelectByRegion(&m, region));
  EXPECT_EQ(in->flags & BONE_ANY_SELECTION, static_cast<uint32_t>(BONE_SEL_PIVOT | BONE_SEL_TARGET | BONE_SELECTED));
  EXPECT_EQ(half->flags & BONE_ANY_SELECTION, static_cast<uint32_t>(BONE_SEL_PIVOT | BONE_SEL_ROLL));
  EXPECT_EQ(out->flags & BONE_ANY_SELECTION, 0u);

  DeselectAllBones(&m);
  m.SetFlag(MODEL_NO_PICK_PIVOT | MODEL_NO_SELECT_WHOLE, true);
  SelectByRegion(&m, region);
  EXPECT_EQ(in->flags & BONE_ANY_SELECTION, static_cast<uint32_t>(BONE_SEL_TARGET));
  EXPECT_EQ(half->flags & BONE_ANY_SELECTION, static_cast<uint32_t>(BONE_SEL_ROLL));
  // Posed points count: a pose that carries "out" into the square selects it.
  DeselectAllBones(&m);
  m.SetFlag(MODEL_NO_PICK_PIVOT | MODEL_NO_SELECT_WHOLE, false);
  out->pose_trs = VEC3(-3.5f, -3.6f, 0);
  m.FullPoseUpdate();
  SelectByRegion(&m, region);
  EXPECT_TRUE(out->HasFlag(BONE_SEL_PIVOT));
}

}  // namespace
