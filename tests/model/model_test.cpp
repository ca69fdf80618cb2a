#include "model/model.h"

#include <gtest/gtest.h>
#include <string.h>

#include "anim/motion.h"
#include "mesh/obj.h"
#include "mesh/objweit.h"
#include "tree_check.h"

namespace {

TEST(ModelNames, FirstFreeNumberedNames) {
  DL_MODEL m;
  char name[256];
  m.NewBoneName(name);
  EXPECT_STREQ(name, "bone1");
  AddBone(m, nullptr, "bone1");
  AddBone(m, nullptr, "bone3");
  AddBone(m, nullptr, "bone02");  // not "bone2"
  AddBone(m, nullptr, "Bone2");   // names are compared case-sensitively
  m.NewBoneName(name);
  EXPECT_STREQ(name, "bone2");
  AddBone(m, nullptr, "bone2");
  m.NewBoneName(name);
  EXPECT_STREQ(name, "bone4");

  m.NewMotionName(name);
  EXPECT_STREQ(name, "mot1");
  m.NewNamedMotion();
  m.NewNamedMotion();
  m.NewMotionName(name);
  EXPECT_STREQ(name, "mot3");
}

TEST(ModelIdentifiers, CountersSkipIdentifiersInUse) {
  DL_MODEL m;
  DL_BONE* first = m.CreateBone(nullptr, false, false, "a", VEC3(), VEC3(0, 1, 0), VEC3(1, 0, 0));
  EXPECT_EQ(first->id, 1);
  // A document set the counter to 5 while a bone already holds 5.
  first->id = 5;
  m.next_bone_id = 5;
  EXPECT_EQ(m.MakeBoneId(), 6);
  EXPECT_EQ(m.next_bone_id, 7);

  // Every path that makes a motion issues exactly one fresh identifier.
  DL_MOT* a = m.AddMotion();
  DL_MOT* b = m.NewNamedMotion();
  EXPECT_EQ(a->id, 0);
  EXPECT_EQ(b->id, 1);
  EXPECT_EQ(m.next_motion_id, 2);
  a->id = 2;  // as a reader might leave it
  EXPECT_EQ(m.AddMotion()->id, 3);
}

TEST(ModelLookups, ByIdNameIndex) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  DL_BONE* c = AddBone(m, nullptr, "c");
  EXPECT_EQ(m.BoneAt(0), a);
  EXPECT_EQ(m.BoneAt(1), b);
  EXPECT_EQ(m.BoneAt(2), c);
  EXPECT_EQ(m.BoneAt(3), nullptr);
  EXPECT_EQ(m.BoneAt(-1), nullptr);
  EXPECT_EQ(m.IndexOfBone(c), 2);
  EXPECT_EQ(m.FindBoneByName("b"), b);
  EXPECT_EQ(m.FindBoneByName("B"), nullptr);
  EXPECT_EQ(m.FindBoneById(c->id), c);
  EXPECT_TRUE(m.HasBone(b));
  DL_BONE stray;
  EXPECT_FALSE(m.HasBone(&stray));
  EXPECT_EQ(m.IndexOfBone(&stray), -1);
  DL_MODEL empty;
  EXPECT_EQ(empty.BoneAt(0), nullptr);
}

TEST(ModelBones, CreationPlacesBones) {
  DL_MODEL m;
  EXPECT_EQ(m.NewBoneAfter(nullptr), nullptr);
  DL_BONE* a = AddBone(m, nullptr, "a");
  AddBone(m, a, "a1");
  AddBone(m, a, "a2");
  DL_BONE* s = m.NewBoneAfter(a);
  s->SetName("s");
  DL_BONE* made = m.CreateBone(a, true, true, "made", VEC3(0, 0, 0), VEC3(0, 2, 0), VEC3(1, 0, 0));
  DL_BONE* child = m.CreateBone(made, false, false, "child", VEC3(0, 2, 0), VEC3(0, 3, 0), VEC3(5, 2, 0));
  EXPECT_EQ(TreeShape(m), "a .a1 .a2 made .child s");
  EXPECT_TRUE(made->HasFlag(BONE_CONNECT));
  EXPECT_FALSE(child->HasFlag(BONE_CONNECT));
  EXPECT_EQ(made->flags & ~BONE_CONNECT, static_cast<uint32_t>(BONE_INITIAL_FLAGS));
  EXPECT_EQ(child->roll, VEC3(0.3f, 2, 0));  // the roll rule ran
  EXPECT_TRUE(TreeIsConsistent(m));
}

TEST(ModelBones, NewBonesGetATrackPerMotionBoundToTheCurrent) {
  DL_MODEL m;
  DL_MOT* one = m.NewNamedMotion();
  DL_MOT* two = m.NewNamedMotion();
  DL_BONE* b = AddBone(m, nullptr, "b");
  ASSERT_EQ(b->tracks.tracks.size(), 2u);
  EXPECT_EQ(b->tracks.tracks[0]->motion, one);
  EXPECT_EQ(b->tracks.current->motion, two);
  m.MakeCurrentMotion(one);
  EXPECT_EQ(b->tracks.current->motion, one);
}

struct DELETE_CASE {
  const char* what;
  const char* current;
  bool with_children;
  const char* expected_tree;
  const char* expected_current;  // nullptr: none
};

TEST(ModelBones, DeletingMovesTheCurrentBone) {
  const DELETE_CASE cases[] = {
      {"to the next in preorder", "b", false, "a .c d", "c"},
      {"its children take its place", "b", false, "a .c d", "c"},
      {"with children: past the subtree", "b", true, "a d", "d"},
      {"last in preorder: the elder sibling", "d", false, "a .b ..c", "a"},
      {"followed by another top-level bone", "c", false, "a .b d", "d"},
      {"a current bone inside the deleted subtree", "c", true, "a d", "d"},
  };
  for (const DELETE_CASE& t : cases) {
    DL_MODEL m;
    DL_BONE* a = AddBone(m, nullptr, "a");
    DL_BONE* b = AddBone(m, a, "b");
    DL_BONE* c = AddBone(m, b, "c");
    DL_BONE* d = AddBone(m, nullptr, "d");
    DL_BONE* doomed = strcmp(t.current, "d") == 0 ? d : strcmp(t.current, "c") == 0 && !t.with_children ? c : b;
    m.current_bone = m.FindBoneByName(t.current);
    m.DeleteBone(doomed, t.with_children);
    EXPECT_EQ(TreeShape(m), t.expected_tree) << t.what;
    EXPECT_TRUE(TreeIsConsistent(m)) << t.what;
    if (t.expected_current == nullptr) {
      EXPECT_EQ(m.current_bone, nullptr) << t.what;
    } else {
      ASSERT_NE(m.current_bone, nullptr) << t.what;
      EXPECT_STREQ(m.current_bone->name, t.expected_current) << t.what;
      EXPECT_TRUE(m.current_bone->HasFlag(BONE_SELECTED)) << t.what;
    }
  }
}

TEST(ModelBones, DeletingTheLastBoneInPreorderAsAFirstChildMovesToTheParent) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  m.current_bone = b;
  m.DeleteBone(b, false);
  EXPECT_EQ(m.current_bone, a);
  m.DeleteBone(a, false);
  EXPECT_EQ(m.current_bone, nullptr);
  EXPECT_TRUE(TreeIsConsistent(m));
}

TEST(ModelBones, DeletingClearsEveryReferenceToTheBone) {
  DL_MODEL m;
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  DL_BONE* c = AddBone(m, nullptr, "c");
  DL_MOT* mot = m.NewNamedMotion();
  DL_OBJ* obj = m.NewObject(7);
  DL_OBJWEIT* group = new DL_OBJWEIT();
  obj->weight_groups.push_back(group);
  c->mirror.Set(b);
  a->mirror.Set(c);
  mot->bone.Set(b);
  obj->obj_bone.Set(b);
  group->bone.Set(b);
  m.DeleteBone(a, true);  // b goes with its parent
  EXPECT_EQ(c->mirror.Get(), nullptr);
  EXPECT_EQ(c->mirror.bone_id, 0);
  EXPECT_EQ(mot->bone.Get(), nullptr);
  EXPECT_EQ(obj->obj_bone.Get(), nullptr);
  EXPECT_EQ(group->bone.Get(), nullptr);
  EXPECT_TRUE(TreeIsConsistent(m));
  m.DeleteAllBones();
  EXPECT_EQ(m.bone_count, 0);
  EXPECT_EQ(m.first_bone, nullptr);
}

TEST(ModelMotions, RemovingPicksTheNextCurrentMotion) {
  DL_MODEL m;
  AddBone(m, nullptr, "a");
  DL_MOT* a = m.NewNamedMotion();
  DL_MOT* b = m.NewNamedMotion();
  DL_MOT* c = m.NewNamedMotion();
  m.MakeCurrentMotion(b);
  m.RemoveMotion(b);
  EXPECT_EQ(m.current_motion, c);  // the motion now at b's place
  m.RemoveMotion(c);
  EXPECT_EQ(m.current_motion, a);  // c was last: the new last
  m.RemoveMotion(a);
  EXPECT_EQ(m.current_motion, nullptr);
  EXPECT_EQ(m.first_bone->tracks.current, nullptr);
  EXPECT_TRUE(m.first_bone->tracks.tracks.empty());
  EXPECT_TRUE(TreeIsConsistent(m));
}

TEST(ModelMotions, RemovingAMotionWithKeysLeavesNothingBehind) {
  DL_MODEL m;
  DL_BONE* bone = AddBone(m, nullptr, "a");
  DL_OBJ* obj = m.NewObject(3);
  DL_MOT* keep = m.NewNamedMotion();
  DL_MOT* gone = m.NewNamedMotion();
  for (int f = 0; f < 20; ++f) {
    bone->tracks.current->rot.SetKey(static_cast<float>(f), DL_VALUE::Quat(QUAT::Identity()));
    obj->tracks.current->visibility.SetKey(static_cast<float>(f), DL_VALUE::Step(f & 1));
  }
  gone->key_table.current_key_frame = gone->key_table.Entry(4);
  m.RemoveMotion(gone);  // the sanitizers report any dangling access
  EXPECT_EQ(m.current_motion, keep);
  EXPECT_EQ(bone->tracks.current->motion, keep);
  EXPECT_EQ(obj->tracks.current->motion, keep);
  EXPECT_EQ(bone->tracks.tracks.size(), 1u);
  bone->tracks.current->trs.SetKey(1, DL_VALUE::Vec3(VEC3(1, 2, 3)));
  EXPECT_EQ(keep->key_table.EntryCount(), 1);
}

TEST(ModelMotions, LookupsAndClear) {
  DL_MODEL m;
  DL_MOT* a = m.NewNamedMotion();
  DL_MOT* b = m.NewNamedMotion();
  EXPECT_EQ(m.FindMotionByName("mot2"), b);
  EXPECT_EQ(m.FindMotionById(a->id), a);
  EXPECT_EQ(m.IndexOfMotion(b), 1);
  EXPECT_EQ(m.FindMotionByName("mot9"), nullptr);
  AddBone(m, nullptr, "x");
  m.NewObject(1);
  m.NewMaterial(2);
  int32_t bone_counter = m.next_bone_id, motion_counter = m.next_motion_id;
  m.Clear();
  EXPECT_TRUE(m.motions.empty());
  EXPECT_TRUE(m.objects.empty());
  EXPECT_TRUE(m.materials.empty());
  EXPECT_EQ(m.bone_count, 0);
  EXPECT_EQ(m.current_motion, nullptr);
  EXPECT_EQ(m.next_bone_id, bone_counter);
  EXPECT_EQ(m.next_motion_id, motion_counter);
}

TEST(ModelTree, DeepestLevelAndBonesShownInTree) {
  DL_MODEL m;
  EXPECT_EQ(m.DeepestLevel(), 0);
  DL_BONE* a = AddBone(m, nullptr, "a");
  DL_BONE* b = AddBone(m, a, "b");
  AddBone(m, b, "c");
  AddBone(m, a, "d");
  AddBone(m, nullptr, "e");
  EXPECT_EQ(m.DeepestLevel(), 2);
  EXPECT_EQ(m.CountBonesShownInTree(), 5);
  b->SetFlag(BONE_EXPANDED, false);
  EXPECT_EQ(m.CountBonesShownInTree(), 4);
  a->SetFlag(BONE_EXPANDED, false);
  EXPECT_EQ(m.CountBonesShownInTree(), 2);
}

TEST(ModelTree, LongChainsAndDeepTreesNeedNoRecursion) {
  // Far more bones than a recursive walk could survive on the host's stack.
  const int n = 50000;
  DL_MODEL m;
  m.NewNamedMotion();
  DL_BONE* deep = nullptr;
  for (int i = 0; i < n; ++i) {
    DL_BONE* b = new DL_BONE();
    b->Link(&m, deep, nullptr);
    deep = b;
  }
  DL_BONE* last_top = nullptr;
  for (int i = 0; i < n; ++i) {
    DL_BONE* b = new DL_BONE();
    b->Link(&m, nullptr, last_top);
    last_top = b;
  }
  EXPECT_EQ(m.bone_count, 2 * n);
  EXPECT_EQ(m.DeepestLevel(), n - 1);
  m.FullPoseUpdate();
  m.first_bone->SetFlagSubtree(BONE_SELECTED, true);
  EXPECT_TRUE(m.first_bone->HasSelectedInFollowing());
  m.DeleteAllBones();
  EXPECT_EQ(m.bone_count, 0);
}

}  // namespace
