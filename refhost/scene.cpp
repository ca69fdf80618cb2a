// The reference host's views: a camera and a perspective projection, and
// the world-to-screen mapping and its inverse that agree with them.
#include <math.h>
#include <string.h>

#include "refhost/refhost.h"

namespace {

typedef double M4[4][4];

void Load(M4 out, const float m[16]) {
  for (int i = 0; i < 16; ++i) out[i / 4][i % 4] = m[i];
}

void Multiply(const M4 a, const M4 b, M4 out) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double s = 0;
      for (int k = 0; k < 4; ++k) s += a[i][k] * b[k][j];
      out[i][j] = s;
    }
}

// Gauss-Jordan inverse with partial pivoting; false when singular.
bool Invert(const M4 in, M4 out) {
  double a[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 8; ++j) a[i][j] = j < 4 ? in[i][j] : (j - 4 == i ? 1 : 0);
  for (int c = 0; c < 4; ++c) {
    int pivot = c;
    for (int r = c + 1; r < 4; ++r)
      if (fabs(a[r][c]) > fabs(a[pivot][c])) pivot = r;
    if (fabs(a[pivot][c]) < 1e-300) return false;
    for (int j = 0; j < 8; ++j) {
      double t = a[c][j];
      a[c][j] = a[pivot][j];
      a[pivot][j] = t;
    }
    double k = a[c][c];
    for (int j = 0; j < 8; ++j) a[c][j] /= k;
    for (int r = 0; r < 4; ++r) {
      if (r == c) continue;
      double f = a[r][c];
      for (int j = 0; j < 8; ++j) a[r][j] -= f * a[c][j];
    }
  }
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out[i][j] = a[i][j + 4];
  return true;
}

}  // namespace

RH_SCENE::RH_SCENE() { LookAt(MQPoint{0, 0, 10}, MQPoint{0, 0, 0}, 45.0f, 0.1f, 1000.0f); }

void RH_SCENE::LookAt(const MQPoint& eye, const MQPoint& target, float fov_y_degrees, float near_z, float far_z) {
  // Camera axes: x right, y up, the camera looking down its -z.
  double f[3] = {target.x - eye.x, target.y - eye.y, target.z - eye.z};
  double fl = sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
  for (double& v : f) v /= fl;
  double up[3] = {0, 1, 0};
  if (fabs(f[1]) > 0.999) up[1] = 0, up[2] = -1;
  double r[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
  double rl = sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
  for (double& v : r) v /= rl;
  double u[3] = {r[1] * f[2] - r[2] * f[1], r[2] * f[0] - r[0] * f[2], r[0] * f[1] - r[1] * f[0]};
  double e[3] = {eye.x, eye.y, eye.z};
  double b[3] = {-f[0], -f[1], -f[2]};
  // Row vectors: the columns of the rotation are the camera axes.
  for (int i = 0; i < 3; ++i) {
    view[i * 4 + 0] = static_cast<float>(r[i]);
    view[i * 4 + 1] = static_cast<float>(u[i]);
    view[i * 4 + 2] = static_cast<float>(b[i]);
    view[i * 4 + 3] = 0;
  }
  view[12] = static_cast<float>(-(r[0] * e[0] + r[1] * e[1] + r[2] * e[2]));
  view[13] = static_cast<float>(-(u[0] * e[0] + u[1] * e[1] + u[2] * e[2]));
  view[14] = static_cast<float>(-(b[0] * e[0] + b[1] * e[1] + b[2] * e[2]));
  view[15] = 1;
  double t = 1.0 / tan(fov_y_degrees * 3.14159265358979 / 360.0);
  double aspect = static_cast<double>(width) / height;
  memset(proj, 0, sizeof proj);
  proj[0] = static_cast<float>(t / aspect);
  proj[5] = static_cast<float>(t);
  proj[10] = static_cast<float>((far_z + near_z) / (near_z - far_z));
  proj[11] = -1;
  proj[14] = static_cast<float>(2.0 * far_z * near_z / (near_z - far_z));
}

bool RH_SCENE::WorldToScreen(const float world[3], float screen[3]) const {
  M4 v, p, vp;
  Load(v, view);
  Load(p, proj);
  Multiply(v, p, vp);
  double in[4] = {world[0], world[1], world[2], 1};
  double c[4] = {0, 0, 0, 0};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 4; ++k) c[j] += in[k] * vp[k][j];
  if (c[3] <= 0) return false;  // behind the camera
  screen[0] = static_cast<float>((c[0] / c[3] + 1) * 0.5 * width);
  screen[1] = static_cast<float>((1 - c[1] / c[3]) * 0.5 * height);
  screen[2] = static_cast<float>((c[2] / c[3] + 1) * 0.5);
  return true;
}

bool RH_SCENE::ScreenToWorld(const float screen[3], float world[3]) const {
  M4 v, p, vp, inv;
  Load(v, view);
  Load(p, proj);
  Multiply(v, p, vp);
  if (!Invert(vp, inv)) return false;
  double ndc[4] = {screen[0] / (0.5 * width) - 1, 1 - screen[1] / (0.5 * height), screen[2] * 2 - 1, 1};
  double w[4] = {0, 0, 0, 0};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 4; ++k) w[j] += ndc[k] * inv[k][j];
  if (w[3] == 0) return false;
  for (int i = 0; i < 3; ++i) world[i] = static_cast<float>(w[i] / w[3]);
  return true;
}
