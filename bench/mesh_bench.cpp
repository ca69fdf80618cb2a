// A 50,000-vertex object with four weights per vertex on a 30-bone rig:
// the full pose update, synchronisation, a paint dab and the display write.
#include <benchmark/benchmark.h>

#include <random>

#include "anim/motion.h"
#include "controller/dlmain.h"
#include "host/host_table.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/weight_paint.h"
#include "model/bone.h"
#include "model/model.h"
#include "model/undo_buffer.h"
#include "persist/document_schema.h"
#include "persist/records.h"
#include "refhost/refhost.h"

namespace {

const int kSide = 224;  // 224 x 224 = 50,176 vertices
const int kBones = 30;
const int kFrames = 2000;

struct RIG {
  DLMAIN plugin;
  DL_MODEL model;
  RH_OBJECT* host = nullptr;
  DL_OBJ* obj = nullptr;

  RIG() {
    BindHostFunctions(RefHostLookup, nullptr);
    RefHostReset();
    RH_DOCUMENT* doc = RefHost().document;
    model.document = doc;
    model.controller = &plugin;
    host = doc->AddObject("skin");
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        host->AddVertex(MQPoint{x * 0.1f, y * 0.1f, 0});
    for (int y = 0; y + 1 < kSide; ++y)
      for (int x = 0; x + 1 < kSide; ++x) {
        int a = y * kSide + x;
        host->AddFace({a, a + 1, a + kSide + 1, a + kSide});
      }
    std::vector<DL_BONE*> bones;
    for (int i = 0; i < kBones; ++i) {
      DL_BONE* b = model.NewBoneAsLastChild(i % 6 == 0 ? nullptr : bones.back());
      b->id = model.MakeBoneId();
      b->pivot = VEC3(0, i * 0.7f, 0);
      b->target = VEC3(0, (i + 1) * 0.7f, 0);
      b->SetDefaultRoll();
      bones.push_back(b);
    }
    DL_MOT* m = model.NewNamedMotion();
    for (DL_BONE* b : bones)
      for (int f = 0; f < kFrames; ++f) {
        b->tracks.current->rot.SetKey(static_cast<float>(f), DL_VALUE::Quat(QUAT::FromAxisAngle(VEC3(1, 0, 0), f * 0.01f)));
        b->tracks.current->trs.SetKey(static_cast<float>(f), DL_VALUE::Vec3(VEC3(f * 0.01f, 0, 0)));
      }
    m->SetCurrentFrame(0);
    model.Synchronize();
    obj = model.objects[0];
    std::mt19937 rng(3);
    for (int i = 0; i < obj->VertexCount(); ++i)
      for (int k = 0; k < 4; ++k) obj->SetVertexWeightForBone(i, bones[(i + k * 7) % kBones], 0.1f + 0.2f * k);
    model.SetFlag(MODEL_ACTIVE | MODEL_MOTION, true);
    model.FullPoseUpdate();
  }
};

RIG& Rig() {
  static RIG* rig = new RIG();
  return *rig;
}

void BM_FullPoseUpdate50k(benchmark::State& state) {
  RIG& r = Rig();
  float frame = 0;
  for (auto _ : state) {
    frame = frame + 7.3f;
    if (frame > kFrames) frame -= kFrames;
    r.model.current_motion->SetCurrentFrame(frame);
    r.model.FullPoseUpdate();
    benchmark::DoNotOptimize(r.obj->vertices[0]->skinned_pos);
  }
}
BENCHMARK(BM_FullPoseUpdate50k)->Unit(benchmark::kMicrosecond);

void BM_SynchronizeAfterOneVertexMoved(benchmark::State& state) {
  RIG& r = Rig();
  float z = 0;
  for (auto _ : state) {
    z += 0.01f;
    r.host->vertices[1234].pos.z = z;
    r.model.Synchronize();
  }
}
BENCHMARK(BM_SynchronizeAfterOneVertexMoved)->Unit(benchmark::kMillisecond);

void BM_PaintDab(benchmark::State& state) {
  RIG& r = Rig();
  r.model.CreateAllDisplays();
  r.model.current_object = r.obj;
  r.obj->NewGroup();
  r.model.current_preset->size = 20;
  MQScene scene = &RefHost().document->scene;
  RefHost().document->scene.LookAt(MQPoint{11, 11, 30}, MQPoint{11, 11, 0}, 45, 0.1f, 1000);
  for (auto _ : state) PaintWeights(&r.model, scene, 320, 240);
  r.model.DeleteAllDisplays();
}
BENCHMARK(BM_PaintDab)->Unit(benchmark::kMillisecond);

void BM_WritePositionsToDisplay(benchmark::State& state) {
  RIG& r = Rig();
  r.model.CreateAllDisplays();
  for (auto _ : state) r.model.WriteAllPositions();
  r.model.DeleteAllDisplays();
}
BENCHMARK(BM_WritePositionsToDisplay)->Unit(benchmark::kMicrosecond);

void BM_SnapshotWrite(benchmark::State& state) {
  RIG& r = Rig();
  size_t bytes = 0;
  for (auto _ : state) {
    DL_STREAM s;
    s.CreateMemory(65536);
    WriteModel(s, &r.model);
    s.ShrinkToFit();
    bytes = s.DataLength();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SnapshotWrite)->Unit(benchmark::kMillisecond);

// What an edit costs: the undo step's snapshot, three states kept.
void BM_UndoRecord(benchmark::State& state) {
  RIG& r = Rig();
  DL_UNDOBUFF undo;
  int32_t n = 0;
  for (auto _ : state) undo.Record(++n, 3, &r.model);
}
BENCHMARK(BM_UndoRecord)->Unit(benchmark::kMillisecond);

void BM_SnapshotRead(benchmark::State& state) {
  RIG& r = Rig();
  DL_STREAM s;
  s.CreateMemory(65536);
  WriteModel(s, &r.model);
  std::vector<uint8_t> bytes(s.Data(), s.Data() + s.DataLength());
  for (auto _ : state) {
    DL_STREAM in;
    in.OpenView(bytes.data(), bytes.size());
    ReadModel(in, &r.model);
  }
  r.model.FinishLoading();
  r.obj = r.model.objects[0];
}
BENCHMARK(BM_SnapshotRead)->Unit(benchmark::kMillisecond);

void BM_SnapshotFinishLoading(benchmark::State& state) {
  RIG& r = Rig();
  for (auto _ : state) r.model.FinishLoading();
  r.obj = r.model.objects[0];
}
BENCHMARK(BM_SnapshotFinishLoading)->Unit(benchmark::kMillisecond);

void BM_DocumentWrite(benchmark::State& state) {
  RIG& r = Rig();
  for (auto _ : state) {
    RH_XML_ELEMENT saved("Plugin");
    SAVE_DOC_PARAM param = {&saved, 0};
    WriteDocument(&r.model, &param);
  }
}
BENCHMARK(BM_DocumentWrite)->Unit(benchmark::kMillisecond);

void BM_DocumentRead(benchmark::State& state) {
  RIG& r = Rig();
  RH_XML_ELEMENT saved("Plugin");
  SAVE_DOC_PARAM param = {&saved, 0};
  WriteDocument(&r.model, &param);
  for (auto _ : state) {
    DL_MODEL loaded;
    loaded.document = r.model.document;
    loaded.controller = &r.plugin;
    ReadDocument(&loaded, &saved);
  }
}
BENCHMARK(BM_DocumentRead)->Unit(benchmark::kMillisecond);

}  // namespace
