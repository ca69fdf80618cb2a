#include "anim/channel.h"

#include <gtest/gtest.h>

#include <vector>

#include "anim/keytable.h"

namespace {

std::vector<float> Frames(const DL_CHANNEL& c) {
  std::vector<float> f;
  for (const DL_KEY* k : c.keys) f.push_back(k->frame);
  return f;
}

TEST(Channel, SetKeyReplacesOnTheSameIntegerFrameAndInsertsInOrder) {
  DL_CHANNEL c(DL_VALUE::Float(0));
  EXPECT_TRUE(c.SetKey(10.2f, DL_VALUE::Float(1)));
  EXPECT_FALSE(c.SetKey(10.7f, DL_VALUE::Float(2)));  // replaces, frame stays 10.2
  ASSERT_EQ(c.KeyCount(), 1);
  EXPECT_EQ(c.keys[0]->frame, 10.2f);
  EXPECT_EQ(c.keys[0]->value, DL_VALUE::Float(2));
  c.SetKey(0, DL_VALUE::Float(0));
  c.SetKey(5, DL_VALUE::Float(5));
  c.SetKey(-3.5f, DL_VALUE::Float(-3));
  c.SetKey(30, DL_VALUE::Float(30));
  EXPECT_EQ(Frames(c), (std::vector<float>{-3.5f, 0, 5, 10.2f, 30}));
  // -0.5 truncates to 0 like 0 itself: the same key frame.
  EXPECT_FALSE(c.SetKey(-0.5f, DL_VALUE::Float(9)));
  EXPECT_EQ(c.keys[1]->value, DL_VALUE::Float(9));
  EXPECT_EQ(c.FindKey(5.99f), 2);
  EXPECT_EQ(c.FindKey(6), -1);
  EXPECT_EQ(c.Key(5), nullptr);
  EXPECT_EQ(c.Key(-1), nullptr);
  for (const DL_KEY* k : c.keys) EXPECT_EQ(k->channel, &c);
}

TEST(Channel, FramesThatAreNotFiniteAreRefused) {
  DL_CHANNEL c(DL_VALUE::Float(0));
  EXPECT_FALSE(c.SetKey(NAN, DL_VALUE::Float(1)));
  EXPECT_FALSE(c.SetKey(INFINITY, DL_VALUE::Float(1)));
  EXPECT_FALSE(c.SetKey(-INFINITY, DL_VALUE::Float(1)));
  EXPECT_EQ(c.KeyCount(), 0);
  // Frames beyond the int range are compared without overflow.
  EXPECT_TRUE(c.SetKey(3.0e10f, DL_VALUE::Float(1)));
  EXPECT_TRUE(c.SetKey(-3.0e10f, DL_VALUE::Float(1)));
  EXPECT_FALSE(c.SetKey(3.0e10f, DL_VALUE::Float(2)));
  EXPECT_EQ(c.KeyCount(), 2);
}

TEST(Channel, InsertionIndexBisects) {
  DL_CHANNEL c(DL_VALUE::Float(0));
  EXPECT_EQ(c.InsertionIndex(3), 0);
  for (float f : {0.0f, 10.0f, 20.0f, 30.0f}) c.SetKey(f, DL_VALUE::Float(f));
  EXPECT_EQ(c.InsertionIndex(-1), 0);
  EXPECT_EQ(c.InsertionIndex(5), 1);
  EXPECT_EQ(c.InsertionIndex(10), 2);
  EXPECT_EQ(c.InsertionIndex(25), 3);
  EXPECT_EQ(c.InsertionIndex(30), 3);  // not past the last: bisection answers hi
  EXPECT_EQ(c.InsertionIndex(31), 4);
}

TEST(Channel, ResortSortAndDuplicateRemoval) {
  DL_CHANNEL c(DL_VALUE::Float(0));
  for (float f : {0.0f, 10.0f, 20.0f, 30.0f}) c.SetKey(f, DL_VALUE::Float(f));
  DL_KEY* moved = c.keys[0];
  moved->frame = 25;
  c.Resort(moved);
  EXPECT_EQ(Frames(c), (std::vector<float>{10, 20, 25, 30}));
  // Two keys dragged onto one integer frame: the earlier in the channel stays.
  c.keys[2]->frame = 20.5f;
  c.RemoveDuplicateFrames();
  EXPECT_EQ(Frames(c), (std::vector<float>{10, 20, 30}));
  EXPECT_EQ(c.keys[1]->value, DL_VALUE::Float(20));

  // Unsorted keys with equal frames end as the exchange sort leaves them,
  // which is not what a stable sort would give.
  DL_CHANNEL t(DL_VALUE::Float(0));
  for (float f : {0.0f, 1.0f, 2.0f}) t.SetKey(f, DL_VALUE::Float(f));
  t.keys[0]->frame = 2;
  t.keys[1]->frame = 2;
  t.keys[2]->frame = 1;  // values 0, 1, 2 at frames 2, 2, 1
  t.Sort();
  EXPECT_EQ(Frames(t), (std::vector<float>{1, 2, 2}));
  EXPECT_EQ(t.keys[0]->value, DL_VALUE::Float(2));
  EXPECT_EQ(t.keys[1]->value, DL_VALUE::Float(1));
  EXPECT_EQ(t.keys[2]->value, DL_VALUE::Float(0));
}

TEST(Channel, DeleteSelectedKeys) {
  DL_KEYTABLE table;
  DL_CHANNEL c(DL_VALUE::Float(0));
  table.RegisterChannel(&c);
  for (float f : {0.0f, 1.0f, 2.0f, 3.0f}) c.SetKey(f, DL_VALUE::Float(f));
  c.keys[1]->SetSelected(true);
  c.keys[3]->SetSelected(true);
  EXPECT_EQ(c.SelectedKeyCount(), 2);
  EXPECT_TRUE(c.DeleteSelectedKeys());
  EXPECT_EQ(Frames(c), (std::vector<float>{0, 2}));
  EXPECT_EQ(table.EntryCount(), 2);  // the destroyed keys left their entries
  EXPECT_FALSE(c.DeleteSelectedKeys());
}

}  // namespace
