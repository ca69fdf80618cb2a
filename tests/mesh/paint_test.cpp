#include "mesh/weight_paint.h"

#include "mesh_fixture.h"

namespace {

class PaintTest : public MeshTest {
 protected:
  void SetUp() override {
    MeshTest::SetUp();
    AddGrid("grid", 3);
    model->Synchronize();
    model->CreateAllDisplays();
    obj = model->objects[0];
    model->current_object = obj;
    group = obj->NewGroup();
    scene = &doc()->scene;
    obj->UpdateScreen(scene, false);
    centre = obj->vertices[4]->screen_pos;
    model->current_preset->size = 4;  // less than the screen distance between vertices
  }
  float W(int i) { return obj->vertices[i]->weights.Get(group); }
  DL_OBJ* obj;
  DL_OBJWEIT* group;
  MQScene scene;
  VEC3 centre;
};

TEST_F(PaintTest, ModesSetAddAndSubtract) {
  ASSERT_TRUE(PaintWeights(model, scene, centre.x, centre.y));
  EXPECT_EQ(W(4), 1.0f);
  EXPECT_EQ(W(3), 0.0f);  // no falloff, no neighbours
  obj->SetVertexWeight(4, group, 0.9f);
  model->current_preset->mode = PEN_ADD;
  model->current_preset->weight = 0.3f;
  PaintWeights(model, scene, centre.x, centre.y);
  EXPECT_EQ(W(4), 1.0f);
  obj->SetVertexWeight(4, group, 0.1f);
  model->current_preset->mode = PEN_SUB;
  PaintWeights(model, scene, centre.x, centre.y);
  EXPECT_EQ(obj->vertices[4]->weights.Count(), 0);  // 0 removes the entry
}

TEST_F(PaintTest, TheRadiusBoundaryIsOutside) {
  EXPECT_FALSE(PaintWeights(model, scene, centre.x + 4, centre.y));  // distance² equals size²
  EXPECT_EQ(W(4), 0.0f);
  EXPECT_TRUE(PaintWeights(model, scene, centre.x + 3.5f, centre.y));
  EXPECT_EQ(W(4), 1.0f);
}

TEST_F(PaintTest, FrontOnlyLimitsPaintingToFacingFaces) {
  // Look at the grid from the side its faces turn away from.
  obj->UpdateScreen(scene, true);
  bool facing_now = obj->face_facing[0] != 0;
  if (facing_now) doc()->scene.LookAt(MQPoint{1, 1, -10}, MQPoint{1, 1, 0}, 45, 0.1f, 1000);
  obj->UpdateScreen(scene, false);
  VEC3 c = obj->vertices[4]->screen_pos;
  RefHost().view_options.front_only = 1;
  EXPECT_FALSE(PaintWeights(model, scene, c.x, c.y));
  RefHost().view_options.front_only = 0;
  EXPECT_TRUE(PaintWeights(model, scene, c.x, c.y));
  EXPECT_EQ(W(4), 1.0f);
}

TEST_F(PaintTest, AHiddenGroupChangesNothingButStillRecolours) {
  group->flags &= ~OBJWEIT_SHOW;
  obj->vertices[0]->weights.colour = 0x12345678u;
  EXPECT_TRUE(PaintWeights(model, scene, centre.x, centre.y));
  EXPECT_EQ(obj->vertices[4]->weights.Count(), 0);
  EXPECT_EQ(obj->vertices[0]->weights.colour, 0xFF000000u);
}

TEST_F(PaintTest, PaletteModePicksUpAndStampsWholeLists) {
  DL_OBJWEIT* other = obj->NewGroup();
  DL_OBJWEIT* hidden = obj->NewGroup();
  obj->current_weight_group = group;
  obj->SetVertexWeight(0, group, 0.25f);
  obj->SetVertexWeight(0, other, 0.75f);
  obj->SetVertexWeight(0, hidden, 0.5f);
  hidden->flags &= ~OBJWEIT_SHOW;
  model->preset_option = PEN_PALETTE;
  VEC3 s0 = obj->vertices[0]->screen_pos;
  ASSERT_TRUE(PickUpWeights(model, scene, s0.x, s0.y));
  EXPECT_EQ(obj->palette[0].Count(), 3);  // an exact copy
  model->current_preset->mode = PEN_ADD;
  PaintWeights(model, scene, centre.x, centre.y);
  EXPECT_EQ(obj->vertices[4]->weights.Count(), 0);  // palette mode paints only in mode 0
  model->current_preset->mode = PEN_NORMAL;
  PaintWeights(model, scene, centre.x, centre.y);
  EXPECT_EQ(obj->vertices[4]->weights.Count(), 2);  // paintable groups only
  EXPECT_EQ(obj->vertices[4]->weights.Get(other), 0.75f);
  EXPECT_TRUE(SetPaletteEntryWeight(obj, 0, 0));
  EXPECT_EQ(obj->palette[0].Count(), 2);
  EXPECT_TRUE(SelectPaletteEntry(obj, 1));
  EXPECT_FALSE(SelectPaletteEntry(obj, 5));
  model->preset_option = PEN_SINGLE;
  ASSERT_TRUE(PickUpWeights(model, scene, s0.x, s0.y));
  EXPECT_EQ(model->current_preset->weight, 0.25f);
}

TEST_F(PaintTest, PenCommandsRecolour) {
  obj->SetVertexWeight(1, group, 0.5f);
  obj->Recolour();
  EXPECT_TRUE(RunPenCommand(model, PEN_CLEAR_ALL));
  EXPECT_EQ(obj->vertices[1]->weights.colour, 0xFF000000u);
  EXPECT_TRUE(RunPenCommand(model, PEN_FILL));
  EXPECT_EQ(W(8), 1.0f);
  EXPECT_EQ(obj->vertices[8]->weights.colour, 0xFF0000FFu);
  model->current_object = nullptr;
  EXPECT_FALSE(RunPenCommand(model, PEN_FILL));
  EXPECT_FALSE(PaintWeights(model, scene, centre.x, centre.y));
}

}  // namespace
