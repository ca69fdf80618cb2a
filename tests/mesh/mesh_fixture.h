// A model bound to the reference host's document, with helpers that build
// host objects the way a user would.
#pragma once

#include <gtest/gtest.h>

#include "anim/motion.h"
#include "controller/dlmain.h"
#include "host/host_table.h"
#include "mesh/morph.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"
#include "model/bone.h"
#include "model/bone_edit.h"
#include "model/model.h"
#include "refhost/refhost.h"

class MeshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(BindHostFunctions(RefHostLookup, nullptr));
    RefHostReset();
    model = new DL_MODEL();
    model->document = RefHost().document;
    model->controller = &plugin;
  }
  void TearDown() override { delete model; }

  RH_DOCUMENT* doc() { return RefHost().document; }

  // An n x n grid of vertices in the plane z = 0, spacing 1, with quads.
  RH_OBJECT* AddGrid(const char* name, int n, int material = -1) {
    RH_OBJECT* o = doc()->AddObject(name);
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) o->AddVertex(MQPoint{static_cast<float>(x), static_cast<float>(y), 0});
    for (int y = 0; y + 1 < n; ++y)
      for (int x = 0; x + 1 < n; ++x) {
        int a = y * n + x;
        o->AddFace({a, a + 1, a + n + 1, a + n}, material);
      }
    return o;
  }

  DL_OBJ* Record(const RH_OBJECT* o) {
    for (DL_OBJ* r : model->objects)
      if (r->source == o) return r;
    return nullptr;
  }

  DL_BONE* AddBone(DL_BONE* parent, const VEC3& pivot, const VEC3& target) {
    DL_BONE* b = model->NewBoneAsLastChild(parent);
    b->id = model->MakeBoneId();
    b->pivot = pivot;
    b->target = target;
    b->SetDefaultRoll();
    return b;
  }

  DLMAIN plugin;
  DL_MODEL* model = nullptr;
};
