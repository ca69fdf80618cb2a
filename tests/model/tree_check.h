// Checks of the bone tree's invariants, shared by the model tests.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/bone.h"
#include "model/model.h"

// Every link agrees with its back link, the count matches the bones
// reachable from the first bone, identifiers are unique and every bone has
// one track per motion.
inline ::testing::AssertionResult TreeIsConsistent(const DL_MODEL& m) {
  int count = 0;
  std::set<int32_t> ids;
  std::set<const DL_BONE*> seen;
  if (m.first_bone != nullptr && (m.first_bone->parent != nullptr || m.first_bone->prev != nullptr))
    return ::testing::AssertionFailure() << "first bone has a parent or elder";
  for (const DL_BONE* b = m.first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!seen.insert(b).second) return ::testing::AssertionFailure() << "bone visited twice";
    ++count;
    if (b->model != &m) return ::testing::AssertionFailure() << "bone " << b->id << " has another model";
    if (b->id != 0 && !ids.insert(b->id).second)
      return ::testing::AssertionFailure() << "identifier " << b->id << " twice";
    if (b->next != nullptr && (b->next->prev != b || b->next->parent != b->parent))
      return ::testing::AssertionFailure() << "next sibling of " << b->id << " disagrees";
    if (b->prev != nullptr && b->prev->next != b)
      return ::testing::AssertionFailure() << "elder of " << b->id << " disagrees";
    if (b->prev == nullptr && b->parent != nullptr && b->parent->first_child != b)
      return ::testing::AssertionFailure() << "bone " << b->id << " is first but its parent's first child is not";
    if (b->first_child != nullptr && (b->first_child->parent != b || b->first_child->prev != nullptr))
      return ::testing::AssertionFailure() << "first child of " << b->id << " disagrees";
    if (b->tracks.tracks.size() != m.motions.size())
      return ::testing::AssertionFailure() << "bone " << b->id << " has " << b->tracks.tracks.size() << " tracks";
    for (size_t i = 0; i < m.motions.size(); ++i)
      if (b->tracks.tracks[i]->motion != m.motions[i]) return ::testing::AssertionFailure() << "track order";
  }
  if (count != m.bone_count)
    return ::testing::AssertionFailure() << "bone count " << m.bone_count << " but " << count << " reachable";
  if (m.current_bone != nullptr && seen.count(m.current_bone) == 0)
    return ::testing::AssertionFailure() << "current bone is not in the tree";
  return ::testing::AssertionSuccess();
}

// The bones' names in preorder, each with its depth as leading dots.
inline std::string TreeShape(const DL_MODEL& m) {
  std::string s;
  for (const DL_BONE* b = m.first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!s.empty()) s += " ";
    s += std::string(static_cast<size_t>(b->Depth()), '.') + b->name;
  }
  return s;
}

// A bone with a name and an identifier, as the last child of parent.
inline DL_BONE* AddBone(DL_MODEL& m, DL_BONE* parent, const char* name) {
  DL_BONE* b = m.NewBoneAsLastChild(parent);
  b->id = m.MakeBoneId();
  b->SetName(name);
  return b;
}
