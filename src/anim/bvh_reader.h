// Reading BVH motion-capture files into a document of their own: a tree of
// joints with offsets, channels and per-frame values.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "math/vector.h"
#include "ui/umess.h"

struct BVH_DOC;

enum BVH_CHANNEL : uint8_t { BVH_XPOS, BVH_YPOS, BVH_ZPOS, BVH_XROT, BVH_YROT, BVH_ZROT };

// One frame of a joint: X, Y, Z position, then X, Y, Z rotation in degrees.
struct BVH_FRAME {
  float v[6];
};

struct BVH_NODE {
  BVH_DOC* document = nullptr;
  char name[256] = {};
  std::vector<uint8_t> channels;  // BVH_CHANNEL values in declared order
  VEC3 offset;
  VEC3 end_offset;
  bool end_offset_set = false;
  bool has_end_site = false;
  BVH_NODE* parent = nullptr;
  BVH_NODE* first_child = nullptr;  // owned
  BVH_NODE* next = nullptr;         // owned
  std::vector<BVH_FRAME> frames;

  BVH_NODE() = default;
  BVH_NODE(const BVH_NODE&) = delete;
  BVH_NODE& operator=(const BVH_NODE&) = delete;
  // Preorder over the tree: first child, next sibling, then up.
  BVH_NODE* NextInPreorder() const;
};

struct BVH_DOC {
  BVH_NODE* root = nullptr;  // owned
  int32_t node_count = 0;
  int32_t frame_count = 0;
  float frame_time = 0;
  UMESS messages;

  BVH_DOC() = default;
  BVH_DOC(const BVH_DOC&) = delete;
  BVH_DOC& operator=(const BVH_DOC&) = delete;
  // Frees the tree without recursion.
  ~BVH_DOC();
};

// Deepest joint nesting accepted.
const int BVH_MAX_DEPTH = 256;

// Reads the file at path (whole) into doc; every diagnostic goes to sink,
// one line each. Returns whether the file was accepted.
bool ReadBvhFile(const char* path, BVH_DOC* doc, const UMESS& sink);
// The same over bytes in memory; path is only used in messages.
bool ReadBvhBytes(const uint8_t* bytes, size_t size, const char* path, BVH_DOC* doc, const UMESS& sink);
