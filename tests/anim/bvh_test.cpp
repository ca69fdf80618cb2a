#include <gtest/gtest.h>
#include <string.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "../math/math_test_util.h"
#include "../model/tree_check.h"
#include "anim/bvh_import.h"
#include "anim/bvh_reader.h"
#include "anim/motion.h"

namespace {

struct READ {
  bool ok;
  std::vector<std::string> messages;
  BVH_DOC doc;
};

void Collect(void* user, const char* text) { static_cast<std::vector<std::string>*>(user)->push_back(text); }

void Read(const std::string& text, READ* r) {
  UMESS sink;
  sink.Bind(&r->messages, Collect);
  r->ok = ReadBvhBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size(), "t.bvh", &r->doc, sink);
}

const char* const kTwoJoints =
    "HIERARCHY\n"
    "ROOT hip\n"
    "{\n"
    "  OFFSET 0 90 0\n"
    "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    "  JOINT knee\n"
    "  {\n"
    "    OFFSET 0 10 0\n"
    "    CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "    End Site\n"
    "    {\n"
    "      OFFSET 0 1.5e+01 0\n"
    "    }\n"
    "  }\n"
    "}\n"
    "MOTION\n"
    "Frames: 2\n"
    "Frame Time: 0.0333333\n"
    "1 2 3 10 20 30 1.87007e-05 0 0\n"
    "4 5 6 0 0 90 0 -45 0\n";

TEST(BvhReader, ReadsHierarchyAndMotion) {
  READ r;
  Read(kTwoJoints, &r);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.doc.node_count, 2);
  EXPECT_EQ(r.doc.frame_count, 2);
  EXPECT_EQ(r.doc.frame_time, 0.0333333f);
  BVH_NODE* hip = r.doc.root;
  ASSERT_NE(hip, nullptr);
  EXPECT_STREQ(hip->name, "hip");
  EXPECT_EQ(hip->channels, (std::vector<uint8_t>{BVH_XPOS, BVH_YPOS, BVH_ZPOS, BVH_ZROT, BVH_XROT, BVH_YROT}));
  BVH_NODE* knee = hip->first_child;
  ASSERT_NE(knee, nullptr);
  EXPECT_EQ(knee->offset, VEC3(0, 10, 0));
  EXPECT_TRUE(knee->has_end_site);
  EXPECT_TRUE(knee->end_offset_set);
  EXPECT_EQ(knee->end_offset, VEC3(0, 15, 0));  // exponent form
  ASSERT_EQ(hip->frames.size(), 2u);
  EXPECT_EQ(hip->frames[0].v[0], 1.0f);
  EXPECT_EQ(hip->frames[0].v[5], 10.0f);  // Z rotation declared first
  EXPECT_EQ(hip->frames[0].v[3], 20.0f);
  ASSERT_EQ(knee->frames.size(), 2u);
  EXPECT_EQ(knee->frames[0].v[5], 1.87007e-05f);
  EXPECT_EQ(knee->frames[1].v[3], -45.0f);
  ASSERT_FALSE(r.messages.empty());
  EXPECT_EQ(r.messages.back(), "bone(2),frame(2),frame_time(0.033333):t.bvh\n");
}

struct LEX_CASE {
  const char* what;
  std::string text;
  bool ok;
  int nodes;
};

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  size_t at = s.find(from);
  if (at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

TEST(BvhReader, LexicalRules) {
  const std::string base = kTwoJoints;
  const LEX_CASE cases[] = {
      {"keyword in lower case", Replace(base, "HIERARCHY", "hierarchy"), true, 2},
      {"brace glued to the name", Replace(base, "ROOT hip\n{", "ROOT hip{"), true, 2},
      {"a name with a space", Replace(base, "ROOT hip", "ROOT my hip"), false, 1},
      {"EndSite as one word", Replace(base, "End Site", "EndSite"), false, 2},
      {"byte order mark", "\xEF\xBB\xBF" + base, false, 0},
      {"empty first line", "\n" + base, false, 0},
      {"second ROOT", base + "ROOT other\n{\n}\n", false, 2},
      {"MOTION before ROOT", "HIERARCHY\nMOTION\nFrames: 0\nFrame Time: 1\n", false, 0},
      {"frame time 0 with frames", Replace(base, "0.0333333", "0"), false, 2},
      {"frame time 0 without frames", base.substr(0, base.find("MOTION")) + "MOTION\nFrames: 0\nFrame Time: 0\n", true,
       2},
      {"a value beyond float", Replace(base, "1.87007e-05", "1e999"), false, 2},
      {"a byte that starts no number", Replace(base, "0 -45 0", "0 x 0"), false, 2},
      {"ends inside the motion data", base.substr(0, base.size() - 10), true, 2},
      {"unknown top-level token", base + "PLOT\n", false, 2},
      {"NUL as the last byte", base + std::string(1, '\0'), true, 2},
      {"NUL before the end", base + std::string(1, '\0') + "x", false, 2},
      {"end of file inside a joint", base.substr(0, base.find("MOTION") - 3), false, 2},
  };
  for (const LEX_CASE& c : cases) {
    READ r;
    Read(c.text, &r);
    EXPECT_EQ(r.ok, c.ok) << c.what;
    EXPECT_EQ(r.doc.node_count, c.nodes) << c.what;
  }
}

TEST(BvhReader, MessagesOfRefusedFiles) {
  READ empty;
  Read("\nROOT", &empty);
  ASSERT_EQ(empty.messages.size(), 2u);
  EXPECT_EQ(empty.messages[0], "t.bvh はBVHファイルではありません\n");
  EXPECT_EQ(empty.messages[1], "head「」0\n");
  READ top;
  Read("HIERARCHY\nBONES\n", &top);
  ASSERT_EQ(top.messages.size(), 1u);
  EXPECT_EQ(top.messages[0], "t.bvh (2):[BONES]対応外のチャンクです\n");
  READ brace;
  Read("HIERARCHY\nROOT a\nx", &brace);
  EXPECT_EQ(brace.messages[0], "t.bvh (3):[x] {がありません\n");
  READ inside;
  Read("HIERARCHY\nROOT a\n{\n SCALE\x01 1\n}\n", &inside);
  EXPECT_EQ(inside.messages[0], "t.bvh(4) : [SCALE0x01]対応外のチャンクです\n");
}

TEST(BvhReader, UnknownChannelsShiftTheValues) {
  READ r;
  Read("HIERARCHY\nROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Xscale Xposition Yposition\n}\n"
       "MOTION\nFrames: 1\nFrame Time: 0.5\n1 2 3\n",
       &r);
  // Two channels declared: the values 1 and 2 are read, 3 is left over as a
  // token at the top level... which refuses the file.
  EXPECT_FALSE(r.ok);
  READ ok;
  Read("HIERARCHY\nROOT a\n{\nCHANNELS 3 Xscale Xposition Yposition\n}\nMOTION\nFrames: 1\nFrame Time: 0.5\n1 2\n", &ok);
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(ok.doc.root->channels.size(), 2u);
  EXPECT_EQ(ok.doc.root->frames[0].v[0], 1.0f);
  EXPECT_EQ(ok.doc.root->frames[0].v[1], 2.0f);
}

TEST(BvhReader, BoundsOnNamesDepthAndWidth) {
  READ longname;
  Read("HIERARCHY\nROOT " + std::string(5000, 'n') + "\n{\n}\n", &longname);
  ASSERT_TRUE(longname.ok);
  EXPECT_EQ(strlen(longname.doc.root->name), 255u);
  std::string deep = "HIERARCHY\nROOT r\n{\n";
  for (int i = 0; i < 300; ++i) deep += "JOINT j\n{\n";
  for (int i = 0; i < 300; ++i) deep += "}\n";
  deep += "}\n";
  READ d;
  Read(deep, &d);
  EXPECT_FALSE(d.ok);
  std::string flat = "HIERARCHY\nROOT r\n{\n";
  for (int i = 0; i < 20000; ++i) flat += "JOINT j\n{\nCHANNELS 1 Xrotation\n}\n";
  flat += "}\nMOTION\nFrames: 1\nFrame Time: 1\n";
  for (int i = 0; i < 20000; ++i) flat += "1 ";
  READ f;
  Read(flat, &f);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.doc.node_count, 20001);
  DL_MODEL m;
  ApplyBvh(&m, f.doc, BVH_SCALE);
  EXPECT_EQ(m.bone_count, 20001);
  // A huge frame count with no channels anywhere is no reason to fill memory.
  READ huge;
  Read("HIERARCHY\nROOT r\n{\n}\nMOTION\nFrames: 2000000000\nFrame Time: 1\n", &huge);
  EXPECT_TRUE(huge.ok);
  // Nor is a huge channel count: the names run out at the brace.
  READ channels;
  Read("HIERARCHY\nROOT r\n{\nCHANNELS 2147483647 Xrotation\n}\n", &channels);
  ASSERT_TRUE(channels.ok);
  EXPECT_EQ(channels.doc.root->channels.size(), 1u);
}

TEST(BvhImport, BonesFromJoints) {
  READ r;
  Read(kTwoJoints, &r);
  ASSERT_TRUE(r.ok);
  DL_MODEL m;
  DL_MOT* mot = ApplyBvh(&m, r.doc, BVH_SCALE);
  ASSERT_EQ(m.bone_count, 2);
  DL_BONE* hip = m.first_bone;
  DL_BONE* knee = hip->first_child;
  EXPECT_EQ(hip->pivot, VEC3(0, 450, 0));
  EXPECT_EQ(hip->target, VEC3(0, 500, 0));  // the average of the children's offsets
  EXPECT_EQ(knee->pivot, VEC3(0, 500, 0));
  EXPECT_EQ(knee->target, VEC3(0, 575, 0));  // its End Site
  EXPECT_FALSE(knee->HasFlag(BONE_CONNECT));
  ASSERT_NE(mot, nullptr);
  EXPECT_EQ(m.current_motion, mot);
  EXPECT_EQ(mot->end_frame, 2.0f);
  EXPECT_EQ(mot->start_frame, 0.0f);
  EXPECT_EQ(mot->rate, 1.0f / 0.0333333f);
  EXPECT_GT(mot->rate, 30.0f);
  DL_MOTBONE* t = hip->tracks.current;
  ASSERT_EQ(t->trs.KeyCount(), 2);
  EXPECT_EQ(t->trs.keys[1]->value.AsVec3(), VEC3(20, 25, 30));
  ASSERT_EQ(t->rot.KeyCount(), 2);
  // Frame 1 of the hip: Zrotation 0, Xrotation 0, Yrotation 90.
  MAT44 y;
  y.RotateZ(-(0 * 0.017453292f));
  y.RotateX(-(0 * 0.017453292f));
  y.RotateY(-(90 * 0.017453292f));
  EXPECT_EQ(t->rot.keys[1]->value.AsQuat(), y.ToQuat());
  EXPECT_EQ(knee->tracks.current->trs.KeyCount(), 0);  // no position channels
  EXPECT_EQ(t->scl.KeyCount(), 0);
}

TEST(BvhImport, TargetRulesAndExistingBones) {
  READ r;
  Read("HIERARCHY\nROOT lone\n{\n}\n", &r);
  DL_MODEL m;
  DL_BONE* old = m.NewBoneAsLastChild(nullptr);
  old->id = m.MakeBoneId();
  old->SetName("lone");
  EXPECT_EQ(ApplyBvh(&m, r.doc, BVH_SCALE), nullptr);  // no frames: no motion
  ASSERT_EQ(m.bone_count, 2);
  DL_BONE* lone = old->next;
  EXPECT_STREQ(lone->name, "lone");  // names may repeat
  EXPECT_NE(lone->id, old->id);
  EXPECT_EQ(lone->target, lone->pivot + VEC3(0, 0, 10));
  READ leaf;
  Read("HIERARCHY\nROOT a\n{\nJOINT b\n{\nOFFSET 0 0 2\n}\n}\n", &leaf);
  ApplyBvh(&m, leaf.doc, BVH_SCALE);
  DL_BONE* b = m.FindBoneByName("b");
  EXPECT_EQ(b->target - b->pivot, VEC3(0, 0, 1));  // a tenth of the way from its parent, onwards
  EXPECT_TRUE(TreeIsConsistent(m));
  EXPECT_EQ(TreeShape(m), "lone lone a .b");
}

// ---- the real captures, against an independent reading ----

bool Exists(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (f != nullptr) fclose(f);
  return f != nullptr;
}

// The test data beside the checkout, when it is there.
std::string DataDir() {
  std::string dir = std::string(RIGVANE_DATA_DIR) + "/bvh/";
  return Exists(dir + "dataset-2_walk_active_005.bvh") ? dir : std::string();
}

// A second BVH reader, independent of the first: double precision, column
// vectors, global positions by forward kinematics.
struct REF_JOINT {
  int parent;
  double offset[3] = {0, 0, 0};
  std::vector<std::string> channels;
  bool end_site = false;
  double end[3] = {0, 0, 0};
};

struct REF_BVH {
  std::vector<REF_JOINT> joints;
  std::vector<std::vector<double>> frames;
};

bool ReadReference(const std::string& path, REF_BVH* out) {
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  std::string text;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  std::vector<std::string> tok;
  std::string cur;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (!cur.empty()) tok.push_back(cur), cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) tok.push_back(cur);
  size_t i = 0;
  std::vector<int> stack;
  bool in_end = false;
  while (i < tok.size() && tok[i] != "MOTION") {
    const std::string& t = tok[i++];
    if (t == "ROOT" || t == "JOINT") {
      REF_JOINT j;
      j.parent = stack.empty() ? -1 : stack.back();
      out->joints.push_back(j);
      ++i;  // name
    } else if (t == "End") {
      ++i;
      in_end = true;
    } else if (t == "{") {
      if (!in_end) stack.push_back(static_cast<int>(out->joints.size()) - 1);
    } else if (t == "}") {
      if (in_end) in_end = false;
      else stack.pop_back();
    } else if (t == "OFFSET") {
      double* o = in_end ? out->joints.back().end : out->joints.back().offset;
      for (int k = 0; k < 3; ++k) o[k] = atof(tok[i++].c_str());
      if (in_end) out->joints.back().end_site = true;
    } else if (t == "CHANNELS") {
      int count = atoi(tok[i++].c_str());
      for (int k = 0; k < count; ++k) out->joints.back().channels.push_back(tok[i++]);
    }
  }
  i += 2;  // MOTION Frames:
  int frames = atoi(tok[i++].c_str());
  i += 3;  // Frame Time: t
  size_t per = 0;
  for (const REF_JOINT& j : out->joints) per += j.channels.size();
  for (int f2 = 0; f2 < frames && i + per <= tok.size(); ++f2) {
    std::vector<double> v;
    for (size_t k = 0; k < per; ++k) v.push_back(atof(tok[i++].c_str()));
    out->frames.push_back(v);
  }
  return true;
}

typedef double M3[3][3];

void Rot(char axis, double deg, M3 out) {
  double a = deg * 3.14159265358979323846 / 180, c = cos(a), s = sin(a);
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  int i = axis == 'X' ? 1 : 0, j = axis == 'Z' ? 1 : 2;
  if (axis == 'Y') i = 2, j = 0;
  m[i][i] = c, m[i][j] = -s, m[j][i] = s, m[j][j] = c;
  memcpy(out, m, sizeof m);
}

void Mul(const M3 a, const M3 b, M3 out) {
  M3 r;
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y) r[x][y] = a[x][0] * b[0][y] + a[x][1] * b[1][y] + a[x][2] * b[2][y];
  memcpy(out, r, sizeof r);
}

TEST(BvhImport, RealCapturesAgreeWithAnIndependentReader) {
  std::string dir = DataDir();
  if (dir.empty()) GTEST_SKIP() << "../shared/data is not here";
  const char* files[] = {"dataset-1_kick_normal_001.bvh", "dataset-2_walk_active_005.bvh",
                         "dataset-1_dance-short_normal_001.bvh"};
  for (const char* file : files) {
    std::string path = dir + file;
    REF_BVH ref;
    ASSERT_TRUE(ReadReference(path, &ref)) << file;
    DL_MODEL m;
    ASSERT_TRUE(ImportBvhFile(&m, path.c_str(), UMESS())) << file;
    ASSERT_EQ(m.bone_count, 22) << file;
    ASSERT_EQ(ref.joints.size(), 22u);
    std::vector<DL_BONE*> bones;
    for (DL_BONE* b = m.first_bone; b != nullptr; b = b->NextInPreorder()) bones.push_back(b);
    // Rest pivots: the scaled sums of the offsets.
    std::vector<std::array<double, 3>> rest(22);
    for (size_t j = 0; j < 22; ++j) {
      for (int k = 0; k < 3; ++k) {
        rest[j][k] = 5 * ref.joints[j].offset[k] + (ref.joints[j].parent >= 0 ? rest[ref.joints[j].parent][k] : 0);
        EXPECT_NEAR(bones[j]->pivot.x * (k == 0) + bones[j]->pivot.y * (k == 1) + bones[j]->pivot.z * (k == 2),
                    rest[j][k], 1e-3)
            << file << " joint " << j;
      }
    }
    // Posed pivots at a few frames: forward kinematics in column vectors.
    for (size_t frame : {size_t(0), ref.frames.size() / 2, ref.frames.size() - 1}) {
      m.current_motion->SetCurrentFrame(static_cast<float>(frame));
      m.FullPoseUpdate();
      std::vector<std::array<double, 3>> world(22);
      std::vector<std::array<double, 9>> orient(22);
      size_t at = 0;
      for (size_t j = 0; j < 22; ++j) {
        double local_pos[3] = {ref.joints[j].offset[0], ref.joints[j].offset[1], ref.joints[j].offset[2]};
        M3 r = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (const std::string& ch : ref.joints[j].channels) {
          double v = ref.frames[frame][at++];
          if (ch[1] == 'p') local_pos[ch[0] - 'X'] = ref.joints[j].offset[ch[0] - 'X'] + v;
          else {
            M3 a;
            Rot(ch[0], v, a);
            Mul(r, a, r);
          }
        }
        int p = ref.joints[j].parent;
        M3 parent_r = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        double parent_w[3] = {0, 0, 0};
        if (p >= 0) {
          memcpy(parent_r, orient[p].data(), sizeof parent_r);
          for (int k = 0; k < 3; ++k) parent_w[k] = world[p][k];
        }
        for (int k = 0; k < 3; ++k)
          world[j][k] = parent_w[k] + 5 * (parent_r[k][0] * local_pos[0] + parent_r[k][1] * local_pos[1] +
                                           parent_r[k][2] * local_pos[2]);
        M3 o;
        Mul(parent_r, r, o);
        memcpy(orient[j].data(), o, sizeof o);
        VEC3 posed = bones[j]->PosedPivot();
        EXPECT_NEAR(posed.x, world[j][0], 0.05) << file << " frame " << frame << " joint " << j;
        EXPECT_NEAR(posed.y, world[j][1], 0.05) << file << " frame " << frame << " joint " << j;
        EXPECT_NEAR(posed.z, world[j][2], 0.05) << file << " frame " << frame << " joint " << j;
      }
    }
  }
}

}  // namespace
