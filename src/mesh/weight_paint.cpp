#include "mesh/weight_paint.h"

#include "controller/dlmain.h"
#include "controller/log.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/model.h"

namespace {

bool CanPaint(const DL_MODEL* model) {
  return model->current_object != nullptr && model->current_object->current_weight_group != nullptr &&
         model->current_preset != nullptr;
}

// The current object's vertices within the pen radius of (x, y).
PICK_LIST PickUnderPen(DL_MODEL* model, MQScene scene, float x, float y) {
  DL_OBJ* obj = model->current_object;
  // Back faces count unless the view shows front faces only.
  bool front_only = model->controller != nullptr && model->controller->GetViewOptions(scene).front_only != 0;
  obj->UpdateScreen(scene, front_only);
  PICK_LIST list;
  float r = model->current_preset->size;
  obj->PickVertices(x, y, r * r, &list);
  return list;
}

float Clamp01(float w) { return w < 0 ? 0 : w > 1 ? 1 : w; }

void RecolourAll(DL_MODEL* model) {
  for (DL_OBJ* o : model->objects) o->Recolour();
  model->WriteAllFaceColours();
}

}  // namespace

bool PaintWeights(DL_MODEL* model, MQScene scene, float x, float y) {
  if (!CanPaint(model)) return false;
  DL_OBJ* obj = model->current_object;
  PICK_LIST list = PickUnderPen(model, scene, x, y);
  if (list.picks.empty()) return false;
  const PEN_PRESET& pen = *model->current_preset;
  DL_OBJWEIT* group = obj->current_weight_group;
  const DL_WEITLIST& slot = obj->palette[obj->palette_slot & 7];
  // Picks come in vertex order.
  for (const PICK& p : list.picks) {
    DL_WEITLIST& w = obj->vertices[p.vertex]->weights;
    if (model->preset_option == PEN_SINGLE) {
      float old = w.Get(group);
      if (pen.mode == PEN_NORMAL) w.Set(group, pen.weight);
      else if (pen.mode == PEN_ADD) w.Set(group, Clamp01(old + pen.weight));
      else w.Set(group, Clamp01(old - pen.weight));
    } else if (pen.mode == PEN_NORMAL) {
      w.CopyFrom(slot);
    }
  }
  RecolourAll(model);
  return true;
}

bool PickUpWeights(DL_MODEL* model, MQScene scene, float x, float y) {
  if (!CanPaint(model)) return false;
  DL_OBJ* obj = model->current_object;
  PICK_LIST list = PickUnderPen(model, scene, x, y);
  if (list.nearest < 0) return false;
  const DL_WEITLIST& w = obj->vertices[list.picks[list.nearest].vertex]->weights;
  if (model->preset_option == PEN_SINGLE) model->current_preset->weight = w.Get(obj->current_weight_group);
  else obj->palette[obj->palette_slot & 7].CopyExactly(w);
  DLLog("PickUp");
  return true;
}

bool SetPaletteEntryWeight(DL_OBJ* obj, int i, float w) {
  if (obj == nullptr) return false;
  DL_WEITLIST& slot = obj->palette[obj->palette_slot & 7];
  if (i < 0 || i >= slot.Count()) return false;
  slot.SetByIndex(i, w);
  slot.UpdateColour();
  return true;
}

bool SelectPaletteEntry(DL_OBJ* obj, int i) {
  if (obj == nullptr || i < 0 || i >= obj->palette[obj->palette_slot & 7].Count()) return false;
  obj->palette_entry = i;
  return true;
}

bool RunPenCommand(DL_MODEL* model, PEN_COMMAND command) {
  DL_OBJ* obj = model->current_object;
  if (obj == nullptr) return false;
  bool done = true;
  switch (command) {
    case PEN_NORMALIZE: done = obj->NormalizeAll(); break;
    case PEN_CLEAR_ALL: obj->ClearAllWeights(); break;
    case PEN_CLEAR_CURRENT: done = obj->ClearCurrentGroup(); break;
    case PEN_FILL: done = obj->FillCurrentGroup(); break;
  }
  obj->Recolour();
  model->WriteAllFaceColours();
  return done;
}
