// Shared by the fuzz targets: a model bound to the reference host's
// document, with a few bones, objects and motions to read into.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "anim/motion.h"
#include "controller/dlmain.h"
#include "controller/log.h"
#include "host/host_table.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/bone.h"
#include "model/model.h"
#include "refhost/refhost.h"

struct FUZZ_WORLD {
  DLMAIN plugin;
  DL_MODEL* model = nullptr;

  FUZZ_WORLD() {
    BindHostFunctions(RefHostLookup, nullptr);
    SetLogSink(nullptr, nullptr);
  }
  // A fresh document and model for one input.
  DL_MODEL* Fresh() {
    delete model;
    RefHostReset();
    RH_DOCUMENT* doc = RefHost().document;
    RH_OBJECT* o = doc->AddObject("o");
    for (int i = 0; i < 4; ++i) o->AddVertex(MQPoint{static_cast<float>(i), 0, 0});
    o->AddFace({0, 1, 2, 3});
    doc->AddMaterial("m");
    model = new DL_MODEL();
    model->document = doc;
    model->controller = &plugin;
    model->NewNamedMotion();
    model->NewNamedMotion();
    model->Synchronize();
    DL_BONE* a = model->NewBoneAsLastChild(nullptr);
    a->id = model->MakeBoneId();
    a->SetName("a");
    DL_BONE* b = model->NewBoneAsLastChild(a);
    b->id = model->MakeBoneId();
    b->SetName("b");
    model->current_bone = b;
    return model;
  }
};
