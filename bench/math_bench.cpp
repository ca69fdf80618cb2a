// Throughput of the math the pose pipeline runs per bone and per vertex.
#include <benchmark/benchmark.h>

#include <vector>

#include "math/mat44.h"

static void BM_TransformPoints(benchmark::State& state) {
  MAT44 m;
  m.RotateX(0.3f);
  m.RotateZ(1.2f);
  m.SetTranslation(VEC3(1, 2, 3));
  std::vector<VEC3> points(50000, VEC3(0.5f, -1.0f, 2.0f)), out(points.size());
  for (auto _ : state) {
    for (size_t i = 0; i < points.size(); ++i) out[i] = m.Transform(points[i]);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_TransformPoints);

static void BM_MatrixChain(benchmark::State& state) {
  MAT44 a;
  a.RotateY(0.7f);
  for (auto _ : state) {
    MAT44 m;
    for (int i = 0; i < 30; ++i) {
      MAT44 local = MAT44::FromQuat(QUAT::FromAxisAngle(VEC3(1, 1, 0), 0.01f * i));
      m = local * m;
    }
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_MatrixChain);
