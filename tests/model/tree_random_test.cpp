// Long random sequences of tree edits, checking the invariants after each.
#include <gtest/gtest.h>

#include <random>

#include "anim/motion.h"
#include "model/bone_edit.h"
#include "tree_check.h"

namespace {

DL_BONE* RandomBone(DL_MODEL& m, std::mt19937& rng) {
  if (m.bone_count == 0) return nullptr;
  return m.BoneAt(static_cast<int>(rng() % static_cast<unsigned>(m.bone_count)));
}

TEST(TreeRandom, InvariantsHoldAfterEveryEdit) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    DL_MODEL m;
    m.NewNamedMotion();
    for (int step = 0; step < 400; ++step) {
      DL_BONE* b = RandomBone(m, rng);
      int op = static_cast<int>(rng() % 10);
      switch (op) {
        case 0:
        case 1:
          AddBone(m, rng() % 4 == 0 ? nullptr : b, "x");
          break;
        case 2:
          if (b != nullptr) m.NewBoneAfter(b)->id = m.MakeBoneId();
          break;
        case 3:
          m.CreateBone(b, rng() % 2 == 0, rng() % 2 == 0, "made", VEC3(), VEC3(0, 1, 0), VEC3(1, 0, 0));
          break;
        case 4:
          m.current_bone = RandomBone(m, rng);
          if (b != nullptr) m.DeleteBone(b, rng() % 2 == 0);
          break;
        case 5:
          if (b != nullptr) {
            b->UnlinkKeepingChildren();
            delete b;
          }
          break;
        case 6:
        case 7: {
          for (int i = 0; i < 3; ++i)
            if (DL_BONE* s = RandomBone(m, rng)) s->SetFlag(BONE_SELECTED, true);
          ReparentSelected(&m, RandomBone(m, rng), static_cast<REPARENT_MODE>(rng() % 4));
          DeselectAllBones(&m);
          break;
        }
        case 8:
          if (b != nullptr) b->SetFlag(BONE_SELECTED, true);
          DeleteSelectedBones(&m);
          break;
        case 9:
          if (rng() % 2 == 0 || m.motions.size() < 2) m.NewNamedMotion();
          else m.RemoveMotion(m.motions[rng() % m.motions.size()]);
          break;
      }
      ASSERT_TRUE(TreeIsConsistent(m)) << "seed " << seed << " step " << step << " op " << op;
    }
  }
}

}  // namespace
