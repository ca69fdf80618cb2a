#include "anim/keytable.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "anim/channel.h"
#include "anim/key_commands.h"
#include "anim/motion.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

std::vector<float> EntryFrames(const DL_KEYTABLE& t) {
  std::vector<float> f;
  for (const DL_KEYFRAME* e : t.key_frames) f.push_back(e->frame);
  return f;
}

// Every key of every listed channel sits in exactly one entry that lists it.
::testing::AssertionResult TableIsConsistent(const DL_KEYTABLE& t) {
  size_t listed = 0;
  for (const DL_KEYFRAME* e : t.key_frames) {
    if (e->keys.empty()) return ::testing::AssertionFailure() << "empty entry at " << e->frame;
    for (const DL_KEY* k : e->keys) {
      if (k->key_frame != e) return ::testing::AssertionFailure() << "key does not point back";
      if (truncf(k->frame) != truncf(e->frame)) return ::testing::AssertionFailure() << "key on another frame";
    }
    listed += e->keys.size();
  }
  size_t keys = 0;
  for (const DL_CHANNEL* c = t.first_channel; c != nullptr; c = c->next)
    for (const DL_KEY* k : c->keys) {
      if (k->key_frame == nullptr) return ::testing::AssertionFailure() << "unlisted key at " << k->frame;
      ++keys;
    }
  if (keys != listed) return ::testing::AssertionFailure() << keys << " keys, " << listed << " listed";
  return ::testing::AssertionSuccess();
}

struct TABLE {
  DL_KEYTABLE table;
  std::vector<std::unique_ptr<DL_CHANNEL>> channels;
  DL_CHANNEL* Add() {
    channels.emplace_back(new DL_CHANNEL(DL_VALUE::Float(0)));
    table.RegisterChannel(channels.back().get());
    return channels.back().get();
  }
};

TEST(KeyTable, EntriesGatherKeysByIntegerFrameAndStaySorted) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  DL_CHANNEL* b = t.Add();
  a->SetKey(10.0f, DL_VALUE::Float(1));
  b->SetKey(10.5f, DL_VALUE::Float(2));
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{10.0f}));  // shared, the first registered
  EXPECT_EQ(t.table.key_frames[0]->keys.size(), 2u);
  a->SetKey(12, DL_VALUE::Float(1));
  a->SetKey(3, DL_VALUE::Float(1));
  b->SetKey(-2.5f, DL_VALUE::Float(1));
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{-2.5f, 3, 10, 12}));
  EXPECT_TRUE(TableIsConsistent(t.table));
  // Deleting the only key of an entry removes the entry.
  a->keys[0]->SetSelected(true);  // frame 3
  EXPECT_TRUE(t.table.DeleteSelectedKeys());
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{-2.5f, 10, 12}));
  EXPECT_TRUE(TableIsConsistent(t.table));
  // Unregistering joins the neighbours.
  t.table.UnregisterChannel(a);
  EXPECT_EQ(t.table.first_channel, b);
  EXPECT_EQ(b->prev, nullptr);
}

TEST(KeyTable, RegisteringASelectedKeySelectsTheWholeEntry) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  DL_CHANNEL* b = t.Add();
  a->SetKey(5, DL_VALUE::Float(1));
  b->SetKey(5, DL_VALUE::Float(1));
  b->keys[0]->SetSelected(true);
  t.table.Rebuild();
  EXPECT_EQ(t.table.key_frames[0]->selected, 1);
  EXPECT_TRUE(a->keys[0]->IsSelected());
}

TEST(KeyTable, RebuildListsOnlyUsedChannelsAndKeepsTheCursorFrame) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  DL_CHANNEL* unused = t.Add();
  a->SetKey(1, DL_VALUE::Float(1));
  a->SetKey(2, DL_VALUE::Float(1));
  unused->SetKey(7, DL_VALUE::Float(1));
  unused->flags &= ~CHANNEL_USE;
  t.table.current_key_frame = t.table.Entry(1);
  t.table.Rebuild();
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{1, 2}));
  ASSERT_NE(t.table.current_key_frame, nullptr);
  EXPECT_EQ(t.table.current_key_frame, t.table.Entry(1));
  a->keys[1]->SetSelected(true);
  t.table.DeleteSelectedKeys();
  EXPECT_EQ(t.table.current_key_frame, nullptr);  // its frame is gone
}

TEST(KeyTable, SelectionForms) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  for (float f : {5.0f, 10.7f, 15.0f, 20.0f, 20.9f, 25.0f}) a->SetKey(f, DL_VALUE::Float(f));
  // 20.9 replaces the value of the key at 20: entries 5, 10.7, 15, 20, 25.
  struct RANGE_CASE {
    float a, b;
    std::vector<int> selected;
  };
  const RANGE_CASE cases[] = {
      {20, 10.7f, {1, 2, 3}},   // from 10.7 up to 20
      {10.7f, 20, {1, 2, 3}},
      {20.9f, 10, {1, 2, 3}},   // upper end truncated to 20
      {21, 24, {}},
      {-5, 5, {0}},
  };
  for (const RANGE_CASE& c : cases) {
    t.table.DeselectAll();
    t.table.SelectFrameRange(c.a, c.b);
    std::vector<int> got;
    for (int i = 0; i < t.table.EntryCount(); ++i)
      if (t.table.Entry(i)->selected) got.push_back(i);
    EXPECT_EQ(got, c.selected) << c.a << " " << c.b;
  }
  t.table.DeselectAll();
  t.table.SelectIndexRange(3, 1);
  EXPECT_EQ(a->SelectedKeyCount(), 3);  // entries 1..3
  t.table.SelectIndexRange(-1, 4);
  EXPECT_EQ(a->SelectedKeyCount(), 3);
  t.table.InvertSelection();
  EXPECT_EQ(a->SelectedKeyCount(), 2);
  EXPECT_FALSE(a->keys[1]->IsSelected());
  t.table.SelectAll();
  EXPECT_EQ(a->SelectedKeyCount(), 5);
  EXPECT_EQ(t.table.FirstIndexAtOrAfter(11), 2);
  EXPECT_EQ(t.table.FirstIndexAtOrAfter(99), 5);
  EXPECT_EQ(t.table.IndexOf(t.table.Entry(3)), 3);
  DL_KEYTABLE empty;
  EXPECT_EQ(empty.FirstIndexAtOrAfter(0), -1);
}

TEST(KeyTable, DraggingPastUnselectedEntriesThenFinishing) {
  DL_MODEL model;
  DL_BONE* bone = model.NewBoneAsLastChild(nullptr);
  DL_MOT* m = model.NewNamedMotion();
  DL_CHANNEL& rot = bone->tracks.current->rot;
  DL_CHANNEL& trs = bone->tracks.current->trs;
  rot.SetKey(10, DL_VALUE::Quat(QUAT(1, 0, 0, 0)));
  rot.SetKey(20, DL_VALUE::Quat(QUAT(0, 1, 0, 0)));
  trs.SetKey(30, DL_VALUE::Vec3(VEC3(3, 0, 0)));
  DL_KEYTABLE& table = m->key_table;
  table.SelectEntry(table.Entry(0), true);  // frame 10
  table.current_key_frame = table.Entry(0);
  table.MoveSelected(6);
  table.MoveSelected(4.5f);  // 20.5: onto the unselected key at 20
  EXPECT_EQ(EntryFrames(table), (std::vector<float>{20.5f, 20, 30}));  // not re-sorted during the drag
  EXPECT_EQ(rot.keys[0]->frame, 20.0f);  // keys are re-sorted within the channel
  EXPECT_EQ(rot.keys[1]->frame, 20.5f);
  ASSERT_TRUE(FinishKeyDrag(&model));
  EXPECT_EQ(EntryFrames(table), (std::vector<float>{20, 30}));
  ASSERT_EQ(rot.KeyCount(), 1);  // one key per integer frame: the earlier in the channel
  EXPECT_EQ(rot.keys[0]->value, DL_VALUE::Quat(QUAT(0, 1, 0, 0)));
  EXPECT_EQ(table.current_key_frame, table.Entry(0));  // re-pointed to frame 20
  EXPECT_TRUE(TableIsConsistent(table));
  // Range selection sees a sorted table again.
  table.DeselectAll();
  table.SelectFrameRange(25, 35);
  EXPECT_EQ(trs.SelectedKeyCount(), 1);
}

TEST(KeyTable, ScaleAboutACentre) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  for (float f : {10.0f, 20.0f, 30.0f}) a->SetKey(f, DL_VALUE::Float(f));
  t.table.SelectAll();
  t.table.ScaleSelected(10, 0.5f);
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{10, 15, 20}));
  EXPECT_EQ(a->keys[2]->frame, 20.0f);
  // Keys created while the list may be out of order still land in order.
  t.table.ScaleSelected(20, -1);  // 30, 25, 20: descending
  a->SetKey(22, DL_VALUE::Float(1));
  EXPECT_TRUE(TableIsConsistent(t.table));
  t.table.Rebuild();
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{20, 22, 25, 30}));
}

TEST(KeyTable, KeyFrameChangeReregistersAndDestroyedKeysLeave) {
  TABLE t;
  DL_CHANNEL* a = t.Add();
  a->SetKey(1, DL_VALUE::Float(1));
  a->SetKey(2, DL_VALUE::Float(2));
  a->keys[0]->SetFrame(1.9f);  // same integer frame: stays
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{1, 2}));
  a->keys[0]->SetFrame(5);
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{2, 5}));
  t.table.current_key_frame = t.table.Entry(1);
  DL_KEY* k = a->keys[0];
  a->keys.erase(a->keys.begin());
  delete k;
  EXPECT_EQ(EntryFrames(t.table), (std::vector<float>{2}));
  EXPECT_EQ(t.table.current_key_frame, nullptr);
  EXPECT_TRUE(TableIsConsistent(t.table));
}

}  // namespace
