// Key creation and pose evaluation on a capture-sized rig: 22 bones,
// 2,000 frames, a rotation and a translation key per bone and frame.
#include <benchmark/benchmark.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "anim/bvh_import.h"
#include "anim/bvh_reader.h"
#include "anim/motbone.h"
#include "anim/motion.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

const int kBones = 22;
const int kFrames = 2000;

DL_MODEL* MakeRig() {
  DL_MODEL* m = new DL_MODEL();
  DL_BONE* parent = nullptr;
  for (int i = 0; i < kBones; ++i) {
    DL_BONE* b = m->NewBoneAsLastChild(i % 5 == 0 ? nullptr : parent);
    b->pivot = VEC3(0, static_cast<float>(i), 0);
    b->target = VEC3(0, static_cast<float>(i + 1), 0);
    b->SetDefaultRoll();
    parent = b;
  }
  m->NewNamedMotion();
  return m;
}

void KeyEveryFrame(DL_MODEL* m) {
  for (int f = 0; f < kFrames; ++f) {
    float frame = static_cast<float>(f);
    QUAT q = QUAT::FromAxisAngle(VEC3(1, 0.5f, 0), frame * 0.01f);
    for (DL_BONE* b = m->first_bone; b != nullptr; b = b->NextInPreorder()) {
      b->tracks.current->rot.SetKey(frame, DL_VALUE::Quat(q));
      b->tracks.current->trs.SetKey(frame, DL_VALUE::Vec3(VEC3(frame * 0.1f, 0, 0)));
    }
  }
}

void BM_CreateCaptureKeys(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    DL_MODEL* m = MakeRig();
    state.ResumeTiming();
    KeyEveryFrame(m);
    state.PauseTiming();
    delete m;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateCaptureKeys)->Unit(benchmark::kMillisecond);

void BM_FullPoseUpdateOnCapture(benchmark::State& state) {
  DL_MODEL* m = MakeRig();
  KeyEveryFrame(m);
  float frame = 0;
  for (auto _ : state) {
    frame += 137.3f;
    if (frame > kFrames) frame -= kFrames;
    m->current_motion->SetCurrentFrame(frame);
    m->FullPoseUpdate();
    benchmark::DoNotOptimize(m->first_bone->matrix);
  }
  delete m;
}
BENCHMARK(BM_FullPoseUpdateOnCapture)->Unit(benchmark::kMicrosecond);

// The large capture, read from the test data beside the checkout.
void BM_ImportLargeCapture(benchmark::State& state) {
  std::string path = std::string(RIGVANE_DATA_DIR) + "/bvh/dataset-1_dance-short_normal_001.bvh";
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) {
    state.SkipWithError("the shared test data is not here");
    return;
  }
  fclose(f);
  for (auto _ : state) {
    state.PauseTiming();
    DL_MODEL* model = new DL_MODEL();
    state.ResumeTiming();
    if (!ImportBvhFile(model, path.c_str(), UMESS())) state.SkipWithError("refused");
    benchmark::DoNotOptimize(model->first_bone);
    state.PauseTiming();
    delete model;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ImportLargeCapture)->Unit(benchmark::kMillisecond);

}  // namespace
