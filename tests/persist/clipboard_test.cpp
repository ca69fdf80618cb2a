#include "model/clipboard.h"

#include <gtest/gtest.h>

#include <string>


#include "../mesh/mesh_fixture.h"
#include "../model/tree_check.h"
#include "anim/key_commands.h"
#include "model/bone_edit.h"
#include "persist/records.h"
#include "ui/clipboard.h"

namespace {

std::string Hex(const std::vector<uint8_t>& b) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (uint8_t c : b) {
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

DL_BONE* Named(DL_MODEL& m, DL_BONE* parent, const char* name, int32_t id) {
  DL_BONE* b = m.NewBoneAsLastChild(parent);
  b->id = id;
  b->SetName(name);
  b->pivot = VEC3(static_cast<float>(id), 0, 0);
  b->target = VEC3(static_cast<float>(id), 1, 0);
  b->SetDefaultRoll();
  return b;
}

// Offsets of the two bytes after each record of bones written with no
// motions and one-letter names: 62 bytes of fields per record.
std::vector<int> WalkBytes(const std::vector<uint8_t>& b, size_t start, int records) {
  std::vector<int> out;
  for (int i = 0; i < records; ++i) {
    size_t at = start + 62 * static_cast<size_t>(i + 1) + 2 * static_cast<size_t>(i);
    out.push_back(b[at]);
    out.push_back(b[at + 1]);
  }
  return out;
}

TEST(BoneRecords, TheTreeIsWrittenInPreorderWithItsTwoBytes) {
  DL_MODEL m;
  DL_BONE* a = Named(m, nullptr, "A", 1);
  Named(m, a, "B", 2);
  Named(m, nullptr, "C", 3);
  DL_STREAM s;
  s.CreateMemory(64);
  ASSERT_TRUE(WriteAllBones(s, &m));
  std::vector<uint8_t> b(s.Data(), s.Data() + s.DataLength());
  ASSERT_EQ(b.size(), 3u * 64);
  EXPECT_EQ(WalkBytes(b, 0, 3), (std::vector<int>{1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(b[8], 'A');
  EXPECT_EQ(b[64 + 8], 'B');
  EXPECT_EQ(b[128 + 8], 'C');
}

struct SELECTED_CASE {
  const char* what;
  std::vector<const char*> selected;
  std::vector<int> bytes;
  const char* pasted;  // the tree under P after pasting
};

TEST(BoneRecords, TheSelectedBonesFormTheirOwnTree) {
  const SELECTED_CASE cases[] = {
      {"a grandchild under an unselected bone", {"A", "C"}, {1, 0, 0, 0}, "P .A ..C"},
      {"two top-level branches", {"A", "D"}, {0, 1, 0, 0}, "P .A .D"},
      {"a child and a later sibling", {"A", "X", "D"}, {1, 1, 0, 0, 0, 0}, "P .A ..X .D"},
  };
  for (const SELECTED_CASE& t : cases) {
    DL_MODEL m;
    DL_BONE* a = Named(m, nullptr, "A", 1);
    DL_BONE* x = Named(m, a, "X", 2);
    Named(m, x, "C", 3);
    Named(m, nullptr, "D", 4);
    for (const char* n : t.selected) m.FindBoneByName(n)->SetFlag(BONE_SELECTED, true);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(WriteBoneClipboard(&m, &bytes)) << t.what;
    EXPECT_EQ(bytes[0], t.selected.size()) << t.what;
    EXPECT_EQ(WalkBytes(bytes, 4, static_cast<int>(t.selected.size())), t.bytes) << t.what;
    DL_MODEL target;
    DL_BONE* p = Named(target, nullptr, "P", 1);
    ASSERT_TRUE(ReadBoneClipboard(&target, bytes.data(), bytes.size(), p, false)) << t.what;
    EXPECT_EQ(TreeShape(target), t.pasted) << t.what;
    EXPECT_TRUE(TreeIsConsistent(target)) << t.what;
  }
}

TEST(BoneRecords, PasteMakesIdentifiersAndNamesUnique) {
  DL_MODEL m;
  m.NewNamedMotion();
  DL_BONE* a = Named(m, nullptr, "N", 1);
  DL_BONE* b = Named(m, a, "B", 2);
  Named(m, nullptr, "N_copy1", 3);
  a->SetFlag(BONE_SELECTED, true);
  b->SetFlag(BONE_SELECTED, true);
  a->tracks.current->rot.SetKey(2, DL_VALUE::Quat(QUAT(0.1f, 0.2f, 0.3f, 0.9f).Normalized()));
  a->tracks.current->trs.SetKey(2, DL_VALUE::Vec3(VEC3(4, 5, 6)));
  a->tracks.current->scl.SetKey(2, DL_VALUE::Vec3(VEC3(2, 2, 2)));
  a->pivot = VEC3(1, 2, 3);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteBoneClipboard(&m, &bytes));
  DL_BONE* p = Named(m, nullptr, "P", 9);
  ASSERT_TRUE(ReadBoneClipboard(&m, bytes.data(), bytes.size(), p, true));
  DL_BONE* pasted = p->first_child;
  ASSERT_NE(pasted, nullptr);
  EXPECT_STREQ(pasted->name, "N_copy2");
  EXPECT_STREQ(pasted->first_child->name, "B_copy1");
  EXPECT_NE(pasted->id, 1);
  EXPECT_NE(pasted->first_child->id, 2);
  EXPECT_EQ(pasted->pivot, VEC3(-1, 2, 3));  // mirrored
  EXPECT_TRUE(pasted->HasFlag(BONE_SELECTED));  // the flags travel
  QUAT q = pasted->tracks.current->rot.keys[0]->value.AsQuat();
  QUAT o = QUAT(0.1f, 0.2f, 0.3f, 0.9f).Normalized();
  EXPECT_NEAR(q.x, o.x, 1e-6f);
  EXPECT_NEAR(q.y, -o.y, 1e-6f);
  EXPECT_NEAR(q.z, -o.z, 1e-6f);
  EXPECT_EQ(pasted->tracks.current->trs.keys[0]->value.AsVec3(), VEC3(-4, 5, 6));
  EXPECT_EQ(pasted->tracks.current->scl.keys[0]->value.AsVec3(), VEC3(2, 2, 2));
  EXPECT_TRUE(TreeIsConsistent(m));
  // A plain paste changes no key.
  ASSERT_TRUE(ReadBoneClipboard(&m, bytes.data(), bytes.size(), nullptr, false));
  DL_BONE* plain = m.first_bone->LastSibling();
  EXPECT_EQ(plain->tracks.current->trs.keys[0]->value.AsVec3(), VEC3(4, 5, 6));
  EXPECT_EQ(plain->pivot, VEC3(1, 2, 3));
}

TEST(BoneRecords, LongNamesStayWithinTheirFieldWhenCopied) {
  DL_MODEL m;
  std::string name;
  for (int i = 0; i < 127; ++i) name += "\x88\x9F";  // 254 bytes of double-byte text
  DL_BONE* a = Named(m, nullptr, name.c_str(), 1);
  a->SetFlag(BONE_SELECTED, true);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteBoneClipboard(&m, &bytes));
  ASSERT_TRUE(ReadBoneClipboard(&m, bytes.data(), bytes.size(), nullptr, false));
  const char* copy = m.first_bone->next->name;
  size_t len = strlen(copy);
  EXPECT_LE(len, 255u);
  EXPECT_EQ(std::string(copy + len - 6), "_copy1");
  EXPECT_EQ((len - 6) % 2, 0u);  // the base was cut between characters
}

TEST(BoneRecords, DataFromAnotherDocumentAndDamagedData) {
  DL_MODEL source;
  for (int i = 0; i < 3; ++i) source.NewNamedMotion();
  DL_BONE* a = Named(source, nullptr, "A", 1);
  a->SetFlag(BONE_SELECTED, true);
  a->tracks.tracks[2]->rot.SetKey(1, DL_VALUE::Quat(QUAT::Identity()));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteBoneClipboard(&source, &bytes));
  DL_MODEL target;
  target.NewNamedMotion();  // fewer motions: the surplus tracks are skipped
  std::vector<uint8_t> padded = bytes;
  padded.resize(bytes.size() + 13, 0);
  ASSERT_TRUE(ReadBoneClipboard(&target, padded.data(), padded.size(), nullptr, false));
  EXPECT_EQ(target.bone_count, 1);
  // Every shorter prefix is refused and changes nothing.
  for (size_t n = 0; n < bytes.size(); n += 7) {
    EXPECT_FALSE(ReadBoneClipboard(&target, bytes.data(), n, nullptr, false)) << n;
    EXPECT_EQ(target.bone_count, 1) << n;
  }
}

class ClipboardTest : public MeshTest {};

TEST_F(ClipboardTest, KeysPasteShiftedToTheCurrentFrame) {
  DL_MOT* mot = model->NewNamedMotion();
  DL_BONE* b = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  DL_CHANNEL& rot = b->tracks.current->rot;
  rot.SetKey(10, DL_VALUE::Quat(QUAT(1, 0, 0, 0)));
  rot.SetKey(14, DL_VALUE::Quat(QUAT(0, 1, 0, 0)));
  rot.SetKey(20, DL_VALUE::Quat(QUAT(0, 0, 1, 0)));
  mot->key_table.SelectFrameRange(10, 14);
  ASSERT_TRUE(CopyKeys(model));
  ASSERT_TRUE(PasteKeys(model, 30));
  std::vector<float> frames;
  for (const DL_KEY* k : rot.keys) frames.push_back(k->frame);
  EXPECT_EQ(frames, (std::vector<float>{10, 14, 20, 30, 34}));
  EXPECT_EQ(rot.keys[3]->value.AsQuat(), QUAT(1, 0, 0, 0));
  EXPECT_EQ(mot->key_table.EntryCount(), 5);
  // Onto an existing key's integer frame: its value is replaced.
  ASSERT_TRUE(PasteKeys(model, 20.5f));
  EXPECT_EQ(rot.keys[2]->frame, 20.0f);
  EXPECT_EQ(rot.keys[2]->value.AsQuat(), QUAT(1, 0, 0, 0));
  EXPECT_EQ(rot.KeyCount(), 6);
  ASSERT_TRUE(CutKeys(model));  // the copied keys are still the selected ones
  EXPECT_EQ(rot.KeyCount(), 4);
}

TEST_F(ClipboardTest, KeysGoToRecordsWithTheSameIdentitiesOnly) {
  RH_OBJECT* host = AddGrid("g", 2);
  model->NewNamedMotion();
  model->Synchronize();
  DL_OBJ* obj = model->objects[0];
  DL_MORPH* t1 = obj->NewMorph();
  obj->NewMorph();
  t1->tracks.current->weight.SetKey(3, DL_VALUE::Float(0.5f));
  obj->morphs[1]->tracks.current->weight.SetKey(3, DL_VALUE::Float(0.25f));
  obj->tracks.current->visibility.SetKey(3, DL_VALUE::Step(0));
  DL_BONE* b = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  b->tracks.current->trs.SetKey(3, DL_VALUE::Vec3(VEC3(1, 1, 1)));
  SelectAllKeys(model);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteKeyClipboard(model, &bytes));

  // Another document's model: the bone has another identifier and the
  // object only one target.
  DL_MODEL other;
  other.document = model->document;
  other.controller = &plugin;
  other.NewNamedMotion();
  other.Synchronize();
  DL_OBJ* o2 = other.objects[0];
  EXPECT_EQ(o2->object_uid, host->identity);
  o2->NewMorph();
  DL_BONE* b2 = other.NewBoneAsLastChild(nullptr);
  b2->id = b->id + 100;
  ASSERT_TRUE(ReadKeyClipboard(&other, bytes.data(), bytes.size(), 7));
  ASSERT_EQ(o2->morphs[0]->tracks.current->weight.KeyCount(), 1);
  EXPECT_EQ(o2->morphs[0]->tracks.current->weight.keys[0]->frame, 7.0f);
  EXPECT_EQ(o2->morphs[0]->tracks.current->weight.keys[0]->value.AsFloat(), 0.5f);
  ASSERT_EQ(o2->tracks.current->visibility.KeyCount(), 1);  // the last channel is the object's
  EXPECT_EQ(o2->tracks.current->visibility.keys[0]->value, DL_VALUE::Step(0));
  EXPECT_EQ(b2->tracks.current->trs.KeyCount(), 0);
  // Cut short: nothing at all is pasted.
  DL_MODEL third;
  third.document = model->document;
  third.controller = &plugin;
  third.NewNamedMotion();
  third.Synchronize();
  EXPECT_FALSE(ReadKeyClipboard(&third, bytes.data(), bytes.size() - 30, 7));
  EXPECT_EQ(third.objects[0]->tracks.current->visibility.KeyCount(), 0);
}

TEST_F(ClipboardTest, NothingSelectedCopiesAnEmptyRange) {
  model->NewNamedMotion();
  AddBone(nullptr, VEC3(), VEC3(0, 1, 0))->tracks.current->rot.SetKey(1, DL_VALUE::Quat(QUAT::Identity()));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteKeyClipboard(model, &bytes));
  float lo, hi;
  memcpy(&lo, bytes.data(), 4);
  memcpy(&hi, bytes.data() + 4, 4);
  EXPECT_EQ(lo, 3.4028235e38f);
  EXPECT_EQ(hi, 1.1754944e-38f);
  int before = model->current_motion->key_table.EntryCount();
  ASSERT_TRUE(ReadKeyClipboard(model, bytes.data(), bytes.size(), 5));
  EXPECT_EQ(model->current_motion->key_table.EntryCount(), before);
}

TEST_F(ClipboardTest, BoneCommandsThroughTheClipboard) {
  model->NewNamedMotion();
  DL_BONE* a = AddBone(nullptr, VEC3(), VEC3(0, 1, 0));
  a->SetName("arm");
  EXPECT_FALSE(CopyBones(model));  // nothing selected
  a->SetFlag(BONE_SELECTED, true);
  model->SetFlag(MODEL_MOTION, true);
  EXPECT_FALSE(CopyBones(model));
  EXPECT_FALSE(PasteBones(model, false));
  model->SetFlag(MODEL_MOTION, false);
  ASSERT_TRUE(CutBones(model));
  EXPECT_EQ(model->bone_count, 0);
  ASSERT_TRUE(PasteBones(model, false));
  ASSERT_EQ(model->bone_count, 1);
  EXPECT_STREQ(model->first_bone->name, "arm");
  model->current_bone = model->first_bone;
  ASSERT_TRUE(PasteBones(model, true));
  EXPECT_STREQ(model->first_bone->first_child->name, "arm_copy1");
}

// Golden bytes: other running instances read exactly these. Bones: the
// count, then A (id 1, selected, name, points, attach range, no mirror, one
// motion bone with empty channels), bytes 1 0, then B (mirror 1, one
// rotation key at frame 2), bytes 0 0. Keys: lowest and highest frame, then
// one chunk per bone (tag 4098) with the selected keys only.
const char* const GOLDEN_BONES =
    "020000000100000088187c0141000000803f00000000000000000000803f0000803f000000003333333f000000000000"
    "0000cdcc4c3ecdcc4c3f000000000100000001000000070000000000000000000000000000000000803f000000000100"
    "000005000000000000000000000000000000000000000000000001000000050000000000803f0000803f0000803f0000"
    "00000000000001000200000088187c014200000000400000000000000000000000400000803f000000009a99d93f0000"
    "000000000000cdcc4c3ecdcc4c3f010000000100000001000000070000000000000000000000000000000000803f0100"
    "0000000000000000004000000000070000000000000000000000000000000000803f0100000005000000000000000000"
    "000000000000000000000000000001000000050000000000803f0000803f0000803f00000000000000000000";
const char* const GOLDEN_KEYS =
    "000000400000004002100000600000000100000001000000070000000000000000000000000000000000803f00000000"
    "0100000005000000000000000000000000000000000000000000000001000000050000000000803f0000803f0000803f"
    "000000000000000002100000800000000200000001000000070000000000000000000000000000000000803f01000000"
    "010000000000004000000000070000000000000000000000000000000000803f01000000050000000000000000000000"
    "00000000000000000000000001000000050000000000803f0000803f0000803f0000000000000000";

TEST(ClipboardBytes, GoldenBoneAndKeyFormats) {
  DL_MODEL m;
  DL_MOT* mot = m.NewNamedMotion();
  DL_BONE* a = Named(m, nullptr, "A", 1);
  DL_BONE* b = Named(m, a, "B", 2);
  a->SetFlag(BONE_SELECTED, true);
  b->SetFlag(BONE_SELECTED, true);
  b->mirror.Set(a);
  b->tracks.current->rot.SetKey(2, DL_VALUE::Quat(QUAT(0, 0, 0, 1)));
  std::vector<uint8_t> bones;
  ASSERT_TRUE(WriteBoneClipboard(&m, &bones));
  EXPECT_EQ(Hex(bones), GOLDEN_BONES);
  mot->key_table.SelectAll();
  std::vector<uint8_t> keys;
  ASSERT_TRUE(WriteKeyClipboard(&m, &keys));
  EXPECT_EQ(Hex(keys), GOLDEN_KEYS);
}

}  // namespace
